#pragma once

#include "windows/ui/font_cache.hpp"
#include "windows/ui/form_windows.hpp"

namespace windows {

// Writes the form's state as the model holds it to its windows: caption, texts, captions, list
// entries and selection, option values, the default button, enabled and visible (a frame's
// governing the controls in it), geometry and fonts; and, while the form is shown, the focus.
// Only what differs is written, so a window the user is working in keeps its caret. The
// engine calls it with its notifications quiet.
void syncWindows(FormWindows& windows, FontCache& fonts);

// Gives the keyboard focus to the window of the model's focused control, when the form is
// shown and that window can take it.
void syncFocus(const FormWindows& windows);

}  // namespace windows
