#include "ui/host_control.hpp"

#include "ui/errors.hpp"
#include "ui/form.hpp"

namespace ui {

const automation::Object& HostControl::object() {
  form().load();
  return object_;
}

Font& HostControl::font() {
  throw memberNotFound();
}

void HostControl::raiseEvent(std::string_view event, std::span<automation::Variant> args) {
  if (onEvent) onEvent(event, args);
}

}  // namespace ui
