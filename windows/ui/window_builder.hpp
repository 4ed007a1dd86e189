#pragma once

#include <windows.h>

#include "windows/ui/form_windows.hpp"

namespace windows {

// The form window's styles for its design: a fixed dialog frame has no sizing border, a normal
// caption, and only the boxes the design asks for. A window kept out of the task bar is kept
// out by its owner (the engine owns it by the host's window), not as a tool window, which the
// task switcher leaves out too.
DWORD formStyle(const ui::WindowStyle& design);
DWORD formExStyle(const ui::WindowStyle& design);

// Makes the form's window (of class `windowClass`, its creation parameter `param`) and one
// child window per control, each of its kind's standard class with the styles the model asks
// for, at its designed place, in the designed stacking order. Fills `windows`; fails with
// "out of memory" when the system makes no window, as the platform's forms do.
void buildFormWindows(FormWindows& windows, HINSTANCE instance, const wchar_t* windowClass,
                      void* param);

}  // namespace windows
