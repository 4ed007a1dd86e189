#include "automation/number_text.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "automation/failure.hpp"

namespace automation {

std::string numberText(double value, char decimalSeparator) {
  if (!std::isfinite(value)) throw runtimeFailure(errnum::kOverflow);
  if (value == 0.0) return "0";

  // Round to 15 significant digits: d.dddddddddddddde±XX
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
  std::string mantissa;
  const char* p = buf;
  for (; *p != 'e'; ++p) {
    if (*p != '.') mantissa.push_back(*p);
  }
  const int exponent = std::atoi(p + 1);
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

  std::string out = value < 0 ? "-" : "";
  if (exponent >= 15 || exponent < -5) {
    out += mantissa[0];
    if (mantissa.size() > 1) {
      out += decimalSeparator;
      out.append(mantissa, 1);
    }
    char exp[16];
    std::snprintf(exp, sizeof exp, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return out + exp;
  }
  if (exponent < 0) {
    out += '0';
    out += decimalSeparator;
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    return out + mantissa;
  }
  const auto intDigits = static_cast<std::size_t>(exponent) + 1;
  if (mantissa.size() <= intDigits) {
    out += mantissa;
    out.append(intDigits - mantissa.size(), '0');
    return out;
  }
  out.append(mantissa, 0, intDigits);
  out += decimalSeparator;
  out.append(mantissa, intDigits);
  return out;
}

}  // namespace automation
