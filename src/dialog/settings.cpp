#include "dialog/settings.hpp"

#include "automation/guard.hpp"
#include "command/component.hpp"

namespace dialog {

void GetSettings(command::Component& c, std::int16_t number) {
  automation::guarded(c.reporting, "kstQuadrift:MQuadrift:GetSettings()", [&] {
    double x = 0;
    double y = 0;
    c.HostSheetSetup.origin(x, y);
    double paper = 0;
    double model = 0;
    c.HostSheetSetup.scaleDistances(paper, model);
    SetupRecord& record = c.SetupHistory.at(number);
    record.OriginX = x;
    record.OriginY = y;
    record.ScaleIndex = c.HostSheetSetup.scaleMode();
    record.ScaleModelLength = model;
    record.ScalePaperLength = paper;
    record.SizeIndex = c.HostSheetSetup.sizeIndex();
    record.SheetHeight = c.HostSheetSetup.height();
    record.SheetWidth = c.HostSheetSetup.width();
  });
}

}  // namespace dialog
