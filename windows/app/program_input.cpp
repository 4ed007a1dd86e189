#include "windows/app/program_input.hpp"

#include <algorithm>
#include <atomic>
#include <string>

#include "ui/run_aborted.hpp"
#include "windows/ui/real_input.hpp"

namespace windows {
namespace {

constexpr DWORD kHandledWithinMs = 20000;

// The process's one ProgramInput, for its hooks.
std::atomic<ProgramInput*> current{nullptr};

}  // namespace

ProgramInput::ProgramInput(DWORD programThread)
    : handled_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
  current = this;
  sentinel_.reset(SetWindowsHookExW(WH_GETMESSAGE, sentinelHook, nullptr, programThread));
  spy_.reset(SetWindowsHookExW(WH_CALLWNDPROC, spyHook, nullptr, programThread));
}

ProgramInput::~ProgramInput() {
  sentinel_.reset();
  spy_.reset();
  current = nullptr;
}

LRESULT CALLBACK ProgramInput::sentinelHook(int code, WPARAM w, LPARAM l) {
  auto* m = reinterpret_cast<MSG*>(l);
  ProgramInput* self = current;
  if (code == HC_ACTION && w == PM_REMOVE && self != nullptr && m->wParam == kSentinelKey) {
    // Without a focused window, keys come to the active window as system keys.
    const bool up = m->message == WM_KEYUP || m->message == WM_SYSKEYUP;
    if (up || m->message == WM_KEYDOWN || m->message == WM_SYSKEYDOWN) {
      m->message = WM_NULL;  // no window sees it
      if (up) SetEvent(self->handled_.get());
    }
  }
  return CallNextHookEx(nullptr, code, w, l);
}

LRESULT CALLBACK ProgramInput::spyHook(int code, WPARAM w, LPARAM l) {
  const auto* m = reinterpret_cast<const CWPSTRUCT*>(l);
  ProgramInput* self = current;
  if (code == HC_ACTION && self != nullptr && m->message == WM_COMMAND &&
      HIWORD(m->wParam) == BN_CLICKED && m->lParam != 0) {
    const std::lock_guard lock(self->mutex_);
    self->clicked_.push_back(reinterpret_cast<HWND>(m->lParam));
  }
  return CallNextHookEx(nullptr, code, w, l);
}

void ProgramInput::sendAndWait(std::vector<INPUT> inputs, std::string_view what) {
  if (!sentinel_ || !spy_) throw portable::RunAborted("the program's input cannot be followed");
  inputs.push_back(real_input::key(kSentinelKey, false));
  inputs.push_back(real_input::key(kSentinelKey, true));
  ResetEvent(handled_.get());
  if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size()) {
    throw portable::RunAborted("the system did not take the input for " + std::string(what));
  }
  if (WaitForSingleObject(handled_.get(), kHandledWithinMs) != WAIT_OBJECT_0) {
    throw portable::RunAborted("the program did not handle the input for " + std::string(what) +
                               " in time (is its window in the foreground?)");
  }
}

std::size_t ProgramInput::clicks(HWND button) const {
  const std::lock_guard lock(mutex_);
  return static_cast<std::size_t>(std::count(clicked_.begin(), clicked_.end(), button));
}

}  // namespace windows
