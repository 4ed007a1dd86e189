#include "reference_host.hpp"

#include "application_objects.hpp"

namespace refhost {

ReferenceHost::ReferenceHost(Environment environment)
    : context_(std::make_shared<HostContext>()),
      state_(std::make_shared<HostState>(std::move(environment))),
      controls_(context_, state_),
      creator_(context_, state_) {}

automation::Object ReferenceHost::application() {
  return automation::Object(std::make_shared<ApplicationObject>(context_, state_));
}

automation::Object ReferenceHost::commandObject() {
  return automation::Object(std::make_shared<CommandObject>(context_, state_));
}

bool ReferenceHost::mouseMove(double x, double y) {
  return deliverMouseEvent(*context_, *state_, "MouseMove", 0, x, y);
}

bool ReferenceHost::mouseClick(std::int16_t button, double x, double y) {
  return deliverMouseEvent(*context_, *state_, "MouseClick", button, x, y);
}

}  // namespace refhost
