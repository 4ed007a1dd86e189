#pragma once

#include <windows.h>

#include "ui/control.hpp"

namespace windows {

// What a control's window needs to answer assistive technology: the control of the model and
// the window procedure the window had before.
struct AccessibleAnswer {
  const ui::Control* control = nullptr;
  WNDPROC original = nullptr;
};

// Lets assistive technology ask `window`, the window of `control`, for the name and role the
// model gives it, as a screen reader asks (WM_GETOBJECT for the client object). Everything else
// (state, place, value, actions) comes from the system's standard object for the window. The
// window keeps `answer`, which with the model must outlive it.
void answerAccessibility(HWND window, const ui::Control& control, AccessibleAnswer& answer);

}  // namespace windows
