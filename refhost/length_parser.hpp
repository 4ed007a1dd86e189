#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "length_unit.hpp"

namespace refhost {

// The outcome of reading a length: the metres, or why the text is not a length.
struct LengthParse {
  std::optional<double> metres;
  std::string error;
};

// Reads a length as a user types it:
//   [sign] amount [unit]            "12.5", "-3/4 in", "1 1/2\"", "210mm", "2.5 m"
//   [sign] amount foot [-] [amount [inch]]   "1'", "1'-6\"", "1' 6\"", "2 ft 3 1/2 in"
// An amount is a decimal ("12", "12.5", ".5", "1e3", "1.5E-06"), a fraction of integers ("3/4")
// or a mixed number ("1 1/2"). The decimal point is `decimalSeparator` and nothing else: where it
// is a comma, "1.500" is refused rather than read as 1.5. Units: in inch inches " ft foot feet '
// mm cm m (any letter case), with or without a space before them; no unit means `defaultUnit`.
// Blanks around the text are ignored. Anything else (empty text, words, unknown units, a zero
// denominator, trailing characters, a number out of a double's range) is refused.
LengthParse parseLength(std::string_view text, LengthUnit defaultUnit, char decimalSeparator = '.');

}  // namespace refhost
