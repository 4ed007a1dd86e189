#pragma once

#include <cstdint>
#include <optional>

#include "environment.hpp"
#include "platform/device_caps.hpp"

namespace refhost {

// The host's standard size (0 to 47) that a printer's paper and orientation select: pair k of
// the paper in portrait (2k) or landscape (2k + 1); Ledger, a landscape paper, the other way
// round. Nothing for a paper the host has no standard size for.
std::optional<int> standardSizeOfPrinterPaper(std::int16_t paperCode, std::int16_t orientation);

// A page's width and height, metres.
struct PageSize {
  double width = 0;
  double height = 0;
  friend bool operator==(const PageSize&, const PageSize&) = default;
};

// The page the host gives a sheet set to the printer's page: the standard size the paper
// selects; else the paper's own size in the printer's orientation; else (a paper code the host
// does not know) Letter in the printer's orientation. Letter portrait without a printer.
PageSize printerPage(const std::optional<PrinterSettings>& printer);
PageSize printerPage(std::int16_t paperCode, std::int16_t orientation);

using portable::DeviceCaps;

// A 300-dpi printer with a 75-dot unprintable border on the paper's page, held upright (as in
// portrait orientation).
DeviceCaps uprightCaps(std::int16_t paperCode);
// `upright` as the printer reports it in `orientation`: turned (widths and heights, x and y
// swapped) for anything but portrait (1).
DeviceCaps capsInOrientation(const DeviceCaps& upright, std::int16_t orientation);

}  // namespace refhost
