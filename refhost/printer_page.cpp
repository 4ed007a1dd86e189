#include "printer_page.hpp"

#include <cmath>

#include "length_unit.hpp"
#include "standard_sheets.hpp"

namespace refhost {
namespace {

constexpr std::int16_t kLedger = 4;
constexpr int kLetterPortrait = 12;
constexpr double kInch = kMetresPerInch;
constexpr double kMm = 0.001;

struct Paper {
  std::int16_t code;
  double width;  // metres, upright
  double height;
};

// The papers a printer may hold that select no standard size, by DMPAPER_ code.
constexpr Paper kOtherPapers[] = {
    {16, 10 * kInch, 14 * kInch},        // 10x14
    {19, 3.875 * kInch, 8.875 * kInch},  // Envelope #9
    {21, 4.5 * kInch, 10.375 * kInch},   // Envelope #11
    {22, 4.75 * kInch, 11 * kInch},      // Envelope #12
    {23, 5 * kInch, 11.5 * kInch},       // Envelope #14
    {28, 162 * kMm, 229 * kMm},          // Envelope C5
    {29, 324 * kMm, 458 * kMm},          // Envelope C3
    {31, 114 * kMm, 162 * kMm},          // Envelope C6
    {32, 114 * kMm, 229 * kMm},          // Envelope C65
    {35, 176 * kMm, 125 * kMm},          // Envelope B6
    {38, 3.625 * kInch, 6.5 * kInch},    // Envelope Personal
    {39, 14.875 * kInch, 11 * kInch},    // US Std Fanfold
    {40, 8.5 * kInch, 12 * kInch},       // German Std Fanfold
    {41, 8.5 * kInch, 13 * kInch},       // German Legal Fanfold
    {66, 420 * kMm, 594 * kMm},          // A2
    {70, 105 * kMm, 148 * kMm},          // A6
};

constexpr int kDotsPerInch = 300;
constexpr std::int32_t kBorderDots = 75;

std::int32_t dots(double metres) {
  return static_cast<std::int32_t>(std::lround(metres / kInch * kDotsPerInch));
}
std::int32_t wholeMm(std::int32_t dotCount) {
  return static_cast<std::int32_t>(std::lround(dotCount * 25.4 / kDotsPerInch));
}

// The first entry of the pair a DMPAPER_ code selects, or -1.
int pairOf(std::int16_t code) {
  switch (code) {
    case 14:  // Folio
      return 0;
    case 5:  // Legal
      return 2;
    case 7:  // Executive
      return 4;
    case 6:  // Statement
      return 6;
    case 20:  // Envelope #10
      return 8;
    case 37:  // Envelope Monarch
      return 10;
    case 1:   // Letter
    case 2:   // Letter small
    case 18:  // Note
      return 12;
    case 3:   // Tabloid
    case 17:  // 11x17
    case kLedger:
      return 14;
    case 24:  // C sheet
      return 16;
    case 25:  // D sheet
      return 18;
    case 26:  // E sheet
      return 20;
    case 11:  // A5
      return 26;
    case 9:   // A4
    case 10:  // A4 small
      return 28;
    case 8:  // A3
      return 30;
    case 13:  // B5
    case 34:  // Envelope B5
      return 38;
    case 12:  // B4
    case 33:  // Envelope B4
      return 40;
    case 30:  // Envelope C4
      return 42;
    case 27:  // Envelope DL
    case 36:  // Envelope Italy
      return 44;
    case 15:  // Quarto
      return 46;
    default:
      return -1;
  }
}

}  // namespace

std::optional<int> standardSizeOfPrinterPaper(std::int16_t paperCode, std::int16_t orientation) {
  const int pair = pairOf(paperCode);
  if (pair < 0) return std::nullopt;
  int landscape = orientation == 1 ? 0 : 1;
  if (paperCode == kLedger) landscape = 1 - landscape;
  return pair + landscape;
}

PageSize printerPage(std::int16_t paperCode, std::int16_t orientation) {
  const bool portrait = orientation == 1;
  if (const std::optional<int> size = standardSizeOfPrinterPaper(paperCode, orientation)) {
    return {standardSizeWidth(*size), standardSizeHeight(*size)};
  }
  for (const Paper& paper : kOtherPapers) {
    if (paper.code != paperCode) continue;
    return portrait ? PageSize{paper.width, paper.height} : PageSize{paper.height, paper.width};
  }
  const int letter = kLetterPortrait + (portrait ? 0 : 1);
  return {standardSizeWidth(letter), standardSizeHeight(letter)};
}

PageSize printerPage(const std::optional<PrinterSettings>& printer) {
  return printer ? printerPage(printer->paperCode, printer->orientation)
                 : printerPage(std::int16_t{1}, std::int16_t{1});
}

DeviceCaps uprightCaps(std::int16_t paperCode) {
  const PageSize page = printerPage(paperCode, std::int16_t{1});
  DeviceCaps caps{kBorderDots, kBorderDots, dots(page.width), dots(page.height), 0, 0};
  caps.horzSizeMm = wholeMm(caps.physicalWidth - 2 * caps.offsetX);
  caps.vertSizeMm = wholeMm(caps.physicalHeight - 2 * caps.offsetY);
  return caps;
}

DeviceCaps capsInOrientation(const DeviceCaps& upright, std::int16_t orientation) {
  if (orientation == 1) return upright;
  return {upright.offsetY,       upright.offsetX,    upright.physicalHeight,
          upright.physicalWidth, upright.vertSizeMm, upright.horzSizeMm};
}

}  // namespace refhost
