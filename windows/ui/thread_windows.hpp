#pragma once

#include <windows.h>

#include <vector>

namespace windows {

// While a form is shown modally, the thread's other top-level windows (the host's) take no
// input: they are disabled while held and enabled again when given back, each one that was
// enabled before.
class DisabledThreadWindows {
 public:
  explicit DisabledThreadWindows(HWND keep) : keep_(keep) { take(); }
  ~DisabledThreadWindows() { giveBack(); }
  DisabledThreadWindows(const DisabledThreadWindows&) = delete;
  DisabledThreadWindows& operator=(const DisabledThreadWindows&) = delete;

  // Disables the thread's enabled top-level windows but the kept one, unless held already.
  void take();
  // Enables again the windows this disabled that still exist.
  void giveBack();
  bool held() const { return held_; }

 private:
  HWND keep_;
  bool held_ = false;
  std::vector<HWND> disabled_;
};

}  // namespace windows
