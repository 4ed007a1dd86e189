#include "windows/ui/real_input.hpp"

#include <algorithm>
#include <string>

#include "ui/run_aborted.hpp"

namespace windows {

namespace {

constexpr ULONGLONG kHandledWithinMs = 20000;

// The senders of this thread, for the hook, which the system calls without context.
thread_local std::vector<RealInput*> senders;

}  // namespace

RealInput::RealInput(WORD sentinelKey, std::function<void(MSG&)> dispatch)
    : sentinel_(sentinelKey),
      dispatch_(std::move(dispatch)),
      hook_(SetWindowsHookExW(WH_GETMESSAGE, hook, nullptr, GetCurrentThreadId())) {
  senders.push_back(this);
}

RealInput::~RealInput() {
  std::erase(senders, this);
}

LRESULT CALLBACK RealInput::hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    auto* m = reinterpret_cast<MSG*>(lParam);
    // With no window focused, keys come to the active window as system keys.
    const bool up = m->message == WM_KEYUP || m->message == WM_SYSKEYUP;
    if (up || m->message == WM_KEYDOWN || m->message == WM_SYSKEYDOWN) {
      for (RealInput* sender : senders) {
        if (m->wParam != sender->sentinel_) continue;
        if (up) ++sender->seen_;
        m->message = WM_NULL;  // no window sees it
        break;
      }
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void RealInput::sendAndWait(std::vector<INPUT> inputs, std::string_view what) {
  if (!hook_) throw portable::RunAborted("real input cannot be followed: no message hook");
  inputs.push_back(key(sentinel_, false));
  inputs.push_back(key(sentinel_, true));
  const std::uint64_t target = ++sent_;
  if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size()) {
    throw portable::RunAborted("the system did not take the input for " + std::string(what));
  }
  const ULONGLONG deadline = GetTickCount64() + kHandledWithinMs;
  while (seen_ < target) {
    MSG message{};
    if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));  // for the loop outside
        throw portable::RunAborted("the thread was told to quit during " + std::string(what));
      }
      dispatch_(message);
      continue;
    }
    if (GetTickCount64() > deadline) {
      throw portable::RunAborted("the input for " + std::string(what) +
                                 " was not handled in time (does a window of this thread have "
                                 "the keyboard focus?)");
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

INPUT RealInput::key(WORD virtualKey, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = virtualKey;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  // The arrow keys of their own block, not the numeric keypad's, which share their scan codes.
  if (virtualKey >= VK_LEFT && virtualKey <= VK_DOWN) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  return in;
}

std::vector<INPUT> RealInput::keyPress(WORD virtualKey, WORD heldKey) {
  std::vector<INPUT> inputs;
  if (heldKey != 0) inputs.push_back(key(heldKey, false));
  inputs.push_back(key(virtualKey, false));
  inputs.push_back(key(virtualKey, true));
  if (heldKey != 0) inputs.push_back(key(heldKey, true));
  return inputs;
}

INPUT RealInput::pointerTo(POINT screen) {
  // Absolute coordinates run from 0 to 65535 over the primary screen: the pixel's centre.
  const int w = std::max(GetSystemMetrics(SM_CXSCREEN), 1);
  const int h = std::max(GetSystemMetrics(SM_CYSCREEN), 1);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((screen.x * 65536LL + 32768) / w);
  in.mi.dy = static_cast<LONG>((screen.y * 65536LL + 32768) / h);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return in;
}

std::vector<INPUT> RealInput::click(POINT screen, int button) {
  INPUT move = pointerTo(screen);
  INPUT down = move;
  INPUT up = move;
  down.mi.dwFlags =
      (button == 2 ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN) | MOUSEEVENTF_ABSOLUTE;
  up.mi.dwFlags = (button == 2 ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP) | MOUSEEVENTF_ABSOLUTE;
  return {move, down, up};
}

std::vector<INPUT> RealInput::text(std::wstring_view typed) {
  std::vector<INPUT> inputs;
  for (wchar_t ch : typed) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wScan = ch;
    in.ki.dwFlags = KEYEVENTF_UNICODE;
    inputs.push_back(in);
    in.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    inputs.push_back(in);
  }
  return inputs;
}

POINT centreOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace windows
