#pragma once

#include <cstdint>
#include <string>

namespace ui {

// A window's or control's font: face name, size in points and character set (the Windows
// LOGFONT charset numbers, 1 = DEFAULT_CHARSET).
struct Font {
  std::string name;
  double size = 8.25;
  std::int16_t charset = 0;

  friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace ui
