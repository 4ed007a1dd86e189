#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "automation/convert.hpp"
#include "automation/variant.hpp"
#include "reference_host.hpp"
#include "test_support.hpp"
#include "ui/user_action.hpp"
#include "windows/automation/argument_list.hpp"
#include "windows/automation/com_creator.hpp"
#include "windows/automation/com_dispatch.hpp"
#include "windows/automation/failure_info.hpp"
#include "windows/host/registered_host_classes.hpp"
#include "windows/host/session_objects.hpp"
#include "windows/session/protocol.hpp"

namespace {

using automation::Variant;
using Kind = portable::UserAction::Kind;
namespace protocol = windows::harness;

// A late-bound object whose every member is the test's function.
class Callback final : public automation::Dispatch {
 public:
  using Body = std::function<Variant(std::span<Variant>)>;
  explicit Callback(Body body) : body_(std::move(body)) {}
  Variant invoke(automation::DispId, automation::InvokeKind, std::span<Variant> args) override {
    return body_(args);
  }
  std::optional<automation::DispId> idOfName(std::string_view) override { return std::nullopt; }

 private:
  Body body_;
};

automation::Object callback(Callback::Body body) {
  return automation::Object(std::make_shared<Callback>(std::move(body)));
}

// A whole command run through COM: the host's classes registered in this process, the DLL
// registered and created by its programmatic identifier, its session driven by the test.
class Session : public testing::Test {
 protected:
  void SetUp() override {
    const auto registerServer = wintest::exportOf<HRESULT(STDAPICALLTYPE*)()>("ZULRegisterServer");
    ASSERT_NE(registerServer, nullptr);
    ASSERT_EQ(registerServer(), S_OK);
    // A component left loaded by an earlier test was made without this host's session driver.
    ASSERT_EQ(wintest::exportOf<HRESULT(STDAPICALLTYPE*)()>("DllCanUnloadNow")(), S_OK);
    command_ = windows::ComCreator().create("kstQuadrift412.CQuadrift");
    session_ = classes_.session();
    ASSERT_TRUE(session_.isSet());
    session_.call(
        protocol::kSessionSetEventSink, {Variant(callback([this](std::span<Variant> a) {
          events_.push_back(automation::toString(a[0]) + ": " + automation::toString(a[1]));
          return Variant();
        }))});
    session_.call(protocol::kSessionSetHostView,
                  {Variant(automation::Object(
                      std::make_shared<windows::host_classes::ReferenceHostView>(host_)))});
  }
  void TearDown() override {
    command_.release();
    session_.release();
    classes_.releaseSession();
    wintest::exportOf<HRESULT(STDAPICALLTYPE*)()>("ZULUnregisterServer")();
  }

  void post(Kind kind, std::string target = {}, std::int32_t number = 0, std::string text = {},
            double x = 0, double y = 0) {
    session_.call(protocol::kSessionPost,
                  {Variant(static_cast<std::int32_t>(kind)), Variant(std::move(target)),
                   Variant(number), Variant(std::move(text)), Variant(x), Variant(y)});
  }
  nlohmann::json state() {
    return nlohmann::json::parse(automation::toString(session_.get(protocol::kSessionState)));
  }
  HRESULT initialize(EXCEPINFO& info) {
    const windows::ComPtr<IDispatch> command = windows::dispatchOf(command_);
    return wintest::initializeCommand(*command.get(), host_, info);
  }

  refhost::ReferenceHost host_{wintest::windowsHost()};
  windows::host_classes::RegisteredHostClasses classes_{host_};
  automation::Object command_;
  automation::Object session_;
  std::vector<std::string> events_;
};

TEST_F(Session, TypedOriginThenMousePlacementThenOk) {
  nlohmann::json afterApply;
  post(Kind::Focus, "txtSOLX");
  post(Kind::Type, {}, 0, "120mm");
  post(Kind::Click, "cmdApply");
  session_.call(protocol::kSessionPostProbe, {Variant(callback([&](std::span<Variant>) {
                  afterApply = state();
                  return Variant();
                }))});
  post(Kind::Click, "cmdMove");
  post(Kind::MouseMove, {}, 0, {}, 0.3, 0.2);
  post(Kind::MouseClick, {}, 1, {}, 0.05, 0.02);
  post(Kind::Click, "cmdHelp");
  post(Kind::Click, "cmdOK");
  EXPECT_EQ(automation::toInt32(session_.get(protocol::kSessionPending)), 9);

  EXCEPINFO info{};
  ASSERT_EQ(initialize(info), S_OK);
  // Move hid the dialog: the mouse input and OK are the host's own loop's.
  EXPECT_EQ(automation::toInt32(session_.get(protocol::kSessionPending)), 4);
  session_.call(protocol::kSessionRunUntilIdle);
  EXPECT_EQ(automation::toInt32(session_.get(protocol::kSessionPending)), 0);
  EXPECT_TRUE(host_.errorReports().empty());
  EXPECT_TRUE(host_.refusedInput().empty());
  EXPECT_TRUE(host_.command().done);
  EXPECT_NEAR(host_.sheetSetup().originX, -0.05, 1e-9);
  EXPECT_NEAR(host_.sheetSetup().originY, -0.02, 1e-9);

  // The dialog's and the help's events, in the order they happened (a help event by its kind).
  const std::vector<std::string> shownEvents = [&] {
    std::vector<std::string> d;
    for (const auto& e : events_) {
      if (e.rfind("dialog: ", 0) == 0) d.push_back(e);
      if (e.rfind("help: ", 0) == 0) d.push_back("help");
    }
    return d;
  }();
  EXPECT_EQ(shownEvents,
            (std::vector<std::string>{"dialog: frmMain shown", "dialog: frmMain hidden",
                                      "dialog: frmMain shown", "help", "dialog: frmMain hidden"}));
  ASSERT_TRUE(afterApply.is_object());
  EXPECT_EQ(afterApply["dialog"]["visible"], true);
  EXPECT_EQ(afterApply["dialog"]["controls"]["txtSOLX"]["text"], "120 mm");
  EXPECT_EQ(afterApply["run"]["historyCount"], 2);
  const nlohmann::json end = state();
  EXPECT_EQ(end["dialog"]["visible"], false);
  EXPECT_EQ(end["run"]["historyCount"], 3);
  EXPECT_EQ(end["run"]["setupApplied"], true);
  EXPECT_EQ(end["errorReporterKept"], false);
  EXPECT_TRUE(end["refused"].empty());
  ASSERT_EQ(end["help"].size(), 1u);
  EXPECT_EQ(end["help"][0]["context"], 61191);

  // Releasing the command lets go of every host object but the display sheet's two graphics,
  // kept while the component is loaded; once the session goes too, the DLL may unload, and
  // nothing of the host is left referenced.
  command_.release();
  EXPECT_EQ(host_.liveObjects(), 2u);
  session_.release();
  classes_.releaseSession();
  EXPECT_EQ(wintest::exportOf<HRESULT(STDAPICALLTYPE*)()>("DllCanUnloadNow")(), S_OK);
  EXPECT_EQ(host_.liveObjects(), 0u);
}

TEST_F(Session, InjectedHostFailureArrivesAsOneReportWithItsFields) {
  host_.faults().failMemberCall("HostSheet.30", 1);
  EXCEPINFO info{};
  ASSERT_EQ(initialize(info), S_OK);
  ASSERT_EQ(host_.errorReports().size(), 1u);
  const refhost::ErrorReport& report = host_.errorReports().front();
  const automation::Failure injected = refhost::injectedFailure("HostSheet.30");
  EXPECT_EQ(report.number, injected.number);
  EXPECT_EQ(report.description, injected.description);
  EXPECT_EQ(report.source, injected.source);
  EXPECT_EQ(report.helpFile, injected.helpFile);
  EXPECT_EQ(report.helpContext, injected.helpContext);
  EXPECT_EQ(state()["errorReporterKept"], true);
}

TEST_F(Session, InputRunningDryEndsTheRunAsRunAbortedNotAFailure) {
  EXCEPINFO info{};
  EXPECT_EQ(initialize(info), DISP_E_EXCEPTION);
  EXPECT_EQ(info.scode, windows::kRunAborted);
  EXPECT_NE(wintest::takeDescription(info).find(L"ran out"), std::wstring::npos);
  EXPECT_TRUE(host_.errorReports().empty());
  EXPECT_EQ(events_.front(), "dialog: frmMain shown");
}

}  // namespace
