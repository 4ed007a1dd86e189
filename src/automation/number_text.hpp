#pragma once

#include <string>

namespace automation {

// The locale's double-to-text conversion: the shortest form with at most 15 significant digits,
// `decimalSeparator` as the decimal point, no digit grouping, and exponent notation ("1.5E+15",
// "2E-07") only for magnitudes from 1E15 up or below 1E-5. A non-finite value is an overflow.
std::string numberText(double value, char decimalSeparator = '.');

}  // namespace automation
