// Placing the sheet origin with the mouse: Move hides the dialog and shows the display sheet,
// which follows the cursor; a left click applies the clicked origin, a right click abandons.
#include "automation/convert.hpp"
#include "automation/guard.hpp"
#include "command/component.hpp"
#include "dialog/frm_main.hpp"
#include "dialog/frm_main_controls.hpp"
#include "placement/display_sheet.hpp"

namespace dialog {

namespace {

constexpr std::uint32_t kNoSizeNoMove = 3;  // SWP_NOSIZE | SWP_NOMOVE
constexpr std::int16_t kPlacingButton = 1;
constexpr std::int16_t kAbandoningButton = 2;

// The event arguments: button, shift state, X, Y, Z, an object, an integer, an object. Only X
// and Y are read for a move (its button plays no part), and the button as well for a click.
struct MousePoint {
  double x;
  double y;
};

MousePoint mousePointOf(std::span<automation::Variant> args) {
  if (args.size() < 4) throw automation::runtimeFailure(automation::errnum::kInvalidProcedureCall);
  return {automation::toDouble(args[2]), automation::toDouble(args[3])};
}

std::int16_t mouseButtonOf(std::span<automation::Variant> args) {
  if (args.empty()) throw automation::runtimeFailure(automation::errnum::kInvalidProcedureCall);
  return automation::toInt16(args[0]);
}

}  // namespace

void FrmMain::cmdMove_Click() {
  automation::guarded(c_.reporting, "kstQuadrift.frmMain:cmdMove_Click()", [&] {
    const auto hostWindow = static_cast<platform::Handle>(c_.HostApplication.mainWindow());
    const platform::Handle dialogWindow = form_->hWnd();
    c_.system().SetWindowPos(hostWindow, dialogWindow, 0, 0, 0, 0, kNoSizeNoMove);
    form_->hide();
    PlacementDone = false;
    ctl_->ksMouse1.setEnabled(true);
    c_.HostApplication.setStatusText(c_.PlacementPrompt);
    placement::CreateDisplaySheet(c_);
  });
}

void FrmMain::ksMouse1_MouseMove(std::span<automation::Variant> args) {
  automation::guarded(c_.reporting, "kstQuadrift.frmMain:ksMouse1_MouseMove()", [&] {
    if (PlacementDone) return;
    const MousePoint p = mousePointOf(args);
    placement::MoveDisplaySheet(c_, p.x, p.y);
  });
}

void FrmMain::ksMouse1_MouseClick(std::span<automation::Variant> args) {
  Controls& k = *ctl_;
  constexpr const char* kIdent = "kstQuadrift.frmMain:ksMouse1_MouseClick()";
  // Set from the moment the mouse control is disabled until the dialog is shown again.
  bool placementEnded = false;
  automation::guarded(c_.reporting, kIdent, [&] {
    const std::int16_t button = mouseButtonOf(args);
    if (button != kPlacingButton && button != kAbandoningButton) return;
    const MousePoint e = mousePointOf(args);
    if (button == kPlacingButton) {
      showLength(k.txtSOLX, e.x);
      showLength(k.txtSOLY, e.y);
      PlacementDone = true;
      k.ksMouse1.setEnabled(false);
      placementEnded = true;
      applyAndRecord();
      placementEnded = false;
      form_->show(ui::ShowMode::Modal);
    } else {
      // Everything is put back before the dialog is shown, so that nothing of the abandoned
      // placement is left behind while the dialog is up.
      c_.HostOverlay.clear();
      k.ksMouse1.setEnabled(false);
      placementEnded = true;
      PopulateForm(c_.HistoryCount);
      placementEnded = false;
      form_->show(ui::ShowMode::Modal);
    }
  });
  // A failure after the mouse control was disabled would leave neither the mouse nor the dialog
  // to go on with: the dialog comes back.
  if (placementEnded) {
    automation::guarded(c_.reporting, kIdent, [&] { form_->show(ui::ShowMode::Modal); });
  }
}

}  // namespace dialog
