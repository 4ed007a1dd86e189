// Apply, Previous, OK, Cancel and the close control: the sheet, the history and the host's undo
// history they leave.
#include <utility>

#include "automation/convert.hpp"
#include "support/scenario_test.hpp"

namespace scenario {
namespace {

using automation::InvokeKind;

class Applying : public ScenarioTest {
 protected:
  Applying() {
    settings.host.documentFormat.unit = refhost::LengthUnit::Millimetre;
    initial = sheet(28, 34);  // A4 portrait at 1:100
    initial.originX = -0.01;
    initial.originY = -0.02;
    settings.host.sheet = initial;
  }
  // Picks another size and scale, so that an Apply visibly changes the sheet.
  void changeSetup(std::int16_t size, std::int16_t scale) {
    pick("cboSize", size);
    pick("cboScale", scale);
  }
  std::size_t undoEntries() { return host().undoHistory().size(); }
  std::size_t depthWrites() { return calls("HostApplication", 25, InvokeKind::Put).size(); }

  refhost::SheetSetupState initial;
};

TEST_F(Applying, ApplyThenPreviousReturnsToTheStartingSetup) {
  changeSetup(31, 30);
  click("cmdApply");
  probe([&] {
    EXPECT_EQ(host().sheetSetup().sizeIndex, 31);
    EXPECT_EQ(component().HistoryCount, 2);
    EXPECT_TRUE(enabled("cmdPrevious"));
  });
  click("cmdPrevious");
  probe([&] {
    EXPECT_EQ(host().sheetSetup(), initial);
    EXPECT_EQ(component().HistoryCount, 1);
    EXPECT_FALSE(enabled("cmdPrevious"));
    EXPECT_EQ(list("cboSize").listIndex(), 28);
    EXPECT_EQ(list("cboScale").listIndex(), 33);
    EXPECT_EQ(text("txtSOLX"), "1000 mm");
    EXPECT_EQ(component().SetupHistory.size(), 2u) << "Previous does not shrink the history";
  });
  click("cmdCancel");
  start();
  EXPECT_EQ(host().sheetSetup(), initial) << "the restore is a no-op on the sheet";
  EXPECT_EQ(undoEntries(), 0u);
  EXPECT_EQ(host().undoHistory().depth(), 20);
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(Applying, ApplyTwicePreviousApplyLeavesThreeRecords) {
  changeSetup(31, 30);
  click("cmdApply");
  changeSetup(29, 27);
  click("cmdApply");
  click("cmdPrevious");
  probe([&] { EXPECT_EQ(host().sheetSetup().sizeIndex, 31); });
  pick("cboSize", 13);
  click("cmdApply");
  click("cmdOK");
  start();
  ASSERT_EQ(component().SetupHistory.size(), 3u);
  EXPECT_EQ(component().HistoryCount, 3);
  EXPECT_EQ(component().SetupHistory.at(1).SizeIndex, 28);
  EXPECT_EQ(component().SetupHistory.at(2).SizeIndex, 31);
  EXPECT_EQ(component().SetupHistory.at(3).SizeIndex, 13) << "replaces the one stepped back from";
  EXPECT_EQ(component().SetupHistory.at(3).ScaleIndex, 31);
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(Applying, ApplyThenCancelRestoresFirstThenEmptiesTheUndoHistory) {
  changeSetup(31, 30);
  enter("txtSOLX", "3m");
  click("cmdApply");
  click("cmdCancel");
  start();
  EXPECT_EQ(host().sheetSetup(), initial);
  EXPECT_EQ(undoEntries(), 0u);
  EXPECT_EQ(host().undoHistory().depth(), 20);
  // The restore's writes come before the undo depth is touched.
  const auto sizes = calls("HostSheetSetup", 9, InvokeKind::Put);
  ASSERT_EQ(sizes.size(), 2u);
  EXPECT_EQ(automation::toInt32(sizes[1].args[0].value), 28);
  const auto depth = calls("HostApplication", 25);
  ASSERT_EQ(depth.size(), 3u);
  EXPECT_EQ(depth[0].kind, InvokeKind::Get);
  EXPECT_EQ(automation::toInt32(depth[1].args[0].value), 0);
  EXPECT_EQ(automation::toInt32(depth[2].args[0].value), 20);
  EXPECT_GT(depth[0].index, calls("HostSheetSetup", 18).back().index);
  EXPECT_TRUE(host().command().done);
  EXPECT_EQ(host().statusText(), "Ready");
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(Applying, OkWithoutApplyWritesOnceAndLeavesTheUndoHistoryAlone) {
  changeSetup(31, 30);
  click("cmdOK");
  start();
  EXPECT_EQ(host().sheetSetup().sizeIndex, 31);
  EXPECT_EQ(host().sheetSetup().scaleMode, 31);
  EXPECT_EQ(calls("HostSheetSetup", 9, InvokeKind::Put).size(), 1u) << "no restore";
  ASSERT_EQ(undoEntries(), 1u) << "the run is one undo step";
  EXPECT_EQ(host().undoHistory().entries().back().description, "Move Sheet Border");
  ASSERT_TRUE(host().undo());
  EXPECT_EQ(host().sheetSetup(), initial) << "one Undo gives back the sheet before the command";
  EXPECT_TRUE(calls("HostApplication", 25).empty());
  EXPECT_FALSE(component().SetupApplied);
  EXPECT_EQ(component().HistoryCount, 1);
  EXPECT_TRUE(host().command().done);
  EXPECT_FALSE(form().visible());
}

TEST_F(Applying, ApplyThenOkKeepsTheOkStateAndEmptiesTheUndoHistory) {
  changeSetup(31, 30);
  click("cmdApply");
  pick("cboSize", 13);
  click("cmdOK");
  start();
  EXPECT_EQ(host().sheetSetup().sizeIndex, 13);
  EXPECT_EQ(calls("HostSheetSetup", 9, InvokeKind::Put).size(), 2u) << "no restore";
  EXPECT_EQ(undoEntries(), 0u);
  EXPECT_EQ(depthWrites(), 2u);
  EXPECT_EQ(component().HistoryCount, 2) << "OK adds no record";
}

TEST_F(Applying, OriginIsWrittenTwiceFirstAtZero) {
  enter("txtSOLX", "3m");
  enter("txtSOLY", "-4m");
  click("cmdApply");
  click("cmdOK");
  start();
  const auto origin = calls("HostSheetSetup", 18);
  ASSERT_EQ(origin.size(), 4u);
  for (std::size_t i : {0u, 2u}) {
    EXPECT_EQ(automation::toDouble(origin[i].args[0].value), 0.0);
    EXPECT_EQ(automation::toDouble(origin[i].args[1].value), 0.0);
    EXPECT_EQ(origin[i + 1].index, origin[i].index + 1);
  }
  EXPECT_DOUBLE_EQ(automation::toDouble(origin[1].args[0].value), -0.03);
  EXPECT_DOUBLE_EQ(automation::toDouble(origin[1].args[1].value), 0.04);
  // The factor is read after the scale is written.
  const std::size_t scale = firstCall("HostSheetSetup.7", InvokeKind::Put);
  const std::size_t factor = firstCall("HostSheetSetup.14", InvokeKind::Get, scale);
  EXPECT_LT(factor, origin[0].index);
  EXPECT_DOUBLE_EQ(host().sheetSetup().originX, -0.03);
}

TEST_F(Applying, TheRecordHoldsWhatTheHostAccepted) {
  click("optSheetSize(2)");
  enter("txtSizeW", "0");  // the host refuses a zero width
  click("cmdApply");
  click("cmdOK");
  start();
  EXPECT_EQ(reportsFrom("kstQuadrift.frmMain:PerformSheetSetup()"), 2u) << reportSummary();
  EXPECT_EQ(component().SetupHistory.at(2).SizeIndex, -2);
  EXPECT_DOUBLE_EQ(component().SetupHistory.at(2).SheetWidth, 0.21);
}

TEST_F(Applying, CloseControlAfterApplyRestoresLikeCancel) {
  changeSetup(31, 30);
  click("cmdApply");
  closeWindow();
  start();
  EXPECT_EQ(host().sheetSetup(), initial);
  EXPECT_EQ(undoEntries(), 0u);
  EXPECT_TRUE(component().UserCancelled);
  EXPECT_TRUE(form().isLoaded());
  EXPECT_FALSE(form().visible());
  EXPECT_TRUE(host().command().done);
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

// Cancel and the close control put record 1 back as it was read, although the document's
// format shows it coarser than it is: whole metres. Zero lengths keep the standard ones.
struct RestoreCase {
  const char* name;
  std::int32_t sizeIndex, scaleMode;
  double width, height, scalePaper, scaleModel, originX, originY;
};

class ExactRestore : public Applying, public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(ExactRestore, PutsRecordOneBackExactlyWithoutAReport) {
  const RestoreCase& c = GetParam();
  settings.host.documentFormat = {refhost::LengthUnit::Metre, 0, '.'};
  settings.printer = session::PrinterDescription{};  // A4 portrait
  initial = sheet(c.sizeIndex, c.scaleMode);
  for (auto [field, value] : {std::pair{&initial.width, c.width},
                              {&initial.height, c.height},
                              {&initial.scalePaper, c.scalePaper},
                              {&initial.scaleModel, c.scaleModel}}) {
    if (value != 0) *field = value;
  }
  initial.originX = c.originX;
  initial.originY = c.originY;
  settings.host.sheet = initial;
  for (const bool closeControl : {false, true}) {
    SCOPED_TRACE(closeControl ? "close control" : "Cancel");
    click("optSheetSize(1)");
    pick("cboSize", 31);
    click("optScaleMode(0)");
    click("cmdApply");
    closeControl ? closeWindow() : click("cmdCancel");
    start();
    EXPECT_EQ(host().sheetSetup(), initial);
    EXPECT_EQ(reportCount(), 0u) << reportSummary();
    end();
  }
}

INSTANTIATE_TEST_SUITE_P(
    CoarseFormats, ExactRestore,
    ::testing::Values(RestoreCase{"OriginBelowThePrecision", 28, -1, 0, 0, 0, 0, 0.006, -0.0004},
                      RestoreCase{"CustomModelLengthShownAsZero", 28, 0, 0, 0, 0.01, 0.03, 0, 0},
                      RestoreCase{"CustomSize", -2, 34, 0.1234, 0.0567, 0, 0, 0.2, 0.1},
                      RestoreCase{"PrinterDefault", -1, 34, 0.21, 0.297, 0, 0, -0.0031, 0}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(Applying, CloseControlBeforeApplyChangesNothing) {
  changeSetup(31, 30);
  closeWindow();
  start();
  EXPECT_EQ(host().sheetSetup(), initial);
  EXPECT_TRUE(calls("HostSheetSetup", 9, InvokeKind::Put).empty());
  EXPECT_TRUE(calls("HostApplication", 25).empty());
  EXPECT_TRUE(host().command().done);
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(Applying, CancelWithoutApplyWritesNothing) {
  changeSetup(31, 30);
  click("cmdCancel");
  start();
  EXPECT_EQ(host().sheetSetup(), initial);
  EXPECT_TRUE(calls("HostSheetSetup", 9, InvokeKind::Put).empty());
  EXPECT_TRUE(calls("HostApplication", 25).empty());
}

TEST_F(Applying, HelpOpensTheRegistrysFileAtTheCommandsTopic) {
  settings.helpFile = "C:\\Help\\planorix.chm";
  click("cmdHelp");
  click("cmdCancel");
  start();
  ASSERT_EQ(world().system().helpCalls().size(), 1u);
  const auto& call = world().system().helpCalls()[0];
  EXPECT_EQ(call.file, "C:\\Help\\planorix.chm");
  EXPECT_EQ(call.command, 15u);
  EXPECT_EQ(call.data, 61191u);
  EXPECT_EQ(call.owner, form().hWnd());
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(Applying, HelpAddsChmToAPathWithoutExtension) {
  settings.helpFile = "C:\\Help\\planorix";
  click("cmdHelp");
  click("cmdCancel");
  start();
  ASSERT_EQ(world().system().helpCalls().size(), 1u);
  EXPECT_EQ(world().system().helpCalls()[0].file, "C:\\Help\\planorix.chm");
}

}  // namespace
}  // namespace scenario
