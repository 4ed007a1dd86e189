#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace windows {

// The PostScript printer that sessions with a `printer` statement run against: Wine's
// PostScript driver with a description of our own, 300 dpi, a quarter inch unprintable on
// every side, printing to a file.
inline constexpr const char* kInstalledPrinterName = "Quadrift Test Printer";
// The printer data Wine's PostScript driver takes a printer's default page from (a page's name
// in its description) before the description's own default.
inline constexpr const char* kPageOverrides = "PPD Overrides";
inline constexpr const char* kDefaultPage = "DefaultPageSize";

// A paper the installed printer holds: its DMPAPER_ code and its name in the printer
// description, which is also the name its default page is chosen by.
struct PrinterPaper {
  std::int16_t code;
  const char* name;
  int widthPoints;  // upright
  int heightPoints;
};
std::span<const PrinterPaper> installedPrinterPapers();
std::optional<PrinterPaper> installedPrinterPaper(std::int16_t code);

// Adds the printer to this Wine prefix (or brings an installed one's description up to date)
// and makes it the default. Empty when that worked, else why not.
std::string installPrinter();

}  // namespace windows
