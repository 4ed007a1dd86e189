#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/form.hpp"
#include "windows/handles/window.hpp"
#include "windows/ui/accessible_control.hpp"

namespace windows {

// A control's id in its form's window: its place in the form's control collection after the
// ids the dialog manager reserves for Enter and Esc (IDOK, IDCANCEL).
inline constexpr int kFirstControlId = 100;

// What the engine last wrote to, or read from, a control's window for the state it cannot
// compare with the window cheaply: a list's entries and a text box's selection.
struct ControlShadow {
  std::vector<std::string> items;
  std::int32_t selStart = -1;
  std::int32_t selLength = -1;
};

// One loaded form on screen: its top-level window and a child window per control, in the order
// of the form's control collection.
struct FormWindows {
  ui::Form* form = nullptr;
  std::vector<AccessibleAnswer> answers;  // one per control, kept by its window: outlives them
  UniqueWindow window;                    // its children go with it
  int dpi = 96;
  std::vector<HWND> controls;
  std::vector<ControlShadow> shadows;
  bool placed = false;  // put at its start-up position, done at the first show
  // Above zero while the engine itself changes the windows: the notifications this raises are
  // not the user's input.
  int quiet = 0;

  // The control behind a child window, or nullptr.
  ui::Control* controlOf(HWND child) const;
  std::size_t indexOf(const ui::Control& control) const;
  HWND windowOf(const ui::Control& control) const { return controls[indexOf(control)]; }
};

// The engine's handles carry a window's 32 significant bits.
inline ui::WindowHandle handleOf(HWND window) {
  return static_cast<ui::WindowHandle>(reinterpret_cast<std::uintptr_t>(window));
}
inline HWND windowOf(ui::WindowHandle handle) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(handle));
}

// A window's text as UTF-8.
std::string windowText(HWND window);

}  // namespace windows
