// The product DLL's runtime: the dialog for the host's user, whatever the host.
#include "windows/server/dialog_runtime.hpp"
#include "windows/server/server_module.hpp"

namespace windows {

std::unique_ptr<ServerRuntime> makeServerRuntime(ServerModule& module) {
  return std::make_unique<DialogRuntime>(module.module());
}

}  // namespace windows
