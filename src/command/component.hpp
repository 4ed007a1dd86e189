#pragma once

#include <cstdint>
#include <string>

#include "automation/creator.hpp"
#include "dialog/setup_history.hpp"
#include "host/application_views.hpp"
#include "host/auxiliary_views.hpp"
#include "host/error_reporting.hpp"
#include "placement/display_sheet_state.hpp"
#include "platform/system.hpp"
#include "ui/host_control_site.hpp"

namespace ui {
class Engine;
}

namespace command {

// The world outside the component, as its three seams: late-bound objects (and the classes it
// may create), the UI engine with the host's controls, and the platform.
struct Environment {
  automation::ObjectCreator& creator;
  ui::Engine& engine;
  ui::HostControlFactory& hostControls;
  platform::System& system;
};

// Everything that lives as long as the component is loaded. The loaded component owns exactly
// one; a test creates a fresh one.
class Component {
 public:
  explicit Component(const Environment& environment)
      : env(environment), reporting(environment.creator), global_(environment.creator) {}
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  platform::System& system() const { return env.system; }
  // The host library's application-wide object, created on first use and kept.
  host::HostGlobalView& hostGlobal() { return global_; }

  Environment env;
  host::ErrorReporting reporting;  // the guard's sink; creates the reporter at the first report

  platform::Handle ResourceLibrary = 0;
  std::string PlacementPrompt;
  std::string EndPrompt;

  host::HostApplication HostApplication;
  host::HostDocument HostDocument;
  host::HostSheet HostSheet;
  host::HostSheetSetup HostSheetSetup;
  host::HostOverlay HostOverlay;
  host::HostGraphicFactory HostGraphicFactory;

  bool UserCancelled = false;
  bool SetupApplied = false;
  // Set when a run's shut-down has been carried out, so that a second shut-down event of the
  // same run (after the close control already ran it) does nothing.
  bool ShutDownDone = false;

  std::int16_t HistoryCount = 0;
  dialog::SetupHistory SetupHistory;

  placement::DisplaySheetState Display;

 private:
  host::HostGlobalView global_;
};

}  // namespace command
