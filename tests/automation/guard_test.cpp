#include "automation/guard.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "automation/object.hpp"
#include "automation/variant.hpp"

namespace automation {
namespace {

struct RecordingSink : FailureSink {
  struct Entry {
    Failure failure;
    std::string ident;
  };
  std::vector<Entry> entries;
  void report(const Failure& failure, std::string_view ident) override {
    entries.push_back({failure, std::string(ident)});
  }
};

TEST(Guard, FailureSkipsTheRestAndIsReportedOnceWithItsFields) {
  RecordingSink sink;
  std::vector<int> steps;
  guarded(sink, "kstQuadrift.frmMain:cmdOK_Click()", [&] {
    steps.push_back(1);
    throw Failure(1004, "Sheet refused", "RefHost", "host.chm", 77);
    steps.push_back(2);
  });
  EXPECT_EQ(steps, std::vector<int>{1});
  ASSERT_EQ(sink.entries.size(), 1u);
  const auto& e = sink.entries[0];
  EXPECT_EQ(e.ident, "kstQuadrift.frmMain:cmdOK_Click()");
  EXPECT_EQ(e.failure.number, 1004);
  EXPECT_EQ(e.failure.description, "Sheet refused");
  EXPECT_EQ(e.failure.source, "RefHost");
  EXPECT_EQ(e.failure.helpFile, "host.chm");
  EXPECT_EQ(e.failure.helpContext, 77);
}

TEST(Guard, NothingIsReportedWithoutAFailureAndOtherExceptionsPassThrough) {
  RecordingSink sink;
  int ran = 0;
  guarded(sink, "x()", [&] { ++ran; });
  EXPECT_EQ(ran, 1);
  EXPECT_TRUE(sink.entries.empty());
  EXPECT_THROW(guarded(sink, "x()", [] { throw std::logic_error("not a failure"); }),
               std::logic_error);
  EXPECT_TRUE(sink.entries.empty());
}

// Records the procedures as they start and end, and which one was running at each report.
struct TracingSink : FailureSink {
  std::vector<std::string> running;
  std::vector<std::string> events;
  void report(const Failure&, std::string_view ident) override {
    events.push_back("report " + std::string(ident) + " in " + running.back());
  }
  void entering(std::string_view ident, std::string_view) noexcept override {
    running.emplace_back(ident);
    events.push_back("enter " + std::string(ident));
  }
  void leaving(std::string_view ident) noexcept override {
    running.pop_back();
    events.push_back("leave " + std::string(ident));
  }
};

TEST(Guard, TheSinkFollowsNestedProceduresAndHearsAFailureWhileItsProcedureRuns) {
  TracingSink sink;
  guarded(sink, "outer()", [&] {
    const std::string inner = guardedFunction(sink, "inner()", std::string("none"),
                                              [](auto&) { throw Failure(5, "refused"); });
    EXPECT_EQ(inner, "none");
    throw Failure(6, "refused again");
  });
  const std::vector<std::string> expected = {"enter outer()",
                                             "enter inner()",
                                             "report inner() in inner()",
                                             "leave inner()",
                                             "report outer() in outer()",
                                             "leave outer()"};
  EXPECT_EQ(sink.events, expected);

  // A procedure with steps before its guard is running from its first step; an exception that
  // is no failure still ends it.
  sink.events.clear();
  EXPECT_THROW(
      {
        const ProcedureScope running(sink, "lostFocus()");
        guarded(sink, "lostFocus()", [] { throw std::logic_error("not a failure"); });
      },
      std::logic_error);
  EXPECT_TRUE(sink.running.empty());
  EXPECT_EQ(sink.events.back(), "leave lostFocus()");
}

TEST(Guard, FunctionReturnsWhatItsResultHeldWhenTheFailureStruck) {
  RecordingSink sink;
  const bool result = guardedFunction(sink, "InitHostObjects()", true, [](bool& r) {
    r = false;
    Object().get(1);  // an unset object: failure 91
    r = true;
  });
  EXPECT_FALSE(result);
  ASSERT_EQ(sink.entries.size(), 1u);
  EXPECT_EQ(sink.entries[0].failure.number, errnum::kObjectNotSet);
}

TEST(Guard, SuppressedStretchRunsEveryStepAndKeepsTheFailureUntilCleared) {
  Suppressed stretch;
  std::vector<int> steps;
  stretch.step([&] { steps.push_back(1); });
  EXPECT_FALSE(stretch.failed());
  stretch.step([&] {
    steps.push_back(2);
    throw runtimeFailure(errnum::kTypeMismatch);
  });
  stretch.step([&] { steps.push_back(3); });
  EXPECT_EQ(steps, (std::vector<int>{1, 2, 3}));
  ASSERT_TRUE(stretch.failed());
  EXPECT_EQ(stretch.pending()->number, errnum::kTypeMismatch);
  stretch.clear();
  EXPECT_FALSE(stretch.failed());
}

TEST(Object, UnsetReferenceFailsEveryCallAndReleasingItIsHarmless) {
  Object none;
  EXPECT_FALSE(none.isSet());
  none.release();
  none.release();
  try {
    none.call(18, {Variant(0.0), Variant(0.0)});
    FAIL();
  } catch (const Failure& f) {
    EXPECT_EQ(f.number, errnum::kObjectNotSet);
  }
}

}  // namespace
}  // namespace automation
