// Choosing the drawing scale: full size, a standard scale or a custom ratio.
#include "automation/convert.hpp"
#include "support/scenario_test.hpp"

namespace scenario {
namespace {

using automation::InvokeKind;

constexpr const char* kScaleClick = "kstQuadrift.frmMain:cboScale_Click()";

class SheetScale : public ScenarioTest {
 protected:
  SheetScale() {
    settings.host.documentFormat.unit = refhost::LengthUnit::Millimetre;
    settings.host.sheet = sheet(28, 34);  // A4 at 1:100
  }
};

TEST_F(SheetScale, FullSizeInMillimetresShows25Point4) {
  settings.host.sheet.paperUnit = 1;
  click("optScaleMode(0)");
  probe([&] {
    EXPECT_EQ(text("txtDSPaper"), "25.4 mm");
    EXPECT_EQ(text("txtDSModel"), "25.4 mm");
    EXPECT_EQ(list("cboScale").listIndex(), 24);
    EXPECT_FALSE(enabled("cboScale"));
    EXPECT_FALSE(enabled("txtDSPaper"));
    EXPECT_FALSE(enabled("txtDSModel"));
  });
  click("cmdCancel");
  start();
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(SheetScale, FullSizeUsesTheLocalesDecimalSeparator) {
  settings.locale = 1031;
  settings.host.sheet.paperUnit = 1;
  click("optScaleMode(0)");
  probe([&] {
    EXPECT_EQ(text("txtDSPaper"), "25,4 mm");
    EXPECT_EQ(text("txtDSModel"), "25,4 mm");
  });
  click("cmdCancel");
  start();
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(SheetScale, FullSizeInCentimetres) {
  settings.host.sheet.paperUnit = 2;
  click("optScaleMode(0)");
  probe([&] { EXPECT_EQ(text("txtDSPaper"), "2.54 cm"); });
  click("cmdCancel");
  start();
}

TEST_F(SheetScale, StandardModeWithNoSelectionPicksEntry5) {
  refhost::SheetSetupState s = sheet(28, 0);
  s.scalePaper = 0.001;
  s.scaleModel = 0.02;
  settings.host.sheet = s;
  click("optScaleMode(1)");
  probe([&] {
    EXPECT_EQ(list("cboScale").listIndex(), 5);
    EXPECT_EQ(list("cboScale").text(), "1/8\" = 1'-0\"");
    EXPECT_EQ(text("txtDSPaper"), "3.17 mm");  // 3.175 is just below in binary
    EXPECT_EQ(text("txtDSModel"), "304.8 mm");
    EXPECT_TRUE(enabled("cboScale"));
    EXPECT_FALSE(enabled("txtDSPaper"));
    EXPECT_FALSE(control("txtCustomScale").visible());
  });
  click("cmdCancel");
  start();
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(SheetScale, CustomThenStandardKeepsTheEntryAndTheTypedLengths) {
  click("optScaleMode(2)");
  probe([&] {
    EXPECT_TRUE(control("txtCustomScale").visible());
    EXPECT_EQ(text("txtCustomScale"), "Custom");
    EXPECT_FALSE(enabled("cboScale"));
    EXPECT_TRUE(enabled("txtDSPaper"));
  });
  enter("txtDSModel", "250mm");
  click("optScaleMode(1)");
  probe([&] {
    EXPECT_EQ(list("cboScale").listIndex(), 33);
    EXPECT_EQ(text("txtDSModel"), "250 mm");
  });
  click("cmdCancel");
  start();
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(SheetScale, ARatioCaptionGivesEachNumberTheUnit) {
  pick("cboScale", 30);  // "1:25 mm"
  probe([&] {
    EXPECT_EQ(text("txtDSPaper"), "1 mm");
    EXPECT_EQ(text("txtDSModel"), "25 mm");
  });
  pick("cboScale", 15);  // "100:1 mm"
  probe([&] {
    EXPECT_EQ(text("txtDSPaper"), "100 mm");
    EXPECT_EQ(text("txtDSModel"), "1 mm");
  });
  click("cmdCancel");
  start();
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(SheetScale, APaperTextTheHostCannotParseLeavesOnlyThatField) {
  overrideString(1033, 178, "one:25 mm");
  pick("cboScale", 30);
  probe([&] {
    EXPECT_EQ(text("txtDSPaper"), "1 mm") << "from 1:100";
    EXPECT_EQ(text("txtDSModel"), "25 mm");
  });
  click("cmdCancel");
  start();
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(SheetScale, ACaptionWithoutColonOrSpaceIsReportedAndChangesNothing) {
  overrideString(1033, 178, "1/4\"=1'");
  pick("cboScale", 30);
  probe([&] {
    EXPECT_EQ(text("txtDSPaper"), "1 mm");
    EXPECT_EQ(text("txtDSModel"), "100 mm");
  });
  click("cmdCancel");
  start();
  EXPECT_EQ(reportsFrom(kScaleClick), 1u);
  EXPECT_EQ(reportCount(), 1u) << reportSummary();
}

TEST_F(SheetScale, OnlyTheFirstDashOfAPaperLengthBecomesASpace) {
  overrideString(1033, 178, "1-1/2\" = 1'-0\"");
  overrideString(1033, 179, "1-1-2\" = 1'-0\"");
  pick("cboScale", 30);
  probe([&] { EXPECT_EQ(text("txtDSPaper"), "38.1 mm") << "1 1/2 in"; });
  pick("cboScale", 31);
  probe([&] {
    EXPECT_EQ(text("txtDSPaper"), "38.1 mm") << "\"1 1-2\" is not a length: unchanged";
    EXPECT_EQ(text("txtDSModel"), "304.8 mm");
  });
  click("cmdCancel");
  start();
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(SheetScale, FullSizeIsWrittenAsMinus1AndTheOriginUsesItsFactor) {
  click("optScaleMode(0)");
  enter("txtSOLX", "2m");
  enter("txtSOLY", "-0.5m");
  click("cmdOK");
  start();
  const auto modes = calls("HostSheetSetup", 7, InvokeKind::Put);
  ASSERT_EQ(modes.size(), 1u);
  EXPECT_EQ(automation::toInt32(modes[0].args[0].value), -1);
  EXPECT_LT(modes[0].index, firstCall("HostSheetSetup.14", InvokeKind::Get, modes[0].index));
  const auto origin = calls("HostSheetSetup", 18);
  ASSERT_EQ(origin.size(), 2u);
  // The factor is exactly 1: the host receives exactly -X and -Y.
  EXPECT_EQ(automation::toDouble(origin[1].args[0].value), -2.0);
  EXPECT_EQ(automation::toDouble(origin[1].args[1].value), 0.5);
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(SheetScale, AStandardScaleWritesItsNumberAndScalesTheOrigin) {
  pick("cboScale", 30);  // 1:25, standard scale 31
  enter("txtSOLX", "10m");
  enter("txtSOLY", "5m");
  click("cmdOK");
  start();
  const auto modes = calls("HostSheetSetup", 7, InvokeKind::Put);
  ASSERT_EQ(modes.size(), 1u);
  EXPECT_EQ(automation::toInt32(modes[0].args[0].value), 31);
  EXPECT_DOUBLE_EQ(host().sheetSetup().originX, -0.4);
  EXPECT_DOUBLE_EQ(host().sheetSetup().originY, -0.2);
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(SheetScale, ACustomScaleWritesZeroThenBothLengths) {
  click("optScaleMode(2)");
  enter("txtDSPaper", "2mm");
  enter("txtDSModel", "1m");
  click("cmdOK");
  start();
  const std::size_t mode = firstCall("HostSheetSetup.7", InvokeKind::Put);
  const auto custom = calls("HostSheetSetup", 15);
  ASSERT_EQ(custom.size(), 1u);
  EXPECT_LT(mode, custom[0].index);
  EXPECT_DOUBLE_EQ(automation::toDouble(custom[0].args[0].value), 0.002);
  EXPECT_DOUBLE_EQ(automation::toDouble(custom[0].args[1].value), 1.0);
  EXPECT_DOUBLE_EQ(host().sheetSetup().scalePaper / host().sheetSetup().scaleModel, 0.002);
}

}  // namespace
}  // namespace scenario
