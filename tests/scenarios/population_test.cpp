// Filling the dialog from a recorded setup: what start-up shows for the sheet it finds.
#include "support/scenario_test.hpp"

namespace scenario {
namespace {

constexpr const char* kPopulateForm = "kstQuadrift.frmMain:PopulateForm()";

class Population : public ScenarioTest {
 protected:
  Population() {
    settings.host.documentFormat.unit = refhost::LengthUnit::Metre;
    settings.host.documentFormat.decimals = 3;
  }
  // Starts the command on `sheet` and runs `check` while the dialog is shown.
  void showSheet(const refhost::SheetSetupState& s, std::function<void()> check) {
    settings.host.sheet = s;
    probe(std::move(check));
    click("cmdCancel");
    start();
  }
};

TEST_F(Population, OriginShowsTheOppositeOfTheStoredValue) {
  refhost::SheetSetupState s = sheet(28, -1);
  s.originX = 1.5;
  s.originY = -2.25;
  showSheet(s, [&] {
    EXPECT_EQ(text("txtSOLX"), "-1.5 m");
    EXPECT_EQ(text("txtSOLY"), "2.25 m");
  });
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(Population, AZeroOriginIsShownAsTheHostFormatsIt) {
  showSheet(sheet(28, -1), [&] {
    EXPECT_EQ(text("txtSOLX"), "0 m");
    EXPECT_EQ(text("txtSOLY"), "0 m");
  });
}

TEST_F(Population, OriginIsScaledByModelOverPaper) {
  refhost::SheetSetupState s = sheet(28, 0);
  s.scalePaper = 1;
  s.scaleModel = 100;
  s.originX = 0.05;
  s.originY = -0.125;
  showSheet(s, [&] {
    EXPECT_EQ(text("txtSOLX"), "-5 m");
    EXPECT_EQ(text("txtSOLY"), "12.5 m");
  });
}

TEST_F(Population, CustomSizeAndCustomScaleShowTheRecordsOwnLengths) {
  settings.host.documentFormat.unit = refhost::LengthUnit::Millimetre;
  refhost::SheetSetupState s = sheet(-2, 0);
  s.paperUnit = 1;
  s.width = 0.3;
  s.height = 0.2;
  s.scalePaper = 0.001;
  s.scaleModel = 0.05;
  s.originX = -0.2;
  s.originY = 0.1;
  showSheet(s, [&] {
    EXPECT_EQ(text("txtSizeW"), "300 mm");
    EXPECT_EQ(text("txtSizeH"), "200 mm");
    EXPECT_EQ(text("txtDSPaper"), "1 mm");
    EXPECT_EQ(text("txtDSModel"), "50 mm");
    EXPECT_EQ(text("txtSOLX"), "10000 mm");
    EXPECT_EQ(text("txtSOLY"), "-5000 mm");
    EXPECT_TRUE(option("optSheetSize", 2).value());
    EXPECT_TRUE(option("optScaleMode", 2).value());
    EXPECT_TRUE(enabled("txtSizeW"));
    EXPECT_TRUE(enabled("txtSizeH"));
    EXPECT_TRUE(enabled("txtDSPaper"));
    EXPECT_TRUE(enabled("txtDSModel"));
    EXPECT_FALSE(enabled("cboSize"));
    EXPECT_FALSE(enabled("cboScale"));
    EXPECT_TRUE(control("txtCustomSize").visible());
    EXPECT_EQ(text("txtCustomSize"), "Custom");
    EXPECT_TRUE(control("txtCustomScale").visible());
    EXPECT_EQ(list("cboSize").listIndex(), -1);
    EXPECT_EQ(list("cboScale").listIndex(), -1);
  });
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(Population, StandardSizeAndScaleShowTheirCaptionsLengths) {
  settings.host.documentFormat.unit = refhost::LengthUnit::Millimetre;
  showSheet(sheet(31, 34), [&] {  // A3 landscape; scale 34 is entry 33, "1:100 mm"
    EXPECT_EQ(list("cboSize").listIndex(), 31);
    EXPECT_EQ(text("txtSizeW"), "420 mm");
    EXPECT_EQ(text("txtSizeH"), "297 mm");
    EXPECT_TRUE(enabled("cboSize"));
    EXPECT_FALSE(enabled("txtSizeW"));
    EXPECT_EQ(list("cboScale").listIndex(), 33);
    EXPECT_EQ(list("cboScale").text(), "1:100 mm");
    EXPECT_EQ(text("txtDSPaper"), "1 mm");
    EXPECT_EQ(text("txtDSModel"), "100 mm");
    EXPECT_TRUE(enabled("cboScale"));
    EXPECT_FALSE(enabled("txtDSPaper"));
    EXPECT_FALSE(enabled("txtDSModel"));
    EXPECT_FALSE(enabled("cmdPrevious"));
  });
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(Population, FullSizeShowsEntry24DisabledWithBothScaleFieldsDisabled) {
  showSheet(sheet(28, -1), [&] {
    EXPECT_TRUE(option("optScaleMode", 0).value());
    EXPECT_EQ(list("cboScale").listIndex(), 24);
    EXPECT_FALSE(enabled("cboScale"));
    EXPECT_FALSE(enabled("txtDSPaper"));
    EXPECT_FALSE(enabled("txtDSModel"));
    EXPECT_EQ(text("txtDSPaper"), "1 in") << "one inch in the sheet's paper unit";
    EXPECT_EQ(text("txtDSModel"), "0.025 m") << "one inch in the document's format";
  });
}

TEST_F(Population, AZeroPaperLengthIsReportedAndNoControlChanges) {
  refhost::SheetSetupState s = sheet(-2, 0);
  s.scalePaper = 0;
  s.scaleModel = 1;
  settings.host.sheet = s;
  probe([&] {
    // The fields keep their design texts, which no parse accepts.
    EXPECT_EQ(text("txtSOLX"), "txtSOLX");
    EXPECT_EQ(text("txtSizeW"), "txtSizeW");
    EXPECT_EQ(text("txtDSModel"), "txtDSModel");
    for (std::int16_t i = 0; i < 3; ++i) {
      EXPECT_FALSE(option("optSheetSize", i).value());
      EXPECT_FALSE(option("optScaleMode", i).value());
    }
  });
  closeWindow();  // the close control moves no focus, so no field is checked
  start();
  ASSERT_EQ(reportCount(), 1u) << reportSummary();
  EXPECT_EQ(reportsFrom(kPopulateForm), 1u);
  EXPECT_TRUE(calls("HostDocument", 45).empty()) << "nothing formatted";
}

// A record whose reading failed is all zeros; stepping back to it reports and leaves the dialog
// as it was.
TEST_F(Population, SteppingBackToAnUnreadRecordReportsAndKeepsTheDialog) {
  settings.host.sheet = sheet(28, -1);
  host().faults().failMemberCall("HostSheetSetup.17", 2);  // the first Apply's reading
  click("cmdApply");
  pick("cboSize", 30);
  click("cmdApply");
  std::string widthBefore;
  probe([&] { widthBefore = text("txtSizeW"); });
  click("cmdPrevious");
  probe([&] {
    EXPECT_EQ(text("txtSizeW"), widthBefore);
    EXPECT_EQ(list("cboSize").listIndex(), 30);
    EXPECT_EQ(component().HistoryCount, 2);
  });
  click("cmdOK");
  start();
  EXPECT_EQ(reportsFrom("kstQuadrift:MQuadrift:GetSettings()"), 1u) << reportSummary();
  EXPECT_EQ(reportsFrom(kPopulateForm), 1u) << reportSummary();
  EXPECT_EQ(component().SetupHistory.at(2).ScalePaperLength, 0.0);
}

TEST_F(Population, SizeIndexBeyondTheListIsReportedAndTheScaleIsNotSet) {
  refhost::SheetSetupState s = sheet(28, 5);
  s.sizeIndex = 48;
  showSheet(s, [&] {
    EXPECT_TRUE(option("optSheetSize", 1).value());
    EXPECT_EQ(list("cboSize").listIndex(), 12) << "standard mode picked its default first";
    for (std::int16_t i = 0; i < 3; ++i) EXPECT_FALSE(option("optScaleMode", i).value());
    EXPECT_EQ(list("cboScale").listIndex(), -1);
  });
  ASSERT_EQ(reportCount(), 1u) << reportSummary();
  EXPECT_EQ(reportsFrom(kPopulateForm), 1u);
}

}  // namespace
}  // namespace scenario
