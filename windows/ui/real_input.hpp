#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "windows/handles/window.hpp"

namespace windows {

// Real input through the system's input queue, waited for until everything it caused has been
// handled. Each batch is followed by a key press that no window sees: a sentinel, taken out of
// the thread's messages by a message hook whichever loop retrieves it (a message box's own loop
// included). `sendAndWait` pumps the thread's messages through `dispatch` until the batch's
// sentinel came through; as input is handled in the order sent, by then the batch has been,
// with any nested loop its handlers ran. Each party of a thread that sends input (the dialog's
// screen, the host's view) has a sentinel key of its own. Lives on the thread it was made on.
class RealInput {
 public:
  RealInput(WORD sentinelKey, std::function<void(MSG&)> dispatch);
  ~RealInput();
  RealInput(const RealInput&) = delete;
  RealInput& operator=(const RealInput&) = delete;

  // Sends `inputs` and waits until they have been handled. Throws portable::RunAborted, naming
  // `what`, when they are not handled within the time limit or the thread is told to quit.
  void sendAndWait(std::vector<INPUT> inputs, std::string_view what);

  // Input events: a key down or up; the pointer moved to a point of the screen, and a button
  // pressed and released there (1 left, 2 right); Unicode text typed.
  static INPUT key(WORD virtualKey, bool up);
  static std::vector<INPUT> keyPress(WORD virtualKey, WORD heldKey = 0);
  static INPUT pointerTo(POINT screen);
  static std::vector<INPUT> click(POINT screen, int button = 1);
  static std::vector<INPUT> text(std::wstring_view typed);

 private:
  static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam);

  WORD sentinel_;
  std::function<void(MSG&)> dispatch_;
  UniqueHook hook_;
  std::uint64_t sent_ = 0;  // sentinels sent
  std::uint64_t seen_ = 0;  // sentinels come through
};

// The centre of a window, in screen coordinates.
POINT centreOf(HWND window);

}  // namespace windows
