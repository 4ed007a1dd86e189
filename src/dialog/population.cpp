// Filling frmMain from a recorded setup.
#include "automation/checked.hpp"
#include "automation/convert.hpp"
#include "automation/guard.hpp"
#include "command/component.hpp"
#include "dialog/frm_main.hpp"
#include "dialog/frm_main_controls.hpp"
#include "dialog/paper_unit.hpp"

namespace dialog {

namespace {

constexpr std::int16_t kFullSizeScaleListIndex = 24;

std::int16_t listIndexOf(std::int32_t n) {
  return automation::toInt16(automation::Variant(n));
}

}  // namespace

void FrmMain::PopulateForm(std::int16_t number) {
  Controls& k = *ctl_;
  automation::guarded(c_.reporting, "kstQuadrift.frmMain:PopulateForm()", [&] {
    const double factor = automation::checkedDiv(c_.SetupHistory.at(number).ScaleModelLength,
                                                 c_.SetupHistory.at(number).ScalePaperLength);

    // The origin fields show the opposite of the stored origin, in model lengths.
    auto showOrigin = [&](ui::TextBox& field, double stored) {
      std::string text = c_.HostDocument.formatDistance(automation::checkedMul(factor, stored));
      if (!text.empty() && text.front() == '-') {
        text.erase(0, 1);
      } else if (stored > 0) {
        text.insert(0, "-");
      }
      field.setText(std::move(text));
    };
    showOrigin(k.txtSOLX, c_.SetupHistory.at(number).OriginX);
    showOrigin(k.txtSOLY, c_.SetupHistory.at(number).OriginY);

    k.txtDSPaper.setText(FormatPaperUnit(c_, c_.SetupHistory.at(number).ScalePaperLength));
    showLength(k.txtDSModel, c_.SetupHistory.at(number).ScaleModelLength);
    k.txtSizeH.setText(FormatPaperUnit(c_, c_.SetupHistory.at(number).SheetHeight));
    k.txtSizeW.setText(FormatPaperUnit(c_, c_.SetupHistory.at(number).SheetWidth));

    // Selecting an option or a list entry runs its handler at once, which rewrites some of the
    // texts set above; the later steps here override the states the handler set.
    switch (const std::int32_t size = c_.SetupHistory.at(number).SizeIndex; size) {
      case -2:
        k.optSheetSize[2].setValue(true);
        k.txtSizeH.setEnabled(true);
        k.txtSizeW.setEnabled(true);
        k.cboSize.setEnabled(false);
        break;
      case -1:
        k.optSheetSize[0].setValue(true);
        k.txtSizeH.setEnabled(false);
        k.txtSizeW.setEnabled(false);
        k.cboSize.setEnabled(false);
        break;
      default:
        k.optSheetSize[1].setValue(true);
        k.cboSize.setListIndex(listIndexOf(size));
        k.txtSizeH.setEnabled(false);
        k.txtSizeW.setEnabled(false);
        break;
    }

    switch (const std::int32_t scale = c_.SetupHistory.at(number).ScaleIndex; scale) {
      case -1:
        k.optScaleMode[0].setValue(true);
        k.cboScale.setListIndex(kFullSizeScaleListIndex);
        k.cboScale.setEnabled(false);
        k.txtDSPaper.setEnabled(false);
        k.txtDSModel.setEnabled(false);
        break;
      case 0:
        k.optScaleMode[2].setValue(true);
        k.txtDSPaper.setEnabled(true);
        k.txtDSModel.setEnabled(true);
        k.cboScale.setEnabled(false);
        break;
      default:
        k.optScaleMode[1].setValue(true);
        k.txtDSPaper.setEnabled(false);
        k.txtDSModel.setEnabled(false);
        k.cboScale.setListIndex(listIndexOf(scale - 1));
        k.cboScale.setEnabled(true);
        break;
    }
  });
}

}  // namespace dialog
