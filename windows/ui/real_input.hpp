#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace windows {

// Real input events for the system's input queue (SendInput), as a person's keyboard and mouse
// give them: what the session runner and the tests driving programs from outside send.
namespace real_input {

// A key down or up.
INPUT key(WORD virtualKey, bool up);
// A key pressed and released, with `heldKey` (a modifier) held around it when set.
std::vector<INPUT> keyPress(WORD virtualKey, WORD heldKey = 0);
// The pointer moved to a point of the screen.
INPUT pointerTo(POINT screen);
// The pointer moved to a point of the screen, and a button (1 left, 2 right) pressed and
// released there.
std::vector<INPUT> click(POINT screen, int button = 1);
// Unicode text typed.
std::vector<INPUT> text(std::wstring_view typed);
// Puts `inputs` into the system's input queue at once; whether it took them all.
bool send(const std::vector<INPUT>& inputs);

}  // namespace real_input

// The centre of a window, in screen coordinates.
POINT centreOf(HWND window);
// Whether `window` is drawn where it stays and its program waits for input, as a person sees it
// before acting: enabled, nothing of it or its children left to paint, its place the same
// twice over, and a message sent to it answered (a sent message is taken only where its
// thread waits for messages).
bool readyForInput(HWND window);

}  // namespace windows
