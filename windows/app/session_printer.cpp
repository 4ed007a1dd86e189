#include "windows/app/session_printer.hpp"

#include <winspool.h>

#include "printer_page.hpp"
#include "windows/app/printer_installation.hpp"
#include "windows/handles/gdi.hpp"
#include "windows/handles/printer.hpp"
#include "windows/platform/ansi_codec.hpp"
#include "windows/platform/win32_system.hpp"

namespace windows {
namespace {

// Where the user's default printer is named ("NAME,DRIVER,PORT"), as GetDefaultPrinter reads it.
constexpr const wchar_t* kWindowsKey = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr const wchar_t* kDeviceValue = L"Device";

std::wstring defaultPrinterEntry() {
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kWindowsKey, kDeviceValue, RRF_RT_REG_SZ, nullptr, nullptr,
                   &bytes) != ERROR_SUCCESS) {
    return {};
  }
  std::wstring entry(bytes / sizeof(wchar_t), L'\0');
  if (RegGetValueW(HKEY_CURRENT_USER, kWindowsKey, kDeviceValue, RRF_RT_REG_SZ, nullptr,
                   entry.data(), &bytes) != ERROR_SUCCESS) {
    return {};
  }
  entry.resize(wcsnlen(entry.c_str(), entry.size()));
  return entry;
}

// The printer an entry names: printer names hold no comma.
std::wstring printerOf(const std::wstring& entry) {
  return entry.substr(0, entry.find(L','));
}

UniquePrinter openForChange(const std::wstring& printer) {
  std::wstring name = printer;
  PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  UniquePrinter handle;
  OpenPrinterW(name.data(), handle.put(), &access);  // left empty when it fails
  return handle;
}

// The user's default document settings (DEVMODE and the driver's part), empty when none.
std::vector<BYTE> userDevMode(HANDLE printer) {
  DWORD needed = 0;
  GetPrinterA(printer, 9, nullptr, 0, &needed);
  if (needed == 0) return {};
  std::vector<BYTE> buffer(needed);
  if (!GetPrinterA(printer, 9, buffer.data(), needed, &needed)) return {};
  const DEVMODEA* mode = reinterpret_cast<const PRINTER_INFO_9A*>(buffer.data())->pDevMode;
  if (mode == nullptr) return {};
  const auto* bytes = reinterpret_cast<const BYTE*>(mode);
  return {bytes, bytes + mode->dmSize + mode->dmDriverExtra};
}

bool setUserDevMode(HANDLE printer, std::vector<BYTE>& mode) {
  PRINTER_INFO_9A info{mode.empty() ? nullptr : reinterpret_cast<DEVMODEA*>(mode.data())};
  return SetPrinterA(printer, 9, reinterpret_cast<BYTE*>(&info), 0) != FALSE;
}

std::string capsText(const portable::DeviceCaps& c) {
  return std::to_string(c.offsetX) + " " + std::to_string(c.offsetY) + " " +
         std::to_string(c.physicalWidth) + " " + std::to_string(c.physicalHeight) + " " +
         std::to_string(c.horzSizeMm) + " " + std::to_string(c.vertSizeMm);
}

// What the default printer's device context reports, in its orientation.
std::optional<portable::DeviceCaps> reportedCaps(Win32System& system) {
  const platform::Handle dc = system.CreateDefaultPrinterDC();
  if (dc == 0) return std::nullopt;
  const UniqueDC deleted(reinterpret_cast<HDC>(dc));  // when the caps are read
  auto cap = [&](int index) { return system.GetDeviceCaps(dc, index); };
  const portable::DeviceCaps caps{cap(platform::kPhysicalOffsetX), cap(platform::kPhysicalOffsetY),
                                  cap(platform::kPhysicalWidth),   cap(platform::kPhysicalHeight),
                                  cap(platform::kHorzSize),        cap(platform::kVertSize)};
  return caps;
}

std::string paperList() {
  std::string list;
  for (const PrinterPaper& p : installedPrinterPapers()) {
    list += (list.empty() ? "" : ", ") + std::to_string(p.code) + " " + p.name;
  }
  return list;
}

}  // namespace

SessionPrinter::HiddenDefault::HiddenDefault(std::wstring entry) : entry_(std::move(entry)) {
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kWindowsKey, kDeviceValue);
}

SessionPrinter::HiddenDefault::~HiddenDefault() {
  RegSetKeyValueW(HKEY_CURRENT_USER, kWindowsKey, kDeviceValue, REG_SZ, entry_.c_str(),
                  static_cast<DWORD>((entry_.size() + 1) * sizeof(wchar_t)));
}

SessionPrinter::SavedDefaults::SavedDefaults(const std::wstring& printer) : printer_(printer) {
  const UniquePrinter handle = openForChange(printer_);
  if (!handle) return;
  DWORD type = 0, needed = 0;
  if (GetPrinterDataExA(handle.get(), kPageOverrides, kDefaultPage, &type, nullptr, 0, &needed) ==
          ERROR_MORE_DATA &&
      type == REG_SZ) {
    std::string page(needed, '\0');
    if (GetPrinterDataExA(handle.get(), kPageOverrides, kDefaultPage, &type,
                          reinterpret_cast<BYTE*>(page.data()), needed, &needed) == ERROR_SUCCESS) {
      page.resize(strnlen(page.c_str(), page.size()));
      pageOverride_ = page;
    }
  }
  devMode_ = userDevMode(handle.get());
  read_ = true;
}

SessionPrinter::SavedDefaults::~SavedDefaults() {
  if (!read_) return;  // nothing was changed either
  const UniquePrinter handle = openForChange(printer_);
  if (!handle) return;
  if (pageOverride_) {
    SetPrinterDataExA(handle.get(), kPageOverrides, kDefaultPage, REG_SZ,
                      reinterpret_cast<BYTE*>(pageOverride_->data()),
                      static_cast<DWORD>(pageOverride_->size() + 1));
  } else {
    DeletePrinterDataExA(handle.get(), kPageOverrides, kDefaultPage);
  }
  setUserDevMode(handle.get(), devMode_);
}

bool SessionPrinter::SavedDefaults::set(const char* pageName, std::int16_t paper,
                                        std::int16_t orientation) {
  if (!read_) return false;
  const UniquePrinter handle = openForChange(printer_);
  if (!handle) return false;
  std::string page = pageName;
  bool done = SetPrinterDataExA(handle.get(), kPageOverrides, kDefaultPage, REG_SZ,
                                reinterpret_cast<BYTE*>(page.data()),
                                static_cast<DWORD>(page.size() + 1)) == ERROR_SUCCESS;
  std::vector<BYTE> mode = devMode_;
  if (done && !mode.empty()) {
    auto* devMode = reinterpret_cast<DEVMODEA*>(mode.data());
    devMode->dmPaperSize = paper;
    devMode->dmOrientation = orientation;
    devMode->dmFields |= DM_PAPERSIZE | DM_ORIENTATION;
    done = setUserDevMode(handle.get(), mode);
  }
  return done && !mode.empty();
}

SessionPrinter::SessionPrinter(const std::optional<::session::PrinterDescription>& printer) {
  if (!printer) {
    if (std::wstring entry = defaultPrinterEntry(); !entry.empty()) hidden_.emplace(entry);
    return;
  }
  const std::wstring entry = defaultPrinterEntry();
  if (entry.empty()) {
    throw PrinterRefusal(
        "there is no printer installed: 'quadrift.exe install-printer' adds one to this Wine "
        "prefix and makes it the default",
        false);
  }
  const std::optional<PrinterPaper> paper = installedPrinterPaper(printer->paper);
  if (!paper) {
    throw PrinterRefusal("the printer has no paper " + std::to_string(printer->paper) +
                             " (it has " + paperList() + ")",
                         false);
  }
  const std::wstring printerName = printerOf(entry);
  const std::string name = utf8FromWide(printerName);
  saved_.emplace(printerName);
  const std::string asked = "paper " + std::to_string(printer->paper) + ", orientation " +
                            std::to_string(printer->orientation);
  if (!saved_->set(paper->name, printer->paper, printer->orientation)) {
    throw PrinterRefusal("the default printer \"" + name + "\" cannot be set to " + asked, false);
  }
  // The printer is read here first in this process, with the session's settings.
  Win32System system(nullptr);
  platform::System::DevMode mode;
  if (!system.GetDefaultPrinterDevMode(mode) || mode.paperSize != printer->paper ||
      mode.orientation != printer->orientation) {
    throw PrinterRefusal("the default printer \"" + name + "\" did not take " + asked, false);
  }
  if (!printer->offsetX) return;
  const std::optional<portable::DeviceCaps> reported = reportedCaps(system);
  if (!reported) throw PrinterRefusal("the default printer has no device context", true);
  if (*reported != printer->caps()) {
    throw PrinterRefusal(
        "the installed printer's device capabilities cannot be set; upright it reports "
        "'printer-caps " +
            capsText(refhost::capsInOrientation(*reported, printer->orientation)) + "'",
        true);
  }
}

}  // namespace windows
