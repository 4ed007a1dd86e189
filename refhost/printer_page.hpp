#pragma once

#include <cstdint>
#include <optional>

#include "environment.hpp"

namespace refhost {

// The host's standard size (0 to 47) that a printer's paper and orientation select: pair k of
// the paper in portrait (2k) or landscape (2k + 1); Ledger, a landscape paper, the other way
// round. Nothing for a paper the host has no standard size for.
std::optional<int> standardSizeOfPrinterPaper(std::int16_t paperCode, std::int16_t orientation);

// The size the host gives a sheet set to the printer's page: the printer paper's standard size,
// or Letter (in the printer's orientation) when there is no printer or its paper is unknown.
int printerPageSize(const std::optional<PrinterSettings>& printer);

}  // namespace refhost
