#include "host/host_controls.hpp"

#include "automation/convert.hpp"
#include "automation/variant.hpp"
#include "host/dispids.hpp"

namespace host {

using automation::Bool16;
using automation::Variant;

void CommandControl::bind(const automation::Object& command) const {
  object_.putNamed(dispid::command_control::kCommandName, Variant(command));
}

HostApplication CommandControl::application() const {
  const automation::Object context =
      automation::toObject(object_.get(dispid::command_control::kContext));
  return HostApplication(
      automation::toObject(context.getNamed(dispid::command_context::kApplicationName)));
}

void CommandControl::setDone(bool done) const {
  object_.put(dispid::command_control::kDone, Variant(Bool16::of(done)));
}

void MouseControl::prepare() const {
  object_.call(dispid::mouse_control::kStartUp, {Variant(Bool16::of(false))});
}

}  // namespace host
