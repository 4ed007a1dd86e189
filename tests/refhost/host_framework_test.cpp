#include <gtest/gtest.h>

#include <array>

#include "automation/failure.hpp"
#include "host/application_views.hpp"
#include "host/dispids.hpp"
#include "host/host_controls.hpp"
#include "reference_host.hpp"
#include "refhost/recording_site.hpp"

namespace refhost {
namespace {

Environment quiet() {
  Environment env;
  env.echoReportsToStderr = false;
  return env;
}

TEST(FaultInjection, TheNthCallFailsWithEveryFieldSetAndIsLogged) {
  ReferenceHost host(quiet());
  host.faults().failCall(3);
  const host::HostApplication app(host.application());
  const host::HostDocument doc = app.activeDocument();  // call 1
  const host::HostSheet sheet = doc.activeSheet();      // call 2
  try {
    sheet.setup();  // call 3
    FAIL() << "call 3 should fail";
  } catch (const automation::Failure& f) {
    EXPECT_EQ(f.source, "RefHost");
    EXPECT_FALSE(f.description.empty());
    EXPECT_EQ(f.helpFile, "refhost.chm");
    EXPECT_EQ(f.helpContext, 1004);
    EXPECT_NE(f.number, 0);
  }
  EXPECT_NO_THROW(sheet.setup());  // call 4
  const auto& log = host.callLog().records();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_FALSE(log[1].failed);
  EXPECT_TRUE(log[2].failed);
  EXPECT_FALSE(log[3].failed);
}

TEST(FaultInjection, ANamedMemberFailsEveryTimeOrOnItsNthCall) {
  ReferenceHost host(quiet());
  host.faults().failMember("HostSheetSetup.9");
  host.faults().failMemberCall("HostSheetSetup.18", 2,
                               automation::Failure(1004, "Origin locked", "Sheet", "s.chm", 9));
  const host::HostSheetSetup setup =
      host::HostApplication(host.application()).activeDocument().activeSheet().setup();
  const int sizeBefore = host.sheetSetup().sizeIndex;
  EXPECT_THROW(setup.setSizeIndex(std::int32_t{28}), automation::Failure);
  EXPECT_THROW(setup.sizeIndex(), automation::Failure);
  EXPECT_EQ(host.sheetSetup().sizeIndex, sizeBefore) << "a failed call does no work";

  setup.setOrigin(1, 1);
  try {
    setup.setOrigin(2, 2);
    FAIL();
  } catch (const automation::Failure& f) {
    EXPECT_EQ(f.number, 1004);
    EXPECT_EQ(f.description, "Origin locked");
  }
  setup.setOrigin(3, 3);
  EXPECT_EQ(host.sheetSetup().originX, 3);
  EXPECT_EQ(host.undoHistory().size(), 2u);
}

TEST(FaultInjection, CallsCountAcrossReferencesAndAfreshAfterAClear) {
  ReferenceHost host(quiet());
  const host::HostSheet sheet =
      host::HostApplication(host.application()).activeDocument().activeSheet();
  host.faults().failMemberCall("HostSheetSetup.9", 3);
  EXPECT_NO_THROW(sheet.setup().sizeIndex());
  EXPECT_NO_THROW(sheet.setup().sizeIndex());
  EXPECT_THROW(sheet.setup().sizeIndex(), automation::Failure) << "the third, by a new reference";

  const host::HostSheetSetup setup = sheet.setup();
  host.faults().clear();
  host.faults().failMemberCall("HostSheetSetup.9", 2);
  EXPECT_NO_THROW(setup.sizeIndex()) << "the first since the clear";
  EXPECT_THROW(setup.sizeIndex(), automation::Failure);
  EXPECT_NO_THROW(setup.sizeIndex());
}

TEST(FaultInjection, MembersReachedByNameCanBeNamed) {
  ReferenceHost host(quiet());
  host.faults().failMember("ksCommand1.Command");
  testing::RecordingSite site;
  const host::CommandControl control(
      host.controlFactory().create(host::progid::kCommandControl, {}, site));
  EXPECT_THROW(control.bind(host.commandObject()), automation::Failure);
  EXPECT_EQ(site.count("Initialize"), 0);
  EXPECT_FALSE(host.command().bound);
}

TEST(LiveObjects, EveryReferenceHandedOutIsCountedUntilReleased) {
  ReferenceHost host(quiet());
  EXPECT_EQ(host.liveObjects(), 0u);
  {
    host::HostApplication app(host.application());
    host::HostDocument doc = app.activeDocument();
    host::HostSheet sheet = doc.activeSheet();
    host::HostSheetSetup setup = sheet.setup();
    host::HostOverlay overlay = app.overlay();
    host::HostGraphicFactory factory = app.graphicFactory();
    host::HostGraphic g = factory.newGraphic();
    EXPECT_EQ(host.liveObjects(), 7u);
    overlay.add(g, 0, 0);
    g.release();
    EXPECT_EQ(host.liveObjects(), 6u) << "the overlay keeps the geometry, not the reference";
    host::HostDocument again = app.activeDocument();
    EXPECT_EQ(host.liveObjects(), 7u) << "each get hands out a new reference";
    sheet.release();
    EXPECT_EQ(host.liveObjects(), 6u);
  }
  EXPECT_EQ(host.liveObjects(), 0u);
}

TEST(Overlay, TakesOnlyAGraphicOfTheHost) {
  ReferenceHost host(quiet());
  const host::HostApplication app(host.application());
  const host::HostOverlay overlay = app.overlay();
  const automation::Variant notGraphics[] = {automation::Variant(),
                                             automation::Variant(std::int32_t{7}),
                                             automation::Variant(app.activeDocument().object())};
  for (const automation::Variant& first : notGraphics) {
    std::array<automation::Variant, 4> args{first, std::int32_t{0}, std::int32_t{0},
                                            std::int32_t{0}};
    try {
      overlay.object().invoke(host::dispid::overlay::kAdd, automation::InvokeKind::Call, args);
      ADD_FAILURE() << first.typeName() << " was taken";
    } catch (const automation::Failure& f) {
      EXPECT_EQ(f.number, automation::errnum::kTypeMismatch) << first.typeName();
    }
  }
  overlay.show();
  EXPECT_TRUE(host.shownGraphics().empty());
}

TEST(CommandFramework, MouseInputReachesOnlyAnEnabledControl) {
  ReferenceHost host(quiet());
  EXPECT_FALSE(host.mouseMove(1, 2)) << "no mouse control yet";
  ASSERT_EQ(host.refusedInput().size(), 1u);

  testing::RecordingSite site;
  site.isEnabled = false;
  automation::Object mouse = host.controlFactory().create(host::progid::kMouseControl, {}, site);
  EXPECT_FALSE(host.mouseClick(1, 3, 4));
  EXPECT_TRUE(site.events.empty());
  ASSERT_EQ(host.refusedInput().size(), 2u);
  EXPECT_EQ(host.refusedInput()[1].event, "MouseClick");

  site.isEnabled = true;
  EXPECT_TRUE(host.mouseMove(12.5, -3));
  EXPECT_TRUE(host.mouseClick(2, 7, 8));
  ASSERT_EQ(site.events.size(), 2u);
  const auto& move = site.events[0];
  EXPECT_EQ(move.name, "MouseMove");
  ASSERT_EQ(move.args.size(), 8u);
  const char* expectedTypes[] = {"Integer", "Integer", "Double", "Double",
                                 "Double",  "Object",  "Long",   "Object"};
  for (std::size_t i = 0; i < 8; ++i) EXPECT_STREQ(move.args[i].typeName(), expectedTypes[i]);
  EXPECT_EQ(move.args[2], automation::Variant(12.5));
  EXPECT_EQ(move.args[3], automation::Variant(-3.0));
  EXPECT_EQ(site.events[1].name, "MouseClick");
  EXPECT_EQ(site.events[1].args[0], automation::Variant(std::int16_t{2}));
  EXPECT_EQ(host.refusedInput().size(), 2u);

  mouse.release();
  EXPECT_FALSE(host.mouseMove(0, 0)) << "a released control takes no input";
}

TEST(CommandFramework, AnEventRunsTheComponentAndEachHostCallInsideItTheHost) {
  ReferenceHost host(quiet());
  testing::RecordingSite site;
  const automation::Object mouse =
      host.controlFactory().create(host::progid::kMouseControl, {}, site);
  const host::HostApplication app(host.application());
  std::vector<Side> changes;
  host.onSideChanged([&](Side now) { changes.push_back(now); });
  site.onEvent = [&](const std::string&) {
    EXPECT_NO_THROW(app.activeDocument());
    // A delivery inside a handler's reaches the control as well.
    if (site.events.size() == 1) {
      EXPECT_TRUE(host.mouseMove(3, 4));
    }
  };
  EXPECT_TRUE(host.mouseMove(1, 2));
  EXPECT_EQ(site.events.size(), 2u);
  EXPECT_EQ(changes, (std::vector<Side>{Side::Component, Side::Host, Side::Component, Side::Host,
                                        Side::Component, Side::Host, Side::Component, Side::Host,
                                        Side::Component, Side::Host}));
  host.onSideChanged({});
  site.onEvent = nullptr;
  changes.clear();
  EXPECT_NO_THROW(app.activeDocument());
  EXPECT_TRUE(changes.empty()) << "a host call from the host's side changes nothing";
}

TEST(CommandFramework, TerminateIsRaisedForEveryDoneAndEventsNest) {
  ReferenceHost host(quiet());
  testing::RecordingSite site;
  const host::CommandControl control(
      host.controlFactory().create(host::progid::kCommandControl, {}, site));
  EXPECT_THROW(control.application(), automation::Failure) << "nothing to offer before binding";
  // The start-up event runs inside the put, as the component's whole run does.
  site.onEvent = [&](const std::string& event) {
    if (event == "Initialize") control.setDone();
  };
  control.bind(host.commandObject());
  EXPECT_EQ(site.count("Initialize"), 1);
  EXPECT_EQ(site.count("Terminate"), 1);
  site.onEvent = nullptr;
  control.setDone(false);
  EXPECT_FALSE(host.command().done);
  EXPECT_EQ(site.count("Terminate"), 1);
  control.setDone(true);
  EXPECT_EQ(site.count("Terminate"), 2);
  EXPECT_EQ(host.command().terminateEvents, 2);
  EXPECT_THROW(host.controlFactory().create("K2DOther.ksThing", {}, site), automation::Failure);
}

TEST(CommandFramework, AFailureEscapingAnEventHandlerStopsAtTheControl) {
  ReferenceHost host(quiet());
  testing::RecordingSite site;
  const host::CommandControl control(
      host.controlFactory().create(host::progid::kCommandControl, {}, site));
  site.onEvent = [](const std::string&) { throw automation::Failure(91, "handler failed"); };
  EXPECT_NO_THROW(control.bind(host.commandObject()));
  EXPECT_NO_THROW(control.setDone());
  ASSERT_EQ(host.eventFailures().size(), 2u);
  EXPECT_EQ(host.eventFailures()[0].description, "handler failed");
  EXPECT_FALSE(host.callLog().records().front().failed) << "the put itself succeeded";
}

TEST(Document, LengthsFollowTheUsersLocaleAndTheDocumentsUnit) {
  Environment env = quiet();
  env.userLocale = 1031;
  env.documentFormat = {LengthUnit::Millimetre, 3, '.'};
  ReferenceHost host(env);
  const host::HostDocument doc = host::HostApplication(host.application()).activeDocument();
  EXPECT_EQ(doc.formatDistance(0.0254), "25,4 mm");
  EXPECT_DOUBLE_EQ(doc.parseDistance("25,4"), 0.0254);
  host.environment().decimalSeparator = '.';
  host.environment().documentFormat.unit = LengthUnit::Inch;
  EXPECT_EQ(doc.formatDistance(0.0381), "1.5 in");
  EXPECT_DOUBLE_EQ(doc.parseDistance("2"), 0.0508);
  std::vector<automation::Variant> wrongUnitType{automation::Variant(std::int32_t{2}),
                                                 automation::Variant(0.1)};
  EXPECT_THROW(doc.object().call(45, wrongUnitType), automation::Failure);
}

TEST(ObjectCreator, UnknownClassesCannotBeCreated) {
  ReferenceHost host(quiet());
  try {
    host.objectCreator().create("Nobody.Nothing");
    FAIL();
  } catch (const automation::Failure& f) {
    EXPECT_EQ(f.number, automation::kCannotCreateObject);
  }
}

}  // namespace
}  // namespace refhost
