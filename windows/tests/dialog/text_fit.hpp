#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quadrift_test {

// A text a control shows that does not fit the room the control gives it, in pixels.
struct Misfit {
  std::wstring text;
  int needed = 0;
  int room = 0;
};

// The texts a visible control shows (a button's, an option button's, a frame's or a label's
// caption on one line, every entry of a list) measured in the control's own
// font against the room its kind leaves for text: the client width less the push button's
// edges, the option button's box and gap, the frame's indents, the list's button and scroll
// bar. Empty when everything fits.
std::vector<Misfit> misfitsOf(HWND control);

}  // namespace quadrift_test
