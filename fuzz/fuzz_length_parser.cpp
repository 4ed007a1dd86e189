// The reference host's length parser on arbitrary text, and its formatter on what it accepts:
// an accepted length is finite, and formatting it and reading the text back gives the same
// length to within the format's precision.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.hpp"
#include "length_format.hpp"
#include "length_parser.hpp"

namespace {

constexpr refhost::LengthUnit kUnits[] = {
    refhost::LengthUnit::Millimetre, refhost::LengthUnit::Centimetre, refhost::LengthUnit::Metre,
    refhost::LengthUnit::Inch, refhost::LengthUnit::Foot};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const refhost::LengthUnit unit = kUnits[data[0] % std::size(kUnits)];
  const char separator = (data[1] & 1) != 0 ? ',' : '.';
  const int decimals = (data[1] >> 1) % 11;
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

  const refhost::LengthParse parsed = refhost::parseLength(text, unit, separator);
  FUZZ_CHECK(parsed.metres.has_value() != !parsed.error.empty());
  if (!parsed.metres) return 0;
  FUZZ_CHECK(std::isfinite(*parsed.metres));

  const refhost::LengthFormat format{unit, decimals, separator};
  const auto shown = refhost::formatLength(*parsed.metres, format);
  if (!shown) return 0;  // finite in metres but not in the unit
  const refhost::LengthParse again = refhost::parseLength(*shown, unit, separator);
  FUZZ_CHECK(again.metres.has_value());
  // Rounding to `decimals` of the unit moves the value by at most half a step; a large amount
  // keeps only a double's precision.
  const double step = refhost::toMetres(1.0, unit) * std::pow(10.0, -decimals);
  const double tolerance = step / 2 * (1 + 1e-9) + std::fabs(*parsed.metres) * 1e-12;
  FUZZ_CHECK(std::fabs(*again.metres - *parsed.metres) <= tolerance);
  return 0;
}
