#pragma once

#include <windows.h>

#include "ui/control.hpp"

namespace windows {

// Lets assistive technology ask `window`, the window of `control`, for the name and role the
// model gives it, as a screen reader asks (WM_GETOBJECT for the client object). Everything else
// (state, place, value, actions) comes from the system's standard object for the window. The
// model must outlive the window.
void answerAccessibility(HWND window, const ui::Control& control);

}  // namespace windows
