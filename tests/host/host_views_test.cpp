#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/failure.hpp"
#include "host/application_views.hpp"
#include "host/auxiliary_views.hpp"
#include "host/dispids.hpp"
#include "host/host_controls.hpp"
#include "reference_host.hpp"
#include "refhost/recording_site.hpp"
#include "support/satellites.hpp"

namespace host {
namespace {

using automation::InvokeKind;
using refhost::CallRecord;

// Type names and values of a logged call's arguments, e.g. {"Long", "Double ByRef"}.
std::vector<std::string> types(const CallRecord& r) {
  std::vector<std::string> out;
  for (const auto& a : r.args) out.push_back(a.type);
  return out;
}

class HostViews : public ::testing::Test {
 protected:
  HostViews() : host(environment()) {}
  static refhost::Environment environment() {
    refhost::Environment env;
    env.echoReportsToStderr = false;
    env.mainWindow = 0x00120034;
    env.registeredName = "Planorix";
    return env;
  }
  // The single call made since the log was last cleared.
  CallRecord onlyCall() {
    EXPECT_EQ(host.callLog().size(), 1u) << host.callLog().describe();
    CallRecord r = host.callLog().records().back();
    host.callLog().clear();
    return r;
  }
  HostApplication app() { return HostApplication(host.application()); }

  refhost::ReferenceHost host;
};

TEST_F(HostViews, ApplicationMembers) {
  const HostApplication a = app();
  EXPECT_EQ(a.undoDepth(), 20);
  CallRecord r = onlyCall();
  EXPECT_EQ(r.target(), "HostApplication.25");
  EXPECT_EQ(r.kind, InvokeKind::Get);
  EXPECT_TRUE(r.args.empty());

  a.setUndoDepth(7);
  r = onlyCall();
  EXPECT_EQ(r.target(), "HostApplication.25");
  EXPECT_EQ(r.kind, InvokeKind::Put);
  EXPECT_EQ(types(r), std::vector<std::string>{"Integer"});
  EXPECT_EQ(host.undoHistory().depth(), 7);

  a.setStatusText("Pick the origin");
  r = onlyCall();
  EXPECT_EQ(r.target(), "HostApplication.32");
  EXPECT_EQ(r.kind, InvokeKind::Put);
  EXPECT_EQ(types(r), std::vector<std::string>{"String"});
  EXPECT_EQ(host.statusText(), "Pick the origin");

  EXPECT_EQ(a.mainWindow(), 0x00120034);
  EXPECT_EQ(onlyCall().target(), "HostApplication.35");
  EXPECT_EQ(a.registeredName(), "Planorix");
  EXPECT_EQ(onlyCall().target(), "HostApplication.104");

  EXPECT_TRUE(a.activeDocument().isSet());
  EXPECT_EQ(onlyCall().target(), "HostApplication.38");
  EXPECT_TRUE(a.graphicFactory().isSet());
  EXPECT_EQ(onlyCall().target(), "HostApplication.80");
  EXPECT_TRUE(a.overlay().isSet());
  EXPECT_EQ(onlyCall().target(), "HostApplication.82");
}

TEST_F(HostViews, DocumentFormatsAndParsesWithUnitTypeOneFirst) {
  const HostDocument doc = app().activeDocument();
  host.callLog().clear();

  EXPECT_EQ(doc.formatDistance(0.297), "297 mm");
  CallRecord r = onlyCall();
  EXPECT_EQ(r.target(), "HostDocument.45");
  EXPECT_EQ(r.kind, InvokeKind::Call);
  EXPECT_EQ(types(r), (std::vector<std::string>{"Long", "Double ByRef"}));
  EXPECT_EQ(r.args[0].value, automation::Variant(std::int32_t{1}));
  EXPECT_EQ(r.args[1].value, automation::Variant(0.297));

  EXPECT_DOUBLE_EQ(doc.parseDistance("1 in"), 0.0254);
  r = onlyCall();
  EXPECT_EQ(r.target(), "HostDocument.46");
  EXPECT_EQ(types(r), (std::vector<std::string>{"Long", "String"}));
  EXPECT_EQ(r.args[1].value, automation::Variant("1 in"));

  EXPECT_THROW(doc.parseDistance("twelve"), automation::Failure);
  EXPECT_TRUE(onlyCall().failed);

  EXPECT_TRUE(doc.activeSheet().isSet());
  EXPECT_EQ(onlyCall().target(), "HostDocument.4");
}

TEST_F(HostViews, SheetSetupMembers) {
  const HostSheetSetup setup = app().activeDocument().activeSheet().setup();
  const auto calls = host.callLog().records();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[2].target(), "HostSheet.30");
  host.callLog().clear();

  EXPECT_EQ(setup.paperUnit(), 0);
  EXPECT_EQ(onlyCall().target(), "HostSheetSetup.4");

  setup.setScaleMode(std::int16_t{6});
  CallRecord r = onlyCall();
  EXPECT_EQ(r.target(), "HostSheetSetup.7");
  EXPECT_EQ(r.kind, InvokeKind::Put);
  EXPECT_EQ(types(r), std::vector<std::string>{"Integer"});
  setup.setScaleMode(std::int32_t{-1});
  EXPECT_EQ(types(onlyCall()), std::vector<std::string>{"Long"});
  EXPECT_EQ(setup.scaleMode(), -1);
  EXPECT_EQ(onlyCall().kind, InvokeKind::Get);

  setup.setSizeIndex(std::int16_t{28});
  r = onlyCall();
  EXPECT_EQ(r.target(), "HostSheetSetup.9");
  EXPECT_EQ(types(r), std::vector<std::string>{"Integer"});
  setup.setSizeIndex(std::int32_t{-2});
  EXPECT_EQ(types(onlyCall()), std::vector<std::string>{"Long"});
  EXPECT_EQ(setup.sizeIndex(), -2);
  onlyCall();

  setup.setHeight(0.5);
  r = onlyCall();
  EXPECT_EQ(r.target(), "HostSheetSetup.8");
  EXPECT_EQ(types(r), std::vector<std::string>{"Double"});
  setup.setWidth(0.4);
  EXPECT_EQ(onlyCall().target(), "HostSheetSetup.10");
  EXPECT_DOUBLE_EQ(setup.height(), 0.5);
  EXPECT_EQ(onlyCall().target(), "HostSheetSetup.8");
  EXPECT_DOUBLE_EQ(setup.width(), 0.4);
  EXPECT_EQ(onlyCall().target(), "HostSheetSetup.10");

  setup.setCustomScale(0.01, 1.0);
  r = onlyCall();
  EXPECT_EQ(r.target(), "HostSheetSetup.15");
  EXPECT_EQ(r.kind, InvokeKind::Call);
  EXPECT_EQ(types(r), (std::vector<std::string>{"Double", "Double"}));
  EXPECT_EQ(r.args[0].value, automation::Variant(0.01));
  EXPECT_EQ(r.args[1].value, automation::Variant(1.0));
  EXPECT_DOUBLE_EQ(setup.scaleFactor(), 0.01);
  EXPECT_EQ(onlyCall().target(), "HostSheetSetup.14");

  double paper = -1;
  double model = -1;
  setup.scaleDistances(paper, model);
  r = onlyCall();
  EXPECT_EQ(r.target(), "HostSheetSetup.16");
  EXPECT_EQ(types(r), (std::vector<std::string>{"Double ByRef", "Double ByRef"}));
  EXPECT_DOUBLE_EQ(paper, 0.01);
  EXPECT_DOUBLE_EQ(model, 1.0);

  setup.setOrigin(-0.1, 0.25);
  r = onlyCall();
  EXPECT_EQ(r.target(), "HostSheetSetup.18");
  EXPECT_EQ(types(r), (std::vector<std::string>{"Double", "Double"}));
  EXPECT_EQ(r.args[0].value, automation::Variant(-0.1));
  double x = 0;
  double y = 0;
  setup.origin(x, y);
  r = onlyCall();
  EXPECT_EQ(r.target(), "HostSheetSetup.17");
  EXPECT_EQ(types(r), (std::vector<std::string>{"Double ByRef", "Double ByRef"}));
  EXPECT_DOUBLE_EQ(x, -0.1);
  EXPECT_DOUBLE_EQ(y, 0.25);
}

TEST_F(HostViews, OverlayAndGraphics) {
  const HostApplication a = app();
  const HostOverlay overlay = a.overlay();
  const HostGraphic g = a.graphicFactory().newGraphic();
  EXPECT_EQ(host.callLog().records().back().target(), "HostGraphicFactory.5");
  host.callLog().clear();

  g.setRectangle(1, 2, 3, 4);
  CallRecord r = onlyCall();
  EXPECT_EQ(r.target(), "HostGraphic.15");
  EXPECT_EQ(types(r), std::vector<std::string>(5, "Double"));
  EXPECT_EQ(r.args[4].value, automation::Variant(0.0));

  g.moveBy(1, 2, 11, -8);
  r = onlyCall();
  EXPECT_EQ(r.target(), "HostGraphic.18");
  EXPECT_EQ(types(r), std::vector<std::string>(4, "Double"));

  overlay.clear();
  EXPECT_EQ(onlyCall().target(), "HostOverlay.2");
  overlay.add(g, 0xFF0000, 1);
  r = onlyCall();
  EXPECT_EQ(r.target(), "HostOverlay.4");
  EXPECT_EQ(types(r), (std::vector<std::string>{"Object", "Long", "Long", "Long"}));
  EXPECT_EQ(r.args[0].value, automation::Variant("HostGraphic"));
  EXPECT_EQ(r.args[1].value, automation::Variant(std::int32_t{0xFF0000}));
  EXPECT_EQ(r.args[2].value, automation::Variant(std::int32_t{0}));
  EXPECT_EQ(r.args[3].value, automation::Variant(std::int32_t{1}));
  EXPECT_TRUE(host.shownGraphics().empty());  // added, not yet shown
  overlay.show();
  EXPECT_EQ(onlyCall().target(), "HostOverlay.3");

  ASSERT_EQ(host.shownGraphics().size(), 1u);
  const refhost::ShownGraphic& shown = host.shownGraphics()[0];
  EXPECT_DOUBLE_EQ(shown.x, 11);
  EXPECT_DOUBLE_EQ(shown.y, -8);
  EXPECT_DOUBLE_EQ(shown.width, 3);
  EXPECT_DOUBLE_EQ(shown.height, 4);
  EXPECT_EQ(shown.colour, 0xFF0000);
}

TEST_F(HostViews, CommandControlBindsReachesTheApplicationAndEnds) {
  refhost::testing::RecordingSite site;
  const CommandControl control(host.controlFactory().create(progid::kCommandControl, {}, site));
  control.bind(host.commandObject());
  CallRecord r = onlyCall();
  EXPECT_EQ(r.target(), "ksCommand1.Command");
  EXPECT_EQ(r.kind, InvokeKind::Put);
  EXPECT_EQ(types(r), std::vector<std::string>{"Object"});
  EXPECT_EQ(r.args[0].value, automation::Variant("CommandObject"));
  EXPECT_EQ(site.count("Initialize"), 1);
  control.bind(host.commandObject());
  host.callLog().clear();
  EXPECT_EQ(site.count("Initialize"), 1) << "start-up is raised once";

  const HostApplication a = control.application();
  const auto calls = host.callLog().records();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].target(), "ksCommand1.1");
  EXPECT_EQ(calls[1].target(), "CommandObject.zulapplication");
  EXPECT_EQ(a.registeredName(), "Planorix");
  host.callLog().clear();

  control.setDone();
  r = onlyCall();
  EXPECT_EQ(r.target(), "ksCommand1.3");
  EXPECT_EQ(types(r), std::vector<std::string>{"Boolean"});
  EXPECT_EQ(r.args[0].value, automation::Variant(automation::Bool16{-1}));
  EXPECT_EQ(site.count("Terminate"), 1);
  EXPECT_TRUE(host.command().done);
}

TEST_F(HostViews, MouseControlStartUpCall) {
  refhost::testing::RecordingSite site;
  const MouseControl mouse(host.controlFactory().create(progid::kMouseControl, {}, site));
  mouse.prepare();
  const CallRecord r = onlyCall();
  EXPECT_EQ(r.target(), "ksMouse1.63");
  EXPECT_EQ(r.kind, InvokeKind::Call);
  EXPECT_EQ(types(r), std::vector<std::string>{"Boolean"});
  EXPECT_EQ(r.args[0].value, automation::Variant(automation::Bool16{0}));
}

TEST_F(HostViews, HostGlobalIsCreatedOnceAndMayFindNoApplication) {
  HostGlobalView global(host.objectCreator());
  EXPECT_EQ(global.runningApplication().registeredName(), "Planorix");
  host.environment().applicationRunning = false;
  EXPECT_FALSE(global.runningApplication().isSet());
  EXPECT_EQ(host.callLog().of("HostGlobal", dispid::host_global::kRunningApplication).size(), 2u);
  EXPECT_EQ(host.liveObjects(), 1u) << "one HostGlobal object, kept between uses";
  global.release();
  EXPECT_EQ(host.liveObjects(), 0u);
}

TEST_F(HostViews, ResourceLocatorCallsInOrderAndFallsBackTo1033) {
  host.environment().userLocale = 1031;
  std::vector<std::string> asked;
  host.environment().fileExists = [&asked](const std::string& path) {
    asked.push_back(path);
    return false;
  };
  ResourceLocatorView locator(host.objectCreator());
  locator.setFolder("/opt/kstQuadrift");
  locator.setPrefix("kstQuadrift_");
  EXPECT_EQ(locator.fileName(), "/opt/kstQuadrift/kstQuadrift_1033.dll");
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.front(), "/opt/kstQuadrift/kstQuadrift_1031.dll");
  const auto calls = host.callLog().records();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].target(), "ResourceLocator.1");
  EXPECT_EQ(calls[0].kind, InvokeKind::Put);
  EXPECT_EQ(calls[1].target(), "ResourceLocator.2");
  EXPECT_EQ(calls[2].target(), "ResourceLocator.3");
  EXPECT_EQ(calls[2].kind, InvokeKind::Get);

  // Beside the satellites the command ships, a locale without its own table takes the one of
  // its language and script, then English.
  host.environment().fileExists = [](const std::string& path) {
    for (std::uint32_t lcid : satellites::kLocales) {
      if (path == "/opt/kstQuadrift/kstQuadrift_" + std::to_string(lcid) + ".dll") return true;
    }
    return false;
  };
  const std::pair<std::uint32_t, std::uint32_t> chosen[] = {
      {1031, 1031},    {2055, 1031},  // German, Switzerland
      {3084, 1036},    {2060, 1036},  // French, Canada and Belgium
      {2058, 3082},    {1034, 3082},  // Spanish, Mexico and traditional sort
      {2064, 1040},    {2070, 1046},  // Italian, Switzerland; Portuguese, Portugal
      {3076, 1028},    {5124, 1028},  // Chinese, Hong Kong and Macao: traditional script
      {4100, 2052},    {2066, 1042},  // Chinese, Singapore: simplified; Korean, Johab
      {0x10411, 1041}, {2057, 1033},  // Japanese with another sort order; English, UK
      {1053, 1033},    {1058, 1033},  // Swedish, Ukrainian: no table of their language
  };
  for (const auto& [user, satellite] : chosen) {
    host.environment().userLocale = user;
    EXPECT_EQ(locator.fileName(),
              "/opt/kstQuadrift/kstQuadrift_" + std::to_string(satellite) + ".dll")
        << user;
  }
  for (std::uint32_t lcid : satellites::kLocales) {
    host.environment().userLocale = lcid;
    EXPECT_EQ(locator.fileName(), "/opt/kstQuadrift/kstQuadrift_" + std::to_string(lcid) + ".dll");
  }
}

TEST_F(HostViews, UnsetViewsFailWithObjectNotSet) {
  HostApplication a = app();
  a.release();
  EXPECT_FALSE(a.isSet());
  try {
    a.setStatusText("x");
    FAIL() << "expected a failure";
  } catch (const automation::Failure& f) {
    EXPECT_EQ(f.number, automation::errnum::kObjectNotSet);
  }
  EXPECT_THROW(HostSheetSetup().scaleFactor(), automation::Failure);
  EXPECT_THROW(CommandControl().setDone(), automation::Failure);
  EXPECT_EQ(host.callLog().size(), 0u);
}

}  // namespace
}  // namespace host
