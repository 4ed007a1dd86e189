#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "automation/object.hpp"
#include "automation/variant.hpp"
#include "ui/control.hpp"
#include "ui/host_control_site.hpp"

namespace ui {

// A slot for a control of the host's framework placed on a form. The form creates the control
// through its `HostControlFactory` when it loads, handing it the persisted-state block kept
// here, and keeps the control's late-bound object until it unloads. The control raises its
// events through this site; they go to `onEvent`, which the form's owner installs.
// The slot has no font: `font()` fails with 438. It never takes the focus or dialog input.
// The control's object must not be kept beyond the form's life (it refers back to this site).
class HostControl final : public Control, public HostControlSite {
 public:
  HostControl(Form& form, std::string name, std::string progId,
              std::vector<std::uint8_t> persistedState)
      : Control(form, ControlKind::HostControl, std::move(name), -1, nullptr),
        progId_(std::move(progId)),
        persistedState_(std::move(persistedState)) {}

  const std::string& progId() const { return progId_; }
  std::span<const std::uint8_t> persistedState() const { return persistedState_; }

  // The control's own object. Touching it loads the form first, as the platform does when code
  // reaches a control of a form that is not loaded yet.
  const automation::Object& object();
  bool created() const { return object_.isSet(); }

  Font& font() override;

  // HostControlSite: the container's Enabled property, and the way back for events.
  bool enabled() const override { return Control::enabled(); }
  void raiseEvent(std::string_view event, std::span<automation::Variant> args) override;

  std::function<void(std::string_view event, std::span<automation::Variant> args)> onEvent;

 private:
  friend class Form;
  std::string progId_;
  std::vector<std::uint8_t> persistedState_;
  automation::Object object_;
};

}  // namespace ui
