#pragma once

#include <optional>
#include <string>

#include "length_unit.hpp"

namespace refhost {

// A document's length format: the unit lengths are shown in, at most how many decimals, and
// the decimal separator of the user's locale.
struct LengthFormat {
  LengthUnit unit = LengthUnit::Millimetre;
  int decimals = 2;  // 0 to 10
  char decimalSeparator = '.';
};

// Writes `metres` in the format: the amount rounded to the format's decimals, trailing zeros
// dropped, then a space and the unit's symbol: "297 mm", "12.5 in", "-0.25 m". A value that
// rounds to zero is written without a sign. Nothing for a value that is not finite, in metres
// or in the unit.
std::optional<std::string> formatLength(double metres, const LengthFormat& format);

}  // namespace refhost
