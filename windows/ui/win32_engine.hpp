#pragma once

#include <windows.h>

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "ui/engine.hpp"
#include "ui/form.hpp"
#include "windows/ui/font_cache.hpp"
#include "windows/ui/form_windows.hpp"
#include "windows/ui/thread_windows.hpp"

namespace windows {

// The UI engine on real windows. Each form becomes a top-level window with a child window of
// the standard class for each control, built from the form's model; the controls' notifications
// are fed into the form's user-input methods, so both engines share the model's rules.
//
// The model is the one place the state lives. Its setters stay plain: the engine writes the
// model's state to the windows whenever control comes back to it — after each piece of input
// it delivered (so whatever the handlers changed), when a form is shown, and before a modal
// loop or a message box waits — which are the only moments the user can see or touch the
// windows. Only what differs is written.
//
// A modal loop disables the thread's other top-level windows (the host's) until its form is
// hidden or unloaded. The engine must outlive the forms that use it.
class Win32Engine final : public ui::Engine {
 public:
  explicit Win32Engine(HINSTANCE instance);
  ~Win32Engine() override;
  Win32Engine(const Win32Engine&) = delete;
  Win32Engine& operator=(const Win32Engine&) = delete;

  // ui::Engine
  ui::WindowHandle createWindows(ui::Form& form) override;
  void destroyWindows(ui::Form& form) override;
  void showWindow(ui::Form& form) override;
  void hideWindow(ui::Form& form) override;
  void runModalLoop(ui::Form& form) override;
  std::int32_t messageBox(std::string_view text, std::string_view title,
                          std::int32_t style) override;

  // Modal loops running now.
  int modalLoops() const { return static_cast<int>(loops_.size()); }
  // Handles one message as the engine's loops do: the keys the form's model decides, then the
  // dialog manager's keys, then the window's own procedure. What a window procedure threw is
  // thrown here.
  void dispatch(MSG& message);

  // A modal show whose loop runs outside the engine (a scripted screen's): the host's windows
  // take no input from `enterModal` until the matching `leaveModal`, but while the form is
  // hidden. The engine's own loop brackets itself the same way.
  void enterModal(ui::Form& form);
  void leaveModal(ui::Form& form);

  // The windows of a loaded form; nullptr when it has none.
  const FormWindows* windowsOf(const ui::Form& form) const { return find(form); }
  // Where what a form makes of the input its windows' notifications feed into it goes (the
  // latest such input's), for whoever sent that input; nullptr: nowhere.
  void setOutcomeSlot(std::optional<ui::InputOutcome>* slot) { outcome_ = slot; }
  std::optional<ui::InputOutcome>* outcomeSlot() const { return outcome_; }

 private:
  struct Loop {
    Loop(ui::Form* shown, HWND window) : form(shown), hostWindows(window) {}
    ui::Form* form;
    DisabledThreadWindows hostWindows;
  };
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  FormWindows* find(const ui::Form& form) const;
  FormWindows* findByWindow(HWND window) const;
  void sync(HWND formWindow);
  Loop* innermostLoopOf(const ui::Form& form) const;
  void rethrowPending();

  HINSTANCE instance_;
  bool registered_ = false;
  FontCache fonts_;
  std::vector<std::unique_ptr<FormWindows>> forms_;
  std::vector<std::unique_ptr<Loop>> loops_;
  std::optional<ui::InputOutcome> discarded_;
  std::optional<ui::InputOutcome>* outcome_ = &discarded_;
  // A failure thrown inside a window procedure, carried out of the system's code to the loop.
  std::exception_ptr pending_;
};

// Whether this process can make top-level windows at all (a service, or Wine without a
// display, cannot): without them there is no dialog to show on real windows.
bool topLevelWindowsAvailable();

}  // namespace windows
