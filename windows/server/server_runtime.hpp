#pragma once

#include <memory>

namespace command {
class Component;
class CQuadrift;
}  // namespace command

namespace windows {

class ServerModule;

// The environment the component runs in inside a host's process, with the component itself:
// made when the first object needs it and dropped when the DLL may unload.
class ServerRuntime {
 public:
  virtual ~ServerRuntime() = default;
  virtual command::Component& component() = 0;
  // A command object was made, or goes; the newest live one is the host's current command.
  virtual void commandCreated(command::CQuadrift&) {}
  virtual void commandDestroyed(command::CQuadrift&) {}
};

// The runtime of the DLL being built, defined once in each: the product DLL runs the dialog for
// the user; its test variant hands a host's session driver a session over its headless engine.
std::unique_ptr<ServerRuntime> makeServerRuntime(ServerModule& module);

}  // namespace windows
