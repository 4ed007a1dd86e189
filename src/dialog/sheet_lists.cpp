#include "dialog/sheet_lists.hpp"

#include <cstdint>

#include "automation/guard.hpp"
#include "command/component.hpp"
#include "platform/resource_strings.hpp"
#include "ui/control.hpp"

namespace dialog {
namespace {

// The guarded body of both list procedures, which run it as their own.
void fillList(command::Component& c, ui::ComboBox& list, const char* ident, int firstId, int count,
              automation::CallSite procedure = automation::CallSite::here()) {
  automation::guarded(
      c.reporting, ident,
      [&] {
        for (int i = 0; i < count; ++i) {
          list.addItem(
              platform::GetResourceString(c.system(), c.reporting, c.ResourceLibrary, firstId + i),
              static_cast<std::int16_t>(i));
        }
      },
      procedure);
}

}  // namespace

void PopulateSheetSize(command::Component& c, ui::ComboBox& list) {
  fillList(c, list, "kstQuadrift:MQuadrift:PopulateSheetSize()", kFirstSizeCaptionId,
           kStandardSizeCount);
}

void PopulateSheetScale(command::Component& c, ui::ComboBox& list) {
  fillList(c, list, "kstQuadrift:MQuadrift:PopulateSheetScale()", kFirstScaleCaptionId,
           kStandardScaleCount);
}

}  // namespace dialog
