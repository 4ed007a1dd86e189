#include "length_format.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace refhost {

std::optional<std::string> formatLength(double metres, const LengthFormat& format) {
  if (!std::isfinite(metres)) return std::nullopt;
  const double amount = fromMetres(metres, format.unit);
  if (!std::isfinite(amount)) return std::nullopt;
  const int decimals = std::clamp(format.decimals, 0, 10);

  // The largest finite double written in fixed notation has 309 digits before the point.
  std::array<char, 400> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), amount,
                                       std::chars_format::fixed, decimals);
  if (ec != std::errc()) return std::nullopt;
  std::string text(buffer.data(), end);

  if (const auto point = text.find('.'); point != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') {
      text.pop_back();
    } else {
      text[point] = format.decimalSeparator;
    }
  }
  if (text == "-0") text = "0";
  return text + " " + std::string(unitSymbol(format.unit));
}

}  // namespace refhost
