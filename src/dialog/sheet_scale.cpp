// frmMain's drawing-scale frame: full size, a standard scale, or a custom ratio.
#include "automation/guard.hpp"
#include "command/component.hpp"
#include "dialog/caption_scan.hpp"
#include "dialog/frm_main.hpp"
#include "dialog/frm_main_controls.hpp"
#include "dialog/paper_unit.hpp"

namespace dialog {

namespace {
constexpr std::int16_t kFullSizeScaleListIndex = 24;
constexpr std::int16_t kDefaultScaleListIndex = 5;
constexpr double kFullSizePaperLength = 0.0254;  // one inch
constexpr const char* kFullSizeModelText = "1 in";
}  // namespace

void FrmMain::optScaleMode_Click(std::int16_t index) {
  Controls& k = *ctl_;
  automation::guarded(c_.reporting, "kstQuadrift.frmMain:optScaleMode_Click()", [&] {
    switch (index) {
      case 0: {
        k.txtCustomScale.setVisible(false);
        k.cboScale.setListIndex(kFullSizeScaleListIndex);
        k.cboScale.setEnabled(false);
        k.txtDSPaper.setText(FormatPaperUnit(c_, kFullSizePaperLength));
        k.txtDSPaper.setEnabled(false);
        const double model = c_.HostDocument.parseDistance(kFullSizeModelText);
        showLength(k.txtDSModel, model);
        k.txtDSModel.setEnabled(false);
        break;
      }
      case 1:
        k.txtCustomScale.setVisible(false);
        k.txtDSPaper.setEnabled(false);
        k.txtDSModel.setEnabled(false);
        k.cboScale.setEnabled(true);
        if (k.cboScale.text().empty()) k.cboScale.setListIndex(kDefaultScaleListIndex);
        break;
      case 2:
        k.txtCustomScale.setVisible(true);
        k.txtCustomScale.setText("Custom");
        k.cboScale.setEnabled(false);
        k.txtDSPaper.setEnabled(true);
        k.txtDSModel.setEnabled(true);
        break;
      default:
        break;
    }
  });
}

void FrmMain::cboScale_Click() {
  Controls& k = *ctl_;
  automation::guarded(c_.reporting, "kstQuadrift.frmMain:cboScale_Click()", [&] {
    const CaptionLengths texts = scanScaleCaption(k.cboScale.text());
    showCaptionLengths(texts, k.txtDSPaper, k.txtDSModel);
  });
}

}  // namespace dialog
