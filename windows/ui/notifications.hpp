#pragma once

#include <windows.h>

#include <optional>

#include "windows/ui/form_windows.hpp"

namespace windows {

// Feeds one WM_COMMAND of the form's window into the form's user-input methods: a control
// gaining the focus, a click, the user's pick in a list, typing in a text box, and the
// dialog manager's Enter (IDOK) and Esc (IDCANCEL). The form applies the focus rules: a click
// whose focus events left the focus elsewhere is dropped. Returns whether it was input; what the
// form made of it goes to `outcome`.
bool deliverCommand(FormWindows& windows, WPARAM wParam, LPARAM lParam,
                    std::optional<ui::InputOutcome>& outcome);

// The keys whose meaning the form's model decides, taken before the dialog manager sees them:
// Tab and Shift+Tab (the model's tab order), the arrow keys on an option button or a closed list
// (the model's option groups and list steps), Alt with a letter (the model's access keys) and F1
// anywhere in the form (the model's help).
// Returns whether `message` was one and went to the form, what the form made of it to `outcome`.
bool deliverFormKey(FormWindows& windows, const MSG& message,
                    std::optional<ui::InputOutcome>& outcome);

}  // namespace windows
