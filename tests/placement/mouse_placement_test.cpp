// Placing the sheet with the mouse, through the headless engine and the reference host: what
// the host's view shows, what is written to the sheet, and what the dialog shows afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>

#include "placement/placement_world.hpp"
#include "platform/resource_script.hpp"

namespace placement_test {
namespace {

using refhost::CallRecord;
using refhost::ShownGraphic;

constexpr double kTolerance = 1e-9;
constexpr std::int32_t kBlue = 0xFF0000;

struct Rect {
  double x, y, width, height;
};

void expectShown(const ShownGraphic& g, Rect r, std::int32_t colour, std::int32_t flag) {
  EXPECT_NEAR(g.x, r.x, kTolerance);
  EXPECT_NEAR(g.y, r.y, kTolerance);
  EXPECT_NEAR(g.width, r.width, kTolerance);
  EXPECT_NEAR(g.height, r.height, kTolerance);
  EXPECT_EQ(g.colour, colour);
  EXPECT_EQ(g.flag, flag);
}

// A4 at 1:100 with the default printer, first corner at (x, y).
Rect a4Sheet(double x, double y) {
  return {x, y, 21, 29.7};
}
Rect a4Printable(double x, double y) {
  return {x + kDefaultMarginH * 100, y + kDefaultMarginV * 100, (0.21 - 2 * kDefaultMarginH) * 100,
          (0.297 - 2 * kDefaultMarginV) * 100};
}

std::string resourceString(std::uint16_t id) {
  std::ifstream in(std::string(QUADRIFT_SOURCE_DIR) + "/resources/kstQuadrift_1033.rc",
                   std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  const auto table = portable::parseResourceScript(text.str());
  if (!table || !table->contains(id)) return "<missing " + std::to_string(id) + ">";
  return table->at(id);
}

// The host calls logged from record index `from` on.
std::vector<CallRecord> callsSince(refhost::ReferenceHost& host, std::size_t from) {
  std::vector<CallRecord> calls;
  for (const CallRecord& r : host.callLog().records()) {
    if (r.index > from) calls.push_back(r);
  }
  return calls;
}

std::size_t lastCallIndex(refhost::ReferenceHost& host) {
  const auto& records = host.callLog().records();
  return records.empty() ? 0 : records.back().index;
}

std::string targets(const std::vector<CallRecord>& calls) {
  std::string out;
  for (const CallRecord& r : calls) {
    out += r.object + "." + std::to_string(r.member) + " " +
           std::string(refhost::kindName(r.kind)) + "\n";
  }
  return out;
}

double doubleOf(const CallRecord& r, std::size_t i) {
  return r.args.at(i).value.as<double>();
}

bool writesSheetSetup(const CallRecord& r) {
  return r.object == "HostSheetSetup" &&
         (r.kind == automation::InvokeKind::Put || r.member == 15 || r.member == 18);
}

TEST(MovePressed, HidesTheDialogAndShowsTheDisplaySheetAtTheModelOrigin) {
  Session s(a4At100());
  s.click("cmdMove").probe([&] {
    EXPECT_FALSE(s.dialog().visible());
    EXPECT_TRUE(s.mouseEnabled());
    EXPECT_EQ(s.host().statusText(), resourceString(213));
    ASSERT_EQ(s.world().system().windowPosCalls().size(), 1u);
    const portable::WindowPosCall& pos = s.world().system().windowPosCalls().front();
    EXPECT_EQ(pos.window, static_cast<platform::Handle>(s.host().environment().mainWindow));
    EXPECT_EQ(pos.insertAfter, s.dialog().hWnd());
    EXPECT_EQ(pos.x, 0);
    EXPECT_EQ(pos.y, 0);
    EXPECT_EQ(pos.cx, 0);
    EXPECT_EQ(pos.cy, 0);
    EXPECT_EQ(pos.flags, 3u);
    // 1:100 A4 portrait: 21 by 29.7 model metres, from the model origin.
    const auto& shown = s.host().shownGraphics();
    ASSERT_EQ(shown.size(), 2u);
    expectShown(shown[0], a4Sheet(0, 0), 0, 0);
    expectShown(shown[1], a4Printable(0, 0), kBlue, 1);
    EXPECT_TRUE(s.host().errorReports().empty());
  });
  s.run();
}

TEST(MovePressed, CreatesTheDisplaySheetWithTheHostCallsInOrder) {
  Session s(a4At100());
  std::size_t before = 0;
  s.probe([&] { before = lastCallIndex(s.host()); }).click("cmdMove").probe([&] {
    std::vector<CallRecord> calls = callsSince(s.host(), before);
    // The focus leaving a length field may parse it first; the Move handler's own calls start
    // with the main window, then the status text.
    const auto handler = std::find_if(calls.begin(), calls.end(), [](const CallRecord& r) {
      return r.object == "HostApplication" && r.member == 35;
    });
    ASSERT_GE(std::distance(handler, calls.end()), 2);
    ASSERT_EQ(handler[1].object, "HostApplication");
    EXPECT_EQ(handler[1].member, 32);
    calls.erase(calls.begin(), handler + 2);
    EXPECT_EQ(targets(calls),
              "HostGraphicFactory.5 get\n"
              "HostSheetSetup.14 get\n"
              "HostSheetSetup.14 get\n"
              "HostGraphic.15 call\n"
              "HostGraphicFactory.5 get\n"
              "HostSheetSetup.14 get\n"
              "HostSheetSetup.14 get\n"
              "HostSheetSetup.14 get\n"
              "HostSheetSetup.14 get\n"
              "HostGraphic.15 call\n"
              "HostOverlay.2 call\n"
              "HostOverlay.4 call\n"
              "HostOverlay.4 call\n"
              "HostOverlay.3 call\n");
    ASSERT_EQ(calls.size(), 14u);
    const CallRecord& sheet = calls[3];
    ASSERT_EQ(sheet.args.size(), 5u);
    EXPECT_NEAR(doubleOf(sheet, 0), 0, kTolerance);
    EXPECT_NEAR(doubleOf(sheet, 1), 0, kTolerance);
    EXPECT_NEAR(doubleOf(sheet, 2), 21, kTolerance);
    EXPECT_NEAR(doubleOf(sheet, 3), 29.7, kTolerance);
    EXPECT_EQ(doubleOf(sheet, 4), 0.0);
    const CallRecord& printable = calls[9];
    ASSERT_EQ(printable.args.size(), 5u);
    EXPECT_NEAR(doubleOf(printable, 0), kDefaultMarginH * 100, kTolerance);
    EXPECT_NEAR(doubleOf(printable, 1), kDefaultMarginV * 100, kTolerance);
    for (const std::size_t add : {11u, 12u}) {
      ASSERT_EQ(calls[add].args.size(), 4u);
      EXPECT_EQ(calls[add].args[0].type, "Object");
      EXPECT_EQ(calls[add].args[1].value.as<std::int32_t>(), add == 11 ? 0 : kBlue);
      EXPECT_EQ(calls[add].args[2].value.as<std::int32_t>(), 0);
      EXPECT_EQ(calls[add].args[3].value.as<std::int32_t>(), add == 11 ? 0 : 1);
    }
  });
  s.run();
}

TEST(MouseMoves, MoveBothOutlinesWithTheirFirstCornerUnderTheCursorAndCreateNothing) {
  Session s(a4At100());
  std::size_t before = 0;
  s.click("cmdMove").probe([&] { before = lastCallIndex(s.host()); });
  s.move(12.5, -3).probe([&] {
    const std::vector<CallRecord> calls = callsSince(s.host(), before);
    EXPECT_EQ(targets(calls),
              "HostOverlay.2 call\n"
              "HostGraphic.18 call\n"
              "HostGraphic.18 call\n"
              "HostOverlay.4 call\n"
              "HostOverlay.4 call\n"
              "HostOverlay.3 call\n");
    ASSERT_EQ(calls.size(), 6u);
    // The sheet from the last point (the origin) to the cursor; the printable area likewise,
    // both points offset by the printer's margins on paper.
    EXPECT_EQ(doubleOf(calls[1], 0), 0.0);
    EXPECT_EQ(doubleOf(calls[1], 1), 0.0);
    EXPECT_EQ(doubleOf(calls[1], 2), 12.5);
    EXPECT_EQ(doubleOf(calls[1], 3), -3.0);
    EXPECT_NEAR(doubleOf(calls[2], 0), kDefaultMarginH, kTolerance);
    EXPECT_NEAR(doubleOf(calls[2], 1), kDefaultMarginV, kTolerance);
    EXPECT_NEAR(doubleOf(calls[2], 2), kDefaultMarginH + 12.5, kTolerance);
    EXPECT_NEAR(doubleOf(calls[2], 3), kDefaultMarginV - 3, kTolerance);
    const auto& shown = s.host().shownGraphics();
    ASSERT_EQ(shown.size(), 2u);
    expectShown(shown[0], a4Sheet(12.5, -3), 0, 0);
    expectShown(shown[1], a4Printable(12.5, -3), kBlue, 1);
  });
  s.move(-40.25, 7).move(-40.25, 7).probe([&] {
    // A second move to the same point leaves both where the first put them.
    const auto& shown = s.host().shownGraphics();
    ASSERT_EQ(shown.size(), 2u);
    expectShown(shown[0], a4Sheet(-40.25, 7), 0, 0);
    expectShown(shown[1], a4Printable(-40.25, 7), kBlue, 1);
    for (const CallRecord& r : callsSince(s.host(), before)) {
      EXPECT_NE(r.object, "HostGraphicFactory") << "a graphic was created while moving";
      EXPECT_NE(r.object, "HostSheetSetup") << "the sheet setup was read while moving";
    }
    EXPECT_TRUE(s.host().errorReports().empty());
  });
  s.run();
}

TEST(DisplaySheet, WithoutAPrinterBothOutlinesCoincide) {
  session::WorldSettings settings = a4At100();
  settings.printer.reset();
  Session s(settings);
  s.click("cmdMove").probe([&] {
    const auto& shown = s.host().shownGraphics();
    ASSERT_EQ(shown.size(), 2u);
    expectShown(shown[0], a4Sheet(0, 0), 0, 0);
    expectShown(shown[1], a4Sheet(0, 0), kBlue, 1);
  });
  s.move(3, 4).probe([&] {
    const auto& shown = s.host().shownGraphics();
    ASSERT_EQ(shown.size(), 2u);
    expectShown(shown[1], a4Sheet(3, 4), kBlue, 1);
  });
  s.run();
  EXPECT_TRUE(s.host().errorReports().empty());
}

TEST(DisplaySheet, OffsetsLargerThanHalfTheSheetGiveANegativeSizeUnchanged) {
  session::WorldSettings settings = a4At100();
  settings.printer->offsetX = 1500;  // 119.2 mm of a 210 mm page
  settings.printer->offsetY = 2000;  // 161.9 mm of a 297 mm page
  Session s(settings);
  const double mH = 1500.0 / (2480.0 / 197.0) / 1000.0;
  const double mV = 2000.0 / (3508.0 / 284.0) / 1000.0;
  s.click("cmdMove").probe([&] {
    const auto& shown = s.host().shownGraphics();
    ASSERT_EQ(shown.size(), 2u);
    expectShown(shown[1], {mH * 100, mV * 100, (0.21 - 2 * mH) * 100, (0.297 - 2 * mV) * 100},
                kBlue, 1);
    EXPECT_LT(shown[1].width, 0);
    EXPECT_LT(shown[1].height, 0);
    EXPECT_TRUE(s.host().errorReports().empty());
  });
  s.run();
}

// The printer's capabilities are given for the page upright; a landscape printer reports those
// of the landscape page, so the printable area keeps its border on the turned sheet.
TEST(DisplaySheet, ALandscapePrinterInsetsThePrintableAreaByTheLandscapePagesOffsets) {
  struct Case {
    std::optional<std::int32_t> offsetX, offsetY;  // upright; none: the default 75 dots
    double marginH, marginV;                       // metres on paper, as the component reads them
  };
  const Case cases[] = {
      {std::nullopt, std::nullopt, 75.0 / (3508.0 / 284.0) / 1000, 75.0 / (2480.0 / 197.0) / 1000},
      {50, 100, 100.0 / (3508.0 / 284.0) / 1000, 50.0 / (2480.0 / 197.0) / 1000},
  };
  for (const Case& c : cases) {
    session::WorldSettings settings = a4At100();
    settings.printer->orientation = 2;
    settings.printer->offsetX = c.offsetX;
    settings.printer->offsetY = c.offsetY;
    settings.host.sheet.sizeIndex = kA4Portrait + 1;
    std::swap(settings.host.sheet.width, settings.host.sheet.height);
    Session s(settings);
    s.click("cmdMove").probe([&] {
      const auto& shown = s.host().shownGraphics();
      ASSERT_EQ(shown.size(), 2u);
      expectShown(shown[1],
                  {c.marginH * 100, c.marginV * 100, (0.297 - 2 * c.marginH) * 100,
                   (0.21 - 2 * c.marginV) * 100},
                  kBlue, 1);
    });
    s.run();
    EXPECT_TRUE(s.host().errorReports().empty());
  }
}

TEST(DisplaySheet, AZeroScaleFactorIsOneReportedFailureAndNothingShown) {
  Session s(a4At100());
  s.probe([&] {
    refhost::SheetSetupState broken = s.host().sheetSetup();
    broken.scaleMode = 0;
    broken.scalePaper = 0;
    s.host().setSheetSetup(broken);
  });
  s.click("cmdMove").probe([&] {
    ASSERT_EQ(s.host().errorReports().size(), 1u);
    const refhost::ErrorReport& report = s.host().errorReports().front();
    EXPECT_EQ(report.ident, "kstQuadrift:MQuadrift:CreateDisplaySheet()");
    EXPECT_EQ(report.number, automation::errnum::kDivisionByZero);
    EXPECT_TRUE(s.host().shownGraphics().empty());
    // Nothing was drawn or added: the routine stopped before its first rectangle.
    for (const CallRecord& r : s.host().callLog().records()) {
      EXPECT_FALSE(r.object == "HostGraphic" || r.object == "HostOverlay") << r.target();
    }
  });
  s.run();
}

// The host call that fails, by member and its nth call.
struct HostFault {
  const char* target;
  std::size_t nth;
};

// A creation that failed part-way is reported once; the moves that follow have nothing whole
// to move and stay silent.
class FailedCreation : public ::testing::TestWithParam<HostFault> {};

TEST_P(FailedCreation, IsReportedOnceAndTheMovesThatFollowStaySilent) {
  Session s(a4At100());
  s.host().faults().failMemberCall(GetParam().target, GetParam().nth);
  s.click("cmdMove").move(1, 2).move(3, 4).move(5, 6).probe([&] {
    ASSERT_EQ(s.host().errorReports().size(), 1u);
    EXPECT_EQ(s.host().errorReports().front().ident, "kstQuadrift:MQuadrift:CreateDisplaySheet()");
    EXPECT_TRUE(s.host().callLog().of("HostGraphic", 18).empty());
    EXPECT_TRUE(s.mouseEnabled()) << "the placement can still be ended with a click";
  });
  s.run();
}

INSTANTIATE_TEST_SUITE_P(Steps, FailedCreation,
                         ::testing::Values(HostFault{"HostGraphicFactory.5", 1},
                                           HostFault{"HostGraphic.15", 1},
                                           HostFault{"HostGraphicFactory.5", 2},
                                           HostFault{"HostGraphic.15", 2}));

// One outline's move failing (the sheet's, then the printable area's) is reported; the next
// move puts both outlines at the cursor again.
class FailedMove : public ::testing::TestWithParam<HostFault> {};

TEST_P(FailedMove, LeavesTheNextMovePuttingBothOutlinesAtTheCursor) {
  Session s(a4At100());
  s.host().faults().failMemberCall(GetParam().target, GetParam().nth);
  s.click("cmdMove").move(12.5, -3).probe([&] {
    ASSERT_EQ(s.host().errorReports().size(), 1u);
    EXPECT_EQ(s.host().errorReports().front().ident, "kstQuadrift:MQuadrift:MoveDisplaySheet()");
  });
  s.move(20, 5).probe([&] {
    const auto& shown = s.host().shownGraphics();
    ASSERT_EQ(shown.size(), 2u);
    expectShown(shown[0], a4Sheet(20, 5), 0, 0);
    expectShown(shown[1], a4Printable(20, 5), kBlue, 1);
    EXPECT_EQ(s.host().errorReports().size(), 1u);
  });
  s.run();
}

INSTANTIATE_TEST_SUITE_P(Outlines, FailedMove,
                         ::testing::Values(HostFault{"HostGraphic.18", 1},
                                           HostFault{"HostGraphic.18", 2}));

TEST(LeftClick, TakesTheClickedPointAppliesItAndShowsTheDialogAgain) {
  Session s(a4At100());
  const refhost::LengthFormat format = s.host().environment().documentFormat;
  std::size_t before = 0;
  s.click("cmdMove").move(12.5, -3).probe([&] { before = lastCallIndex(s.host()); });
  s.mouseClick(1, 12.5, -3).probe([&] {
    EXPECT_TRUE(s.dialog().visible());
    EXPECT_EQ(s.dialog().textBox("txtSOLX").text(), *refhost::formatLength(12.5, format));
    EXPECT_EQ(s.dialog().textBox("txtSOLY").text(), *refhost::formatLength(-3, format));
    EXPECT_EQ(s.dialog().textBox("txtSOLX").text(), "12500 mm");
    EXPECT_FALSE(s.mouseEnabled());
    EXPECT_TRUE(s.host().shownGraphics().empty());
    // Applied: the host holds the clicked point's negation on the sheet at 1:100, and one
    // record was added holding what the host now reports.
    const refhost::SheetSetupState& sheet = s.host().sheetSetup();
    EXPECT_NEAR(sheet.originX, -0.125, kTolerance);
    EXPECT_NEAR(sheet.originY, 0.03, kTolerance);
    EXPECT_EQ(s.component().HistoryCount, 2);
    EXPECT_EQ(s.component().SetupHistory.size(), 2);
    EXPECT_NEAR(s.component().SetupHistory.at(2).OriginX, -0.125, kTolerance);
    EXPECT_TRUE(s.component().SetupApplied);
    EXPECT_TRUE(s.dialog().button("cmdPrevious").enabled());
    // The clicked point was formatted by the document, origin X first.
    const std::vector<CallRecord> calls = callsSince(s.host(), before);
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0].object, "HostDocument");
    EXPECT_EQ(calls[0].member, 45);
    EXPECT_EQ(calls[0].args.at(0).value.as<std::int32_t>(), 1);
    EXPECT_EQ(doubleOf(calls[0], 1), 12.5);
    EXPECT_EQ(doubleOf(calls[1], 1), -3.0);
    EXPECT_EQ(calls.back().object, "HostOverlay");
    EXPECT_EQ(calls.back().member, 2);
    EXPECT_TRUE(s.host().errorReports().empty());
  });
  // With the dialog up, the host's view takes no mouse input.
  s.move(50, 50).probe([&] { EXPECT_TRUE(s.host().shownGraphics().empty()); });
  s.probe([&] {
    // Even a move the mouse control did deliver leaves the placed sheet alone.
    const std::size_t mark = lastCallIndex(s.host());
    s.dialog().hostControl("ksMouse1").setEnabled(true);
    EXPECT_TRUE(s.host().mouseMove(60, 60));
    s.dialog().hostControl("ksMouse1").setEnabled(false);
    EXPECT_TRUE(callsSince(s.host(), mark).empty());
    EXPECT_TRUE(s.host().shownGraphics().empty());
  });
  s.click("cmdOK");
  s.run();
  EXPECT_TRUE(s.host().command().done);
  EXPECT_NEAR(s.host().sheetSetup().originX, -0.125, kTolerance);
  EXPECT_EQ(s.world().engine().refused().size(), 1u);  // the move while the dialog was up
}

TEST(LeftClick, MoveAgainStartsAFreshDisplaySheetFromTheNewlyAppliedRecord) {
  Session s(a4At100());
  // A3 picked but not applied: the first placement still shows the applied A4.
  s.pick("cboSize", kA3Portrait).click("cmdMove").probe([&] {
    ASSERT_EQ(s.host().shownGraphics().size(), 2u);
    expectShown(s.host().shownGraphics()[0], a4Sheet(0, 0), 0, 0);
  });
  s.move(5, 6).mouseClick(1, 5, 6).probe([&] {
    EXPECT_EQ(s.host().sheetSetup().sizeIndex, kA3Portrait);
    EXPECT_EQ(s.component().HistoryCount, 2);
  });
  std::size_t before = 0;
  s.probe([&] { before = lastCallIndex(s.host()); }).click("cmdMove").probe([&] {
    EXPECT_FALSE(s.dialog().visible());
    EXPECT_TRUE(s.mouseEnabled());
    std::size_t created = 0;
    for (const CallRecord& r : callsSince(s.host(), before)) {
      if (r.object == "HostGraphicFactory") ++created;
    }
    EXPECT_EQ(created, 2u);
    // A3 portrait at 1:100, anchored at the model origin again, not at the last click.
    const auto& shown = s.host().shownGraphics();
    ASSERT_EQ(shown.size(), 2u);
    expectShown(shown[0], {0, 0, 29.7, 42}, 0, 0);
  });
  s.move(1, 2).probe([&] {
    ASSERT_EQ(s.host().shownGraphics().size(), 2u);
    expectShown(s.host().shownGraphics()[0], {1, 2, 29.7, 42}, 0, 0);
  });
  s.mouseClick(1, 1, 2).click("cmdOK");
  s.run();
  EXPECT_EQ(s.component().HistoryCount, 3);
  EXPECT_NEAR(s.host().sheetSetup().originX, -0.01, kTolerance);
  EXPECT_TRUE(s.host().errorReports().empty());
}

TEST(RightClick, WritesNothingAndShowsTheDialogRefilledWithTheDisplaySheetGone) {
  Session s(a4At100());
  const refhost::SheetSetupState initial = s.host().sheetSetup();
  std::string originText;
  std::size_t before = 0;
  s.probe([&] { originText = s.dialog().textBox("txtSOLX").text(); });
  // An origin typed but not applied is dropped by the refill.
  s.focus("txtSOLX").type("7 m").focus("txtSOLY").probe(
      [&] { EXPECT_EQ(s.dialog().textBox("txtSOLX").text(), "7000 mm"); });
  s.click("cmdMove").move(8, 9).probe([&] { before = lastCallIndex(s.host()); });
  s.mouseClick(2, 8, 9).probe([&] {
    // Checked while the dialog is up: everything was put back before it was shown.
    EXPECT_TRUE(s.dialog().visible());
    EXPECT_TRUE(s.host().shownGraphics().empty());
    EXPECT_FALSE(s.mouseEnabled());
    EXPECT_EQ(s.dialog().textBox("txtSOLX").text(), originText);
    EXPECT_EQ(s.host().sheetSetup(), initial);
    EXPECT_EQ(s.component().HistoryCount, 1);
    EXPECT_EQ(s.component().SetupHistory.size(), 1);
    EXPECT_FALSE(s.component().SetupApplied);
    for (const CallRecord& r : callsSince(s.host(), before)) {
      EXPECT_FALSE(writesSheetSetup(r)) << r.target();
    }
  });
  s.click("cmdCancel");
  s.run();
  EXPECT_EQ(s.host().sheetSetup(), initial);
  EXPECT_TRUE(s.host().errorReports().empty());
}

// Pressing Move in the dialog a right click showed must leave a live placement: the abandoned
// placement's clean-up may not run after this press and take the new one down with it.
TEST(RightClick, ThenMoveAgainLeavesTheNewPlacementRunning) {
  Session s(a4At100());
  s.click("cmdMove").move(8, 9).mouseClick(2, 8, 9).click("cmdMove").probe([&] {
    EXPECT_FALSE(s.dialog().visible());
    EXPECT_TRUE(s.mouseEnabled());
    ASSERT_EQ(s.host().shownGraphics().size(), 2u);
    expectShown(s.host().shownGraphics()[0], a4Sheet(0, 0), 0, 0);
  });
  s.move(3, 4).probe([&] {
    ASSERT_EQ(s.host().shownGraphics().size(), 2u);
    expectShown(s.host().shownGraphics()[0], a4Sheet(3, 4), 0, 0);
  });
  s.mouseClick(1, 3, 4).probe([&] { EXPECT_TRUE(s.dialog().visible()); }).click("cmdOK");
  s.run();
  EXPECT_TRUE(s.host().command().done);
  EXPECT_NEAR(s.host().sheetSetup().originX, -0.03, kTolerance);
  EXPECT_NEAR(s.host().sheetSetup().originY, -0.04, kTolerance);
  EXPECT_TRUE(s.world().engine().refused().empty());
  EXPECT_TRUE(s.host().refusedInput().empty());
}

TEST(OtherButtons, ChangeNothingAndThePlacementGoesOn) {
  Session s(a4At100());
  std::size_t before = 0;
  s.click("cmdMove").move(2, 2).probe([&] { before = lastCallIndex(s.host()); });
  s.mouseClick(0, 9, 9).mouseClick(3, 9, 9).mouseClick(4, 9, 9).mouseClick(-1, 9, 9);
  s.probe([&] {
    EXPECT_TRUE(callsSince(s.host(), before).empty());
    EXPECT_FALSE(s.dialog().visible());
    EXPECT_TRUE(s.mouseEnabled());
    ASSERT_EQ(s.host().shownGraphics().size(), 2u);
    expectShown(s.host().shownGraphics()[0], a4Sheet(2, 2), 0, 0);
    EXPECT_EQ(s.component().HistoryCount, 1);
  });
  s.move(-6, 1).probe([&] {
    ASSERT_EQ(s.host().shownGraphics().size(), 2u);
    expectShown(s.host().shownGraphics()[0], a4Sheet(-6, 1), 0, 0);
  });
  s.run();
  EXPECT_TRUE(s.host().errorReports().empty());
}

}  // namespace
}  // namespace placement_test
