#include "command_framework.hpp"

#include <algorithm>
#include <array>
#include <vector>

#include "application_objects.hpp"
#include "automation/convert.hpp"
#include "automation/creator.hpp"
#include "host/dispids.hpp"

namespace refhost {

using automation::InvokeKind;
using automation::Variant;
namespace ids = host::dispid;

namespace {
// The command this framework runs, as its undo step is named.
constexpr std::string_view kCommandName = "Move Sheet Border";
}  // namespace

CommandObject::CommandObject(std::shared_ptr<HostContext> context, std::shared_ptr<HostState> state)
    : HostObject(std::move(context), "CommandObject"), state_(std::move(state)) {}

Variant CommandObject::perform(automation::DispId id, InvokeKind kind, std::span<Variant> args) {
  if (kind == InvokeKind::Get && id == ids::command_context::kApplication) {
    expectArgs(args, 0);
    return Variant(hand<ApplicationObject>(state_));
  }
  throw noSuchMember(id, kind);
}

std::optional<automation::DispId> CommandObject::memberNamed(std::string_view name) const {
  if (name == ids::command_context::kApplicationName) return ids::command_context::kApplication;
  return std::nullopt;
}

std::string_view CommandObject::nameOfMember(automation::DispId id) const {
  return id == ids::command_context::kApplication ? ids::command_context::kApplicationName
                                                  : std::string_view();
}

CommandControlObject::CommandControlObject(std::shared_ptr<HostContext> context,
                                           std::shared_ptr<HostState> state,
                                           ui::HostControlSite& site)
    : HostObject(std::move(context), "ksCommand1"), state_(std::move(state)), site_(site) {}

Variant CommandControlObject::perform(automation::DispId id, InvokeKind kind,
                                      std::span<Variant> args) {
  namespace ctl = ids::command_control;
  if (kind == InvokeKind::Put && id == ctl::kCommand) {
    expectArgs(args, 1);
    const automation::Object command = automation::toObject(args[0]);
    if (dynamic_cast<const CommandObject*>(command.get()) == nullptr) {
      throw refused("The command control takes only the host's command object");
    }
    bound_ = true;
    state_->command.bound = true;
    state_->command.done = false;  // a new run
    // The run's changes of the sheet are one undo step, as in drafting programs.
    state_->undo.beginGroup(std::string(kCommandName));
    if (!initialized_) {
      initialized_ = true;
      ++state_->command.initializeEvents;
      raiseControlEvent(*context(), *state_, site_, "Initialize", {});
    }
    return {};
  }
  if (kind == InvokeKind::Get && id == ctl::kContext) {
    expectArgs(args, 0);
    if (!bound_) return {};
    return Variant(hand<CommandObject>(state_));
  }
  if (kind == InvokeKind::Put && id == ctl::kDone) {
    expectArgs(args, 1);
    const bool done = automation::toBool(args[0]);
    state_->command.done = done;
    if (done) {
      ++state_->command.terminateEvents;
      raiseControlEvent(*context(), *state_, site_, "Terminate", {});
      state_->undo.endGroup();  // after the shut-down's own writes (a restore)
      if (state_->commandEnded) state_->commandEnded();
    }
    return {};
  }
  if (kind == InvokeKind::Get && id == ctl::kDone) {
    expectArgs(args, 0);
    return Variant(automation::Bool16::of(state_->command.done));
  }
  throw noSuchMember(id, kind);
}

std::optional<automation::DispId> CommandControlObject::memberNamed(std::string_view name) const {
  if (name == ids::command_control::kCommandName) return ids::command_control::kCommand;
  return std::nullopt;
}

std::string_view CommandControlObject::nameOfMember(automation::DispId id) const {
  return id == ids::command_control::kCommand ? ids::command_control::kCommandName
                                              : std::string_view();
}

MouseControlObject::MouseControlObject(std::shared_ptr<HostContext> context,
                                       std::shared_ptr<HostState> state, ui::HostControlSite& site)
    : HostObject(std::move(context), "ksMouse1"),
      state_(std::move(state)),
      mouse_(std::make_shared<MouseControlState>(MouseControlState{&site, 0})) {
  state_->mouseControls.push_back(mouse_);
}

Variant MouseControlObject::perform(automation::DispId id, InvokeKind kind,
                                    std::span<Variant> args) {
  if (kind == InvokeKind::Call && id == ids::mouse_control::kStartUp) {
    expectArgs(args, 1);
    (void)automation::toBool(args[0]);
    ++mouse_->startUpCalls;
    return {};
  }
  throw noSuchMember(id, kind);
}

automation::Object HostControls::create(std::string_view progId,
                                        std::span<const std::uint8_t> /*persistedState*/,
                                        ui::HostControlSite& site) {
  if (progId == host::progid::kCommandControl) {
    return automation::Object(std::make_shared<CommandControlObject>(context_, state_, site));
  }
  if (progId == host::progid::kMouseControl) {
    return automation::Object(std::make_shared<MouseControlObject>(context_, state_, site));
  }
  throw automation::Failure(automation::kCannotCreateObject,
                            "ActiveX component can't create object: " + std::string(progId),
                            "RefHost");
}

bool mouseInputEnabled(const HostState& state) {
  return std::any_of(state.mouseControls.begin(), state.mouseControls.end(), [](const auto& weak) {
    const auto control = weak.lock();
    return control && control->site != nullptr && control->site->enabled();
  });
}

std::string whyNoMouseInput(const HostState& state) {
  if (mouseInputEnabled(state)) return {};
  const bool any = std::any_of(state.mouseControls.begin(), state.mouseControls.end(),
                               [](const auto& weak) { return !weak.expired(); });
  return any ? "mouse control disabled" : "no mouse control";
}

bool deliverMouseEvent(HostContext& context, HostState& state, std::string_view event,
                       std::int16_t button, double x, double y) {
  const SideScope host(context, Side::Host);
  state.pointer = ModelPoint{x, y};
  // Collect the sites first: a handler may create or release controls while it runs. A
  // delivery inside a handler's finds the spare list taken and starts an empty one.
  std::vector<std::shared_ptr<MouseControlState>> controls = std::move(state.spareDeliveryList);
  controls.clear();
  std::erase_if(state.mouseControls, [](const auto& weak) { return weak.expired(); });
  for (const auto& weak : state.mouseControls) {
    if (auto control = weak.lock()) controls.push_back(std::move(control));
  }
  bool delivered = false;
  for (const auto& control : controls) {
    if (control->site == nullptr || !control->site->enabled()) continue;
    std::array<Variant, 8> args{Variant(button),
                                Variant(std::int16_t{0}),
                                Variant(x),
                                Variant(y),
                                Variant(0.0),
                                Variant(automation::Object()),
                                Variant(std::int32_t{0}),
                                Variant(automation::Object())};
    raiseControlEvent(context, state, *control->site, event, args);
    delivered = true;
  }
  if (!delivered) {
    state.refused.push_back({std::string(event), button, x, y, whyNoMouseInput(state)});
  }
  controls.clear();
  state.spareDeliveryList = std::move(controls);
  return delivered;
}

}  // namespace refhost
