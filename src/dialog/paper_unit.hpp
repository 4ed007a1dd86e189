#pragma once

#include <string>

namespace command {
class Component;
}

namespace dialog {

// A paper length (metres) written in the sheet's paper unit with the locale's number text,
// e.g. "297 mm", "29.7 cm", "11 in". Empty for an unknown unit code or after a reported failure.
std::string FormatPaperUnit(command::Component& c, const double& value);

}  // namespace dialog
