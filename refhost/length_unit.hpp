#pragma once

#include <optional>
#include <string_view>

namespace refhost {

// The length units a document can display and its parser understands.
enum class LengthUnit { Inch, Foot, Millimetre, Centimetre, Metre };

// The unit's symbol as the document writes it: "in", "ft", "mm", "cm", "m".
std::string_view unitSymbol(LengthUnit unit);
// The unit a word names: in inch inches " ft foot feet ' mm cm m (letters in any case).
std::optional<LengthUnit> unitNamed(std::string_view word);

// The exact inch, in metres.
inline constexpr double kMetresPerInch = 0.0254;

// Converts between a number of units and metres. Imperial units go through the exact inch
// (0.0254 m) and metric ones divide or multiply by powers of ten, so "1 in" is exactly 0.0254
// and "297 mm" exactly 0.297.
double toMetres(double amount, LengthUnit unit);
double fromMetres(double metres, LengthUnit unit);

}  // namespace refhost
