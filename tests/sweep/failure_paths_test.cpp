// Failure paths that would otherwise strand the user or keep the host's objects: each ends with
// the command ended or the dialog back, and every object obtained released.
#include "support/scenario_test.hpp"

namespace scenario {
namespace {

class FailurePaths : public ScenarioTest {
 protected:
  // Runs the command with the input queued so far, then a look at the dialog and a Cancel:
  // whether the dialog was shown again for that Cancel to reach.
  bool runThenCancelFromTheDialogShownAgain() {
    bool shownAgain = false;
    probe([&] { shownAgain = form().visible(); });
    click("cmdCancel");
    start();
    engine().runUntilIdle();
    return shownAgain;
  }
};

TEST_F(FailurePaths, AStartUpStepFailingEndsTheCommandAndReleasesEverything) {
  host().faults().failMember("ResourceLocator.1");
  start();
  ASSERT_EQ(reportCount(), 1u) << reportSummary();
  EXPECT_EQ(reportsFrom("kstQuadrift.frmMain:ksCommand1_Initialize()"), 1u);
  EXPECT_FALSE(form().visible());
  EXPECT_TRUE(host().command().done);
  end();
  EXPECT_EQ(host().liveObjects(), 1u) << "only the error reporter is kept";
}

TEST_F(FailurePaths, ShutDownReleasesTheHostObjectsEvenWhenTheEndPromptFails) {
  host().faults().failMemberCall("HostApplication.32", 1);
  click("cmdCancel");
  start();
  EXPECT_EQ(reportsFrom("kstQuadrift.frmMain:ksCommand1_Terminate()"), 1u) << reportSummary();
  end();
  EXPECT_EQ(host().liveObjects(), 1u) << "only the error reporter is kept";
}

TEST_F(FailurePaths, OkWhoseDoneFlagFailsShowsTheDialogAgainAndCancelRestores) {
  const refhost::SheetSetupState before = host().sheetSetup();
  host().faults().failMemberCall("ksCommand1.3", 1);
  click("optScaleMode(2)");
  enter("txtDSModel", "50 mm");
  click("cmdOK");
  EXPECT_TRUE(runThenCancelFromTheDialogShownAgain());
  EXPECT_EQ(reportsFrom("kstQuadrift.frmMain:cmdOK_Click()"), 1u) << reportSummary();
  EXPECT_TRUE(host().command().done);
  EXPECT_EQ(host().sheetSetup(), before) << "the Cancel put record 1 back";
}

TEST_F(FailurePaths, CancelWhoseDoneFlagFailsShowsTheDialogAgain) {
  host().faults().failMemberCall("ksCommand1.3", 1);
  click("cmdCancel");
  EXPECT_TRUE(runThenCancelFromTheDialogShownAgain());
  EXPECT_EQ(reportsFrom("kstQuadrift.frmMain:cmdCancel_Click()"), 1u) << reportSummary();
  EXPECT_TRUE(host().command().done);
}

TEST_F(FailurePaths, APlacingClickFailingLateBringsTheDialogBack) {
  // Cleared by the display sheet's creation, by the move, then after the click's apply.
  host().faults().failMemberCall("HostOverlay.2", 3);
  click("cmdMove");
  queue(portable::UserAction::mouseMove(-6, -5));
  queue(portable::UserAction::mouseClick(1, -6, -5));
  EXPECT_TRUE(runThenCancelFromTheDialogShownAgain());
  EXPECT_EQ(reportsFrom("kstQuadrift.frmMain:ksMouse1_MouseClick()"), 1u) << reportSummary();
  EXPECT_TRUE(host().command().done);
  EXPECT_TRUE(host().eventFailures().empty());
}

}  // namespace
}  // namespace scenario
