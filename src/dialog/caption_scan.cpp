#include "dialog/caption_scan.hpp"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "automation/failure.hpp"

namespace dialog {
namespace {

using automation::runtimeFailure;
using automation::errnum::kInvalidProcedureCall;
using automation::errnum::kOverflow;

constexpr std::int64_t kLastPosition = 32767;  // the largest 16-bit position

// A caption held as UTF-8, addressed by 1-based character positions as the dialog's language
// does; `offsets[k]` is the byte offset of character k + 1.
class Characters {
 public:
  explicit Characters(std::string_view text) : text_(text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) offsets_.push_back(i);
    }
  }
  std::int64_t count() const { return static_cast<std::int64_t>(offsets_.size()); }
  char at(std::int64_t pos) const { return text_[offsets_[static_cast<std::size_t>(pos - 1)]]; }
  // Characters from..to (1-based, inclusive); empty when to < from.
  std::string_view range(std::int64_t from, std::int64_t to) const {
    if (to < from) return {};
    const std::size_t begin = offsets_[static_cast<std::size_t>(from - 1)];
    const std::size_t end = to >= count() ? text_.size() : offsets_[static_cast<std::size_t>(to)];
    return text_.substr(begin, end - begin);
  }
  // 1-based position of the first `c`, 0 when there is none.
  std::int64_t find(char c) const {
    for (std::int64_t pos = 1; pos <= count(); ++pos) {
      if (at(pos) == c) return pos;
    }
    return 0;
  }
  // The first space at or after `from`. Past the end there are no characters, so a scan that
  // finds none goes on until its 16-bit position overflows.
  std::int64_t spaceFrom(std::int64_t from) const {
    for (std::int64_t pos = from; pos <= count() && pos <= kLastPosition; ++pos) {
      if (at(pos) == ' ') return pos;
    }
    throw runtimeFailure(kOverflow);
  }

 private:
  std::string_view text_;
  std::vector<std::size_t> offsets_;
};

// A position stored in a 16-bit variable.
std::int64_t position16(std::int64_t pos) {
  if (pos > kLastPosition || pos < -kLastPosition - 1) throw runtimeFailure(kOverflow);
  return pos;
}

}  // namespace

CaptionLengths scanSizeCaption(std::string_view caption) {
  const Characters s(caption);
  const std::int64_t p = position16(s.find('(') + 1);
  const std::int64_t i = s.spaceFrom(p);
  CaptionLengths out;
  out.first = std::string(s.range(p, i - 1));

  const std::int64_t q = position16(s.find(')') - 1);
  std::int64_t j = q;
  // Reading a character before the first one is an invalid procedure call.
  while (true) {
    if (j < 1) throw runtimeFailure(kInvalidProcedureCall);
    if (s.at(j) == ' ') break;
    --j;
  }
  out.second = std::string(s.range(j + 1, q));
  return out;
}

CaptionLengths scanScaleCaption(std::string_view caption) {
  const Characters s(caption);
  const std::int64_t c = position16(s.find(':'));
  CaptionLengths out;
  if (c != 0) {
    const std::int64_t i = s.spaceFrom(c + 1);
    const std::string remainder(s.range(i, s.count()));
    out.first = std::string(s.range(1, c - 1)) + remainder;
    out.second = std::string(s.range(c + 1, i - 1)) + remainder;
  } else {
    const std::int64_t i = s.spaceFrom(1);
    out.first = std::string(s.range(1, i - 1));
    if (const auto dash = out.first.find('-'); dash != std::string::npos) out.first[dash] = ' ';
    out.second = "12in";
  }
  return out;
}

}  // namespace dialog
