#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "windows/handles/unique.hpp"

namespace wintest {

// A program started as a user starts it, and what another process on the same display sees of
// it and can do to it, as UI automation tools do: its top-level windows found by class, their
// controls read with the standard messages (common controls' texts and rectangles through
// memory of the program's own), and real input sent through the system's input queue. The
// input goes where the system sends it (the window under the pointer, the focused control), so
// what is tested is what a person's input does.
class OutsideProgram {
 public:
  // Starts `exe` with `arguments` in the folder of the executable; throws std::runtime_error
  // when it cannot.
  OutsideProgram(const std::filesystem::path& exe, const std::wstring& arguments = {});
  // Ends the program if it still runs.
  ~OutsideProgram();
  OutsideProgram(const OutsideProgram&) = delete;
  OutsideProgram& operator=(const OutsideProgram&) = delete;

  // The program's visible top-level window of `windowClass`; null when it shows none.
  HWND window(const wchar_t* windowClass) const;
  // The program's visible top-level windows owned by `owner` (a message box, say).
  std::vector<HWND> ownedWindows(HWND owner) const;
  // The window with the keyboard focus on the program's thread that owns `window`.
  static HWND focus(HWND window);

  // Whether the program still runs; its exit code once it has ended.
  bool running() const;
  DWORD exitCode() const;
  // Waits up to `limit` for the program to end.
  bool waitForExit(std::chrono::milliseconds limit) const;

  // A window's text (WM_GETTEXT, which the system carries across processes).
  static std::wstring text(HWND window);
  // A status bar part's text and a toolbar button's rectangle (client coordinates), read
  // through memory allocated in the program, as their messages carry pointers.
  std::wstring statusText(HWND statusBar, int part) const;
  RECT toolbarButton(HWND toolbar, int index) const;

 private:
  // Sends `message` with a buffer of `size` bytes in the program's memory as its lParam, and
  // copies the buffer back to `out`.
  LRESULT sendWithBuffer(HWND window, UINT message, WPARAM w, void* out, std::size_t size) const;

  windows::UniqueHandle process_;
  windows::UniqueHandle thread_;
  DWORD processId_ = 0;
};

// Real input, as a person gives it: each sent through the system's input queue at once.
namespace input {
void click(POINT screen, int button = 1);
void clickCentre(HWND window, int button = 1);
void moveTo(POINT screen);
// A key pressed and released, with `held` (a modifier's virtual key) held around it when set.
void key(WORD virtualKey, WORD held = 0);
void type(std::wstring_view text);
}  // namespace input

// Polls `condition` until it holds or `limit` passes; returns whether it held. The program's
// handling of input takes its own time: a test waits for the effect it expects.
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds limit = std::chrono::seconds(10));

}  // namespace wintest
