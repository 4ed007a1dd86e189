#include "windows/tests/visit/outside.hpp"

#include <commctrl.h>

#include <stdexcept>
#include <thread>

#include "windows/ui/real_input.hpp"

namespace wintest {
namespace {

struct Search {
  DWORD processId;
  const wchar_t* windowClass;  // any class when null
  HWND owner;                  // any owner when null
  std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<Search*>(parameter);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != search.processId || !IsWindowVisible(window)) return TRUE;
  if (search.owner != nullptr && GetWindow(window, GW_OWNER) != search.owner) return TRUE;
  if (search.windowClass != nullptr) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    if (std::wstring_view(name) != search.windowClass) return TRUE;
  }
  search.found.push_back(window);
  return TRUE;
}

// Memory in another process, freed with it.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, std::size_t size)
      : process_(process),
        address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {
    if (address_ == nullptr) throw std::runtime_error("no memory in the program for a message");
  }
  ~RemoteBuffer() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  void* address() const { return address_; }

 private:
  HANDLE process_;
  void* address_;
};

}  // namespace

OutsideProgram::OutsideProgram(const std::filesystem::path& exe, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  const std::wstring folder = exe.parent_path().wstring();
  if (!CreateProcessW(exe.wstring().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, folder.c_str(), &startup, &started)) {
    throw std::runtime_error("cannot start " + exe.string() + ": error " +
                             std::to_string(GetLastError()));
  }
  process_.reset(started.hProcess);
  thread_.reset(started.hThread);
  processId_ = started.dwProcessId;
}

OutsideProgram::~OutsideProgram() {
  if (running()) {
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
  }
}

HWND OutsideProgram::window(const wchar_t* windowClass) const {
  Search search{processId_, windowClass, nullptr, {}};
  EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
  return search.found.empty() ? nullptr : search.found.front();
}

std::vector<HWND> OutsideProgram::ownedWindows(HWND owner) const {
  Search search{processId_, nullptr, owner, {}};
  EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND OutsideProgram::focus(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

bool OutsideProgram::running() const {
  return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

DWORD OutsideProgram::exitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

bool OutsideProgram::waitForExit(std::chrono::milliseconds limit) const {
  return WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

std::wstring OutsideProgram::text(HWND window) {
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

LRESULT OutsideProgram::sendWithBuffer(HWND window, UINT message, WPARAM w, void* out,
                                       std::size_t size) const {
  const RemoteBuffer buffer(process_.get(), size);
  const LRESULT result =
      SendMessageW(window, message, w, reinterpret_cast<LPARAM>(buffer.address()));
  SIZE_T read = 0;
  if (!ReadProcessMemory(process_.get(), buffer.address(), out, size, &read) || read != size)
    throw std::runtime_error("the program's answer could not be read");
  return result;
}

std::wstring OutsideProgram::statusText(HWND statusBar, int part) const {
  const auto length =
      LOWORD(SendMessageW(statusBar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  sendWithBuffer(statusBar, SB_GETTEXTW, static_cast<WPARAM>(part), text.data(),
                 text.size() * sizeof(wchar_t));
  text.resize(length);
  return text;
}

RECT OutsideProgram::toolbarButton(HWND toolbar, int index) const {
  RECT rect{};
  if (!sendWithBuffer(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index), &rect, sizeof rect))
    throw std::runtime_error("the toolbar has no such button");
  return rect;
}

namespace input {

void click(POINT screen, int button) {
  windows::real_input::send(windows::real_input::click(screen, button));
}

void clickCentre(HWND window, int button) {
  click(windows::centreOf(window), button);
}

void moveTo(POINT screen) {
  windows::real_input::send({windows::real_input::pointerTo(screen)});
}

void key(WORD virtualKey, WORD held) {
  windows::real_input::send(windows::real_input::keyPress(virtualKey, held));
}

void type(std::wstring_view text) {
  windows::real_input::send(windows::real_input::text(text));
}

}  // namespace input

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace wintest
