#include "windows/ui/unattended_engine.hpp"

#include <string>

#include "ui/run_aborted.hpp"

namespace windows {

ui::WindowHandle UnattendedEngine::createWindows(ui::Form& form) {
  const ui::WindowHandle handle = nextHandle_++;
  for (ui::Control* c : form.controls()) ui::Form::assignHandle(*c, nextHandle_++);
  return handle;
}

void UnattendedEngine::runModalLoop(ui::Form& form) {
  if (!form.isLoaded() || !form.visible()) return;
  throw portable::RunAborted("the dialog " + form.name() +
                             " was shown modally in a process that can show no window");
}

std::int32_t UnattendedEngine::messageBox(std::string_view text, std::string_view title,
                                          std::int32_t) {
  throw portable::RunAborted("the message box \"" + std::string(title) + "\" (\"" +
                             std::string(text) +
                             "\") was shown in a process that can show no window");
}

}  // namespace windows
