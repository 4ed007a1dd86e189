#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "automation/object.hpp"
#include "reference_host.hpp"
#include "windows/app/server_library.hpp"
#include "windows/host/registered_host_classes.hpp"

namespace windows::desktop {

// The reference host as a desktop program holds it: its classes registered with COM in this
// process (no session driver, so the component's engine has the real user), and the command
// run as the host's framework runs it: the component's class created by its ProgID and handed
// the command object, then kept until the command control's done flag ends the run. Between
// the two, Move hands control back to the host while the user places the sheet in the view.
// Needs an initialised apartment.
class DesktopHost {
 public:
  // How the component's DLL is registered: by its own export for the program's life, when its
  // class is not registered already (a program that may find it installed), or always (a
  // runner that must run exactly this DLL).
  enum class Registration { IfUnregistered, Always };

  // `dll` is the component's DLL, registered as `registration` says.
  DesktopHost(refhost::Environment environment, std::filesystem::path dll,
              Registration registration = Registration::IfUnregistered);
  ~DesktopHost();
  DesktopHost(const DesktopHost&) = delete;
  DesktopHost& operator=(const DesktopHost&) = delete;

  refhost::ReferenceHost& host() { return host_; }
  // Whether a command runs: created and not yet ended by its done flag.
  bool commandRunning() const { return command_.isSet(); }
  // Starts Move Sheet Border; empty when it started (it may have ended already), else why it
  // could not be created or why its start ended it.
  std::string runCommand();
  // Told when the done flag has ended the command. It comes from inside the command's own call:
  // the program posts itself a message and calls `releaseEndedCommand` from its loop.
  void onCommandEnded(std::function<void()> observer) { ended_ = std::move(observer); }
  // Releases a command that its done flag ended; nothing when none has ended.
  void releaseEndedCommand();
  // Releases the command whether or not it ended, as a host that closes its document does.
  void releaseCommand();

 private:
  std::string registerComponent();

  refhost::ReferenceHost host_;
  std::filesystem::path dll_;
  Registration registration_;
  host_classes::RegisteredHostClasses classes_;
  std::unique_ptr<ServerLibrary> registered_;  // the DLL while this program registered it
  automation::Object command_;                 // the running command
  std::function<void()> ended_;
};

}  // namespace windows::desktop
