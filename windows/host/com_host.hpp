#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "automation/object.hpp"
#include "reference_host.hpp"
#include "windows/host/registered_host_classes.hpp"
#include "windows/host/server_library.hpp"

namespace windows::host_classes {

// The reference host as a host's process holds it over COM: its classes registered in the
// process, the component's DLL registered, and the command run as the host's framework runs it:
// the component's class created by its ProgID and handed the command object, both kept until
// the command control's done flag ends the run (or the host lets go). Between the two, Move
// hands control back to the host while the user places the sheet in the view. The desktop
// program and the session runner's world over COM are both this host. Needs an initialised
// apartment.
class ComHost {
 public:
  // How the component's DLL is registered: by its own export for the host's life, when its
  // class is not registered already (a program that may find it installed), or always (a
  // runner that must run exactly this DLL).
  enum class Registration { IfUnregistered, Always };

  // `dll` is the component's DLL, registered as `registration` says; `session` whether the
  // session driver is among the host's classes (the test variant's sessions) or not (the DLL's
  // dialog has the real user).
  ComHost(refhost::Environment environment, std::filesystem::path dll,
          Registration registration = Registration::IfUnregistered,
          RegisteredHostClasses::Session session = RegisteredHostClasses::Session::None);
  // Releases the command, unregisters a DLL it registered and lets COM unload it.
  ~ComHost();
  ComHost(const ComHost&) = delete;
  ComHost& operator=(const ComHost&) = delete;

  refhost::ReferenceHost& host() { return host_; }
  RegisteredHostClasses& classes() { return classes_; }

  // Registers the DLL as asked, unless done; empty when it is, else why not.
  std::string registerComponent();
  // Whether a command runs: created and not yet released.
  bool commandRunning() const { return command_.isSet(); }
  // Creates the command and runs its Command_Initialize, `created` between the two; what the
  // call throws (a Failure, an aborted run) is thrown, and a failed creation as a Failure.
  void startCommand(const std::function<void()>& created = {});
  // Starts Move Sheet Border as a program's menu does; empty when it started (it may have ended
  // already), else why it could not be created or why its start ended it.
  std::string runCommand();
  // Told when the done flag has ended the command. It comes from inside the command's own call:
  // a program posts itself a message and calls `releaseEndedCommand` from its loop.
  void onCommandEnded(std::function<void()> observer) { ended_ = std::move(observer); }
  // Releases a command that its done flag ended; nothing when none has ended.
  void releaseEndedCommand();
  // Releases the command whether or not it ended, as a host that closes its document does.
  void releaseCommand();

 private:
  refhost::ReferenceHost host_;
  std::filesystem::path dll_;
  Registration registration_;
  RegisteredHostClasses classes_;
  std::unique_ptr<ServerLibrary> registered_;  // the DLL while this host registered it
  automation::Object command_;                 // the running command
  automation::Object commandObject_;           // the command object it was handed
  std::function<void()> ended_;
};

}  // namespace windows::host_classes
