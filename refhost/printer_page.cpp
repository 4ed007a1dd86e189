#include "printer_page.hpp"

namespace refhost {
namespace {

constexpr std::int16_t kLedger = 4;
constexpr int kLetterPortrait = 12;

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

int printerPageSize(const std::optional<PrinterSettings>& printer) {
  if (!printer) return kLetterPortrait;
  if (auto size = standardSizeOfPrinterPaper(printer->paperCode, printer->orientation)) {
    return *size;
  }
  return kLetterPortrait + (printer->orientation == 1 ? 0 : 1);
}

}  // namespace refhost
