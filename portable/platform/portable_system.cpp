#include "platform/portable_system.hpp"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/locale_table.hpp"

namespace portable {
namespace {

constexpr platform::Handle kStockObjectBase = 0x00F00000;
constexpr int kLogPixelsX = 88;
constexpr int kLogPixelsY = 90;
constexpr int kSystemFont = 13;
constexpr int kWhiteBrush = 0;
constexpr int kBlackPen = 7;

bool isStockObject(int object) {
  return object >= 0 && object <= 19 && object != 9;
}

platform::Handle stockHandle(int object) {
  return kStockObjectBase + static_cast<platform::Handle>(object);
}

std::optional<std::string> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return content.str();
}

}  // namespace

PortableSystem::PortableSystem(PortableSettings settings) : settings_(std::move(settings)) {}

// --- Locale and code pages ----------------------------------------------------------------

std::uint32_t PortableSystem::GetACP() {
  return localeFacts(settings_.userLocale).ansiCodePage;
}

char PortableSystem::DecimalSeparator() {
  return localeFacts(settings_.userLocale).decimalSeparator;
}

AnsiCodec& PortableSystem::codec() {
  const std::uint32_t codePage = GetACP();
  if (!codec_ || codec_->codePage() != codePage) codec_ = std::make_unique<AnsiCodec>(codePage);
  return *codec_;
}

std::string PortableSystem::ToAnsi(const std::string& utf8) {
  return codec().toAnsi(utf8);
}

std::string PortableSystem::FromAnsi(const std::string& ansi) {
  return codec().fromAnsi(ansi);
}

int PortableSystem::copyAnsiTruncated(const std::string& utf8, char* buffer,
                                      std::int32_t bufferSize) {
  std::vector<std::size_t> starts;
  const std::string ansi = codec().toAnsi(utf8, &starts);
  const auto room = static_cast<std::size_t>(bufferSize - 1);
  // The last character boundary that fits: a double-byte character is never split.
  std::size_t length = 0;
  for (std::size_t start : starts) {
    if (start > room) break;
    length = start;
  }
  std::memcpy(buffer, ansi.data(), length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}

// --- Registry -------------------------------------------------------------------------------

void PortableSystem::addRegistryKey(platform::Handle root, const std::string& path) {
  registry_.addKey(root, path);
}

void PortableSystem::setRegistryString(platform::Handle root, const std::string& path,
                                       const std::string& name, const std::string& utf8) {
  registry_.setValue(root, path, name, RegistryValue{kRegSz, utf8, true});
}

void PortableSystem::setRegistryDword(platform::Handle root, const std::string& path,
                                      const std::string& name, std::uint32_t value) {
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) {
    bytes.push_back(static_cast<char>((value >> shift) & 0xFFu));
  }
  registry_.setValue(root, path, name, RegistryValue{kRegDword, std::move(bytes), false});
}

void PortableSystem::setRegistryValue(platform::Handle root, const std::string& path,
                                      const std::string& name, std::uint32_t type,
                                      std::string bytes) {
  registry_.setValue(root, path, name, RegistryValue{type, std::move(bytes), false});
}

std::int32_t PortableSystem::RegOpenKeyExA(platform::Handle hive, const std::string& subKeyAnsi,
                                           std::uint32_t /*options*/, std::uint32_t /*access*/,
                                           platform::Handle& opened) {
  return registry_.open(hive, FromAnsi(subKeyAnsi), opened);
}

std::int32_t PortableSystem::RegQueryValueExA(platform::Handle key,
                                              const std::string& valueNameAnsi, std::uint32_t* type,
                                              std::uint8_t* data, std::uint32_t& byteCount) {
  std::int32_t error = 0;
  const RegistryValue* value = registry_.find(key, FromAnsi(valueNameAnsi), error);
  if (value == nullptr) return error;
  const std::string bytes = value->text ? ToAnsi(value->bytes) + '\0' : value->bytes;
  const auto size = static_cast<std::uint32_t>(bytes.size());
  if (type != nullptr) *type = value->type;
  if (data == nullptr) {
    byteCount = size;
    return platform::kErrorSuccess;
  }
  if (byteCount < size) {
    byteCount = size;
    return platform::kErrorMoreData;
  }
  std::memcpy(data, bytes.data(), bytes.size());
  byteCount = size;
  return platform::kErrorSuccess;
}

std::int32_t PortableSystem::RegCloseKey(platform::Handle key) {
  return registry_.close(key);
}

// --- Modules ----------------------------------------------------------------------------------

platform::Handle PortableSystem::LoadLibraryExA(const std::string& pathAnsi, platform::Handle file,
                                                std::uint32_t flags) {
  // Only data-file loads are possible: a resource script has no code to run.
  if (file != 0 || (flags & platform::kLoadLibraryAsDatafile) == 0) return 0;
  const std::optional<std::string> image = readFile(FromAnsi(pathAnsi));
  if (!image) return 0;
  std::optional<StringTable> table = parseResourceScript(*image);
  if (!table) return 0;
  const platform::Handle module = nextModule_;
  nextModule_ += 0x10000;
  modules_.emplace(module, std::move(*table));
  return module;
}

bool PortableSystem::FreeLibrary(platform::Handle module) {
  return modules_.erase(module) == 1;
}

std::int32_t PortableSystem::LoadStringA(platform::Handle module, std::uint32_t id, char* buffer,
                                         std::int32_t bufferSize) {
  if (buffer == nullptr || bufferSize <= 0) return 0;
  buffer[0] = '\0';
  const auto table = modules_.find(module);
  if (table == modules_.end() || id > 0xFFFF) return 0;
  const auto entry = table->second.find(static_cast<std::uint16_t>(id));
  if (entry == table->second.end()) return 0;
  return copyAnsiTruncated(entry->second, buffer, bufferSize);
}

// --- Help and windows -------------------------------------------------------------------------

platform::Handle PortableSystem::HtmlHelpA(platform::Handle owner, const std::string& fileAnsi,
                                           std::uint32_t command, std::uint32_t data) {
  portable::recordHelpCall({owner, FromAnsi(fileAnsi), command, data}, helpCalls_, events_);
  return 0;  // no help viewer here, as with a missing help file
}

bool PortableSystem::SetWindowPos(platform::Handle window, platform::Handle insertAfter, int x,
                                  int y, int cx, int cy, std::uint32_t flags) {
  windowPosCalls_.push_back({window, insertAfter, x, y, cx, cy, flags});
  return window != 0;
}

// --- Printer ----------------------------------------------------------------------------------

bool PortableSystem::GetDefaultPrinterDevMode(DevMode& mode) {
  if (!settings_.defaultPrinter || settings_.defaultPrinter->devModeFails) return false;
  mode.orientation = settings_.defaultPrinter->orientation;
  mode.paperSize = settings_.defaultPrinter->paperSize;
  return true;
}

platform::Handle PortableSystem::newDeviceContext(DeviceContext dc) {
  dc.selected[GdiKind::Font] = stockHandle(kSystemFont);
  dc.selected[GdiKind::Brush] = stockHandle(kWhiteBrush);
  dc.selected[GdiKind::Pen] = stockHandle(kBlackPen);
  const platform::Handle handle = nextDeviceContext_;
  nextDeviceContext_ += 4;
  deviceContexts_.emplace(handle, std::move(dc));
  return handle;
}

platform::Handle PortableSystem::CreateDefaultPrinterDC() {
  if (!settings_.defaultPrinter || settings_.defaultPrinter->deviceContextFails) return 0;
  return newDeviceContext(DeviceContext{true, 0, {}});
}

bool PortableSystem::DeleteDC(platform::Handle dc) {
  const auto it = deviceContexts_.find(dc);
  if (it == deviceContexts_.end() || !it->second.printer) return false;
  deviceContexts_.erase(it);
  return true;
}

std::int32_t PortableSystem::GetDeviceCaps(platform::Handle dc, int index) {
  const auto it = deviceContexts_.find(dc);
  if (it == deviceContexts_.end()) return 0;
  if (!it->second.printer) return index == kLogPixelsX || index == kLogPixelsY ? 96 : 0;
  // The printer may have been removed since the context was made: then nothing is known.
  if (!settings_.defaultPrinter) return 0;
  const DeviceCaps& p = settings_.defaultPrinter->caps;
  switch (index) {
    case platform::kHorzSize:
      return p.horzSizeMm;
    case platform::kVertSize:
      return p.vertSizeMm;
    case platform::kPhysicalWidth:
      return p.physicalWidth;
    case platform::kPhysicalHeight:
      return p.physicalHeight;
    case platform::kPhysicalOffsetX:
      return p.offsetX;
    case platform::kPhysicalOffsetY:
      return p.offsetY;
    default:
      return 0;
  }
}

// --- Device contexts and fonts ----------------------------------------------------------------

platform::Handle PortableSystem::GetDC(platform::Handle window) {
  return newDeviceContext(DeviceContext{false, window, {}});
}

int PortableSystem::ReleaseDC(platform::Handle window, platform::Handle dc) {
  const auto it = deviceContexts_.find(dc);
  if (it == deviceContexts_.end() || it->second.printer || it->second.window != window) return 0;
  deviceContexts_.erase(it);
  return 1;
}

platform::Handle PortableSystem::GetStockObject(int object) {
  return isStockObject(object) ? stockHandle(object) : 0;
}

platform::Handle PortableSystem::SelectObject(platform::Handle dc, platform::Handle object) {
  const auto it = deviceContexts_.find(dc);
  if (it == deviceContexts_.end() || object < kStockObjectBase) return 0;
  const int stock = static_cast<int>(object - kStockObjectBase);
  if (!isStockObject(stock) || stock == 15) return 0;  // 15 is a palette: SelectPalette's
  GdiKind kind = GdiKind::Font;
  if (stock <= 5 || stock == 18) kind = GdiKind::Brush;
  if ((stock >= 6 && stock <= 8) || stock == 19) kind = GdiKind::Pen;
  const platform::Handle previous = it->second.selected[kind];
  it->second.selected[kind] = object;
  return previous;
}

std::string PortableSystem::faceOfStockFont(platform::Handle font) const {
  switch (static_cast<int>(font - kStockObjectBase)) {
    case 10:
      return "Terminal";
    case 11:
      return "Courier";
    case 12:
      return "MS Sans Serif";
    case 16:
      return "Fixedsys";
    case 17:
      return settings_.guiFontFace;
    default:
      return "System";
  }
}

int PortableSystem::GetTextFaceA(platform::Handle dc, int count, char* faceName) {
  const auto it = deviceContexts_.find(dc);
  if (it == deviceContexts_.end()) return 0;
  const std::string face = faceOfStockFont(it->second.selected[GdiKind::Font]);
  if (faceName == nullptr) return static_cast<int>(ToAnsi(face).size()) + 1;
  if (count <= 0) return 0;
  return copyAnsiTruncated(face, faceName, count);
}

}  // namespace portable
