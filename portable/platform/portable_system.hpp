#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "events/event_log.hpp"
#include "events/help_call.hpp"
#include "platform/ansi_codec.hpp"
#include "platform/device_caps.hpp"
#include "platform/in_memory_registry.hpp"
#include "platform/resource_script.hpp"
#include "platform/system.hpp"

namespace portable {

// The default printer as the environment describes it. Device units are the printer's dots;
// HORZSIZE and VERTSIZE are the printable area in millimetres. The defaults are an A4 portrait
// page at 300 dpi with a 75-dot unprintable border.
struct PrinterSettings {
  std::int16_t orientation = 1;  // DMORIENT_PORTRAIT 1, DMORIENT_LANDSCAPE 2
  std::int16_t paperSize = 9;    // a DMPAPER_ code; 9 is A4
  DeviceCaps caps{75, 75, 2480, 3508, 197, 284};
  bool deviceContextFails = false;  // CreateDefaultPrinterDC returns 0
  bool devModeFails = false;        // GetDefaultPrinterDevMode returns false
};

struct PortableSettings {
  std::uint32_t userLocale = 1033;
  std::string componentFolder;                    // where the satellite libraries lie
  std::string guiFontFace = "Liberation Sans";    // face of the stock DEFAULT_GUI_FONT
  std::optional<PrinterSettings> defaultPrinter;  // none by default, as on a fresh system
};

struct WindowPosCall {
  platform::Handle window;
  platform::Handle insertAfter;
  int x, y, cx, cy;
  std::uint32_t flags;
};

// The platform services on a system without Windows, behaving as Windows does for the calls the
// component makes: an in-memory read-only registry, satellite libraries whose module image is
// their resource script (loaded only as data), ANSI conversions through iconv for the user's
// locale, recorded help and window-position calls, a configurable default printer and the
// stock GUI font. Tests and the session runner configure it through the setters; the component
// sees only platform::System.
class PortableSystem final : public platform::System {
 public:
  explicit PortableSystem(PortableSettings settings = {});

  // Configuration.
  const PortableSettings& settings() const { return settings_; }
  void setUserLocale(std::uint32_t lcid) { settings_.userLocale = lcid; }
  void setComponentFolder(std::string folder) { settings_.componentFolder = std::move(folder); }
  void setGuiFontFace(std::string face) { settings_.guiFontFace = std::move(face); }
  void setDefaultPrinter(std::optional<PrinterSettings> printer) {
    settings_.defaultPrinter = std::move(printer);
  }
  // Where help calls are logged as they happen; none when null.
  void setEventLog(EventLog* log) { events_ = log; }

  // Registry seeding. Strings are UTF-8 and stored as REG_SZ; their size as read includes the
  // NUL. setRegistryValue stores raw bytes of any type and any size (0 included).
  void addRegistryKey(platform::Handle root, const std::string& path);
  void setRegistryString(platform::Handle root, const std::string& path, const std::string& name,
                         const std::string& utf8);
  void setRegistryDword(platform::Handle root, const std::string& path, const std::string& name,
                        std::uint32_t value);
  void setRegistryValue(platform::Handle root, const std::string& path, const std::string& name,
                        std::uint32_t type, std::string bytes);

  // What happened.
  const std::vector<HelpCall>& helpCalls() const { return helpCalls_; }
  const std::vector<WindowPosCall>& windowPosCalls() const { return windowPosCalls_; }
  std::size_t openRegistryKeyCount() const { return registry_.openKeyCount(); }
  std::size_t loadedModuleCount() const { return modules_.size(); }
  std::size_t liveDeviceContextCount() const { return deviceContexts_.size(); }

  // platform::System
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
  std::string ComponentFolder() override { return settings_.componentFolder; }

  platform::Handle HtmlHelpA(platform::Handle owner, const std::string& fileAnsi,
                             std::uint32_t command, std::uint32_t data) override;

  bool HasDefaultPrinter() override { return settings_.defaultPrinter.has_value(); }
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
  std::uint32_t GetUserDefaultLCID() override { return settings_.userLocale; }

  std::uint32_t GetACP() override;
  std::string ToAnsi(const std::string& utf8) override;
  std::string FromAnsi(const std::string& ansi) override;
  char DecimalSeparator() override;

 private:
  enum class GdiKind { Font, Brush, Pen };
  struct DeviceContext {
    bool printer = false;
    platform::Handle window = 0;
    std::map<GdiKind, platform::Handle> selected;
  };

  AnsiCodec& codec();
  // Copies `utf8`, converted to ANSI, into `buffer` as at most `bufferSize` - 1 bytes that end
  // on a character boundary, and a NUL; returns the bytes copied.
  int copyAnsiTruncated(const std::string& utf8, char* buffer, std::int32_t bufferSize);
  platform::Handle newDeviceContext(DeviceContext dc);
  std::string faceOfStockFont(platform::Handle font) const;

  PortableSettings settings_;
  std::unique_ptr<AnsiCodec> codec_;
  InMemoryRegistry registry_;
  std::map<platform::Handle, StringTable> modules_;
  platform::Handle nextModule_ = 0x10000000;
  std::map<platform::Handle, DeviceContext> deviceContexts_;
  platform::Handle nextDeviceContext_ = 0x01000010;
  std::vector<HelpCall> helpCalls_;
  std::vector<WindowPosCall> windowPosCalls_;
  EventLog* events_ = nullptr;
};

}  // namespace portable
