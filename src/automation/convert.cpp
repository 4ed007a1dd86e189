#include "automation/convert.hpp"

#include <charconv>
#include <cmath>
#include <limits>

#include "automation/failure.hpp"
#include "automation/number_text.hpp"

namespace automation {
namespace {

template <class Int>
Int roundToInt(double d) {
  if (!std::isfinite(d)) throw runtimeFailure(errnum::kOverflow);
  const double r = std::nearbyint(d);  // default rounding mode: half to even
  if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
      r > static_cast<double>(std::numeric_limits<Int>::max())) {
    throw runtimeFailure(errnum::kOverflow);
  }
  return static_cast<Int>(r);
}

template <class Int>
Int toInteger(const Variant& v) {
  const auto& s = v.storage();
  if (std::holds_alternative<std::int32_t>(s)) {
    const std::int32_t n = std::get<std::int32_t>(s);
    if (n < std::numeric_limits<Int>::min() || n > std::numeric_limits<Int>::max()) {
      throw runtimeFailure(errnum::kOverflow);
    }
    return static_cast<Int>(n);
  }
  if (std::holds_alternative<std::int16_t>(s)) return std::get<std::int16_t>(s);
  if (std::holds_alternative<Bool16>(s)) return std::get<Bool16>(s).value;
  return roundToInt<Int>(toDouble(v));
}

}  // namespace

std::int16_t toInt16(double d) {
  return roundToInt<std::int16_t>(d);
}
std::int32_t toInt32(double d) {
  return roundToInt<std::int32_t>(d);
}
std::int16_t toInt16(const Variant& v) {
  return toInteger<std::int16_t>(v);
}
std::int32_t toInt32(const Variant& v) {
  return toInteger<std::int32_t>(v);
}

double parseNumber(std::string_view text, char decimalSeparator) {
  auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.front() == '+' || text.front() == '-') {
    throw runtimeFailure(errnum::kTypeMismatch);
  }
  std::string normal(text);
  for (char& c : normal) {
    if (c == decimalSeparator) {
      c = '.';
    } else if (c == '.') {
      throw runtimeFailure(errnum::kTypeMismatch);
    }
  }
  double value = 0;
  const char* first = normal.data();
  const char* last = first + normal.size();
  auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) throw runtimeFailure(errnum::kOverflow);
  if (ec != std::errc() || end != last || !std::isfinite(value)) {
    throw runtimeFailure(errnum::kTypeMismatch);
  }
  return negative ? -value : value;
}

double toDouble(const Variant& v) {
  const auto& s = v.storage();
  if (std::holds_alternative<std::monostate>(s)) return 0.0;
  if (std::holds_alternative<std::int16_t>(s)) return std::get<std::int16_t>(s);
  if (std::holds_alternative<std::int32_t>(s)) return std::get<std::int32_t>(s);
  if (std::holds_alternative<double>(s)) return std::get<double>(s);
  if (std::holds_alternative<Bool16>(s)) return std::get<Bool16>(s).value;
  if (std::holds_alternative<std::string>(s)) return parseNumber(std::get<std::string>(s));
  if (std::holds_alternative<DoubleRef>(s)) {
    const DoubleRef r = std::get<DoubleRef>(s);
    if (r.target == nullptr) throw runtimeFailure(errnum::kTypeMismatch);
    return *r.target;
  }
  throw runtimeFailure(errnum::kTypeMismatch);
}

bool toBool(const Variant& v) {
  if (v.is<std::string>()) {
    const std::string& t = v.as<std::string>();
    auto equalsIgnoringCase = [&t](std::string_view word) {
      if (t.size() != word.size()) return false;
      for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = (t[i] >= 'A' && t[i] <= 'Z') ? static_cast<char>(t[i] - 'A' + 'a') : t[i];
        if (c != word[i]) return false;
      }
      return true;
    };
    if (equalsIgnoringCase("true")) return true;
    if (equalsIgnoringCase("false")) return false;
  }
  return toDouble(v) != 0.0;
}

std::string toString(const Variant& v, char decimalSeparator) {
  const auto& s = v.storage();
  if (std::holds_alternative<std::monostate>(s)) return {};
  if (std::holds_alternative<std::string>(s)) return std::get<std::string>(s);
  if (std::holds_alternative<std::int16_t>(s)) return std::to_string(std::get<std::int16_t>(s));
  if (std::holds_alternative<std::int32_t>(s)) return std::to_string(std::get<std::int32_t>(s));
  if (std::holds_alternative<Bool16>(s)) return std::get<Bool16>(s).truth() ? "True" : "False";
  if (std::holds_alternative<double>(s) || std::holds_alternative<DoubleRef>(s)) {
    return numberText(toDouble(v), decimalSeparator);
  }
  throw runtimeFailure(errnum::kTypeMismatch);
}

Object toObject(const Variant& v) {
  if (v.is<Object>()) return v.as<Object>();
  if (v.isEmpty()) return Object();
  throw runtimeFailure(errnum::kTypeMismatch);
}

}  // namespace automation
