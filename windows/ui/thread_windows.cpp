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

// The holders on this thread, innermost last, for the hook, which the system calls without
// context.
thread_local std::vector<const DisabledThreadWindows*> holders;

}  // namespace

void DisabledThreadWindows::take() {
  if (held_) return;
  held_ = true;
  disabled_.clear();
  Collect collect{keep_, &disabled_};
  EnumThreadWindows(GetCurrentThreadId(), collectEnabled, reinterpret_cast<LPARAM>(&collect));
  for (HWND window : disabled_) EnableWindow(window, FALSE);
  holders.push_back(this);
  hook_.reset(SetWindowsHookExW(WH_CBT, activating, nullptr, GetCurrentThreadId()));
}

void DisabledThreadWindows::giveBack() {
  if (!held_) return;
  held_ = false;
  hook_.reset();
  std::erase(holders, this);
  for (HWND window : disabled_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  disabled_.clear();
}

LRESULT CALLBACK DisabledThreadWindows::activating(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && !holders.empty()) {
    // Only the innermost modal form may take the activation back.
    const DisabledThreadWindows& innermost = *holders.back();
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
