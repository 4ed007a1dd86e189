#include "windows/ui/thread_windows.hpp"

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

}  // namespace

void DisabledThreadWindows::take() {
  if (held_) return;
  held_ = true;
  disabled_.clear();
  Collect collect{keep_, &disabled_};
  EnumThreadWindows(GetCurrentThreadId(), collectEnabled, reinterpret_cast<LPARAM>(&collect));
  for (HWND window : disabled_) EnableWindow(window, FALSE);
}

void DisabledThreadWindows::giveBack() {
  if (!held_) return;
  held_ = false;
  for (HWND window : disabled_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  disabled_.clear();
}

}  // namespace windows
