#pragma once

#include <cstdint>

namespace automation {

// Double arithmetic that fails as the language's does instead of producing inf or NaN:
// x / 0 is a division by zero (11), 0 / 0 and any infinite result an overflow (6), any other
// invalid result an invalid procedure call (5).
double checkedAdd(double a, double b);
double checkedSub(double a, double b);
double checkedMul(double a, double b);
double checkedDiv(double a, double b);

// 16-bit signed counter arithmetic; leaving the range is an overflow (6).
std::int16_t checkedAdd16(std::int16_t a, std::int32_t b);

}  // namespace automation
