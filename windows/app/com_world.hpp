#pragma once

#include <windows.h>

#include <oaidl.h>

#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "reference_host.hpp"
#include "session_world.hpp"
#include "windows/app/help_file_setting.hpp"
#include "windows/app/session_printer.hpp"
#include "windows/handles/apartment.hpp"
#include "windows/host/com_host.hpp"
#include "world_settings.hpp"

namespace windows {

// A session's world with the component on the headless engine inside the DLL's test variant, run
// by the host over COM (ComHost) with the session driver among its classes: the DLL is
// registered from a folder of the session's own when satellites are absent. Input queued before the
// DLL's engine exists is handed over when its session attaches. Everything set up is undone when
// the world goes.
class ComWorld final : public ::session::SessionWorld {
 public:
  // Throws session::WorldUnavailable when the DLL cannot be loaded or registered.
  ComWorld(::session::WorldSettings settings, const std::filesystem::path& dll,
           std::unique_ptr<SessionPrinter> printer);
  ~ComWorld() override;
  ComWorld(const ComWorld&) = delete;
  ComWorld& operator=(const ComWorld&) = delete;

  const portable::EventLog& events() const override { return events_; }
  refhost::ReferenceHost& host() override { return comHost_->host(); }
  void post(portable::UserAction action) override;
  void runUntilIdle() override;
  void start() override;
  void end() override;
  nlohmann::json componentState() override;

  // The DLL's session object once it attached (unset before start), for a driver that asks it
  // more than the runner does.
  const automation::Object& engineSession() const { return session_; }

 private:
  std::filesystem::path registeredDll(const std::filesystem::path& dll);
  // Undoes what the world set up: the session, the host's classes, the help file's value, the
  // DLL's registration and the session's own folder.
  void tearDown();
  void attach(const automation::Object& session);
  void hand(portable::UserAction action);
  // Runs a call into the DLL; a probe's own failure, which ended the run, is thrown as itself.
  template <class Call>
  void intoDll(Call&& call);

  std::unique_ptr<SessionPrinter> printer_;  // restored last
  ComApartment apartment_;  // from before anything else of the world until after it
  ::session::WorldSettings settings_;
  portable::EventLog events_;  // outlives everything that logs to it
  std::optional<std::filesystem::path> privateFolder_;
  std::optional<HelpFileSetting> helpFile_;
  std::unique_ptr<host_classes::ComHost> comHost_;
  automation::Object session_;
  std::vector<portable::UserAction> waiting_;  // queued before the session attached
  std::exception_ptr probeFailure_;
};

}  // namespace windows
