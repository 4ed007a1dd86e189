#include "platform/ansi_codec.hpp"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>

#include "platform/locale_table.hpp"

namespace portable {
namespace {

// iconv_open's error value.
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));

iconv_t open(const char* to, const char* from) {
  if (to == nullptr || from == nullptr) return kNoConverter;
  return iconv_open(to, from);
}

iconv_t asConverter(void* p) {
  return p == nullptr ? kNoConverter : static_cast<iconv_t>(p);
}

// Length of the UTF-8 sequence starting at `text[i]`, or 0 when it is malformed there.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t length = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  if (length == 0 || i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto c = static_cast<unsigned char>(text[i + k]);
    if (c < 0x80 || c > 0xBF) return 0;
  }
  return length;
}

// Converts one whole character with `cd`; false if the target lacks it.
bool convertCharacter(iconv_t cd, std::string_view character, std::string& out) {
  if (cd == kNoConverter) return false;
  std::array<char, 16> buffer{};
  char* in = const_cast<char*>(character.data());  // iconv does not write its input
  std::size_t inLeft = character.size();
  char* outPtr = buffer.data();
  std::size_t outLeft = buffer.size();
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  const std::size_t done = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
  if (done == static_cast<std::size_t>(-1) || inLeft != 0) return false;
  // A stateful target may need to return to its initial shift state.
  if (iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return false;
  out.append(buffer.data(), static_cast<std::size_t>(outPtr - buffer.data()));
  return true;
}

}  // namespace

AnsiCodec::AnsiCodec(std::uint32_t codePage) : codePage_(codePage) {
  const char* name = iconvNameOfCodePage(codePage);
  const iconv_t to = open(name, "UTF-8");
  const iconv_t from = open("UTF-8", name);
  if (to != kNoConverter) toAnsi_ = to;
  if (from != kNoConverter) fromAnsi_ = from;
}

AnsiCodec::~AnsiCodec() {
  if (toAnsi_ != nullptr) iconv_close(asConverter(toAnsi_));
  if (fromAnsi_ != nullptr) iconv_close(asConverter(fromAnsi_));
}

std::string AnsiCodec::toAnsi(std::string_view utf8, std::vector<std::size_t>* characterStarts) {
  std::string out;
  out.reserve(utf8.size());
  if (characterStarts != nullptr) characterStarts->clear();
  const iconv_t cd = asConverter(toAnsi_);
  std::size_t i = 0;
  while (i < utf8.size()) {
    if (characterStarts != nullptr) characterStarts->push_back(out.size());
    const std::size_t length = utf8SequenceLength(utf8, i);
    if (length == 0) {
      out.push_back('?');
      ++i;
      continue;
    }
    const std::string_view character = utf8.substr(i, length);
    if (length == 1) {
      // Every ANSI code page keeps ASCII as it is.
      out.push_back(character[0]);
    } else if (!convertCharacter(cd, character, out)) {
      out.push_back('?');
    }
    i += length;
  }
  if (characterStarts != nullptr) characterStarts->push_back(out.size());
  return out;
}

std::string AnsiCodec::fromAnsi(std::string_view ansi) {
  std::string out;
  const iconv_t cd = asConverter(fromAnsi_);
  if (cd == kNoConverter) {
    for (char c : ansi) out.push_back(static_cast<unsigned char>(c) < 0x80 ? c : '?');
    return out;
  }
  std::array<char, 256> buffer{};
  char* in = const_cast<char*>(ansi.data());  // iconv does not write its input
  std::size_t inLeft = ansi.size();
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  while (inLeft > 0) {
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    const std::size_t done = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer.data(), static_cast<std::size_t>(outPtr - buffer.data()));
    if (done != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // An unmapped or incomplete byte: one "?" for it, then go on after it.
    out.push_back('?');
    ++in;
    --inLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

}  // namespace portable
