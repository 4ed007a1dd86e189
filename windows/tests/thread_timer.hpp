#pragma once

#include <windows.h>

#include <functional>
#include <utility>

namespace wintest {

// A timer of the calling thread: `tick` runs every `milliseconds` whenever the thread dispatches
// messages, in a modal loop too, until the timer is destroyed. One at a time, as a thread
// timer's procedure has no context of its own.
class ThreadTimer {
 public:
  ThreadTimer(UINT milliseconds, std::function<void()> tick) : tick_(std::move(tick)) {
    current_ = this;
    id_ = SetTimer(nullptr, 0, milliseconds, proc);
  }
  ~ThreadTimer() {
    KillTimer(nullptr, id_);
    current_ = nullptr;
  }
  ThreadTimer(const ThreadTimer&) = delete;
  ThreadTimer& operator=(const ThreadTimer&) = delete;

 private:
  static void CALLBACK proc(HWND, UINT, UINT_PTR, DWORD) {
    if (current_ != nullptr) current_->tick_();
  }

  static inline ThreadTimer* current_ = nullptr;
  std::function<void()> tick_;
  UINT_PTR id_ = 0;
};

}  // namespace wintest
