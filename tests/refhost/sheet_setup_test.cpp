#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "automation/failure.hpp"
#include "host/application_views.hpp"
#include "printer_page.hpp"
#include "reference_host.hpp"
#include "standard_sheets.hpp"
#include "undo_history.hpp"

namespace refhost {
namespace {

class SheetSetup : public ::testing::Test {
 protected:
  explicit SheetSetup(Environment env = quietEnvironment()) : host(std::move(env)) {
    setup = host::HostApplication(host.application()).activeDocument().activeSheet().setup();
  }
  static Environment quietEnvironment() {
    Environment env;
    env.echoReportsToStderr = false;
    return env;
  }
  // Expects `write` to be refused with "invalid procedure call" and to change nothing.
  template <class Write>
  void expectRefused(Write&& write) {
    const SheetSetupState before = host.sheetSetup();
    const std::size_t undoEntries = host.undoHistory().size();
    try {
      write();
      ADD_FAILURE() << "expected the host to refuse";
    } catch (const automation::Failure& f) {
      EXPECT_EQ(f.number, automation::errnum::kInvalidProcedureCall);
      EXPECT_FALSE(f.description.empty());
    }
    EXPECT_EQ(host.sheetSetup(), before);
    EXPECT_EQ(host.undoHistory().size(), undoEntries);
  }

  ReferenceHost host;
  host::HostSheetSetup setup;
};

TEST_F(SheetSetup, ScaleFactorFollowsEachKindOfScaleWrite) {
  setup.setScaleMode(std::int32_t{-1});
  EXPECT_EQ(setup.scaleFactor(), 1.0);

  setup.setScaleMode(std::int16_t{32});  // standard scale 32: 1:50
  EXPECT_DOUBLE_EQ(setup.scaleFactor(), 1.0 / 50);
  double paper = 0;
  double model = 0;
  setup.scaleDistances(paper, model);
  EXPECT_DOUBLE_EQ(paper, kStandardScales[31].paper);
  EXPECT_DOUBLE_EQ(model, kStandardScales[31].model);

  setup.setScaleMode(std::int16_t{6});  // 1/8" = 1'-0"
  EXPECT_DOUBLE_EQ(setup.scaleFactor(), (0.125 * 0.0254) / 0.3048);

  setup.setScaleMode(std::int32_t{0});  // custom keeps the lengths it had
  EXPECT_EQ(setup.scaleMode(), 0);
  EXPECT_DOUBLE_EQ(setup.scaleFactor(), (0.125 * 0.0254) / 0.3048);

  setup.setCustomScale(0.01, 2.5);
  EXPECT_DOUBLE_EQ(setup.scaleFactor(), 0.004);
  EXPECT_EQ(setup.scaleMode(), 0);

  setup.setScaleMode(std::int32_t{-1});
  EXPECT_EQ(setup.scaleFactor(), 1.0);
}

TEST_F(SheetSetup, StandardAndCustomSizes) {
  setup.setSizeIndex(std::int16_t{28});
  EXPECT_DOUBLE_EQ(setup.width(), 0.21);
  EXPECT_DOUBLE_EQ(setup.height(), 0.297);
  setup.setSizeIndex(std::int16_t{29});
  EXPECT_DOUBLE_EQ(setup.width(), 0.297);
  EXPECT_DOUBLE_EQ(setup.height(), 0.21);
  for (int i = 0; i < kStandardSizeCount; ++i) {
    setup.setSizeIndex(static_cast<std::int32_t>(i));
    EXPECT_EQ(setup.sizeIndex(), i);
    EXPECT_DOUBLE_EQ(setup.width(), standardSizeWidth(i));
    EXPECT_DOUBLE_EQ(setup.height(), standardSizeHeight(i));
  }

  setup.setSizeIndex(std::int32_t{-2});  // custom keeps the current size
  EXPECT_EQ(setup.sizeIndex(), -2);
  EXPECT_DOUBLE_EQ(setup.width(), standardSizeWidth(47));
  setup.setHeight(0.42);
  setup.setWidth(0.297);
  EXPECT_DOUBLE_EQ(setup.width(), 0.297);
  EXPECT_DOUBLE_EQ(setup.height(), 0.42);

  setup.setSizeIndex(std::int16_t{28});
  setup.setWidth(0.3);  // writing a dimension makes the size custom
  EXPECT_EQ(setup.sizeIndex(), -2);
  EXPECT_DOUBLE_EQ(setup.height(), 0.297);
}

TEST_F(SheetSetup, PrinterDefaultTakesThePrintersPageInItsOrientation) {
  constexpr double in = 0.0254;
  struct Case {
    std::optional<PrinterSettings> printer;
    double width;
    double height;
  };
  const Case cases[] = {
      {PrinterSettings{9, 1}, 0.21, 0.297},              // A4
      {PrinterSettings{9, 2}, 0.297, 0.21},              // A4 landscape
      {PrinterSettings{4, 1}, 17 * in, 11 * in},         // Ledger, landscape by nature
      {PrinterSettings{19, 1}, 3.875 * in, 8.875 * in},  // Envelope #9: no standard size
      {PrinterSettings{19, 2}, 8.875 * in, 3.875 * in},  //
      {PrinterSettings{35, 1}, 0.176, 0.125},            // Envelope B6
      {PrinterSettings{500, 2}, 11 * in, 8.5 * in},      // unknown paper: Letter
      {std::nullopt, 8.5 * in, 11 * in},                 // no printer: Letter portrait
  };
  for (const Case& c : cases) {
    const std::string what = c.printer ? std::to_string(c.printer->paperCode) + "/" +
                                             std::to_string(c.printer->orientation)
                                       : "no printer";
    // Written by the command, and as the sheet's setup from the start.
    host.environment().printer = c.printer;
    setup.setSizeIndex(std::int32_t{28});
    setup.setSizeIndex(std::int32_t{-1});
    EXPECT_EQ(setup.sizeIndex(), -1) << what;
    EXPECT_DOUBLE_EQ(setup.width(), c.width) << what;
    EXPECT_DOUBLE_EQ(setup.height(), c.height) << what;

    Environment env = quietEnvironment();
    env.printer = c.printer;
    env.sheet.sizeIndex = -1;
    const ReferenceHost started(env);
    EXPECT_DOUBLE_EQ(started.sheetSetup().width, c.width) << what;
    EXPECT_DOUBLE_EQ(started.sheetSetup().height, c.height) << what;
  }
}

TEST(PrinterPage, PapersSelectTheirPairInTheOrientation) {
  EXPECT_EQ(standardSizeOfPrinterPaper(9, 1), 28);
  EXPECT_EQ(standardSizeOfPrinterPaper(9, 2), 29);
  EXPECT_EQ(standardSizeOfPrinterPaper(10, 1), 28);
  EXPECT_EQ(standardSizeOfPrinterPaper(4, 1), 15);
  EXPECT_EQ(standardSizeOfPrinterPaper(4, 2), 14);
  EXPECT_EQ(standardSizeOfPrinterPaper(1, 1), 12);
  EXPECT_EQ(standardSizeOfPrinterPaper(15, 7), 47);
  EXPECT_EQ(standardSizeOfPrinterPaper(19, 1), std::nullopt);
  EXPECT_EQ(standardSizeOfPrinterPaper(0, 1), std::nullopt);
  EXPECT_EQ(standardSizeOfPrinterPaper(-5, 1), std::nullopt);
  EXPECT_EQ(standardSizeOfPrinterPaper(39, 1), std::nullopt);
}

TEST(PrinterPage, DeviceCapabilitiesAreThoseOfThePageInItsOrientation) {
  struct Case {
    DeviceCaps upright;
    std::int16_t orientation;
    DeviceCaps reported;
  };
  // HORZSIZE and VERTSIZE are the printable area: 2480 - 2 x 75 dots at 300 dpi is 197 mm.
  const DeviceCaps a4 = uprightCaps(9);
  const Case cases[] = {
      {a4, 1, {75, 75, 2480, 3508, 197, 284}},
      {a4, 2, {75, 75, 3508, 2480, 284, 197}},
      {uprightCaps(1), 1, {75, 75, 2550, 3300, 203, 267}},  // Letter
      {uprightCaps(4), 1, {75, 75, 5100, 3300, 419, 267}},  // Ledger lies wide
      {{50, 60, 1000, 2000, 80, 160}, 2, {60, 50, 2000, 1000, 160, 80}},
      {{50, 60, 1000, 2000, 80, 160}, 1, {50, 60, 1000, 2000, 80, 160}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(capsInOrientation(c.upright, c.orientation), c.reported)
        << c.upright.physicalWidth << " dots wide, orientation " << c.orientation;
  }
}

TEST_F(SheetSetup, OutOfRangeValuesAreRefusedAndChangeNothing) {
  expectRefused([&] { setup.setSizeIndex(std::int32_t{48}); });
  expectRefused([&] { setup.setSizeIndex(std::int32_t{-3}); });
  expectRefused([&] { setup.setScaleMode(std::int32_t{46}); });
  expectRefused([&] { setup.setScaleMode(std::int32_t{-2}); });
  expectRefused([&] { setup.setCustomScale(0, 1); });
  expectRefused([&] { setup.setCustomScale(1, -1); });
  expectRefused([&] { setup.setCustomScale(1e-300, 1e300); });
  expectRefused([&] { setup.setWidth(0); });
  expectRefused([&] { setup.setHeight(-0.2); });
  expectRefused([&] { setup.setWidth(std::numeric_limits<double>::infinity()); });
  expectRefused([&] { setup.setOrigin(std::nan(""), 0); });
}

TEST_F(SheetSetup, OutArgumentsMustBeByReference) {
  host::HostView raw(setup.object());
  std::vector<automation::Variant> args{automation::Variant(1.0), automation::Variant(2.0)};
  EXPECT_THROW(raw.object().call(17, args), automation::Failure);
  double x = 5;
  args = {automation::Variant::byRef(x), automation::Variant(2.0)};
  EXPECT_THROW(raw.object().call(17, args), automation::Failure);
  EXPECT_EQ(x, 5) << "nothing written when an argument is not by reference";
}

TEST_F(SheetSetup, EveryWriteIsAnUndoableChange) {
  const SheetSetupState start = host.sheetSetup();
  setup.setSizeIndex(std::int16_t{28});
  setup.setScaleMode(std::int16_t{32});
  setup.setOrigin(0, 0);
  setup.setOrigin(-0.1, -0.2);
  ASSERT_EQ(host.undoHistory().size(), 4u);
  EXPECT_EQ(host.undoHistory().entries().front().description, "Sheet size");

  ASSERT_TRUE(host.undo());
  EXPECT_EQ(host.sheetSetup().originX, 0);
  ASSERT_TRUE(host.undo());
  ASSERT_TRUE(host.undo());
  EXPECT_EQ(host.sheetSetup().scaleMode, start.scaleMode);
  ASSERT_TRUE(host.undo());
  EXPECT_EQ(host.sheetSetup(), start);
  EXPECT_FALSE(host.undo());
}

TEST(UndoHistoryGroup, IsOneStepUntilTakenBackOrEmptied) {
  const auto at = [](double x) {
    SheetSetupState s;
    s.originX = x;
    return UndoEntry{"Sheet origin", s};
  };
  UndoHistory history;
  history.push(at(0));
  history.beginGroup("Command");
  history.push(at(1));
  history.push(at(2));
  ASSERT_EQ(history.size(), 2u);
  EXPECT_EQ(history.entries().back().description, "Command");
  EXPECT_EQ(history.entries().back().before.originX, 1) << "the state before the group's first";
  UndoEntry taken;
  ASSERT_TRUE(history.pop(taken)) << "an Undo while the group is open";
  history.push(at(3));
  history.push(at(4));
  ASSERT_EQ(history.size(), 2u) << "the next change starts the group's entry again";
  EXPECT_EQ(history.entries().back().before.originX, 3);
  history.setDepth(0);
  history.setDepth(20);
  history.push(at(5));
  ASSERT_EQ(history.size(), 1u) << "emptied, the group's next change is a new entry";
  history.endGroup();
  history.push(at(6));
  EXPECT_EQ(history.size(), 2u) << "after the group, each change is its own step";
}

TEST_F(SheetSetup, RedoMakesAgainWhatUndoTookBackUntilTheNextChange) {
  int viewChanges = 0;
  host.onViewChanged([&viewChanges] { ++viewChanges; });
  setup.setOrigin(1, 2);
  setup.setOrigin(3, 4);
  const SheetSetupState latest = host.sheetSetup();
  ASSERT_TRUE(host.undo());
  ASSERT_TRUE(host.undo());
  EXPECT_EQ(host.redoCount(), 2u);
  ASSERT_TRUE(host.redo());
  EXPECT_EQ(host.sheetSetup().originX, 1);
  EXPECT_EQ(host.undoHistory().size(), 1u) << "a redo is a change on the undo history";
  ASSERT_TRUE(host.redo());
  EXPECT_EQ(host.sheetSetup(), latest);
  EXPECT_FALSE(host.redo());
  EXPECT_EQ(viewChanges, 6) << "two writes, two undos, two redos";

  ASSERT_TRUE(host.undo());
  setup.setOrigin(5, 6);
  EXPECT_EQ(host.redoCount(), 0u) << "a new change ends what could be redone";
  EXPECT_FALSE(host.redo());
  EXPECT_EQ(host.sheetSetup().originX, 5);
}

TEST_F(SheetSetup, UndoDepthBoundsTheHistoryAndZeroEmptiesIt) {
  host::HostApplication app(host.application());
  app.setUndoDepth(3);
  for (int i = 0; i < 5; ++i) setup.setOrigin(i, i);
  ASSERT_EQ(host.undoHistory().size(), 3u);
  EXPECT_EQ(host.undoHistory().entries().front().before.originX, 1) << "oldest dropped";

  const std::int16_t saved = app.undoDepth();
  app.setUndoDepth(0);
  EXPECT_EQ(host.undoHistory().size(), 0u);
  app.setUndoDepth(saved);
  EXPECT_EQ(app.undoDepth(), 3);
  EXPECT_EQ(host.undoHistory().size(), 0u) << "restoring the depth leaves the history empty";
  setup.setOrigin(9, 9);
  EXPECT_EQ(host.undoHistory().size(), 1u);

  EXPECT_THROW(app.setUndoDepth(-1), automation::Failure);
  EXPECT_EQ(app.undoDepth(), 3);
}

}  // namespace
}  // namespace refhost
