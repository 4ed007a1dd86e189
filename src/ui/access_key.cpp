#include "ui/access_key.hpp"

#include "ui/text_units.hpp"

namespace ui {

char32_t accessKeyCase(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  // Latin-1: à to þ, but not the division sign.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  if (c == 0xFF) return 0x178;
  // Latin Extended-A pairs its cases, upper case first: even and odd from Ā to ķ and from Ŋ to
  // ŷ, odd and even from Ĺ to ň and from Ź to ž. ı, ĸ and ŉ have no pair.
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c & ~char32_t{1};
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) == 0 ? c - 1 : c;
  // Greek: α to ω (ς is σ at a word's end).
  if (c == 0x3C2) return 0x3A3;
  if (c >= 0x3B1 && c <= 0x3C9) return c - 0x20;
  // Cyrillic: а to я, and ѐ to џ.
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  return c;
}

bool canBeAccessKey(char32_t c) {
  if (c < 0x80)
    return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
  // From Latin-1's letters on, save its two signs and what no text holds.
  if (c < 0xC0 || c == 0xD7 || c == 0xF7) return false;
  return c < 0xD800 || (c > 0xDFFF && c != 0xFFFD && c <= 0x10FFFF);
}

std::optional<char32_t> accessKeyOf(std::string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;  // a literal ampersand
      continue;
    }
    const char32_t c = text::codePointAt(caption, i + 1);
    if (canBeAccessKey(c)) return accessKeyCase(c);
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace ui
