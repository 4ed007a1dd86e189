#pragma once

#include <windows.h>

#include "windows/ui/form_windows.hpp"

namespace windows {

// The form window's styles for its design: a fixed dialog frame has no sizing border, a window
// kept out of the task bar is a tool window, and only the boxes the design asks for.
DWORD formStyle(const ui::WindowStyle& design);
DWORD formExStyle(const ui::WindowStyle& design);

// Makes the form's window (of class `windowClass`, its creation parameter `param`) and one
// child window per control, each of its kind's standard class with the styles the model asks
// for, at its designed place, in the designed stacking order. Fills `windows`; fails with
// "out of memory" when the system makes no window, as the platform's forms do.
void buildFormWindows(FormWindows& windows, HINSTANCE instance, const wchar_t* windowClass,
                      void* param);

}  // namespace windows
