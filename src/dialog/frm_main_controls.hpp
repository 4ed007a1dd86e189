#pragma once

#include "dialog/frm_main.hpp"
#include "ui/control.hpp"
#include "ui/form.hpp"
#include "ui/host_control.hpp"

namespace dialog {

// The controls of frmMain that the handlers use, looked up once by name after the form is
// built from its layout.
struct FrmMain::Controls {
  explicit Controls(ui::Form& f)
      : cmdMove(f.button("cmdMove")),
        cmdOK(f.button("cmdOK")),
        cmdCancel(f.button("cmdCancel")),
        cmdApply(f.button("cmdApply")),
        cmdPrevious(f.button("cmdPrevious")),
        cmdHelp(f.button("cmdHelp")),
        fraSheetOrigin(f.frame("fraSheetOrigin")),
        fraDrawingScale(f.frame("fraDrawingScale")),
        fraSheetSize(f.frame("fraSheetSize")),
        txtSOLX(f.textBox("txtSOLX")),
        txtSOLY(f.textBox("txtSOLY")),
        optScaleMode(f.optionArray("optScaleMode")),
        cboScale(f.comboBox("cboScale")),
        txtDSPaper(f.textBox("txtDSPaper")),
        txtDSModel(f.textBox("txtDSModel")),
        txtCustomScale(f.textBox("txtCustomScale")),
        optSheetSize(f.optionArray("optSheetSize")),
        cboSize(f.comboBox("cboSize")),
        lblSizeW(f.label("lblSizeW")),
        txtSizeW(f.textBox("txtSizeW")),
        lblSizeH(f.label("lblSizeH")),
        txtSizeH(f.textBox("txtSizeH")),
        txtCustomSize(f.textBox("txtCustomSize")),
        ksCommand1(f.hostControl("ksCommand1")),
        ksMouse1(f.hostControl("ksMouse1")) {}

  ui::CommandButton& cmdMove;
  ui::CommandButton& cmdOK;
  ui::CommandButton& cmdCancel;
  ui::CommandButton& cmdApply;
  ui::CommandButton& cmdPrevious;
  ui::CommandButton& cmdHelp;
  ui::Frame& fraSheetOrigin;
  ui::Frame& fraDrawingScale;
  ui::Frame& fraSheetSize;
  ui::TextBox& txtSOLX;
  ui::TextBox& txtSOLY;
  ui::OptionArray& optScaleMode;
  ui::ComboBox& cboScale;
  ui::TextBox& txtDSPaper;
  ui::TextBox& txtDSModel;
  ui::TextBox& txtCustomScale;
  ui::OptionArray& optSheetSize;
  ui::ComboBox& cboSize;
  ui::Label& lblSizeW;
  ui::TextBox& txtSizeW;
  ui::Label& lblSizeH;
  ui::TextBox& txtSizeH;
  ui::TextBox& txtCustomSize;
  ui::HostControl& ksCommand1;
  ui::HostControl& ksMouse1;
};

}  // namespace dialog
