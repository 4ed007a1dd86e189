// The fault sweep: every session script is run once to count its host calls, then once per call
// index k with exactly the k-th host call failing. Each rerun is brought to an end as a user
// would (a message box answered, a placement abandoned, the dialog cancelled) right after the
// statement in which the failure happened, and then checked: nothing reached the host, the
// injected failure was reported exactly once under a procedure's identification string or was
// silent where that is the rule, the command ended, every host object was released, and the
// sheet setup is one the run could leave.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "dialog/frm_main.hpp"
#include "runner.hpp"
#include "ui/headless_engine.hpp"
#include "world.hpp"

namespace {

namespace fs = std::filesystem;

constexpr std::int32_t kInjectedNumber = -2147220991;
constexpr const char* kInjectedSource = "RefHost.Sweep";

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Whether a procedure's identification string names the function that runs it: the name after
// its last ':' (without the parentheses) is the function's, or one of the pairs where the
// language's name and the function's differ by design.
bool identNamesFunction(std::string_view ident, std::string_view function) {
  std::string_view name = ident.substr(ident.rfind(':') + 1);
  name = name.substr(0, name.find('('));
  static constexpr std::pair<std::string_view, std::string_view> kByDesign[] = {
      {"Class_Initialize", "CQuadrift"},
      {"Class_Terminate", "~CQuadrift"},
      {"_GotFocus", "lengthField_GotFocus"},  // the six length fields share their handlers
      {"_LostFocus", "lengthField_LostFocus"},
  };
  for (const auto& [suffix, runs] : kByDesign) {
    if (name.ends_with(suffix) && function == runs) return true;
  }
  return name == function;
}

// Follows the component's procedures, so that the one running when the injected failure is
// raised is known: the procedure that made the failing call. Notes every procedure whose
// identification string names another function.
class ProcedureTrace final : public automation::ProcedureObserver {
 public:
  void entering(std::string_view ident, std::string_view function) noexcept override {
    running_.emplace_back(ident);
    if (!identNamesFunction(ident, function)) {
      misnamed_.insert("\"" + std::string(ident) + "\" is run by " + std::string(function));
    }
  }
  void leaving(std::string_view) noexcept override {
    if (!running_.empty()) running_.pop_back();
  }
  std::string current() const { return running_.empty() ? std::string() : running_.back(); }
  const std::set<std::string>& misnamed() const { return misnamed_; }

 private:
  std::vector<std::string> running_;
  std::set<std::string> misnamed_;
};

bool isCancel(const session::Action& action) {
  if (std::holds_alternative<session::Close>(action)) return true;
  if (const auto* k = std::get_if<session::Key>(&action)) return k->key == "Esc";
  const auto* c = std::get_if<session::Click>(&action);
  return c != nullptr && c->control == "cmdCancel";
}

// Where a failure of a host call may go unreported: the procedure running and the member that
// failed.
struct SilentRule {
  std::string_view procedure;  // one '*' stands for any text
  std::string_view target;     // likewise
};
constexpr SilentRule kSilentRules[] = {
    // The suppressed stretches that show a list entry's two lengths: the host's parse and format.
    {"kstQuadrift.frmMain:cboSize_Click()", "HostDocument.46"},
    {"kstQuadrift.frmMain:cboSize_Click()", "HostDocument.45"},
    {"kstQuadrift.frmMain:cboScale_Click()", "HostDocument.46"},
    {"kstQuadrift.frmMain:cboScale_Click()", "HostDocument.45"},
    // A length field's LostFocus, before its guard: text the host cannot read is refused with a
    // warning.
    {"kstQuadrift.frmMain:txt*_LostFocus()", "HostDocument.46"},
    // The close request's steps ignore their failures.
    {"kstQuadrift.frmMain:Form_QueryUnload()", "ksCommand1.3"},
    // A start-up that could not show the dialog ends the command; its failure was reported.
    {"kstQuadrift.frmMain:ksCommand1_Initialize()", "ksCommand1.3"},
    // The error reporter's own call: the failure it was reporting is lost with it, and nothing is
    // left to report either to; it must only not escape.
    {"*", "ErrorReporter.1"},
};

bool silentByRule(const std::string& procedure, const std::string& target) {
  auto matches = [](std::string_view pattern, std::string_view text) {
    const std::size_t star = pattern.find('*');
    if (star == std::string_view::npos) return pattern == text;
    const std::string_view head = pattern.substr(0, star);
    const std::string_view tail = pattern.substr(star + 1);
    return text.size() >= head.size() + tail.size() && text.starts_with(head) &&
           text.ends_with(tail);
  };
  return std::any_of(std::begin(kSilentRules), std::end(kSilentRules), [&](const SilentRule& r) {
    return matches(r.procedure, procedure) && matches(r.target, target);
  });
}

struct RunOutcome {
  std::size_t hostCalls = 0;
  std::size_t injectedReports = 0;
  std::string injectedIdent;
  std::string failedTarget;
  std::string failedIn;         // the guarded procedure running when the failure was raised
  bool restoreStopped = false;  // cancelled, and the sheet setup is not record 1
  bool failedInCancel = false;  // the failure happened in the Cancel or close that ended the run
  std::vector<std::string> problems;
};

// Runs `script` with host call `failAt` failing (none: the plain run). After the statement in
// which the failure happened, the rest of the script is dropped and the run brought to an end.
RunOutcome runWithFault(const session::Script& script, const fs::path& satellites,
                        std::optional<std::size_t> failAt) {
  RunOutcome out;
  ProcedureTrace trace;  // outlives the world, whose unloading still runs guarded procedures
  session::World world(session::worldSettings(script, satellites));
  refhost::ReferenceHost& host = world.host();
  for (const auto& s : script.statements) {
    if (const auto* f = std::get_if<session::InjectFault>(&s.action)) {
      const std::string target = f->object + "." + f->member;
      if (f->nth) {
        host.faults().failMemberCall(target, static_cast<std::size_t>(*f->nth));
      } else {
        host.faults().failMember(target);
      }
    }
  }
  if (failAt) {
    host.faults().failCall(*failAt, automation::Failure(kInjectedNumber, "sweep: injected",
                                                        kInjectedSource, "sweep.chm", 7));
  }
  world.component().reporting.followProcedures(&trace);
  host.faults().onInjected([&](std::string_view) { out.failedIn = trace.current(); });
  const std::size_t liveAtStart = host.liveObjects();
  const refhost::SheetSetupState setupAtStart = host.sheetSetup();

  std::vector<const session::Statement*> steps;
  bool started = false;
  for (const auto& s : script.statements) {
    if (std::holds_alternative<session::Start>(s.action)) started = true;
    if (started && session::inputOf(s, script.file)) steps.push_back(&s);
  }

  portable::HeadlessEngine& engine = world.engine();
  auto failed = [&] { return failAt && host.callLog().size() >= *failAt; };
  bool cancelling = false;  // the input being handled is a Cancel or a close request
  int recoveryRounds = 0;
  int cancelClicks = 0;
  std::function<void(std::size_t)> next;
  // After statement i - 1: go on with statement i, or, once the failure has happened, end the
  // run as a user would, one action at a time, looking at the state after each.
  next = [&](std::size_t i) {
    if (!failed() && i < steps.size()) {
      cancelling = isCancel(steps[i]->action);
      engine.post(*session::inputOf(*steps[i], script.file));
      engine.post(portable::UserAction::probeStep([&, i] { next(i + 1); }));
      return;
    }
    if (failAt && recoveryRounds == 0) out.failedInCancel = cancelling;
    if (!failAt || host.command().done || ++recoveryRounds > 4) return;
    dialog::FrmMain* dialog = world.dialog();
    if (engine.messageBoxOpen()) {
      engine.post(portable::UserAction::answerBox());
    } else if (dialog != nullptr && dialog->form().visible()) {
      // A click on Cancel first; if a field that refuses its text keeps the focus, Esc, which
      // presses Cancel where the focus is.
      cancelling = true;
      engine.post(cancelClicks++ == 0 ? portable::UserAction::click("cmdCancel")
                                      : portable::UserAction::press(ui::Key::Escape));
    } else if (dialog != nullptr && dialog->form().control("ksMouse1").enabled()) {
      engine.post(portable::UserAction::mouseClick(2, 0, 0));
    } else {
      return;  // nothing the user can reach: checked below
    }
    engine.post(portable::UserAction::probeStep([&, i] { next(i); }));
  };

  std::string ended;
  try {
    engine.post(portable::UserAction::probeStep([&] { next(0); }));
    world.start();
    engine.runUntilIdle();
  } catch (const portable::RunAborted& aborted) {
    ended = aborted.what();
  } catch (const automation::Failure& failure) {
    out.problems.push_back("failure reached the host at start-up: " + failure.description);
  }
  // A command whose control the host refused to bind was never running in the host: there is
  // nothing to end.
  if (!host.command().done && host.command().bound) {
    out.problems.push_back("the run could not end (command still running" +
                           (ended.empty() ? std::string(")") : "; " + ended + ")"));
  }
  const bool cancelled = cancelling && host.command().done;
  const bool reporterBefore = !host.errorReports().empty();
  try {
    world.end();
  } catch (const automation::Failure& failure) {
    out.problems.push_back("failure reached the host at release: " + failure.description);
  }

  for (const auto& m : trace.misnamed()) out.problems.push_back("misnamed procedure: " + m);
  out.hostCalls = host.callLog().size();
  if (const char* debug = std::getenv("SWEEP_DEBUG");
      debug && failAt && std::to_string(*failAt) == debug) {
    std::cerr << host.callLog().describe();
    for (const auto& h : engine.handled())
      std::cerr << "input: " << h.action << " -> " << h.outcome << "\n";
    for (const auto& r : host.errorReports())
      std::cerr << "report: " << r.ident << ": " << r.description << "\n";
  }
  for (const auto& f : host.eventFailures()) {
    out.problems.push_back("failure escaped an event handler: " + f.description);
  }
  for (const auto& r : host.errorReports()) {
    if (r.number != kInjectedNumber || r.source != kInjectedSource) continue;
    ++out.injectedReports;
    out.injectedIdent = r.ident;
  }
  if (failAt && *failAt <= host.callLog().size()) {
    out.failedTarget = host.callLog().records()[*failAt - 1].target();
  }
  // The error reporter, created at the first report, and the display sheet's two graphics stay
  // while the component is loaded; nothing else may.
  const std::size_t kept = (host.errorReports().empty() && !reporterBefore ? 0 : 1) + 2;
  const std::size_t live = host.liveObjects();
  if (live < liveAtStart || live > liveAtStart + kept) {
    out.problems.push_back("host objects not released: " + std::to_string(live) + " live, " +
                           std::to_string(liveAtStart) + " at start");
  }
  if (cancelled && host.sheetSetup() != setupAtStart) {
    // Legitimate only where the failure stopped the restore itself.
    out.restoreStopped = true;
    if (!out.failedInCancel) out.problems.push_back("cancel did not restore record 1");
  }
  return out;
}

struct SessionSweep {
  std::string session;
  std::size_t callsSwept = 0;
  std::size_t reported = 0;
  std::size_t silent = 0;
  std::size_t restoreStopped = 0;
  std::vector<std::string> violations;

  std::string line() const {
    std::ostringstream s;
    s << session << ": " << callsSwept << " calls swept, " << reported << " failures reported, "
      << silent << " silent by rule, " << restoreStopped << " cancels left a restore stopped, "
      << violations.size() << " violations";
    return s.str();
  }
};

SessionSweep sweepSession(const fs::path& file, const fs::path& satellites) {
  SessionSweep sweep;
  sweep.session = file.filename().string();
  const session::Script script = session::parseScript(readFile(file), file.string());
  const RunOutcome plain = runWithFault(script, satellites, std::nullopt);
  for (const auto& p : plain.problems)
    sweep.violations.push_back(sweep.session + ": plain run: " + p);
  sweep.callsSwept = plain.hostCalls;

  for (std::size_t k = 1; k <= plain.hostCalls; ++k) {
    const RunOutcome run = runWithFault(script, satellites, k);
    auto violation = [&](const std::string& what) {
      sweep.violations.push_back(sweep.session + ": call " + std::to_string(k) + " (" +
                                 run.failedTarget + "): " + what);
    };
    for (const auto& p : run.problems) violation(p);
    if (run.injectedReports > 1) {
      violation("reported " + std::to_string(run.injectedReports) + " times");
    } else if (run.injectedReports == 1) {
      ++sweep.reported;
      if (run.injectedIdent != run.failedIn) {
        violation("reported as \"" + run.injectedIdent + "\" while \"" + run.failedIn +
                  "\" was running");
      }
    } else if (silentByRule(run.failedIn, run.failedTarget)) {
      ++sweep.silent;
    } else {
      violation("not reported (in \"" + run.failedIn + "\")");
    }
    if (run.restoreStopped) ++sweep.restoreStopped;
  }
  return sweep;
}

std::vector<fs::path> sessionFiles() {
  std::vector<fs::path> files;
  for (const char* folder : {"examples", "tests/sessions"}) {
    const fs::path dir = fs::path(QUADRIFT_SOURCE_DIR) / folder;
    if (!fs::is_directory(dir)) continue;
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (entry.path().extension() == ".qsession") files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(FaultSweep, EveryHostCallOfEverySessionFailsSafely) {
  const auto files = sessionFiles();
  ASSERT_FALSE(files.empty());
  std::vector<std::string> violations;
  for (const auto& file : files) {
    const SessionSweep sweep = sweepSession(file, QUADRIFT_BINARY_DIR);
    std::cout << sweep.line() << "\n";
    for (const auto& v : sweep.violations) std::cout << "  VIOLATION " << v << "\n";
    EXPECT_GT(sweep.callsSwept, 0u) << sweep.session;
    violations.insert(violations.end(), sweep.violations.begin(), sweep.violations.end());
  }
  EXPECT_TRUE(violations.empty()) << violations.size() << " violations, first: " << violations[0];
}

}  // namespace
