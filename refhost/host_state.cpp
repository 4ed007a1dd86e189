#include "host_state.hpp"

#include "platform/locale_table.hpp"

namespace refhost {

HostState::HostState(Environment environment)
    : env(std::move(environment)), undo(env.undoDepth), sheet(env.sheet, undo, env.printer) {}

LengthFormat HostState::documentFormat() const {
  LengthFormat format = env.documentFormat;
  format.decimalSeparator =
      env.decimalSeparator.value_or(portable::localeFacts(env.userLocale).decimalSeparator);
  return format;
}

}  // namespace refhost
