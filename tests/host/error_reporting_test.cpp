#include "host/error_reporting.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/guard.hpp"
#include "host/application_views.hpp"
#include "reference_host.hpp"

namespace host {
namespace {

// Counts the objects created through it, by class.
struct CountingCreator : automation::ObjectCreator {
  explicit CountingCreator(automation::ObjectCreator& target) : inner(target) {}
  automation::Object create(std::string_view progId) override {
    created.emplace_back(progId);
    return inner.create(progId);
  }
  automation::ObjectCreator& inner;
  std::vector<std::string> created;
};

refhost::Environment quiet() {
  refhost::Environment env;
  env.echoReportsToStderr = false;
  return env;
}

TEST(ErrorReporting, PassesTheNineArgumentsInOrder) {
  refhost::ReferenceHost host(quiet());
  ErrorReporting reporting(host.objectCreator());
  reporting.report(automation::Failure(1004, "Sheet refused", "RefHost", "host.chm", 77),
                   "kstQuadrift.frmMain:cmdOK_Click()");

  const auto calls = host.callLog().of("ErrorReporter");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].member, 1);
  EXPECT_EQ(calls[0].kind, automation::InvokeKind::Call);
  std::vector<std::string> types;
  for (const auto& a : calls[0].args) types.push_back(a.type);
  EXPECT_EQ(types, (std::vector<std::string>{"String", "String", "String", "Long", "Long", "String",
                                             "Long", "Long", "Integer"}));

  ASSERT_EQ(host.errorReports().size(), 1u);
  const refhost::ErrorReport& r = host.errorReports()[0];
  EXPECT_EQ(r.source, "RefHost");
  EXPECT_EQ(r.description, "Sheet refused");
  EXPECT_EQ(r.helpFile, "host.chm");
  EXPECT_EQ(r.helpContext, 77);
  EXPECT_EQ(r.number, 1004);
  EXPECT_EQ(r.ident, "kstQuadrift.frmMain:cmdOK_Click()");
  EXPECT_EQ(r.style, 48);
  EXPECT_EQ(r.reserved1, 0);
  EXPECT_EQ(r.reserved2, 0);
}

TEST(ErrorReporting, EmptySourceIsTheProjectNameButADirectReportKeepsItsOwn) {
  refhost::ReferenceHost host(quiet());
  ErrorReporting reporting(host.objectCreator());
  reporting.report(automation::runtimeFailure(automation::errnum::kOverflow), "x()");
  reporting.reportDirect("", "Failed to Load kstQuadrift_<>.dll Resource Lib", "", 0, 0,
                         "kstQuadrift.frmMain:ksCommand1_Initialize()");
  ASSERT_EQ(host.errorReports().size(), 2u);
  EXPECT_EQ(host.errorReports()[0].source, "kstQuadrift");
  EXPECT_EQ(host.errorReports()[0].number, 6);
  EXPECT_EQ(host.errorReports()[0].description, "Overflow");
  EXPECT_EQ(host.errorReports()[1].source, "");
  EXPECT_EQ(host.errorReports()[1].description, "Failed to Load kstQuadrift_<>.dll Resource Lib");
}

TEST(ErrorReporting, CreatesTheReporterAtTheFirstReportAndKeepsIt) {
  refhost::ReferenceHost host(quiet());
  CountingCreator creator(host.objectCreator());
  {
    ErrorReporting reporting(creator);
    EXPECT_TRUE(creator.created.empty());
    EXPECT_FALSE(reporting.hasReporter());
    reporting.report(automation::Failure(5, "a"), "a()");
    reporting.report(automation::Failure(5, "b"), "b()");
    reporting.report(automation::Failure(5, "c"), "c()");
    EXPECT_EQ(creator.created, std::vector<std::string>{"Kestrova.ErrorReporter"});
    EXPECT_EQ(host.errorReports().size(), 3u);
    EXPECT_EQ(host.liveObjects(), 1u);
  }
  EXPECT_EQ(host.liveObjects(), 0u) << "the reporter goes with the component";
}

TEST(ErrorReporting, NeverThrowsAndRetriesCreationAtTheNextReport) {
  refhost::Environment env = quiet();
  env.unavailableClasses = {"Kestrova.ErrorReporter"};
  refhost::ReferenceHost host(env);
  ErrorReporting reporting(host.objectCreator());
  EXPECT_NO_THROW(reporting.report(automation::Failure(5, "lost"), "a()"));
  EXPECT_FALSE(reporting.hasReporter());
  EXPECT_TRUE(host.errorReports().empty());

  host.environment().unavailableClasses.clear();
  reporting.report(automation::Failure(5, "kept"), "b()");
  ASSERT_EQ(host.errorReports().size(), 1u);
  EXPECT_EQ(host.errorReports()[0].description, "kept");
}

TEST(ErrorReporting, AFailingReportCallIsSwallowedAndTheReporterKept) {
  refhost::ReferenceHost host(quiet());
  host.faults().failMemberCall("ErrorReporter.1", 1);
  ErrorReporting reporting(host.objectCreator());
  EXPECT_NO_THROW(reporting.report(automation::Failure(5, "first"), "a()"));
  EXPECT_TRUE(reporting.hasReporter());
  reporting.report(automation::Failure(5, "second"), "b()");
  ASSERT_EQ(host.errorReports().size(), 1u);
  EXPECT_EQ(host.errorReports()[0].description, "second");
  EXPECT_EQ(host.liveObjects(), 1u);
}

TEST(ErrorReporting, AGuardedProcedureReportsAnInjectedHostFailureOnce) {
  refhost::ReferenceHost host(quiet());
  host.faults().failMember("HostSheet.30");
  ErrorReporting reporting(host.objectCreator());
  bool reachedEnd = false;
  const bool result = automation::guardedFunction(
      reporting, "kstQuadrift.frmMain:InitHostObjects()", true, [&](bool& r) {
        r = false;
        const HostApplication app(host.application());
        app.activeDocument().activeSheet().setup();
        r = true;
        reachedEnd = true;
      });
  EXPECT_FALSE(result);
  EXPECT_FALSE(reachedEnd);
  ASSERT_EQ(host.errorReports().size(), 1u);
  const refhost::ErrorReport& r = host.errorReports()[0];
  EXPECT_EQ(r.ident, "kstQuadrift.frmMain:InitHostObjects()");
  EXPECT_EQ(r.source, "RefHost");
  EXPECT_EQ(r.helpFile, "refhost.chm");
  EXPECT_EQ(r.helpContext, 1004);
  EXPECT_NE(r.number, 0);
  EXPECT_NE(r.description.find("HostSheet.30"), std::string::npos);
  EXPECT_EQ(host.liveObjects(), 1u) << "only the kept reporter is still referenced";
}

TEST(ErrorReporting, TellsItsObserverWhichProcedureMadeTheFailingHostCall) {
  struct Observer : automation::ProcedureObserver {
    std::vector<std::string> running;
    void entering(std::string_view ident, std::string_view) noexcept override {
      running.emplace_back(ident);
    }
    void leaving(std::string_view) noexcept override { running.pop_back(); }
  } observer;
  refhost::ReferenceHost host(quiet());
  host.faults().failMember("HostSheet.30");
  std::string failedIn;
  host.faults().onInjected([&](std::string_view target) {
    failedIn = std::string(target) + " in " +
               (observer.running.empty() ? std::string("nothing") : observer.running.back());
  });
  ErrorReporting reporting(host.objectCreator());
  reporting.followProcedures(&observer);
  automation::guarded(reporting, "outer()", [&] {
    automation::guarded(reporting, "inner()", [&] {
      HostApplication(host.application()).activeDocument().activeSheet().setup();
    });
  });
  EXPECT_EQ(failedIn, "HostSheet.30 in inner()");
  EXPECT_TRUE(observer.running.empty());
  ASSERT_EQ(host.errorReports().size(), 1u);
  EXPECT_EQ(host.errorReports()[0].ident, "inner()");

  // Without an observer the procedures still run and report.
  reporting.followProcedures(nullptr);
  automation::guarded(reporting, "again()", [&] {
    HostApplication(host.application()).activeDocument().activeSheet().setup();
  });
  EXPECT_EQ(failedIn, "HostSheet.30 in nothing");
  EXPECT_EQ(host.errorReports().size(), 2u);
}

}  // namespace
}  // namespace host
