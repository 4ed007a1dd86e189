// frmMain's start-up and shut-down: the dialog's load step, the command control's start-up and
// shut-down events, and the window's close request.
#include "automation/guard.hpp"
#include "command/component.hpp"
#include "command/host_objects.hpp"
#include "dialog/frm_main.hpp"
#include "dialog/frm_main_controls.hpp"
#include "dialog/settings.hpp"
#include "dialog/sheet_lists.hpp"
#include "host/auxiliary_views.hpp"
#include "host/host_controls.hpp"
#include "platform/i18n_font.hpp"
#include "platform/resource_strings.hpp"

namespace dialog {

namespace {

constexpr const char* kInitializeIdent = "kstQuadrift.frmMain:ksCommand1_Initialize()";
constexpr const char* kSatellitePrefix = "kstQuadrift_";

}  // namespace

void FrmMain::Form_Load() {
  automation::guarded(c_.reporting, "kstQuadrift.frmMain:Form_Load()", [&] {
    platform::SetInternationalizeFont(*form_, c_.system(), c_.reporting);
    ctl_->txtCustomScale.setVisible(false);
    ctl_->txtCustomSize.setVisible(false);
  });
}

void FrmMain::loadResourceLibrary() {
  host::ResourceLocatorView locator(c_.env.creator);
  locator.setFolder(c_.system().ComponentFolder());
  locator.setPrefix(kSatellitePrefix);
  const std::string path = locator.fileName();
  c_.ResourceLibrary =
      c_.system().LoadLibraryExA(c_.system().ToAnsi(path), 0, platform::kLoadLibraryAsDatafile);
  if (c_.ResourceLibrary == 0) {
    c_.reporting.reportDirect("", "Failed to Load kstQuadrift_<>.dll Resource Lib", "", 0, 0,
                              kInitializeIdent);
  }
  locator.release();
}

void FrmMain::setCaptions() {
  Controls& k = *ctl_;
  auto text = [this](std::int32_t id) {
    return platform::GetResourceString(c_.system(), c_.reporting, c_.ResourceLibrary, id);
  };
  form_->setCaption(text(193));
  k.fraDrawingScale.setCaption(text(194));
  k.optScaleMode[0].setCaption(text(195));
  k.optScaleMode[1].setCaption(text(196));
  k.optScaleMode[2].setCaption(text(197));
  k.fraSheetOrigin.setCaption(text(198));
  k.fraSheetSize.setCaption(text(199));
  k.optSheetSize[0].setCaption(text(200));
  k.optSheetSize[1].setCaption(text(201));
  k.optSheetSize[2].setCaption(text(202));
  k.lblSizeW.setCaption(text(203));
  k.lblSizeH.setCaption(text(204));
  k.cmdMove.setCaption(text(205));
  k.cmdApply.setCaption(text(207));
  k.cmdPrevious.setCaption(text(208));
  k.cmdOK.setCaption(text(209));
  k.cmdCancel.setCaption(text(210));
  k.cmdHelp.setCaption(text(211));
  c_.PlacementPrompt = text(213);
  c_.EndPrompt = text(214);
}

void FrmMain::ksCommand1_Initialize() {
  const automation::ProcedureScope running(c_.reporting, kInitializeIdent);
  Controls& k = *ctl_;
  bool dialogShown = false;
  bool commandEnded = false;
  // A run's flags start clear whatever becomes of its start-up: a shut-down after a start-up that
  // never reached the sheet must not act on what an earlier run of this component applied.
  c_.SetupApplied = false;
  c_.UserCancelled = false;
  c_.ShutDownDone = false;
  automation::guarded(c_.reporting, kInitializeIdent, [&] {
    // Inside the guard, so that a refusal here is reported rather than thrown back into the
    // host's control.
    host::MouseControl(k.ksMouse1.object()).prepare();
    loadResourceLibrary();
    setCaptions();
    const host::CommandControl command(k.ksCommand1.object());
    if (command::InitHostObjects(c_, command)) {
      PopulateSheetSize(c_, k.cboSize);
      PopulateSheetScale(c_, k.cboScale);
      c_.HistoryCount = 1;
      c_.SetupHistory = SetupHistory();
      c_.SetupHistory.resize(1);
      GetSettings(c_, c_.HistoryCount);
      PopulateForm(c_.HistoryCount);
      // Owned by the host's main window, the dialog stays above it and out of the task bar;
      // without that window it is shown on its own.
      automation::Suppressed owner;
      owner.step([&] {
        form_->setOwnerWindow(static_cast<ui::WindowHandle>(c_.HostApplication.mainWindow()));
      });
      dialogShown = true;
      form_->show(ui::ShowMode::Modal);
    } else {
      // Put once: a refused done flag is reported, not tried again below.
      commandEnded = true;
      command.setDone(true);
    }
  });
  // A start-up that stopped before the dialog came up leaves the user nothing to end the command
  // with; end it here, so that the host shuts it down and gets its objects back.
  if (!dialogShown && !commandEnded) {
    automation::Suppressed steps;
    steps.step([&] { host::CommandControl(k.ksCommand1.object()).setDone(true); });
  }
}

void FrmMain::Form_QueryUnload(std::int16_t& cancel, std::int16_t unloadMode) {
  if (unloadMode != ui::kUnloadFromCloseControl) return;
  const automation::ProcedureScope running(c_.reporting, "kstQuadrift.frmMain:Form_QueryUnload()");
  // Every step ignores its own failure; nothing is reported.
  automation::Suppressed steps;
  steps.step([&] { c_.UserCancelled = true; });
  steps.step([&] { form_->hide(); });
  steps.step([&] { ksCommand1_Terminate(); });
  steps.step([&] { host::CommandControl(ctl_->ksCommand1.object()).setDone(true); });
  steps.step([&] { cancel = -1; });
}

void FrmMain::ksCommand1_Terminate() {
  // The close control runs the shut-down itself and then ends the command, whose control raises
  // the shut-down event again: that second run of the same shut-down does nothing.
  if (c_.ShutDownDone) return;
  c_.ShutDownDone = true;
  constexpr const char* kIdent = "kstQuadrift.frmMain:ksCommand1_Terminate()";
  const automation::ProcedureScope running(c_.reporting, kIdent);
  automation::guarded(c_.reporting, kIdent, [&] {
    if (c_.UserCancelled && c_.SetupApplied) {
      PopulateForm(1);
      PerformSheetSetup(c_.SetupHistory.at(1));
    }
    // A start-up that stopped before obtaining the application has no status bar to write to.
    if (c_.HostApplication.isSet()) c_.HostApplication.setStatusText(c_.EndPrompt);
    if (c_.SetupApplied) ClearUndoBuffer();
  });
  // Outside the guard: a failure of the steps above must not keep the host's objects referenced.
  // The release ignores its own failures.
  command::ReleaseHostObjects(c_);
}

}  // namespace dialog
