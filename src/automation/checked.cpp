#include "automation/checked.hpp"

#include <cmath>
#include <limits>

#include "automation/failure.hpp"

namespace automation {
namespace {

double checkedResult(double r) {
  if (std::isinf(r)) throw runtimeFailure(errnum::kOverflow);
  if (std::isnan(r)) throw runtimeFailure(errnum::kInvalidProcedureCall);
  return r;
}

}  // namespace

double checkedAdd(double a, double b) {
  return checkedResult(a + b);
}
double checkedSub(double a, double b) {
  return checkedResult(a - b);
}
double checkedMul(double a, double b) {
  return checkedResult(a * b);
}

double checkedDiv(double a, double b) {
  if (b == 0.0) {
    throw runtimeFailure(a == 0.0 || std::isnan(a) ? errnum::kOverflow : errnum::kDivisionByZero);
  }
  return checkedResult(a / b);
}

std::int16_t checkedAdd16(std::int16_t a, std::int32_t b) {
  const std::int64_t r = std::int64_t{a} + b;
  if (r < std::numeric_limits<std::int16_t>::min() ||
      r > std::numeric_limits<std::int16_t>::max()) {
    throw runtimeFailure(errnum::kOverflow);
  }
  return static_cast<std::int16_t>(r);
}

}  // namespace automation
