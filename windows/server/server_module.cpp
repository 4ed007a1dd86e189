#include "windows/server/server_module.hpp"

#include <vector>

#include "command/component.hpp"
#include "ui/headless_engine.hpp"
#include "windows/automation/com_creator.hpp"
#include "windows/platform/win32_system.hpp"
#include "windows/server/com_host_controls.hpp"

namespace windows {

// The environment the component runs in inside a host's process, and the component itself.
struct ServerModule::Runtime {
  explicit Runtime(HMODULE self)
      : controls(creator),
        system(self),
        component(command::Environment{creator, engine, controls, system}) {}

  ComCreator creator;
  portable::HeadlessEngine engine;
  ComHostControls controls;
  Win32System system;
  command::Component component;
};

ServerModule::ServerModule(HMODULE self) : self_(self) {}

ServerModule::~ServerModule() = default;

std::wstring ServerModule::path() const {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(self_, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

bool ServerModule::unloadNow() {
  if (objects_ != 0 || locks_ != 0) return false;
  runtime_.reset();
  return true;
}

command::Component& ServerModule::component() {
  if (!runtime_) runtime_ = std::make_unique<Runtime>(self_);
  return runtime_->component;
}

}  // namespace windows
