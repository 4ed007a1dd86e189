#pragma once

#include <windows.h>

#include <mutex>
#include <string_view>
#include <vector>

#include "windows/handles/unique.hpp"
#include "windows/handles/window.hpp"

namespace windows {

// Real input for a program's thread, sent from another thread through the system's input queue
// as a person gives it, and waited for until the program has handled it: each batch is followed
// by a sentinel key that a message hook on the program's thread takes out before any window sees
// it, whichever loop retrieves it (a message box's included). As the thread handles input in the
// order sent, and what the input posted before the next input, everything the batch caused has
// run by then. A second hook watches the buttons' click notifications, as a spy tool does, so
// that a click that reached its button is told from one that the focus events kept from it.
// One per process: the hooks are called without context.
class ProgramInput {
 public:
  static constexpr WORD kSentinelKey = VK_F24;

  explicit ProgramInput(DWORD programThread);
  ~ProgramInput();
  ProgramInput(const ProgramInput&) = delete;
  ProgramInput& operator=(const ProgramInput&) = delete;

  // Sends `inputs` and waits until the program has handled them. Throws portable::RunAborted,
  // naming `what`, when they are not handled within the time limit.
  void sendAndWait(std::vector<INPUT> inputs, std::string_view what);
  // How many clicks `button` has notified its parent of so far.
  std::size_t clicks(HWND button) const;

 private:
  static LRESULT CALLBACK sentinelHook(int code, WPARAM w, LPARAM l);
  static LRESULT CALLBACK spyHook(int code, WPARAM w, LPARAM l);

  UniqueHandle handled_;  // set when a sentinel came through
  UniqueHook sentinel_;
  UniqueHook spy_;
  mutable std::mutex mutex_;
  std::vector<HWND> clicked_;  // each click's button, by the program's thread, under mutex_
};

}  // namespace windows
