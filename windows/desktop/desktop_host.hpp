#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "reference_host.hpp"
#include "windows/app/server_library.hpp"
#include "windows/host/registered_host_classes.hpp"

namespace windows::desktop {

// The reference host as a desktop program holds it: its classes registered with COM in this
// process (no session driver, so the component's engine has the real user), and the command
// run as the host's framework runs it: the component's class created by its ProgID, handed the
// command object, released when its Command_Initialize returns. Needs an initialised apartment.
class DesktopHost {
 public:
  // `dll` is the component's DLL, registered for the program's life by its own export when its
  // class is not registered already.
  DesktopHost(refhost::Environment environment, std::filesystem::path dll);
  ~DesktopHost();
  DesktopHost(const DesktopHost&) = delete;
  DesktopHost& operator=(const DesktopHost&) = delete;

  refhost::ReferenceHost& host() { return host_; }
  // Whether the command runs now (its Command_Initialize has not returned).
  bool commandRunning() const { return running_; }
  // Runs Move Sheet Border once; empty when the component ran and returned, else why it could
  // not be created or why its run ended.
  std::string runCommand();

 private:
  std::string registerComponent();

  refhost::ReferenceHost host_;
  std::filesystem::path dll_;
  host::RegisteredHostClasses classes_;
  std::unique_ptr<ServerLibrary> registered_;  // the DLL while this program registered it
  bool running_ = false;
};

}  // namespace windows::desktop
