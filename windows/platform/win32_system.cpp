#include "windows/platform/win32_system.hpp"

#include <windows.h>

#include <winspool.h>

#include <vector>

#include "windows/handles/printer.hpp"
#include "windows/platform/ansi_codec.hpp"

namespace windows {
namespace {

static_assert(sizeof(platform::Handle) == sizeof(HANDLE), "a handle must carry the system's");

template <class T>
T handleOf(platform::Handle h) {
  return reinterpret_cast<T>(h);
}

template <class T>
platform::Handle toHandle(T h) {
  return reinterpret_cast<platform::Handle>(h);
}

// The predefined registry roots are 32-bit values sign-extended to pointer size; the component
// names them by their 32-bit value.
HKEY keyOf(platform::Handle h) {
  if (h >= 0x80000000u && h <= 0x80000006u)
    return reinterpret_cast<HKEY>(static_cast<INT_PTR>(static_cast<LONG>(h)));
  return handleOf<HKEY>(h);
}

std::string defaultPrinterName() {
  DWORD size = 0;
  GetDefaultPrinterA(nullptr, &size);
  if (size == 0) return {};
  std::string name(size, '\0');
  if (!GetDefaultPrinterA(name.data(), &size)) return {};
  name.resize(size > 0 ? size - 1 : 0);
  return name;
}

using HtmlHelpAFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

}  // namespace

// --- Registry -----------------------------------------------------------------------------

std::int32_t Win32System::RegOpenKeyExA(platform::Handle hive, const std::string& subKeyAnsi,
                                        std::uint32_t options, std::uint32_t access,
                                        platform::Handle& opened) {
  HKEY key = nullptr;
  const LONG status = ::RegOpenKeyExA(keyOf(hive), subKeyAnsi.c_str(), options, access, &key);
  opened = status == ERROR_SUCCESS ? toHandle(key) : 0;
  return status;
}

std::int32_t Win32System::RegQueryValueExA(platform::Handle key, const std::string& valueNameAnsi,
                                           std::uint32_t* type, std::uint8_t* data,
                                           std::uint32_t& byteCount) {
  DWORD valueType = 0;
  DWORD count = byteCount;
  const LONG status =
      ::RegQueryValueExA(keyOf(key), valueNameAnsi.c_str(), nullptr, &valueType, data, &count);
  if (type != nullptr) *type = valueType;
  byteCount = count;
  return status;
}

std::int32_t Win32System::RegCloseKey(platform::Handle key) {
  return ::RegCloseKey(keyOf(key));
}

// --- Modules ------------------------------------------------------------------------------

platform::Handle Win32System::LoadLibraryExA(const std::string& pathAnsi, platform::Handle file,
                                             std::uint32_t flags) {
  return toHandle(::LoadLibraryExA(pathAnsi.c_str(), handleOf<HANDLE>(file), flags));
}

bool Win32System::FreeLibrary(platform::Handle module) {
  return ::FreeLibrary(handleOf<HMODULE>(module)) != FALSE;
}

std::int32_t Win32System::LoadStringA(platform::Handle module, std::uint32_t id, char* buffer,
                                      std::int32_t bufferSize) {
  return ::LoadStringA(handleOf<HINSTANCE>(module), id, buffer, bufferSize);
}

std::string Win32System::ComponentFolder() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(static_cast<HMODULE>(componentModule_), path.data(),
                                            static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      std::wstring folder(path.data(), length);
      const auto slash = folder.find_last_of(L"\\/");
      folder.resize(slash == std::wstring::npos ? 0 : slash);
      return utf8FromWide(folder);
    }
    path.resize(path.size() * 2);
  }
}

// --- Help ---------------------------------------------------------------------------------

platform::Handle Win32System::HtmlHelpA(platform::Handle owner, const std::string& fileAnsi,
                                        std::uint32_t command, std::uint32_t data) {
  portable::recordHelpCall({owner, FromAnsi(fileAnsi), command, data}, helpCalls_, events_);
  if (htmlHelp_ == nullptr) {
    if (!helpLibrary_) helpLibrary_.reset(::LoadLibraryA("hhctrl.ocx"));
    if (!helpLibrary_) return 0;
    htmlHelp_ = reinterpret_cast<void*>(GetProcAddress(helpLibrary_.get(), "HtmlHelpA"));
    if (htmlHelp_ == nullptr) return 0;
  }
  const auto function = reinterpret_cast<HtmlHelpAFunction>(htmlHelp_);
  return toHandle(function(handleOf<HWND>(owner), fileAnsi.c_str(), command, data));
}

// --- The default printer ------------------------------------------------------------------

bool Win32System::HasDefaultPrinter() {
  return !defaultPrinterName().empty();
}

bool Win32System::GetDefaultPrinterDevMode(DevMode& mode) {
  std::string name = defaultPrinterName();
  if (name.empty()) return false;
  UniquePrinter printer;
  if (!OpenPrinterA(name.data(), printer.put(), nullptr)) return false;
  bool read = false;
  const LONG size = DocumentPropertiesA(nullptr, printer.get(), name.data(), nullptr, nullptr, 0);
  if (size > 0) {
    std::vector<char> buffer(static_cast<std::size_t>(size));
    auto* devMode = reinterpret_cast<DEVMODEA*>(buffer.data());
    if (DocumentPropertiesA(nullptr, printer.get(), name.data(), devMode, nullptr, DM_OUT_BUFFER) ==
        IDOK) {
      mode.orientation = devMode->dmOrientation;
      mode.paperSize = devMode->dmPaperSize;
      read = true;
    }
  }
  return read;
}

platform::Handle Win32System::CreateDefaultPrinterDC() {
  const std::string name = defaultPrinterName();
  if (name.empty()) return 0;
  return toHandle(CreateDCA("WINSPOOL", name.c_str(), nullptr, nullptr));
}

bool Win32System::DeleteDC(platform::Handle dc) {
  return ::DeleteDC(handleOf<HDC>(dc)) != FALSE;
}

std::int32_t Win32System::GetDeviceCaps(platform::Handle dc, int index) {
  return ::GetDeviceCaps(handleOf<HDC>(dc), index);
}

// --- Windows and fonts --------------------------------------------------------------------

bool Win32System::SetWindowPos(platform::Handle window, platform::Handle insertAfter, int x, int y,
                               int cx, int cy, std::uint32_t flags) {
  return ::SetWindowPos(handleOf<HWND>(window), handleOf<HWND>(insertAfter), x, y, cx, cy, flags) !=
         FALSE;
}

platform::Handle Win32System::GetDC(platform::Handle window) {
  return toHandle(::GetDC(handleOf<HWND>(window)));
}

int Win32System::ReleaseDC(platform::Handle window, platform::Handle dc) {
  return ::ReleaseDC(handleOf<HWND>(window), handleOf<HDC>(dc));
}

platform::Handle Win32System::GetStockObject(int object) {
  return toHandle(::GetStockObject(object));
}

platform::Handle Win32System::SelectObject(platform::Handle dc, platform::Handle object) {
  return toHandle(::SelectObject(handleOf<HDC>(dc), handleOf<HGDIOBJ>(object)));
}

int Win32System::GetTextFaceA(platform::Handle dc, int count, char* faceName) {
  return ::GetTextFaceA(handleOf<HDC>(dc), count, faceName);
}

std::uint32_t Win32System::GetUserDefaultLCID() {
  return ::GetUserDefaultLCID();
}

// --- The locale ---------------------------------------------------------------------------

std::uint32_t Win32System::GetACP() {
  return ::GetACP();
}

std::string Win32System::ToAnsi(const std::string& utf8) {
  return ansiFromUtf8(utf8);
}

std::string Win32System::FromAnsi(const std::string& ansi) {
  return utf8FromAnsi(ansi);
}

char Win32System::DecimalSeparator() {
  char separator[4] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) < 2)
    return '.';
  return separator[0];
}

}  // namespace windows
