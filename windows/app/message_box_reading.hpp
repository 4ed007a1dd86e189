#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace windows {

// A message box on screen as its windows show it: the text, the title, the buttons' answers in
// the order they stand, and the style they imply (buttons, icon, default button), as the
// program's MessageBox call must have asked for.
struct MessageBoxOnScreen {
  HWND window = nullptr;
  std::string text;
  std::string title;
  std::vector<int> buttons;  // IDOK, IDCANCEL, ...
  std::int32_t style = 0;
};

// Whether `window` is a dialog of the system's dialog class, as a message box is.
bool isSystemDialog(HWND window);
// Reads the message box `window`.
MessageBoxOnScreen readMessageBox(HWND window);

}  // namespace windows
