#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "events/event_log.hpp"
#include "ui/engine.hpp"
#include "ui/form.hpp"
#include "ui/run_aborted.hpp"
#include "ui/user_action.hpp"

namespace portable {

// The queue of user input ran dry while a modal loop (a dialog or a message box) waited for
// more. The message names the state the run was in.
class InputExhausted final : public RunAborted {
 public:
  using RunAborted::RunAborted;
};

// An action names a control that no loaded form has: a mistake in the script, not user input.
class UnknownControl final : public RunAborted {
 public:
  using RunAborted::RunAborted;
};

// The host's view, which takes mouse input while no modal window disables it. Each returns why
// the host refused the input, or nothing when it was delivered.
class HostViewInput {
 public:
  virtual ~HostViewInput() = default;
  virtual std::optional<std::string> mouseMove(double x, double y) = 0;
  virtual std::optional<std::string> mouseClick(std::int16_t button, double x, double y) = 0;
};

// Real windows beneath the scripted input (the Windows runner's real dialog). The engine still
// decides from the model which window can take an action and records what happened; the screen
// makes the windows real and turns each action it is handed into real input, whose effect
// reaches the form through the system's notifications.
class Screen {
 public:
  virtual ~Screen() = default;
  // The real windows, made, shown and hidden as an engine does.
  virtual ui::Engine& windows() = 0;
  // Real input for a click, pick, focus, typing, key, access key or the close control aimed at
  // `form`, which is loaded; `target` is the control a click, pick (a list) or focus names, else
  // null. Returns what the form made of it, a refusal as the form gives it.
  virtual ui::InputOutcome deliver(ui::Form& form, ui::Control* target,
                                   const UserAction& action) = 0;
  // The host's windows take no input from `enterModal` until `leaveModal`.
  virtual void enterModal(ui::Form& form) = 0;
  virtual void leaveModal(ui::Form& form) = 0;
  // Shows a real message box and calls `untilAnswered` inside its loop, which plays the queued
  // input until the engine answered it; what that throws closes the box and is thrown here.
  // Returns the answer the box gave.
  virtual std::int32_t messageBox(std::string_view text, std::string_view title, std::int32_t style,
                                  const std::function<void()>& untilAnswered) = 0;
  // Real input that answers the open message box with `answer`: `action` is the script's answer,
  // Enter or Esc.
  virtual void answer(const UserAction& action, std::int32_t answer) = 0;
};

// The headless engine: keeps windows as handles and takes input from a queue of user actions
// that a test or a session script fills. Dialog input and the host view's mouse input share the
// queue, so each action reaches its window in the order queued, when that window can take it.
// Modal loops (a dialog shown modally, a message box) pull actions from the queue; when it runs
// dry inside one, the run ends with `InputExhausted`. Outside modal loops, `runUntilIdle` plays
// the host's own loop. Input that its window cannot take is refused and recorded, not applied;
// so is a click that a focus handler kept from its control, and mouse input the host's view
// refused. With an event log set, windows shown and hidden, message boxes and refusals are also
// appended to it as they happen. The engine must outlive the forms that use it.
class HeadlessEngine final : public ui::Engine {
 public:
  struct Refused {
    std::string action;
    std::string reason;
  };
  // Not named MessageBox: <windows.h> makes that name a macro, and the type would be named
  // differently in the translation units that include it.
  struct MessageBoxShown {
    std::string text;
    std::string title;
    std::int32_t style = 0;
    std::optional<std::int32_t> answer;  // unset while open, or when the run ended inside it
  };
  struct Handled {
    std::string action;
    std::string outcome;  // "applied", "refused: ...", "not delivered: ..."
  };

  HeadlessEngine() = default;
  HeadlessEngine(const HeadlessEngine&) = delete;
  HeadlessEngine& operator=(const HeadlessEngine&) = delete;

  // The host's view; without one, mouse input is refused.
  void setHostView(HostViewInput* view) { hostView_ = view; }
  // Where the engine logs what the user sees happen; none when null.
  void setEventLog(EventLog* log) { events_ = log; }
  // Real windows and real input beneath the queue; none (the model alone) when null. Set before
  // any form loads.
  void setScreen(Screen* screen) { screen_ = screen; }

  void post(UserAction action) { queue_.push_back(std::move(action)); }
  std::size_t pending() const { return queue_.size(); }
  // Handles the next queued action; false when the queue is empty.
  bool step();
  // The host's loop: handles actions until the queue is empty.
  void runUntilIdle();

  const std::vector<Refused>& refused() const { return refused_; }
  const std::vector<MessageBoxShown>& messageBoxes() const { return boxes_; }
  const std::vector<Handled>& handled() const { return handled_; }
  bool messageBoxOpen() const { return !openBoxes_.empty(); }
  // Modal loops running now (dialogs, not message boxes).
  int modalLoops() const { return modalLoops_; }
  // The loaded form whose window is shown, the most recently shown first; nullptr when none.
  ui::Form* shownForm() const;

  // ui::Engine
  ui::WindowHandle createWindows(ui::Form& form) override;
  void destroyWindows(ui::Form& form) override;
  void showWindow(ui::Form& form) override;
  void hideWindow(ui::Form& form) override;
  void runModalLoop(ui::Form& form) override;
  std::int32_t messageBox(std::string_view text, std::string_view title,
                          std::int32_t style) override;

 private:
  std::string dispatch(const UserAction& action);
  std::string dispatchToDialog(const UserAction& action);
  std::string dispatchToMessageBox(const UserAction& action);
  std::string dispatchToHostView(const UserAction& action);
  std::string refuse(const UserAction& action, std::string reason);
  void note(std::string kind, std::string text);
  ui::Control& resolve(const std::string& qualifiedName, ui::Form*& form) const;
  std::string describeState() const;

  std::deque<UserAction> queue_;
  std::vector<ui::Form*> forms_;        // loaded forms, in order of loading
  std::vector<ui::Form*> shown_;        // shown forms, most recent last
  std::vector<std::size_t> openBoxes_;  // indices into boxes_, innermost last
  std::vector<Refused> refused_;
  std::vector<MessageBoxShown> boxes_;
  std::vector<Handled> handled_;
  HostViewInput* hostView_ = nullptr;
  EventLog* events_ = nullptr;
  Screen* screen_ = nullptr;
  int modalLoops_ = 0;
  ui::WindowHandle nextHandle_ = 0x100;
};

// The answer a message box's default (first) button gives, by its style.
std::int32_t defaultAnswer(std::int32_t style);

}  // namespace portable
