// frmMain's sheet-size frame: the printer's page, a standard size, or a custom size.
#include "automation/convert.hpp"
#include "automation/guard.hpp"
#include "command/component.hpp"
#include "dialog/caption_scan.hpp"
#include "dialog/frm_main.hpp"
#include "dialog/frm_main_controls.hpp"
#include "dialog/printer.hpp"

namespace dialog {

namespace {
constexpr std::int16_t kDefaultSizeListIndex = 12;  // the first entry of the Letter pair
}  // namespace

void FrmMain::optSheetSize_Click(std::int16_t index) {
  Controls& k = *ctl_;
  automation::guarded(c_.reporting, "kstQuadrift.frmMain:optSheetSize_Click()", [&] {
    switch (index) {
      case 0: {
        k.txtCustomSize.setVisible(false);
        const std::int32_t entry = QueryPrinterDefaultPageSize(c_);
        if (entry != -1) k.cboSize.setListIndex(automation::toInt16(automation::Variant(entry)));
        k.txtSizeH.setEnabled(false);
        k.txtSizeW.setEnabled(false);
        k.cboSize.setEnabled(false);
        break;
      }
      case 1:
        k.txtCustomSize.setVisible(false);
        k.txtSizeH.setEnabled(false);
        k.txtSizeW.setEnabled(false);
        k.cboSize.setEnabled(true);
        if (k.cboSize.text().empty()) k.cboSize.setListIndex(kDefaultSizeListIndex);
        break;
      case 2:
        k.txtCustomSize.setVisible(true);
        k.txtCustomSize.setText("Custom");
        k.cboSize.setEnabled(false);
        k.txtSizeH.setEnabled(true);
        k.txtSizeW.setEnabled(true);
        break;
      default:
        break;
    }
  });
}

void FrmMain::cboSize_Click() {
  Controls& k = *ctl_;
  automation::guarded(c_.reporting, "kstQuadrift.frmMain:cboSize_Click()", [&] {
    const CaptionLengths texts = scanSizeCaption(k.cboSize.text());
    showCaptionLengths(texts, k.txtSizeW, k.txtSizeH);
  });
}

}  // namespace dialog
