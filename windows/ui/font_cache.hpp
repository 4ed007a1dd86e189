#pragma once

#include <windows.h>

#include <vector>

#include "ui/font.hpp"
#include "windows/handles/gdi.hpp"

namespace windows {

// The real fonts behind the model's fonts: one HFONT per face, size, character set and DPI,
// made on first use and kept until the cache goes (after every window that used them).
class FontCache {
 public:
  // nullptr when the system cannot make it.
  HFONT get(const ui::Font& font, int dpi);

 private:
  struct Entry {
    ui::Font font;
    int dpi;
    UniqueFont handle;
  };
  std::vector<Entry> entries_;
};

// The LOGFONT the model's font asks for: the height in pixels of `size` points at `dpi`.
LOGFONTW logFontOf(const ui::Font& font, int dpi);

}  // namespace windows
