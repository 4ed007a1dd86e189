#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "windows/server/server_runtime.hpp"

namespace windows {

// The loaded DLL's one object: its module, the count of its live COM objects and server
// locks that the unload query reads, and the runtime: the component-wide state with the
// environment it runs in. The runtime is made when the first object needs it and dropped when
// the DLL may unload, so nothing of it outlives the last object's host references.
class ServerModule {
 public:
  explicit ServerModule(HMODULE self);
  ~ServerModule();
  ServerModule(const ServerModule&) = delete;
  ServerModule& operator=(const ServerModule&) = delete;

  HMODULE module() const { return self_; }
  // The DLL's own file, as the system loaded it.
  std::wstring path() const;

  void objectCreated() { ++objects_; }
  void objectDestroyed() { --objects_; }
  void lock() { ++locks_; }
  void unlock() { --locks_; }
  // True when no object lives and no lock is held; the component-wide state is then dropped.
  bool unloadNow();

  // The component-wide state, made with its environment (makeServerRuntime) on first use.
  command::Component& component();
  // Tells the runtime of each command object made and gone.
  void commandCreated(command::CQuadrift& command);
  void commandDestroyed(command::CQuadrift& command);

 private:
  HMODULE self_;
  std::atomic<long> objects_{0};
  std::atomic<long> locks_{0};
  std::unique_ptr<ServerRuntime> runtime_;
};

}  // namespace windows
