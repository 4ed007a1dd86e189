#pragma once

#include <cstdint>

namespace command {
class Component;
}

namespace dialog {

// The standard-size list entry matching the default printer's paper and orientation, or -1
// when none matches or the printer's settings cannot be read (reported).
std::int32_t QueryPrinterDefaultPageSize(command::Component& c);

// The printer's unprintable offsets from the top and the left edge of the page, metres. Leaves
// both unchanged when there is no printer or no device context (silently) or a capability is
// zero (reported); `vertical` is written only after both ratios are known, `horizontal` last.
void RetrievePrinterMargins(command::Component& c, double& vertical, double& horizontal);

}  // namespace dialog
