#include "length_parser.hpp"

#include <charconv>
#include <cmath>

namespace refhost {
namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
bool isBlank(char c) {
  return c == ' ' || c == '\t';
}
bool isLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

class Reader {
 public:
  Reader(std::string_view text, char separator) : text_(text), separator_(separator) {}

  bool atEnd() const { return pos_ >= text_.size(); }
  char peek(std::size_t ahead = 0) const {
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
  }
  bool skipBlanks() {
    const std::size_t start = pos_;
    while (!atEnd() && isBlank(peek())) ++pos_;
    return pos_ != start;
  }
  bool accept(char c) {
    if (peek() != c || atEnd()) return false;
    ++pos_;
    return true;
  }
  std::size_t position() const { return pos_; }
  void rewind(std::size_t to) { pos_ = to; }

  // A run of digits as a double, or nothing.
  std::optional<double> integer() {
    const std::size_t start = pos_;
    while (!atEnd() && isDigit(peek())) ++pos_;
    if (pos_ == start) return std::nullopt;
    return toDouble(std::string(text_.substr(start, pos_ - start)));
  }

  // Decimal, fraction or mixed number; nothing (position unchanged) when none starts here.
  std::optional<double> amount() {
    const std::size_t start = pos_;
    std::string digits;
    while (!atEnd() && isDigit(peek())) digits += text_[pos_++];
    const bool whole = !digits.empty();
    if (!atEnd() && peek() == separator_) {
      std::string fraction;
      ++pos_;
      while (!atEnd() && isDigit(peek())) fraction += text_[pos_++];
      if (digits.empty() && fraction.empty()) {
        pos_ = start;
        return std::nullopt;
      }
      return toDouble((digits.empty() ? "0" : digits) + "." + fraction + exponent());
    }
    if (!whole) return std::nullopt;
    if (const std::string e = exponent(); !e.empty()) return toDouble(digits + e);
    const std::optional<double> first = toDouble(digits);
    if (!first) return std::nullopt;
    if (peek() == '/') {  // a fraction
      ++pos_;
      return divide(*first, integer());
    }
    // A mixed number: integer, blanks, fraction.
    const std::size_t afterWhole = pos_;
    if (skipBlanks()) {
      if (auto numerator = integer(); numerator && accept('/')) {
        const std::optional<double> part = divide(*numerator, integer());
        if (!part) return std::nullopt;
        return *first + *part;
      }
    }
    pos_ = afterWhole;
    return first;
  }

  // An exponent right here, "e3", "E-06", "e+15", as the text to append to a decimal's
  // digits; empty (position unchanged) when none starts here.
  std::string exponent() {
    if (peek() != 'e' && peek() != 'E') return {};
    const std::size_t sign = peek(1) == '+' || peek(1) == '-' ? 1 : 0;
    if (!isDigit(peek(1 + sign))) return {};
    std::string e = "e";
    ++pos_;
    if (sign != 0) e += text_[pos_++];
    while (!atEnd() && isDigit(peek())) e += text_[pos_++];
    return e;
  }

  // A unit word or mark right here: a run of letters, or one of ' and ".
  std::string_view unitWord() {
    const std::size_t start = pos_;
    if (peek() == '\'' || peek() == '"') {
      ++pos_;
    } else {
      while (!atEnd() && isLetter(peek())) ++pos_;
    }
    return text_.substr(start, pos_ - start);
  }

 private:
  static std::optional<double> toDouble(const std::string& s) {
    double value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value)) {
      return std::nullopt;
    }
    return value;
  }
  static std::optional<double> divide(double numerator, std::optional<double> denominator) {
    if (!denominator || *denominator == 0) return std::nullopt;
    return numerator / *denominator;
  }

  std::string_view text_;
  char separator_;
  std::size_t pos_ = 0;
};

LengthParse refuse(std::string why) {
  return LengthParse{std::nullopt, std::move(why)};
}

}  // namespace

LengthParse parseLength(std::string_view text, LengthUnit defaultUnit, char decimalSeparator) {
  Reader in(text, decimalSeparator);
  in.skipBlanks();
  if (in.atEnd()) return refuse("empty text");
  double sign = 1;
  if (in.accept('-')) {
    sign = -1;
  } else {
    in.accept('+');
  }
  in.skipBlanks();

  const std::optional<double> first = in.amount();
  if (!first) return refuse("no number");
  in.skipBlanks();
  LengthUnit unit = defaultUnit;
  if (std::string_view word = in.unitWord(); !word.empty()) {
    const std::optional<LengthUnit> named = unitNamed(word);
    if (!named) return refuse("unknown unit \"" + std::string(word) + "\"");
    unit = *named;
  }

  double metres = 0;
  if (unit == LengthUnit::Foot) {
    // Feet may be followed by inches: 1'-6", 1' 6", 1'6", 2 ft 3 1/2 in.
    double inches = 0;
    in.skipBlanks();
    const std::size_t beforeDash = in.position();
    if (in.accept('-')) {
      in.skipBlanks();
      if (!isDigit(in.peek()) && in.peek() != decimalSeparator) {
        in.rewind(beforeDash);
      }
    }
    if (!in.atEnd()) {
      if (const std::optional<double> second = in.amount()) {
        in.skipBlanks();
        if (std::string_view word = in.unitWord(); !word.empty()) {
          if (unitNamed(word) != LengthUnit::Inch) {
            return refuse("after feet only inches may follow");
          }
        }
        inches = *second;
      }
    }
    metres = toMetres(*first * 12 + inches, LengthUnit::Inch);
  } else {
    metres = toMetres(*first, unit);
  }

  in.skipBlanks();
  if (!in.atEnd()) return refuse("unexpected characters after the length");
  if (!std::isfinite(metres)) return refuse("length out of range");
  return LengthParse{sign * metres, {}};
}

}  // namespace refhost
