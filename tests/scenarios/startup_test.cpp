// Start-up and shut-down of a command run, seen from the reference host.
#include <algorithm>

#include "automation/convert.hpp"
#include "support/scenario_test.hpp"

namespace scenario {
namespace {

using automation::InvokeKind;

constexpr const char* kInitialize = "kstQuadrift.frmMain:ksCommand1_Initialize()";
constexpr const char* kTerminate = "kstQuadrift.frmMain:ksCommand1_Terminate()";

class StartUp : public ScenarioTest {};

TEST_F(StartUp, BindsTheCommandThenCallsMember63BeforeAnythingElse) {
  click("cmdCancel");
  start();
  const auto& log = host().callLog().records();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[0].target(), "ksCommand1.Command");
  EXPECT_EQ(log[0].kind, InvokeKind::Put);
  EXPECT_EQ(log[1].target(), "ksMouse1.63");
  EXPECT_EQ(log[1].kind, InvokeKind::Call);
  ASSERT_EQ(log[1].args.size(), 1u);
  EXPECT_EQ(log[1].args[0].type, "Boolean");
  EXPECT_EQ(automation::toInt16(log[1].args[0].value), 0);
  // Then the resource locator: folder, prefix, file name, in that order; then the host objects.
  const std::size_t folder = firstCall("ResourceLocator.1", InvokeKind::Put);
  const std::size_t prefix = firstCall("ResourceLocator.2", InvokeKind::Put);
  const std::size_t name = firstCall("ResourceLocator.3", InvokeKind::Get);
  EXPECT_GT(folder, log[1].index);
  EXPECT_LT(folder, prefix);
  EXPECT_LT(prefix, name);
  EXPECT_LT(name, firstCall("HostApplication.38", InvokeKind::Get));
  EXPECT_EQ(automation::toString(calls("ResourceLocator", 2)[0].args[0].value), "kstQuadrift_");
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(StartUp, Member63FailingIsReportedAndEndsTheCommandAfterTheDialogLoaded) {
  host().faults().failMember("ksMouse1.63");
  start();
  ASSERT_EQ(reportCount(), 1u) << reportSummary();
  EXPECT_EQ(reportsFrom(kInitialize), 1u);
  EXPECT_TRUE(host().eventFailures().empty()) << "nothing goes back to the command control";
  // The dialog's load step ran first: it hid the two overlay fields.
  EXPECT_TRUE(form().isLoaded());
  EXPECT_FALSE(control("txtCustomScale").visible());
  EXPECT_FALSE(control("txtCustomSize").visible());
  EXPECT_FALSE(form().visible());
  EXPECT_TRUE(calls("ResourceLocator", 1).empty()) << "nothing after step 1 ran";
  EXPECT_TRUE(host().command().done) << "no dialog came up, so the command ends";
}

TEST_F(StartUp, CaptionsComeFromTheLocalesSatellite) {
  settings.locale = 1031;
  probe([&] {
    EXPECT_EQ(form().caption(), "Blattrahmen verschieben");
    EXPECT_FALSE(form().button("cmdApply").caption().empty());
    EXPECT_NE(form().button("cmdApply").caption(), "&Apply");
    EXPECT_EQ(list("cboSize").listCount(), 48);
    EXPECT_EQ(list("cboScale").listCount(), 45);
  });
  click("cmdCancel");
  start();
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(StartUp, EnglishCaptionsFollowTheTableIdentifiers) {
  probe([&] {
    EXPECT_EQ(form().caption(), "Move Sheet Border");
    EXPECT_EQ(form().frame("fraDrawingScale").caption(), "Drawing Scale");
    EXPECT_EQ(option("optScaleMode", 0).caption(), "&Full size");
    EXPECT_EQ(option("optScaleMode", 2).caption(), "C&ustom:");
    EXPECT_EQ(form().frame("fraSheetOrigin").caption(), "Sheet Origin");
    EXPECT_EQ(form().frame("fraSheetSize").caption(), "Sheet Size");
    EXPECT_EQ(option("optSheetSize", 0).caption(), "Printer &default page");
    EXPECT_EQ(option("optSheetSize", 2).caption(), "&Custom:");
    EXPECT_EQ(form().label("lblSizeW").caption(), "&W:");
    EXPECT_EQ(form().label("lblSizeH").caption(), "x  &H:");
    EXPECT_EQ(form().button("cmdMove").caption(), "&Move...");
    EXPECT_EQ(form().button("cmdPrevious").caption(), "&Previous");
    EXPECT_EQ(form().button("cmdHelp").caption(), "Help");
    EXPECT_EQ(component().PlacementPrompt,
              "Click to place the sheet origin, or right-click to return to the dialog.");
    EXPECT_EQ(component().EndPrompt, "Ready");
  });
  click("cmdCancel");
  start();
  // Shut-down clears the prompts after writing the end prompt.
  EXPECT_EQ(host().statusText(), "Ready");
  EXPECT_TRUE(component().EndPrompt.empty());
  EXPECT_TRUE(component().PlacementPrompt.empty());
}

TEST_F(StartUp, MissingSatelliteIsReportedOnceAndTheDialogStillOpens) {
  settings.absentSatellites = {1033};
  bool shown = false;
  probe([&] {
    shown = form().visible();
    EXPECT_EQ(form().caption(), "");
    EXPECT_EQ(list("cboSize").listCount(), 48) << "empty captions, still 48 entries";
  });
  click("cmdCancel");
  start();
  EXPECT_TRUE(shown);
  // Without a library every caption is empty, so the list handlers that population sets off
  // find no lengths to scan: those are their own reports.
  ASSERT_EQ(reportCount(), 3u) << reportSummary();
  EXPECT_EQ(reportsFrom(kInitialize), 1u);
  EXPECT_EQ(reportsFrom("kstQuadrift.frmMain:cboSize_Click()"), 1u);
  EXPECT_EQ(reportsFrom("kstQuadrift.frmMain:cboScale_Click()"), 1u);
  const auto& r = host().errorReports()[0];
  EXPECT_EQ(r.description, "Failed to Load kstQuadrift_<>.dll Resource Lib");
  EXPECT_EQ(r.ident, kInitialize);
  EXPECT_EQ(r.source, "");
  EXPECT_EQ(r.helpFile, "");
  EXPECT_EQ(r.number, 0);
  EXPECT_EQ(r.helpContext, 0);
  EXPECT_EQ(r.style, 48);
  EXPECT_TRUE(host().command().done);
}

TEST_F(StartUp, AMissingLocaleSatelliteFallsBackToEnglishWithoutAReport) {
  settings.locale = 1031;
  settings.absentSatellites = {1031};
  probe([&] { EXPECT_EQ(form().caption(), "Move Sheet Border"); });
  click("cmdCancel");
  start();
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(StartUp, NoSheetSetupMeansOneReportNoDialogAndTheCommandEnds) {
  host().faults().failMember("HostSheet.30");
  start();  // no input is queued: a dialog shown now would run dry and throw
  ASSERT_EQ(reportCount(), 1u) << reportSummary();
  EXPECT_EQ(reportsFrom("kstQuadrift.frmMain:InitHostObjects()"), 1u);
  EXPECT_FALSE(form().visible());
  EXPECT_TRUE(engine().handled().empty());
  EXPECT_TRUE(host().command().done);
  EXPECT_EQ(host().command().terminateEvents, 1);
  EXPECT_TRUE(calls("HostSheetSetup", 7).empty()) << "no population";
  end();
  // Only the error reporter remains: it is kept while the component is loaded.
  EXPECT_TRUE(component().reporting.hasReporter());
  EXPECT_EQ(host().liveObjects(), 1u) << "the objects obtained were released";
}

// A run that applied and was cancelled, then a run of the same loaded component that cannot
// obtain its sheet: the second run's shut-down has nothing to restore and no undo to empty.
TEST_F(StartUp, ASecondRunWithoutItsHostObjectsDoesNotActOnTheFirstRunsFlags) {
  click("cmdApply");
  click("cmdCancel");
  start();
  end();
  const std::size_t depthWrites = calls("HostApplication", 25, InvokeKind::Put).size();
  const std::size_t setupWrites = calls("HostSheetSetup", 9, InvokeKind::Put).size();
  host().faults().failMember("HostSheet.30");
  start();
  end();
  EXPECT_EQ(reportCount(), 1u) << reportSummary();
  EXPECT_EQ(reportsFrom("kstQuadrift.frmMain:InitHostObjects()"), 1u);
  EXPECT_EQ(calls("HostApplication", 25, InvokeKind::Put).size(), depthWrites);
  EXPECT_EQ(calls("HostSheetSetup", 9, InvokeKind::Put).size(), setupWrites);
}

// The done flag that ends a start-up without host objects is put once, even when refused.
TEST_F(StartUp, ARefusedDoneFlagAfterAFailedStartUpIsNotPutAgain) {
  host().faults().failMember("HostSheet.30");
  host().faults().failMember("ksCommand1.3");
  start();
  EXPECT_EQ(calls("ksCommand1", 3, InvokeKind::Put).size(), 1u);
  EXPECT_EQ(reportsFrom("kstQuadrift.frmMain:InitHostObjects()"), 1u);
  EXPECT_EQ(reportsFrom(kInitialize), 1u) << reportSummary();
}

// Closing with the window's close control runs the shut-down itself and then ends the command,
// whose control raises the shut-down event again: the second run must do nothing.
TEST_F(StartUp, CloseControlRunsShutDownOnceThoughTheEventFollows) {
  click("cmdApply");
  closeWindow();
  start();
  EXPECT_EQ(host().command().terminateEvents, 1);
  EXPECT_EQ(calls("HostApplication", 32, InvokeKind::Put).size(), 1u) << "end prompt once";
  EXPECT_EQ(reportsFrom(kTerminate), 0u);
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
  EXPECT_EQ(calls("HostApplication", 25, InvokeKind::Put).size(), 2u) << "undo emptied once";
  EXPECT_TRUE(form().isLoaded()) << "hidden, not unloaded";
  EXPECT_FALSE(form().visible());
  end();
  EXPECT_EQ(host().liveObjects(), 0u);
}

TEST_F(StartUp, CancelRaisesTheShutDownEventOnce) {
  click("cmdApply");
  click("cmdCancel");
  start();
  EXPECT_EQ(host().command().terminateEvents, 1);
  EXPECT_EQ(calls("HostApplication", 32, InvokeKind::Put).size(), 1u);
  EXPECT_EQ(calls("HostApplication", 25, InvokeKind::Put).size(), 2u);
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(StartUp, ASecondRunOfTheLoadedComponentShutsDownAgain) {
  click("cmdOK");
  start();
  end();
  const std::size_t promptsAfterFirst = calls("HostApplication", 32, InvokeKind::Put).size();
  click("cmdCancel");
  start();
  end();
  EXPECT_EQ(calls("HostApplication", 32, InvokeKind::Put).size(), promptsAfterFirst + 1);
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
  EXPECT_EQ(host().liveObjects(), 0u);
}

TEST_F(StartUp, HelpFileNameReadsTheRegistryThroughTheRunningApplication) {
  settings.helpFile = "C:\\Help\\planorix";
  EXPECT_EQ(world().command(), nullptr);
  click("cmdCancel");
  start();
  EXPECT_EQ(world().command()->HelpFileName(), "C:\\Help\\planorix.chm");
  EXPECT_EQ(calls("HostApplication", 104).size(), 1u);
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(StartUp, HelpFileNameWithoutARunningApplicationIsEmptyAndUnreported) {
  settings.host.applicationRunning = false;
  settings.helpFile = "C:\\Help\\planorix.chm";
  click("cmdCancel");
  start();
  EXPECT_EQ(world().command()->HelpFileName(), "");
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

}  // namespace
}  // namespace scenario
