#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "automation/variant.hpp"

namespace automation {

// Conversions that fail as the language's do: a number outside the target's range is an
// overflow (6); text that is not a number, or an object, is a type mismatch (13). Doubles
// convert to integers by rounding half to even.
std::int16_t toInt16(const Variant& v);
std::int32_t toInt32(const Variant& v);
double toDouble(const Variant& v);
bool toBool(const Variant& v);
// Numbers are written with `decimalSeparator` (see numberText); Booleans as "True"/"False".
std::string toString(const Variant& v, char decimalSeparator = '.');
Object toObject(const Variant& v);

std::int16_t toInt16(double d);
std::int32_t toInt32(double d);

// Parses `text` as a number the way the language's numeric conversion does: surrounding blanks
// allowed, a sign, digits with one `decimalSeparator`, an optional exponent. Type mismatch
// otherwise.
double parseNumber(std::string_view text, char decimalSeparator = '.');

}  // namespace automation
