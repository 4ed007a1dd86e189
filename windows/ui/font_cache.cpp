#include "windows/ui/font_cache.hpp"

#include <cmath>
#include <cwchar>

#include "windows/platform/ansi_codec.hpp"

namespace windows {

LOGFONTW logFontOf(const ui::Font& font, int dpi) {
  LOGFONTW log{};
  log.lfHeight = -static_cast<LONG>(std::lround(font.size * dpi / 72.0));
  log.lfWeight = FW_NORMAL;
  log.lfCharSet = static_cast<BYTE>(font.charset);
  log.lfOutPrecision = OUT_DEFAULT_PRECIS;
  log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  log.lfQuality = DEFAULT_QUALITY;
  log.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring face = wideFromUtf8(font.name);
  std::wcsncpy(log.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return log;
}

HFONT FontCache::get(const ui::Font& font, int dpi) {
  for (const Entry& e : entries_) {
    if (e.font == font && e.dpi == dpi) return e.handle.get();
  }
  const LOGFONTW log = logFontOf(font, dpi);
  UniqueFont handle(CreateFontIndirectW(&log));
  if (!handle) return nullptr;
  entries_.push_back({font, dpi, std::move(handle)});
  return entries_.back().handle.get();
}

}  // namespace windows
