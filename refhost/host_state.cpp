#include "host_state.hpp"

#include "host_object.hpp"
#include "platform/locale_table.hpp"

namespace refhost {

HostState::HostState(Environment environment)
    : env(std::move(environment)), undo(env.undoDepth), sheet(env.sheet, undo, env.printer) {
  sheet.onChanged([this] { notifyViewChanged(); });
}

LengthFormat HostState::documentFormat() const {
  LengthFormat format = env.documentFormat;
  format.decimalSeparator =
      env.decimalSeparator.value_or(portable::localeFacts(env.userLocale).decimalSeparator);
  return format;
}

void raiseControlEvent(HostContext& context, HostState& state, ui::HostControlSite& site,
                       std::string_view event, std::span<automation::Variant> args) {
  const SideScope component(context, Side::Component);
  try {
    site.raiseEvent(event, args);
  } catch (const automation::Failure& failure) {
    state.eventFailures.push_back(failure);
  }
}

}  // namespace refhost
