#include "ui/text_units.hpp"

namespace ui::text {

namespace {
bool isContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u;
}
}  // namespace

std::size_t length(std::string_view s) {
  std::size_t n = 0;
  for (char c : s) {
    if (!isContinuation(c)) ++n;
  }
  return n;
}

std::size_t byteOffset(std::string_view s, std::size_t index) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (isContinuation(s[i])) continue;
    if (seen == index) return i;
    ++seen;
  }
  return s.size();
}

char32_t codePointAt(std::string_view s, std::size_t offset) {
  constexpr char32_t kReplacement = 0xFFFD;
  if (offset >= s.size()) return kReplacement;
  const auto lead = static_cast<unsigned char>(s[offset]);
  if (lead < 0x80) return lead;
  // The sequence's length and the lead byte's share of the character.
  std::size_t count = 0;
  char32_t c = 0;
  if ((lead & 0xE0u) == 0xC0u) {
    count = 2;
    c = lead & 0x1Fu;
  } else if ((lead & 0xF0u) == 0xE0u) {
    count = 3;
    c = lead & 0x0Fu;
  } else if ((lead & 0xF8u) == 0xF0u) {
    count = 4;
    c = lead & 0x07u;
  } else {
    return kReplacement;
  }
  if (s.size() - offset < count) return kReplacement;
  for (std::size_t k = 1; k < count; ++k) {
    if (!isContinuation(s[offset + k])) return kReplacement;
    c = (c << 6) | (static_cast<unsigned char>(s[offset + k]) & 0x3Fu);
  }
  // Overlong forms, surrogates and what lies past the last plane are no characters.
  constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[count] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return kReplacement;
  return c;
}

std::string utf8Of(char32_t c) {
  if (c >= 0xD800 && (c <= 0xDFFF || c > 0x10FFFF)) c = 0xFFFD;
  std::string out;
  auto byte = [&](char32_t b) { out.push_back(static_cast<char>(b)); };
  if (c < 0x80) {
    byte(c);
  } else if (c < 0x800) {
    byte(0xC0 | (c >> 6));
    byte(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    byte(0xE0 | (c >> 12));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  } else {
    byte(0xF0 | (c >> 18));
    byte(0x80 | ((c >> 12) & 0x3F));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  }
  return out;
}

std::string substring(std::string_view s, std::size_t first, std::size_t count) {
  const std::size_t begin = byteOffset(s, first);
  const std::size_t end = byteOffset(s, first + count);
  return std::string(s.substr(begin, end - begin));
}

}  // namespace ui::text
