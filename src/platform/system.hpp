#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Handles are pointer-sized, as the system's are: 32-bit in a 32-bit process, 64-bit in a
// 64-bit one, where a module loaded as a data file can lie above 4 GB. 0 means none.
using Handle = std::uintptr_t;

inline constexpr Handle kHKeyLocalMachine = 0x80000002u;
inline constexpr std::uint32_t kKeyRead =
    0x20009u;  // query value, enumerate sub-keys, read control
inline constexpr std::int32_t kErrorSuccess = 0;
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorMoreData = 234;
inline constexpr std::uint32_t kLoadLibraryAsDatafile = 2;
inline constexpr std::uint32_t kHhHelpContext = 15;
inline constexpr int kDefaultGuiFont = 17;

// GetDeviceCaps indices used by the printer routines.
inline constexpr int kHorzSize = 4;
inline constexpr int kVertSize = 6;
inline constexpr int kPhysicalWidth = 110;
inline constexpr int kPhysicalHeight = 111;
inline constexpr int kPhysicalOffsetX = 112;
inline constexpr int kPhysicalOffsetY = 113;

// The platform calls the component makes, shaped like the Windows API functions of the same
// names so that the Windows build passes each straight through. Strings marked "ANSI" are bytes
// in the system's ANSI code page; everything else the component holds is UTF-8 (the stand-in for
// the system's Unicode strings), converted at the call with ToAnsi and FromAnsi.
// None of these throws: like the Windows functions, they report through their results.
class System {
 public:
  virtual ~System() = default;

  // Registry (read only). RegQueryValueExA with `data` null returns the value's size in
  // `byteCount`; with a buffer, copies at most `byteCount` bytes and returns 234 when the buffer
  // is too small (the buffer then holds nothing useful).
  virtual std::int32_t RegOpenKeyExA(Handle hive, const std::string& subKeyAnsi,
                                     std::uint32_t options, std::uint32_t access,
                                     Handle& opened) = 0;
  virtual std::int32_t RegQueryValueExA(Handle key, const std::string& valueNameAnsi,
                                        std::uint32_t* type, std::uint8_t* data,
                                        std::uint32_t& byteCount) = 0;
  virtual std::int32_t RegCloseKey(Handle key) = 0;

  // Modules and their string tables. LoadStringA copies at most bufferSize - 1 bytes and a NUL
  // and returns the number of bytes copied (0 when the string or module does not exist).
  virtual Handle LoadLibraryExA(const std::string& pathAnsi, Handle file, std::uint32_t flags) = 0;
  virtual bool FreeLibrary(Handle module) = 0;
  virtual std::int32_t LoadStringA(Handle module, std::uint32_t id, char* buffer,
                                   std::int32_t bufferSize) = 0;
  // The folder the component's own file was loaded from, without a trailing separator.
  virtual std::string ComponentFolder() = 0;

  // HTML Help (hhctrl.ocx).
  virtual Handle HtmlHelpA(Handle owner, const std::string& fileAnsi, std::uint32_t command,
                           std::uint32_t data) = 0;

  // The default printer. GetDefaultPrinterDevMode returns false when there is none or its
  // settings cannot be read. CreateDefaultPrinterDC returns 0 on failure.
  struct DevMode {
    std::int16_t orientation = 1;  // 1 portrait, 2 landscape
    std::int16_t paperSize = 0;    // a DMPAPER_ code
  };
  virtual bool HasDefaultPrinter() = 0;
  virtual bool GetDefaultPrinterDevMode(DevMode& mode) = 0;
  virtual Handle CreateDefaultPrinterDC() = 0;
  virtual bool DeleteDC(Handle dc) = 0;
  virtual std::int32_t GetDeviceCaps(Handle dc, int index) = 0;

  // Windows and fonts.
  virtual bool SetWindowPos(Handle window, Handle insertAfter, int x, int y, int cx, int cy,
                            std::uint32_t flags) = 0;
  virtual Handle GetDC(Handle window) = 0;
  virtual int ReleaseDC(Handle window, Handle dc) = 0;
  virtual Handle GetStockObject(int object) = 0;
  virtual Handle SelectObject(Handle dc, Handle object) = 0;
  virtual int GetTextFaceA(Handle dc, int count, char* faceName) = 0;
  virtual std::uint32_t GetUserDefaultLCID() = 0;

  // The user's locale: the ANSI code page and the conversions to and from it (characters the
  // code page lacks become "?"), and the decimal separator of number formatting.
  virtual std::uint32_t GetACP() = 0;
  virtual std::string ToAnsi(const std::string& utf8) = 0;
  virtual std::string FromAnsi(const std::string& ansi) = 0;
  virtual char DecimalSeparator() = 0;
};

}  // namespace platform
