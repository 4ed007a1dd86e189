#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

namespace command {
class Component;
class CQuadrift;
}  // namespace command

namespace windows {

// The loaded DLL's one object: its module, the count of its live COM objects and server
// locks that the unload query reads, and the component-wide state with the environment it
// runs in. The component is made when the first object needs it and dropped when the DLL may
// unload, so nothing of it outlives the last object's host references.
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

  // The component-wide state, made with its environment on first use. When the host runs a
  // session (its session driver class is registered), the driver is handed the DLL's session
  // object over the headless engine as the environment is made; otherwise the dialog runs on
  // real windows.
  command::Component& component();
  // The live commands, the newest last: a session's state shows the newest one's dialog.
  void commandCreated(command::CQuadrift& command);
  void commandDestroyed(command::CQuadrift& command);

 private:
  struct Runtime;
  // Hands the host's session driver, when one is registered, the session object over the
  // runtime's engine; the session counts as a live object while the driver holds it.
  void attachSession();

  HMODULE self_;
  std::atomic<long> objects_{0};
  std::atomic<long> locks_{0};
  std::unique_ptr<Runtime> runtime_;
};

}  // namespace windows
