#include "windows/server/dialog_runtime.hpp"

#include "windows/ui/unattended_engine.hpp"
#include "windows/ui/win32_engine.hpp"

namespace windows {
namespace {

std::unique_ptr<ui::Engine> dialogEngine(HMODULE self) {
  if (topLevelWindowsAvailable()) return std::make_unique<Win32Engine>(self);
  return std::make_unique<UnattendedEngine>();
}

}  // namespace

DialogRuntime::DialogRuntime(HMODULE self)
    : system_(self),
      engine_(dialogEngine(self)),
      component_(command::Environment{creator_, *engine_, controls_, system_}) {}

}  // namespace windows
