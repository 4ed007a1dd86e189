#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/creator.hpp"
#include "automation/object.hpp"
#include "auxiliary_objects.hpp"
#include "call_log.hpp"
#include "command_framework.hpp"
#include "environment.hpp"
#include "fault_injection.hpp"
#include "host_object.hpp"
#include "host_state.hpp"
#include "sample_drawing.hpp"
#include "ui/host_control_site.hpp"

namespace refhost {

// The reference drafting host with an active document and sheet, ready for one command run.
// Everything the component reaches goes through late-bound objects that this host logs, can
// make fail, and counts while they are referenced.
class ReferenceHost {
 public:
  explicit ReferenceHost(Environment environment = {});
  ReferenceHost(const ReferenceHost&) = delete;
  ReferenceHost& operator=(const ReferenceHost&) = delete;

  // New references (each counts as a live object until released).
  automation::Object application();
  automation::Object commandObject();

  // What the component's form and its start-up use to create host classes.
  ui::HostControlFactory& controlFactory() { return controls_; }
  automation::ObjectCreator& objectCreator() { return creator_; }

  CallLog& callLog() { return context_->log; }
  FaultInjector& faults() { return context_->faults; }
  // Told each time control passes between the host and the component; none when empty.
  void onSideChanged(std::function<void(Side now)> observer) {
    context_->onSideChanged = std::move(observer);
  }
  // Host objects handed out and not yet released.
  std::size_t liveObjects() const { return context_->liveObjects; }
  // Whether an error reporter this host handed out is still held (by the component).
  bool errorReporterHeld() const { return context_->liveErrorReporters > 0; }

  // The host's settings; changes take effect at the next call that reads them.
  Environment& environment() { return state_->env; }

  // The document's own geometry, under the overlay.
  const ModelDrawing& drawing() const { return drawing_; }
  // What the view shows of the overlay since its last show.
  const std::vector<ShownGraphic>& shownGraphics() const { return state_->overlay.shown; }
  const SheetSetupState& sheetSetup() const { return state_->sheet.state(); }
  // Replaces the sheet setup without an undo entry.
  void setSheetSetup(const SheetSetupState& setup) { state_->sheet.reset(setup); }
  const UndoHistory& undoHistory() const { return state_->undo; }
  // The user's Undo: takes back the newest sheet-setup change.
  bool undo() { return state_->sheet.undo(); }
  // The user's Redo: makes again the change the newest Undo took back, until the next change.
  bool redo() { return state_->sheet.redo(); }
  std::size_t redoCount() const { return state_->sheet.redoCount(); }
  // Told after each change of what the view shows (the sheet setup, the overlay's shown
  // graphics, the status text); none when empty.
  void onViewChanged(std::function<void()> observer) { state_->viewChanged = std::move(observer); }
  const std::string& statusText() const { return state_->statusText; }
  const std::vector<std::string>& statusHistory() const { return state_->statusHistory; }
  const CommandState& command() const { return state_->command; }
  // Told when the done flag ends a command, after its shut-down event; none when empty.
  void onCommandEnded(std::function<void()> observer) {
    state_->commandEnded = std::move(observer);
  }
  const std::vector<ErrorReport>& errorReports() const { return state_->reports; }
  // Forgets the reports made so far, for a driver that checks each step's reports on their own.
  void clearErrorReports() { state_->reports.clear(); }
  const std::vector<RefusedInput>& refusedInput() const { return state_->refused; }
  // Logs each status text and error report to `log` as it happens (none when null).
  void setEventLog(portable::EventLog* log) { state_->events = log; }
  // Failures that event handlers let escape into the host's controls (which drop them).
  const std::vector<automation::Failure>& eventFailures() const { return state_->eventFailures; }

  // The view's mouse input, delivered to the mouse control while its container is enabled;
  // otherwise refused and recorded. Positions are model metres. Returns whether delivered.
  bool mouseMove(double x, double y);
  bool mouseClick(std::int16_t button, double x, double y);
  // Where the view's pointer was at its last mouse event; nothing before the first.
  const std::optional<ModelPoint>& pointer() const { return state_->pointer; }
  // Whether a command takes the view's mouse input (a mouse control is enabled).
  bool mouseInputEnabled() const { return refhost::mouseInputEnabled(*state_); }
  // Why the view's pointer input would reach no command now ("" when it would).
  std::string whyNoMouseInput() const { return refhost::whyNoMouseInput(*state_); }

 private:
  std::shared_ptr<HostContext> context_;
  std::shared_ptr<HostState> state_;
  HostControls controls_;
  HostObjectCreator creator_;
  ModelDrawing drawing_ = sampleFloorPlan();
};

}  // namespace refhost
