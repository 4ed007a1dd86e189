#pragma once

#include <windows.h>

#include <vector>

#include "windows/handles/window.hpp"

namespace windows {

// Posted to the kept window when the user activates one of the held windows (returning to the
// host from another program, say): its window procedure activates it, or the popup it opened
// last, as the system does for a disabled window's owned popup.
inline constexpr UINT kComeForward = WM_APP + 0x0b51;

// While a form is shown modally, the thread's other top-level windows (the host's) take no
// input: they are disabled while held and enabled again when given back, each one that was
// enabled before; one of them that is activated meanwhile sends the kept window kComeForward.
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
  static LRESULT CALLBACK activating(int code, WPARAM wParam, LPARAM lParam);

  HWND keep_;
  bool held_ = false;
  DisabledThreadWindows* outer_ = nullptr;  // the holder this one is inside, while held
  std::vector<HWND> disabled_;
  UniqueHook hook_;
};

}  // namespace windows
