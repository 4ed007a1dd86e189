#include "windows/ui/thread_windows.hpp"

#include <algorithm>

namespace windows {

namespace {

struct Collect {
  HWND keep;
  std::vector<HWND>* found;
};

BOOL CALLBACK collectEnabled(HWND window, LPARAM param) {
  auto* c = reinterpret_cast<Collect*>(param);
  if (window != c->keep && IsWindowEnabled(window)) c->found->push_back(window);
  return TRUE;
}

// The innermost holder on this thread, for the hook, which the system calls without context; each
// holder links the one outside it. A plain pointer: a thread-local with a destructor would leave
// the thread's exit a call into this DLL, which a host may have unloaded by then.
thread_local DisabledThreadWindows* innermostHolder = nullptr;

}  // namespace

void DisabledThreadWindows::take() {
  if (held_) return;
  held_ = true;
  disabled_.clear();
  Collect collect{keep_, &disabled_};
  EnumThreadWindows(GetCurrentThreadId(), collectEnabled, reinterpret_cast<LPARAM>(&collect));
  for (HWND window : disabled_) EnableWindow(window, FALSE);
  outer_ = innermostHolder;
  innermostHolder = this;
  hook_.reset(SetWindowsHookExW(WH_CBT, activating, nullptr, GetCurrentThreadId()));
}

void DisabledThreadWindows::giveBack() {
  if (!held_) return;
  held_ = false;
  hook_.reset();
  for (DisabledThreadWindows** link = &innermostHolder; *link != nullptr; link = &(*link)->outer_) {
    if (*link == this) {
      *link = outer_;
      break;
    }
  }
  for (HWND window : disabled_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  disabled_.clear();
}

LRESULT CALLBACK DisabledThreadWindows::activating(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && innermostHolder != nullptr) {
    // Only the innermost modal form may take the activation back.
    const DisabledThreadWindows& innermost = *innermostHolder;
    const auto activated = reinterpret_cast<HWND>(wParam);
    const auto& held = innermost.disabled_;
    if (innermost.keep_ != nullptr &&
        std::find(held.begin(), held.end(), activated) != held.end()) {
      PostMessageW(innermost.keep_, kComeForward, 0, 0);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace windows
