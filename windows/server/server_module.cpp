#include "windows/server/server_module.hpp"

#include <vector>

namespace windows {

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
  if (!runtime_) runtime_ = makeServerRuntime(*this);
  return runtime_->component();
}

void ServerModule::commandCreated(command::CQuadrift& command) {
  component();
  runtime_->commandCreated(command);
}

void ServerModule::commandDestroyed(command::CQuadrift& command) {
  if (runtime_) runtime_->commandDestroyed(command);
}

}  // namespace windows
