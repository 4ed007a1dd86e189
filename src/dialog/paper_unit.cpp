#include "dialog/paper_unit.hpp"

#include "automation/checked.hpp"
#include "automation/guard.hpp"
#include "automation/number_text.hpp"
#include "command/component.hpp"

namespace dialog {

using automation::checkedDiv;
using automation::checkedMul;

std::string FormatPaperUnit(command::Component& c, const double& value) {
  return automation::guardedFunction(
      c.reporting, "kstQuadrift:MQuadrift:FormatPaperUnit()", std::string(),
      [&](std::string& result) {
        const std::int32_t code = c.HostSheetSetup.paperUnit();
        const char separator = c.system().DecimalSeparator();
        switch (code) {
          case 0:
            result =
                automation::numberText(checkedDiv(checkedMul(value, 100), 2.54), separator) + " in";
            break;
          case 1:
            result = automation::numberText(checkedMul(value, 1000), separator) + " mm";
            break;
          case 2:
            result = automation::numberText(checkedMul(value, 100), separator) + " cm";
            break;
          default:
            break;
        }
      });
}

}  // namespace dialog
