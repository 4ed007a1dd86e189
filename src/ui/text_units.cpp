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

std::string substring(std::string_view s, std::size_t first, std::size_t count) {
  const std::size_t begin = byteOffset(s, first);
  const std::size_t end = byteOffset(s, first + count);
  return std::string(s.substr(begin, end - begin));
}

}  // namespace ui::text
