#include "dialog/printer.hpp"

#include "automation/checked.hpp"
#include "automation/guard.hpp"
#include "command/component.hpp"

namespace dialog {
namespace {

// Windows paper codes (DMPAPER_) and the pair of list entries (2k portrait, 2k + 1 landscape)
// each selects.
struct PaperPair {
  std::int16_t paper;
  std::int32_t pair;
};
constexpr PaperPair kPaperPairs[] = {
    {14, 0},  {5, 1},   {7, 2},   {6, 3},   {20, 4},  {37, 5},  {1, 6},   {2, 6},   {18, 6},
    {3, 7},   {17, 7},  {24, 8},  {25, 9},  {26, 10}, {11, 13}, {9, 14},  {10, 14}, {8, 15},
    {13, 19}, {34, 19}, {12, 20}, {33, 20}, {30, 21}, {27, 22}, {36, 22}, {15, 23},
};
constexpr std::int16_t kLedger = 4;  // Tabloid turned: the orientation counts the other way
constexpr std::int16_t kPortrait = 1;

}  // namespace

std::int32_t QueryPrinterDefaultPageSize(command::Component& c) {
  // A failure leaves -1, "no entry": 0 would select the first size, which the printer never
  // asked for.
  return automation::guardedFunction(
      c.reporting, "kstQuadrift:MQuadrift:QueryPrinterDefaultPageSize()", std::int32_t{-1},
      [&](std::int32_t& result) {
        platform::System::DevMode mode;
        if (!c.system().GetDefaultPrinterDevMode(mode)) {
          throw automation::Failure(482, "Printer error");
        }
        const std::int32_t landscape = mode.orientation == kPortrait ? 0 : 1;
        if (mode.paperSize == kLedger) {
          result = mode.orientation == kPortrait ? 15 : 14;
          return;
        }
        result = -1;
        for (const PaperPair& p : kPaperPairs) {
          if (p.paper == mode.paperSize) result = 2 * p.pair + landscape;
        }
      });
}

void RetrievePrinterMargins(command::Component& c, double& vertical, double& horizontal) {
  constexpr const char* kIdent = "kstQuadrift:MQuadrift:RetrievePrinterMargins()";
  const automation::ProcedureScope running(c.reporting, kIdent);
  platform::System& system = c.system();
  if (!system.HasDefaultPrinter()) return;
  const platform::Handle dc = system.CreateDefaultPrinterDC();
  if (dc == 0) return;
  automation::guarded(c.reporting, kIdent, [&] {
    using automation::checkedDiv;
    const double offY = system.GetDeviceCaps(dc, platform::kPhysicalOffsetY);
    const double offX = system.GetDeviceCaps(dc, platform::kPhysicalOffsetX);
    const double physH = system.GetDeviceCaps(dc, platform::kPhysicalHeight);
    const double physW = system.GetDeviceCaps(dc, platform::kPhysicalWidth);
    const double sizeX = system.GetDeviceCaps(dc, platform::kHorzSize);
    const double sizeY = system.GetDeviceCaps(dc, platform::kVertSize);
    const double ratioX = checkedDiv(physW, sizeX);
    const double ratioY = checkedDiv(physH, sizeY);
    vertical = checkedDiv(checkedDiv(offY, ratioY), 1000);
    horizontal = checkedDiv(checkedDiv(offX, ratioX), 1000);
  });
  system.DeleteDC(dc);  // the device context was ours; nothing else would free it
}

}  // namespace dialog
