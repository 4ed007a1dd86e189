#include "windows/ui/real_input.hpp"

#include <algorithm>

namespace windows {
namespace real_input {

INPUT key(WORD virtualKey, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = virtualKey;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  // The arrow keys of their own block, not the numeric keypad's, which share their scan codes.
  if (virtualKey >= VK_LEFT && virtualKey <= VK_DOWN) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  return in;
}

std::vector<INPUT> keyPress(WORD virtualKey, WORD heldKey) {
  std::vector<INPUT> inputs;
  if (heldKey != 0) inputs.push_back(key(heldKey, false));
  inputs.push_back(key(virtualKey, false));
  inputs.push_back(key(virtualKey, true));
  if (heldKey != 0) inputs.push_back(key(heldKey, true));
  return inputs;
}

INPUT pointerTo(POINT screen) {
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

std::vector<INPUT> click(POINT screen, int button) {
  INPUT move = pointerTo(screen);
  INPUT down = move;
  INPUT up = move;
  down.mi.dwFlags =
      (button == 2 ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN) | MOUSEEVENTF_ABSOLUTE;
  up.mi.dwFlags = (button == 2 ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP) | MOUSEEVENTF_ABSOLUTE;
  return {move, down, up};
}

std::vector<INPUT> text(std::wstring_view typed) {
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

bool send(const std::vector<INPUT>& inputs) {
  std::vector<INPUT> queued = inputs;
  return SendInput(static_cast<UINT>(queued.size()), queued.data(), sizeof(INPUT)) == queued.size();
}

}  // namespace real_input

namespace {

BOOL CALLBACK anyUnpainted(HWND child, LPARAM found) {
  if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

bool readyForInput(HWND window) {
  // The sent message first: it is answered only once the window's thread has finished what it
  // was doing and waits for messages, so a poll costs the system one call while that thread is
  // busy rather than one per child window, which would slow down the very thread being watched.
  RECT before{};
  DWORD_PTR answer = 0;
  if (window == nullptr || !GetWindowRect(window, &before) ||
      SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) == 0 ||
      !IsWindowEnabled(window) || GetUpdateRect(window, nullptr, FALSE)) {
    return false;
  }
  bool unpainted = false;
  EnumChildWindows(window, anyUnpainted, reinterpret_cast<LPARAM>(&unpainted));
  RECT after{};
  return !unpainted && GetWindowRect(window, &after) && EqualRect(&before, &after);
}

POINT centreOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace windows
