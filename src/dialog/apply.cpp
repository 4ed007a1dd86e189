// Writing the dialog's state to the sheet, the history behind Previous, and closing.
#include "automation/checked.hpp"
#include "automation/guard.hpp"
#include "command/component.hpp"
#include "dialog/frm_main.hpp"
#include "dialog/frm_main_controls.hpp"
#include "dialog/paper_unit.hpp"
#include "dialog/settings.hpp"
#include "dialog/setup_history.hpp"
#include "host/host_controls.hpp"

namespace dialog {

void FrmMain::PerformSheetSetup() {
  Controls& k = *ctl_;
  automation::guarded(c_.reporting, "kstQuadrift.frmMain:PerformSheetSetup()", [&] {
    const host::HostSheetSetup& setup = c_.HostSheetSetup;
    auto parse = [this](const ui::TextBox& field) {
      return c_.HostDocument.parseDistance(field.text());
    };
    k.cmdPrevious.setEnabled(c_.HistoryCount > 1);

    if (k.optSheetSize[0].value()) {
      // The host's printer default, not the list entry that matched the printer's page: the
      // sheet is to follow the printer, and the record read back must say so.
      setup.setSizeIndex(std::int32_t{-1});
      k.txtSizeH.setText(FormatPaperUnit(c_, setup.height()));
      k.txtSizeW.setText(FormatPaperUnit(c_, setup.width()));
    } else if (k.optSheetSize[1].value()) {
      setup.setSizeIndex(k.cboSize.listIndex());
    } else if (k.optSheetSize[2].value()) {
      setup.setSizeIndex(std::int32_t{-2});
      setup.setHeight(parse(k.txtSizeH));
      setup.setWidth(parse(k.txtSizeW));
    }

    if (k.optScaleMode[0].value()) {
      setup.setScaleMode(std::int32_t{-1});
    } else if (k.optScaleMode[1].value()) {
      setup.setScaleMode(automation::checkedAdd16(k.cboScale.listIndex(), 1));
    } else if (k.optScaleMode[2].value()) {
      setup.setScaleMode(std::int32_t{0});
      const double paper = parse(k.txtDSPaper);
      const double model = parse(k.txtDSModel);
      setup.setCustomScale(paper, model);
    }

    // The typed origin is in model coordinates; the host takes its negation on the sheet.
    const double factor = setup.scaleFactor();
    const double x = parse(k.txtSOLX);
    const double y = parse(k.txtSOLY);
    setup.setOrigin(0, 0);
    setup.setOrigin(automation::checkedMul(-x, factor), automation::checkedMul(-y, factor));
  });
}

void FrmMain::PerformSheetSetup(const SetupRecord& exact) {
  automation::guarded(c_.reporting, "kstQuadrift.frmMain:PerformSheetSetup()", [&] {
    const host::HostSheetSetup& setup = c_.HostSheetSetup;
    ctl_->cmdPrevious.setEnabled(c_.HistoryCount > 1);
    setup.setSizeIndex(exact.SizeIndex);
    if (exact.SizeIndex == -2) {
      setup.setHeight(exact.SheetHeight);
      setup.setWidth(exact.SheetWidth);
    }
    setup.setScaleMode(exact.ScaleIndex);
    if (exact.ScaleIndex == 0) setup.setCustomScale(exact.ScalePaperLength, exact.ScaleModelLength);
    // The origin as the sheet setup held it, written the way the dialog's state is.
    setup.setOrigin(0, 0);
    setup.setOrigin(exact.OriginX, exact.OriginY);
  });
}

// The steps that Apply and a placing left click share: a new history record holding what the
// host accepted, and any display sheet cleared. Runs inside the caller's guard.
void FrmMain::applyAndRecord() {
  c_.HistoryCount = automation::checkedAdd16(c_.HistoryCount, 1);
  c_.SetupApplied = true;
  PerformSheetSetup();
  c_.SetupHistory.resize(c_.HistoryCount);
  GetSettings(c_, c_.HistoryCount);
  c_.HostOverlay.clear();
}

void FrmMain::cmdApply_Click() {
  automation::guarded(c_.reporting, "kstQuadrift.frmMain:cmdApply_Click()",
                      [&] { applyAndRecord(); });
}

void FrmMain::cmdPrevious_Click() {
  automation::guarded(c_.reporting, "kstQuadrift.frmMain:cmdPrevious_Click()", [&] {
    c_.HistoryCount = automation::checkedAdd16(c_.HistoryCount, -1);
    PopulateForm(c_.HistoryCount);
    PerformSheetSetup();
  });
}

void FrmMain::cmdOK_Click() {
  bool ending = false;
  automation::guarded(c_.reporting, "kstQuadrift.frmMain:cmdOK_Click()", [&] {
    PerformSheetSetup();
    form_->hide();
    ending = true;
    host::CommandControl(ctl_->ksCommand1.object()).setDone(true);
    ending = false;
  });
  if (ending) {
    // The sheet has been written: a Cancel from the dialog shown again must put record 1 back.
    c_.SetupApplied = true;
    showAgainAfterFailedEnd("kstQuadrift.frmMain:cmdOK_Click()");
  }
}

void FrmMain::cmdCancel_Click() {
  bool ending = false;
  automation::guarded(c_.reporting, "kstQuadrift.frmMain:cmdCancel_Click()", [&] {
    form_->hide();
    ending = true;
    c_.UserCancelled = true;
    host::CommandControl(ctl_->ksCommand1.object()).setDone(true);
    ending = false;
  });
  if (ending) showAgainAfterFailedEnd("kstQuadrift.frmMain:cmdCancel_Click()");
}

void FrmMain::showAgainAfterFailedEnd(std::string_view ident, automation::CallSite click) {
  // The dialog is hidden but the command did not end: the user would have nothing left to end
  // it with. Shown again inside the running modal loop, so OK or Cancel can be tried again.
  automation::guarded(
      c_.reporting, ident,
      [&] {
        c_.UserCancelled = false;
        form_->show(ui::ShowMode::Modeless);
      },
      click);
}

void FrmMain::ClearUndoBuffer() {
  automation::guarded(c_.reporting, "kstQuadrift.frmMain:ClearUndoBuffer()", [&] {
    const std::int16_t depth = c_.HostApplication.undoDepth();
    c_.HostApplication.setUndoDepth(0);
    c_.HostApplication.setUndoDepth(depth);
  });
}

}  // namespace dialog
