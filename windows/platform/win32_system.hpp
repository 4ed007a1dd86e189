#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "events/event_log.hpp"
#include "events/help_call.hpp"
#include "platform/system.hpp"
#include "windows/handles/unique.hpp"

namespace windows {

// The platform calls of the component, each passed straight to the Windows function of the same
// name. Strings cross in the ANSI code page as the component hands them over; handles are the
// system's own, pointer-sized. The HTML Help control library is loaded on first use and kept.
class Win32System final : public platform::System {
 public:
  // `componentModule` is the module the component's code was loaded from; its folder is where
  // the satellite libraries lie.
  explicit Win32System(void* componentModule) : componentModule_(componentModule) {}
  Win32System(const Win32System&) = delete;
  Win32System& operator=(const Win32System&) = delete;

  // Where help calls are logged as they are passed on; none when null.
  void setEventLog(portable::EventLog* log) { events_ = log; }
  // The help calls passed on so far, in order.
  const std::vector<portable::HelpCall>& helpCalls() const { return helpCalls_; }

  std::int32_t RegOpenKeyExA(platform::Handle hive, const std::string& subKeyAnsi,
                             std::uint32_t options, std::uint32_t access,
                             platform::Handle& opened) override;
  std::int32_t RegQueryValueExA(platform::Handle key, const std::string& valueNameAnsi,
                                std::uint32_t* type, std::uint8_t* data,
                                std::uint32_t& byteCount) override;
  std::int32_t RegCloseKey(platform::Handle key) override;

  platform::Handle LoadLibraryExA(const std::string& pathAnsi, platform::Handle file,
                                  std::uint32_t flags) override;
  bool FreeLibrary(platform::Handle module) override;
  std::int32_t LoadStringA(platform::Handle module, std::uint32_t id, char* buffer,
                           std::int32_t bufferSize) override;
  std::string ComponentFolder() override;

  platform::Handle HtmlHelpA(platform::Handle owner, const std::string& fileAnsi,
                             std::uint32_t command, std::uint32_t data) override;

  bool HasDefaultPrinter() override;
  bool GetDefaultPrinterDevMode(DevMode& mode) override;
  platform::Handle CreateDefaultPrinterDC() override;
  bool DeleteDC(platform::Handle dc) override;
  std::int32_t GetDeviceCaps(platform::Handle dc, int index) override;

  bool SetWindowPos(platform::Handle window, platform::Handle insertAfter, int x, int y, int cx,
                    int cy, std::uint32_t flags) override;
  platform::Handle GetDC(platform::Handle window) override;
  int ReleaseDC(platform::Handle window, platform::Handle dc) override;
  platform::Handle GetStockObject(int object) override;
  platform::Handle SelectObject(platform::Handle dc, platform::Handle object) override;
  int GetTextFaceA(platform::Handle dc, int count, char* faceName) override;
  std::uint32_t GetUserDefaultLCID() override;

  std::uint32_t GetACP() override;
  std::string ToAnsi(const std::string& utf8) override;
  std::string FromAnsi(const std::string& ansi) override;
  char DecimalSeparator() override;

 private:
  void* componentModule_;
  UniqueModule helpLibrary_;
  void* htmlHelp_ = nullptr;  // HtmlHelpA in helpLibrary_
  std::vector<portable::HelpCall> helpCalls_;
  portable::EventLog* events_ = nullptr;
};

}  // namespace windows
