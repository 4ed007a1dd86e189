#pragma once

#include <memory>

#include "host_object.hpp"
#include "host_state.hpp"
#include "ui/host_control_site.hpp"

namespace refhost {

// The command object the host hands to the component; its member "zulapplication" is the
// application.
class CommandObject final : public HostObject {
 public:
  CommandObject(std::shared_ptr<HostContext> context, std::shared_ptr<HostState> state);

 protected:
  automation::Variant perform(automation::DispId id, automation::InvokeKind kind,
                              std::span<automation::Variant> args) override;
  std::optional<automation::DispId> memberNamed(std::string_view name) const override;
  std::string_view nameOfMember(automation::DispId id) const override;

 private:
  std::shared_ptr<HostState> state_;
};

// The command control placed on the component's form. Putting the command object in
// "Command" binds it and raises the site's "Initialize" event (once per control); member 1 is
// the bound command object; putting true in member 3 ends the command and raises "Terminate".
class CommandControlObject final : public HostObject {
 public:
  CommandControlObject(std::shared_ptr<HostContext> context, std::shared_ptr<HostState> state,
                       ui::HostControlSite& site);

 protected:
  automation::Variant perform(automation::DispId id, automation::InvokeKind kind,
                              std::span<automation::Variant> args) override;
  std::optional<automation::DispId> memberNamed(std::string_view name) const override;
  std::string_view nameOfMember(automation::DispId id) const override;

 private:
  std::shared_ptr<HostState> state_;
  ui::HostControlSite& site_;
  bool bound_ = false;
  bool initialized_ = false;
};

// The mouse control placed on the component's form. The host's view delivers mouse input to
// it (ReferenceHost::mouseMove, mouseClick); member 63 is accepted.
class MouseControlObject final : public HostObject {
 public:
  MouseControlObject(std::shared_ptr<HostContext> context, std::shared_ptr<HostState> state,
                     ui::HostControlSite& site);

 protected:
  automation::Variant perform(automation::DispId id, automation::InvokeKind kind,
                              std::span<automation::Variant> args) override;

 private:
  std::shared_ptr<HostState> state_;
  std::shared_ptr<MouseControlState> mouse_;
};

// Creates the two host controls by class, as the form's layout names them.
class HostControls final : public ui::HostControlFactory {
 public:
  HostControls(std::shared_ptr<HostContext> context, std::shared_ptr<HostState> state)
      : context_(std::move(context)), state_(std::move(state)) {}

  automation::Object create(std::string_view progId, std::span<const std::uint8_t> persistedState,
                            ui::HostControlSite& site) override;

 private:
  std::shared_ptr<HostContext> context_;
  std::shared_ptr<HostState> state_;
};

// Delivers a mouse event from the host's view to every mouse control whose container is
// enabled; records the input as refused when none takes it. Returns whether it was delivered.
bool deliverMouseEvent(HostContext& context, HostState& state, std::string_view event,
                       std::int16_t button, double x, double y);
// Whether some mouse control's container is enabled: a command is taking the view's mouse.
bool mouseInputEnabled(const HostState& state);
// Why no mouse control takes the view's input ("no mouse control", "mouse control disabled");
// "" when one does.
std::string whyNoMouseInput(const HostState& state);

}  // namespace refhost
