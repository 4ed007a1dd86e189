#include "placement/display_sheet.hpp"

#include "automation/checked.hpp"
#include "automation/guard.hpp"
#include "command/component.hpp"
#include "dialog/printer.hpp"

namespace placement {

using automation::checkedAdd;
using automation::checkedDiv;
using automation::checkedMul;
using automation::checkedSub;

namespace {

// Adds both outlines to the overlay in their colours and shows them.
void showOutlines(command::Component& c) {
  DisplaySheetState& d = c.Display;
  c.HostOverlay.add(d.SheetOutline, kSheetOutlineColour, 0);
  c.HostOverlay.add(d.PrintableOutline, kPrintableOutlineColour, 1);
  c.HostOverlay.show();
}

}  // namespace

void CreateDisplaySheet(command::Component& c) {
  automation::guarded(c.reporting, "kstQuadrift:MQuadrift:CreateDisplaySheet()", [&] {
    DisplaySheetState& d = c.Display;
    d.Created = false;
    d.SheetOutline = c.HostGraphicFactory.newGraphic();
    const double s1 = c.HostSheetSetup.scaleFactor();
    const double s2 = c.HostSheetSetup.scaleFactor();
    const dialog::SetupRecord& current = c.SetupHistory.at(c.HistoryCount);
    const double w = current.SheetWidth;
    const double h = current.SheetHeight;
    const double a = checkedMul(checkedDiv(1, s1), w);
    const double b = checkedMul(checkedDiv(1, s2), h);
    d.SheetOutline.setRectangle(0, 0, a, b);

    double marginV = 0;
    double marginH = 0;
    dialog::RetrievePrinterMargins(c, marginV, marginH);
    d.PrintableOutline = c.HostGraphicFactory.newGraphic();
    double s[4];
    for (double& factor : s) factor = c.HostSheetSetup.scaleFactor();
    const double x = checkedMul(checkedDiv(1, s[0]), marginH);
    const double y = checkedMul(checkedDiv(1, s[1]), marginV);
    const double pw = checkedMul(checkedDiv(1, s[2]), checkedSub(w, checkedMul(2, marginH)));
    const double ph = checkedMul(checkedDiv(1, s[3]), checkedSub(h, checkedMul(2, marginV)));
    d.PrintableOutline.setRectangle(x, y, pw, ph);

    d.DisplayLastX = 0;
    d.DisplayLastY = 0;
    d.PrintableLastX = 0;
    d.PrintableLastY = 0;
    d.DisplayMarginY = marginV;
    d.DisplayMarginX = marginH;
    d.Created = true;
    c.HostOverlay.clear();
    showOutlines(c);
  });
}

void MoveDisplaySheet(command::Component& c, const double& x, const double& y) {
  automation::guarded(c.reporting, "kstQuadrift:MQuadrift:MoveDisplaySheet()", [&] {
    DisplaySheetState& d = c.Display;
    // A creation that failed was reported once; the moves that follow stay silent.
    if (!d.Created) return;
    c.HostOverlay.clear();
    // Each outline is moved even when the other's move fails, and records where it went, so
    // that both stay with the cursor; the first failure is then reported.
    automation::Suppressed sheet;
    sheet.step([&] {
      d.SheetOutline.moveBy(d.DisplayLastX, d.DisplayLastY, x, y);
      d.DisplayLastX = x;
      d.DisplayLastY = y;
    });
    automation::Suppressed printable;
    printable.step([&] {
      const double p = checkedAdd(d.DisplayMarginX, d.PrintableLastX);
      const double q = checkedAdd(d.DisplayMarginY, d.PrintableLastY);
      const double u = checkedAdd(d.DisplayMarginX, x);
      const double v = checkedAdd(d.DisplayMarginY, y);
      d.PrintableOutline.moveBy(p, q, u, v);
      d.PrintableLastX = x;
      d.PrintableLastY = y;
    });
    for (const automation::Suppressed* move : {&sheet, &printable}) {
      if (move->failed()) throw *move->pending();
    }
    showOutlines(c);
  });
}

}  // namespace placement
