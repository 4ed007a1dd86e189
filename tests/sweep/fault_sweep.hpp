#pragma once

// The fault sweep, whichever way the component is reached: every session script is run once to
// count its host calls, then once per call index k with exactly the k-th host call failing. Each
// rerun is brought to an end as a user would (a message box answered, a placement abandoned, the
// dialog cancelled) right after the statement in which the failure happened, and then checked:
// nothing reached the host, the injected failure was reported exactly once under a procedure's
// identification string or was silent where that is the rule, the command ended, every host
// object was released, and the sheet setup is one the run could leave. Each run also leaves a
// record of what it observed, so that two ways of reaching the component can be held to the same
// outcome call by call.

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>
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
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "automation/failure.hpp"
#include "reference_host.hpp"
#include "runner.hpp"
#include "script.hpp"
#include "session_world.hpp"
#include "state_json.hpp"
#include "ui/run_aborted.hpp"
#include "ui/user_action.hpp"

namespace sweep {

namespace fs = std::filesystem;

inline constexpr std::int32_t kInjectedNumber = -2147220991;
inline constexpr const char* kInjectedSource = "RefHost.Sweep";

// A session's world as the sweep sees it: what every session world shows, and besides it the
// component's guarded procedures and whether a message box waits for its answer.
class SweptWorld {
 public:
  virtual ~SweptWorld() = default;
  virtual session::SessionWorld& world() = 0;
  // The identification string of the innermost guarded procedure running now; empty if none.
  virtual std::string runningProcedure() = 0;
  // Each (identification string, function that runs it) entered so far.
  virtual std::set<std::pair<std::string, std::string>> proceduresEntered() = 0;
  virtual bool messageBoxOpen() = 0;
  // The input the engine handled and what came of it, for a run being looked into.
  virtual std::string handledInput() { return {}; }
};

// Makes the world a script runs in.
using WorldMaker = std::function<std::unique_ptr<SweptWorld>(const session::Script&)>;

inline std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Whether a procedure's identification string names the function that runs it: the name after
// its last ':' (without the parentheses) is the function's, or one of the pairs where the
// language's name and the function's differ by design.
inline bool identNamesFunction(std::string_view ident, std::string_view function) {
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

inline bool isCancel(const session::Action& action) {
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
inline constexpr SilentRule kSilentRules[] = {
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
    // Without the host's main window to own it, the dialog is shown on its own.
    {"kstQuadrift.frmMain:ksCommand1_Initialize()", "HostApplication.35"},
    // The error reporter's own call: the failure it was reporting is lost with it, and nothing is
    // left to report either to; it must only not escape.
    {"*", "ErrorReporter.1"},
};

inline bool silentByRule(const std::string& procedure, const std::string& target) {
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
  // What the run observed, for holding another way of running it to the same outcome: the
  // above, the host calls in order, the session's state as the run ended and the host's after
  // the release.
  nlohmann::json record;
};

// Runs `script` with host call `failAt` failing (none: the plain run). After the statement in
// which the failure happened, the rest of the script is dropped and the run brought to an end.
inline RunOutcome runWithFault(const session::Script& script, const WorldMaker& makeWorld,
                               std::optional<std::size_t> failAt) {
  RunOutcome out;
  const std::unique_ptr<SweptWorld> swept = makeWorld(script);
  session::SessionWorld& world = swept->world();
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
  host.faults().onInjected([&](std::string_view) { out.failedIn = swept->runningProcedure(); });
  const std::size_t liveAtStart = host.liveObjects();
  const refhost::SheetSetupState setupAtStart = host.sheetSetup();

  std::vector<const session::Statement*> steps;
  bool started = false;
  for (const auto& s : script.statements) {
    if (std::holds_alternative<session::Start>(s.action)) started = true;
    if (started && session::inputOf(s, script.file)) steps.push_back(&s);
  }

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
      world.post(*session::inputOf(*steps[i], script.file));
      world.post(portable::UserAction::probeStep([&, i] { next(i + 1); }));
      return;
    }
    if (failAt && recoveryRounds == 0) out.failedInCancel = cancelling;
    if (!failAt || host.command().done || ++recoveryRounds > 4) return;
    const nlohmann::json dialog = world.componentState()["dialog"];
    const nlohmann::json* mouse = nullptr;
    if (dialog.contains("controls") && dialog["controls"].contains("ksMouse1"))
      mouse = &dialog["controls"]["ksMouse1"];
    if (swept->messageBoxOpen()) {
      world.post(portable::UserAction::answerBox());
    } else if (dialog.value("visible", false)) {
      // A click on Cancel first; if a field that refuses its text keeps the focus, Esc, which
      // presses Cancel where the focus is.
      cancelling = true;
      world.post(cancelClicks++ == 0 ? portable::UserAction::click("cmdCancel")
                                     : portable::UserAction::press(ui::Key::Escape));
    } else if (mouse != nullptr && mouse->value("enabled", false)) {
      world.post(portable::UserAction::mouseClick(2, 0, 0));
    } else {
      return;  // nothing the user can reach: checked below
    }
    world.post(portable::UserAction::probeStep([&, i] { next(i); }));
  };

  std::string ended;
  try {
    world.post(portable::UserAction::probeStep([&] { next(0); }));
    world.start();
    world.runUntilIdle();
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
  nlohmann::json endState = session::stateJson(world);
  try {
    world.end();
  } catch (const automation::Failure& failure) {
    out.problems.push_back("failure reached the host at release: " + failure.description);
  }
  nlohmann::json released = session::stateJson(world)["host"];
  host.faults().onInjected({});  // what the world's teardown calls is no part of the run

  for (const auto& [ident, function] : swept->proceduresEntered()) {
    if (!identNamesFunction(ident, function))
      out.problems.push_back("misnamed procedure: \"" + ident + "\" is run by " + function);
  }
  out.hostCalls = host.callLog().size();
  if (const char* debug = std::getenv("SWEEP_DEBUG");
      debug && failAt && std::to_string(*failAt) == debug) {
    std::cerr << host.callLog().describe() << swept->handledInput();
    for (const auto& r : host.errorReports())
      std::cerr << "report: " << r.ident << ": " << r.description << "\n";
  }
  for (const auto& f : host.eventFailures()) {
    out.problems.push_back("failure escaped an event handler: " + f.description);
  }
  nlohmann::json injected = nlohmann::json::array();
  for (const auto& r : host.errorReports()) {
    if (r.number != kInjectedNumber || r.source != kInjectedSource) continue;
    ++out.injectedReports;
    out.injectedIdent = r.ident;
    injected.push_back({r.ident, r.description, r.helpFile, r.helpContext, r.style});
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

  std::vector<std::string> calls;
  for (const auto& c : host.callLog().records()) calls.push_back(c.target());
  out.record = {{"target", out.failedTarget},
                {"failedIn", out.failedIn},
                {"injectedReports", injected},
                {"failedInCancel", out.failedInCancel},
                {"restoreStopped", out.restoreStopped},
                {"problems", out.problems},
                {"liveObjectsAfter",
                 static_cast<std::int64_t>(live) - static_cast<std::int64_t>(liveAtStart)},
                {"calls", calls},
                {"endState", std::move(endState)},
                {"released", std::move(released)}};
  return out;
}

// One session swept, and each run's record in call order (the plain run's first).
struct SessionSweep {
  std::string session;
  std::size_t callsSwept = 0;
  std::size_t reported = 0;
  std::size_t silent = 0;
  std::size_t restoreStopped = 0;
  std::vector<std::string> violations;
  std::vector<nlohmann::json> records;

  std::string line() const {
    std::ostringstream s;
    s << session << ": " << callsSwept << " calls swept, " << reported << " failures reported, "
      << silent << " silent by rule, " << restoreStopped << " cancels left a restore stopped, "
      << violations.size() << " violations";
    return s.str();
  }
};

inline SessionSweep sweepSession(const session::Script& script, const std::string& name,
                                 const WorldMaker& makeWorld) {
  SessionSweep sweep;
  sweep.session = name;
  const RunOutcome plain = runWithFault(script, makeWorld, std::nullopt);
  for (const auto& p : plain.problems)
    sweep.violations.push_back(sweep.session + ": plain run: " + p);
  sweep.callsSwept = plain.hostCalls;
  sweep.records.push_back(plain.record);

  for (std::size_t k = 1; k <= plain.hostCalls; ++k) {
    const RunOutcome run = runWithFault(script, makeWorld, k);
    sweep.records.push_back(run.record);
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

// The session scripts under `sourceDir`'s examples/ and tests/sessions/, in name order.
inline std::vector<fs::path> sessionFiles(const fs::path& sourceDir) {
  std::vector<fs::path> files;
  for (const char* folder : {"examples", "tests/sessions"}) {
    const fs::path dir = sourceDir / folder;
    if (!fs::is_directory(dir)) continue;
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (entry.path().extension() == ".qsession") files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The records of a sweep, one JSON line per run: {"session", "call" (0 for the plain run),
// "record"}.
inline void writeRecords(std::ostream& out, const SessionSweep& sweep) {
  for (std::size_t k = 0; k < sweep.records.size(); ++k) {
    out << nlohmann::json{{"session", sweep.session}, {"call", k}, {"record", sweep.records[k]}}
               .dump()
        << "\n";
  }
}

// Where the records of a sweep written by writeRecords differ from `sweep`'s: one line per run
// that differs (each part that differs, with both sides), or that either side lacks.
inline std::vector<std::string> recordDifferences(std::istream& expected, const SessionSweep& sweep,
                                                  const std::string& expectedSide,
                                                  const std::string& side) {
  std::vector<nlohmann::json> theirs;
  for (std::string line; std::getline(expected, line);) {
    if (line.empty()) continue;
    const nlohmann::json entry = nlohmann::json::parse(line);
    if (entry.at("session") != sweep.session) continue;
    const std::size_t k = entry.at("call");
    if (theirs.size() <= k) theirs.resize(k + 1);
    theirs[k] = entry.at("record");
  }
  std::vector<std::string> differences;
  const std::size_t runs = std::max(theirs.size(), sweep.records.size());
  for (std::size_t k = 0; k < runs; ++k) {
    const std::string run = sweep.session + ": call " + std::to_string(k);
    if (k >= theirs.size() || theirs[k].is_null()) {
      differences.push_back(run + ": no run on the " + expectedSide + " side");
      continue;
    }
    if (k >= sweep.records.size()) {
      differences.push_back(run + ": no run on the " + side + " side");
      continue;
    }
    const nlohmann::json patch = nlohmann::json::diff(theirs[k], sweep.records[k]);
    if (patch.empty()) continue;
    std::string what = run + " (" + theirs[k].value("target", "") + ") differs:";
    for (const auto& op : patch) {
      const std::string path = op.at("path");
      const nlohmann::json::json_pointer pointer(path);
      what += "\n    " + path + ": " + expectedSide + " " +
              (theirs[k].contains(pointer) ? theirs[k][pointer].dump() : "(none)") + ", " + side +
              " " +
              (sweep.records[k].contains(pointer) ? sweep.records[k][pointer].dump() : "(none)");
    }
    differences.push_back(what);
  }
  return differences;
}

}  // namespace sweep
