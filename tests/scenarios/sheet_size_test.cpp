// Choosing the sheet size: the printer's page, a standard size or a custom one.
#include "automation/convert.hpp"
#include "support/scenario_test.hpp"

namespace scenario {
namespace {

using automation::InvokeKind;

constexpr const char* kSizeClick = "kstQuadrift.frmMain:cboSize_Click()";
constexpr const char* kQueryPrinter = "kstQuadrift:MQuadrift:QueryPrinterDefaultPageSize()";

class SheetSize : public ScenarioTest {
 protected:
  SheetSize() {
    settings.host.documentFormat.unit = refhost::LengthUnit::Millimetre;
    settings.host.sheet = sheet(0, -1);  // Folio: no printer below selects it
  }
  void usePrinter(std::int16_t paper, std::int16_t orientation) {
    session::PrinterDescription p;
    p.paper = paper;
    p.orientation = orientation;
    settings.printer = p;
  }
  // The size index values the host received, in order.
  std::vector<std::int32_t> sizeIndexWrites() {
    std::vector<std::int32_t> written;
    for (const auto& r : calls("HostSheetSetup", 9, InvokeKind::Put)) {
      written.push_back(automation::toInt32(r.args[0].value));
    }
    return written;
  }
};

TEST_F(SheetSize, StandardModeWithNoSelectionPicksEntry12) {
  refhost::SheetSetupState s = sheet(-2, -1);
  s.width = 0.1;
  s.height = 0.2;
  settings.host.sheet = s;
  click("optSheetSize(1)");
  probe([&] {
    EXPECT_EQ(list("cboSize").listIndex(), 12);
    EXPECT_EQ(text("txtSizeW"), "215.9 mm");
    EXPECT_EQ(text("txtSizeH"), "279.4 mm");
    EXPECT_TRUE(enabled("cboSize"));
    EXPECT_FALSE(enabled("txtSizeW"));
    EXPECT_FALSE(enabled("txtSizeH"));
    EXPECT_FALSE(control("txtCustomSize").visible());
  });
  click("cmdCancel");
  start();
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(SheetSize, CustomThenStandardKeepsTheEntryAndTheTypedSize) {
  settings.host.sheet = sheet(28, -1);
  click("optSheetSize(2)");
  probe([&] {
    EXPECT_TRUE(enabled("txtSizeW"));
    EXPECT_FALSE(enabled("cboSize"));
    EXPECT_TRUE(control("txtCustomSize").visible());
  });
  enter("txtSizeW", "100mm");
  click("optSheetSize(1)");
  probe([&] {
    EXPECT_EQ(list("cboSize").listIndex(), 28);
    EXPECT_EQ(text("txtSizeW"), "100 mm") << "the list handler did not run again";
    EXPECT_FALSE(control("txtCustomSize").visible());
  });
  click("cmdCancel");
  start();
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

struct PrinterCase {
  std::int16_t paper;
  std::int16_t orientation;
  std::int16_t entry;
};

class PrinterPage : public SheetSize, public ::testing::WithParamInterface<PrinterCase> {};

TEST_P(PrinterPage, SelectsTheMatchingEntryAndDisablesTheSizeControls) {
  usePrinter(GetParam().paper, GetParam().orientation);
  std::string expectedWidth;
  click("optSheetSize(0)");
  probe([&] {
    EXPECT_EQ(list("cboSize").listIndex(), GetParam().entry);
    EXPECT_FALSE(enabled("cboSize"));
    EXPECT_FALSE(enabled("txtSizeW"));
    EXPECT_FALSE(enabled("txtSizeH"));
  });
  click("cmdApply");
  click("cmdOK");
  start();
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
  // The entry only shows the printer's page; the sheet is to follow the printer.
  EXPECT_EQ(sizeIndexWrites(), (std::vector<std::int32_t>{-1, -1}));
  EXPECT_EQ(component().SetupHistory.at(2).SizeIndex, -1);
}

INSTANTIATE_TEST_SUITE_P(Papers, PrinterPage,
                         ::testing::Values(PrinterCase{9, 1, 28}, PrinterCase{9, 2, 29},
                                           PrinterCase{4, 1, 15}, PrinterCase{4, 2, 14},
                                           PrinterCase{3, 1, 14}, PrinterCase{10, 2, 29},
                                           PrinterCase{14, 1, 0}, PrinterCase{15, 2, 47}));

TEST_F(SheetSize, UnlistedPrinterPaperChangesNoEntryButStillDisables) {
  usePrinter(19, 1);  // DMPAPER_ENV_9
  click("optSheetSize(0)");
  probe([&] {
    EXPECT_EQ(list("cboSize").listIndex(), 0) << "the older selection stays";
    EXPECT_EQ(text("txtSizeW"), "215.9 mm");
    EXPECT_EQ(text("txtSizeH"), "330.2 mm");
    EXPECT_FALSE(enabled("cboSize"));
    EXPECT_FALSE(enabled("txtSizeW"));
    EXPECT_FALSE(enabled("txtSizeH"));
  });
  click("cmdCancel");
  start();
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

// The user asked for the printer's page; the older list selection is another size.
TEST_F(SheetSize, ApplyingAnUnlistedPrinterPageWritesThePrinterDefault) {
  usePrinter(19, 1);
  click("optSheetSize(0)");
  click("cmdApply");
  probe([&] {
    EXPECT_EQ(host().sheetSetup().sizeIndex, -1);
    // The host's own size of the printer's page is read back into the fields.
    EXPECT_EQ(text("txtSizeW"), "3.875 in");
    EXPECT_EQ(text("txtSizeH"), "8.875 in");
  });
  click("cmdOK");
  start();
  EXPECT_EQ(sizeIndexWrites(), (std::vector<std::int32_t>{-1, -1}));
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
  EXPECT_EQ(component().SetupHistory.at(2).SizeIndex, -1);
}

// Stepping back to the printer's page, listed (A4) or not (DMPAPER_ENV_9), shows the printer
// option again and writes the printer default again.
class SteppingBackToThePrinterPage : public SheetSize,
                                     public ::testing::WithParamInterface<PrinterCase> {};

TEST_P(SteppingBackToThePrinterPage, ShowsThePrinterOptionAndWritesThePrinterDefault) {
  usePrinter(GetParam().paper, GetParam().orientation);
  click("optSheetSize(0)");
  click("cmdApply");
  click("optSheetSize(1)");
  pick("cboSize", 30);
  click("cmdApply");
  click("cmdPrevious");
  probe([&] {
    EXPECT_TRUE(option("optSheetSize", 0).value());
    EXPECT_EQ(list("cboSize").listIndex(), GetParam().entry);
  });
  click("cmdOK");
  start();
  EXPECT_EQ(sizeIndexWrites(), (std::vector<std::int32_t>{-1, 30, -1, -1}));
  EXPECT_EQ(host().sheetSetup().sizeIndex, -1);
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

// Unlisted, the list keeps the later entry; listed, it shows the printer's.
INSTANTIATE_TEST_SUITE_P(Papers, SteppingBackToThePrinterPage,
                         ::testing::Values(PrinterCase{19, 1, 30}, PrinterCase{9, 1, 28}));

TEST_F(SheetSize, PrinterReadFailingSelectsNoEntryAndIsReportedOnce) {
  settings.host.sheet = sheet(-2, -1);
  settings.host.sheet.width = 0.1;
  settings.host.sheet.height = 0.2;
  usePrinter(9, 1);
  portable::PrinterSettings failing = *world().system().settings().defaultPrinter;
  failing.devModeFails = true;
  world().system().setDefaultPrinter(failing);
  click("optSheetSize(0)");
  probe([&] {
    EXPECT_EQ(list("cboSize").listIndex(), -1) << "not the first size";
    EXPECT_EQ(text("txtSizeW"), "3.93700787401575 in") << "the custom width, in inches";
  });
  click("cmdApply");
  click("cmdOK");
  start();
  EXPECT_EQ(reportsFrom(kQueryPrinter), 1u);
  EXPECT_EQ(reportCount(), 1u) << reportSummary();
  ASSERT_FALSE(sizeIndexWrites().empty());
  EXPECT_EQ(sizeIndexWrites().front(), -1) << "nothing matched: the host's printer default";
}

TEST_F(SheetSize, ASheetOnThePrinterPageShowsTheMatchingEntry) {
  usePrinter(9, 2);
  settings.host.sheet = sheet(-1, -1);
  probe([&] {
    EXPECT_TRUE(option("optSheetSize", 0).value());
    EXPECT_EQ(list("cboSize").listIndex(), 29);
    EXPECT_EQ(text("txtSizeW"), "297 mm");
    EXPECT_EQ(text("txtSizeH"), "210 mm");
    EXPECT_FALSE(enabled("cboSize"));
  });
  click("cmdCancel");
  start();
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(SheetSize, AWidthTheHostCannotParseLeavesOnlyThatField) {
  overrideString(1033, 130, "A3 (297furlongs x 420mm)");
  click("optSheetSize(1)");
  pick("cboSize", 30);
  probe([&] {
    EXPECT_EQ(text("txtSizeW"), "215.9 mm");
    EXPECT_EQ(text("txtSizeH"), "420 mm");
  });
  click("cmdCancel");
  start();
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

TEST_F(SheetSize, ACaptionWithoutClosingParenthesisIsReportedAndChangesNothing) {
  overrideString(1033, 131, "A3 Landscape (420mm x 297mm");
  pick("cboSize", 31);
  probe([&] {
    EXPECT_EQ(text("txtSizeW"), "215.9 mm");
    EXPECT_EQ(text("txtSizeH"), "330.2 mm");
  });
  click("cmdCancel");
  start();
  EXPECT_EQ(reportsFrom(kSizeClick), 1u);
  EXPECT_EQ(reportCount(), 1u) << reportSummary();
}

TEST_F(SheetSize, CustomSizeWritesMinus2BeforeHeightThenWidth) {
  click("optSheetSize(2)");
  enter("txtSizeW", "420mm");
  enter("txtSizeH", "297mm");
  click("cmdOK");
  start();
  const std::size_t index = firstCall("HostSheetSetup.9", InvokeKind::Put);
  const std::size_t height = firstCall("HostSheetSetup.8", InvokeKind::Put);
  const std::size_t width = firstCall("HostSheetSetup.10", InvokeKind::Put);
  ASSERT_NE(index, 0u);
  EXPECT_LT(index, height);
  EXPECT_LT(height, width);
  EXPECT_EQ(sizeIndexWrites(), (std::vector<std::int32_t>{-2}));
  EXPECT_EQ(host().sheetSetup().sizeIndex, -2);
  EXPECT_DOUBLE_EQ(host().sheetSetup().width, 0.42);
  EXPECT_DOUBLE_EQ(host().sheetSetup().height, 0.297);
  EXPECT_EQ(reportCount(), 0u) << reportSummary();
}

}  // namespace
}  // namespace scenario
