// The component's number-to-text conversion on arbitrary doubles, read back by the reference
// host's length parser: every finite value gives text the host reads as the same number to 15
// significant digits; a value that is not finite is an overflow failure.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "automation/failure.hpp"
#include "automation/number_text.hpp"
#include "fuzz_check.hpp"
#include "length_parser.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(double) + 1) return 0;
  double value = 0;
  std::memcpy(&value, data, sizeof value);
  const char separator = (data[sizeof value] & 1) != 0 ? ',' : '.';

  std::string text;
  try {
    text = automation::numberText(value, separator);
  } catch (const automation::Failure& failure) {
    FUZZ_CHECK(!std::isfinite(value));
    FUZZ_CHECK(failure.number == automation::errnum::kOverflow);
    return 0;
  }
  FUZZ_CHECK(std::isfinite(value));
  FUZZ_CHECK(!text.empty() && text.size() <= 24);
  FUZZ_CHECK(text.find(separator == ',' ? '.' : ',') == std::string::npos);

  // Metres in, metres out: the host reads a bare number in the document's unit, exponent
  // forms included.
  const refhost::LengthParse parsed =
      refhost::parseLength(text, refhost::LengthUnit::Metre, separator);
  if (!parsed.metres) {
    // The largest doubles round up past the largest double at 15 digits; their text reads back
    // as out of range, as the language's own conversion does.
    FUZZ_CHECK(std::fabs(value) >= 1.797693134862315e308);
    return 0;
  }
  const double back = *parsed.metres;
  // At most 15 significant digits: the text is the value rounded to that, and a value that
  // rounds to zero at the smallest shown magnitude comes back as zero.
  // Half a unit of the 15th digit is at most 5E-15 of the value (leading digit 1), and reading
  // the text back adds up to half a unit in the last place.
  FUZZ_CHECK(std::fabs(back - value) <= std::fabs(value) * 5.5e-15 + 1e-300);
  return 0;
}
