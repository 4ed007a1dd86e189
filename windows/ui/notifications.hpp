#pragma once

#include <windows.h>

#include "windows/ui/form_windows.hpp"

namespace windows {

// Feeds one WM_COMMAND of the form's window into the form's user-input methods: a control
// gaining the focus, a click, the user's pick in a list, typing in a text box, and the
// dialog manager's Enter (IDOK) and Esc (IDCANCEL). The form applies the focus rules: a click
// whose focus events left the focus elsewhere is dropped. Returns whether it was input.
bool deliverCommand(FormWindows& windows, WPARAM wParam, LPARAM lParam);

// The keys whose meaning the form's model decides, taken before the dialog manager sees them:
// Tab and Shift+Tab (the model's tab order) and Alt with a letter (the model's access keys).
// Returns whether `message` was one and went to the form.
bool deliverFormKey(FormWindows& windows, const MSG& message);

}  // namespace windows
