#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "automation/failure.hpp"
#include "automation/variant.hpp"
#include "environment.hpp"
#include "events/event_log.hpp"
#include "length_format.hpp"
#include "sample_drawing.hpp"
#include "sheet_setup_model.hpp"
#include "ui/host_control_site.hpp"
#include "undo_history.hpp"

namespace refhost {

struct HostContext;

// A temporary graphic's geometry; unshaped until it is made a rectangle.
struct GraphicState {
  bool shaped = false;
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
};

// A graphic as the view shows it.
struct ShownGraphic {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
  std::int32_t colour = 0;
  std::int32_t flag = 0;
};

// The view's overlay: the graphics added since the last clear, and what the last show drew.
struct OverlayState {
  struct Entry {
    std::shared_ptr<GraphicState> graphic;
    std::int32_t colour = 0;
    std::int32_t value = 0;
    std::int32_t flag = 0;
  };
  std::vector<Entry> added;
  std::vector<ShownGraphic> shown;
};

// One call of the error reporter, its nine arguments in order.
struct ErrorReport {
  std::string source;
  std::string description;
  std::string helpFile;
  std::int32_t helpContext = 0;
  std::int32_t number = 0;
  std::string ident;
  std::int32_t style = 0;
  std::int32_t reserved1 = 0;
  std::int16_t reserved2 = 0;
};

// The run of one command: binding, done flag, and how often each event was raised.
struct CommandState {
  bool bound = false;
  bool done = false;
  int initializeEvents = 0;
  int terminateEvents = 0;
};

// A mouse control's link to the form it lives on.
struct MouseControlState {
  ui::HostControlSite* site = nullptr;
  int startUpCalls = 0;
};

// Input the host's view could not deliver: the mouse control was missing or disabled.
struct RefusedInput {
  std::string event;  // "MouseMove" or "MouseClick"
  std::int16_t button = 0;
  double x = 0;
  double y = 0;
  std::string reason;
};

// Everything the reference host holds. Its objects share it; not copyable.
struct HostState {
  explicit HostState(Environment environment);
  HostState(const HostState&) = delete;
  HostState& operator=(const HostState&) = delete;

  // The document's length format, its decimal separator following the user's locale unless
  // the environment sets one.
  LengthFormat documentFormat() const;

  Environment env;
  UndoHistory undo;
  SheetSetupModel sheet;
  std::string statusText;
  std::vector<std::string> statusHistory;
  OverlayState overlay;
  std::vector<ErrorReport> reports;
  CommandState command;
  std::vector<std::weak_ptr<MouseControlState>> mouseControls;
  // The list a mouse event's delivery collects the live controls in, kept between events so
  // that its memory is reused; empty while a delivery has it.
  std::vector<std::shared_ptr<MouseControlState>> spareDeliveryList;
  std::vector<RefusedInput> refused;
  // Where the view's pointer was at its last mouse event, delivered or not.
  std::optional<ModelPoint> pointer;
  // Failures that escaped an event handler back into the control that raised the event; the
  // control drops them, as the host's controls do, and the host keeps them for tests.
  std::vector<automation::Failure> eventFailures;
  // Where status texts and error reports are logged as they happen; none when null.
  portable::EventLog* events = nullptr;
  // Told after each change of what the host's view shows: the sheet setup, the overlay's shown
  // graphics, the status text. None when empty.
  std::function<void()> viewChanged;
  void notifyViewChanged() const {
    if (viewChanged) viewChanged();
  }
  // Told when a command's done flag has ended it, after its shut-down event; none when empty.
  // It comes from inside the command's own call, so a host releases the command later.
  std::function<void()> commandEnded;
};

// Raises `event` on `site`, the component running meanwhile; a failure escaping the handler
// goes to `state.eventFailures`.
void raiseControlEvent(HostContext& context, HostState& state, ui::HostControlSite& site,
                       std::string_view event, std::span<automation::Variant> args);

}  // namespace refhost
