// The fault sweep (tests/sweep/fault_sweep.hpp) with the component in its real DLL: the
// reference host runs in this process and hands the DLL its objects over IDispatch, so every
// injected failure crosses to the component as DISP_E_EXCEPTION and its report comes back
// through the COM error reporter. The procedure running when a host call fails is asked of the
// DLL's session at that moment. With QUADRIFT_SWEEP_EXPECTED naming the records of the
// in-process sweep, every run must also end exactly as its in-process counterpart did. With
// QUADRIFT_SWEEP_SESSIONS (file names, separated by ','), only those sessions are swept.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "automation/convert.hpp"
#include "script.hpp"
#include "sweep/fault_sweep.hpp"
#include "windows/app/com_world.hpp"
#include "windows/app/function_dispatch.hpp"
#include "windows/handles/unique.hpp"
#include "windows/session/protocol.hpp"

namespace {

namespace fs = std::filesystem;

fs::path programFolder() {
  std::wstring buffer(MAX_PATH, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), MAX_PATH);
  buffer.resize(length);
  return fs::path(buffer).parent_path();
}

class ComSweptWorld final : public sweep::SweptWorld {
 public:
  explicit ComSweptWorld(std::unique_ptr<session::SessionWorld> world)
      : world_(std::move(world)), com_(dynamic_cast<windows::ComWorld&>(*world_)) {}
  session::SessionWorld& world() override { return *world_; }
  std::string runningProcedure() override { return ask(windows::harness::kSessionProcedure); }
  std::set<std::pair<std::string, std::string>> proceduresEntered() override {
    std::set<std::pair<std::string, std::string>> entered;
    std::istringstream lines(ask(windows::harness::kSessionProceduresEntered));
    for (std::string line; std::getline(lines, line);) {
      const std::size_t tab = line.find('\t');
      entered.emplace(line.substr(0, tab), tab == std::string::npos ? "" : line.substr(tab + 1));
    }
    return entered;
  }
  bool messageBoxOpen() override {
    if (!com_.engineSession().isSet()) return false;
    return automation::toBool(windows::invokeMember(com_.engineSession(),
                                                    windows::harness::kSessionMessageBoxOpen,
                                                    automation::InvokeKind::Get));
  }

 private:
  // A text member of the DLL's session; what went wrong, as the answer, when it cannot be
  // asked, so that the run's record shows it.
  std::string ask(automation::DispId member) {
    if (!com_.engineSession().isSet()) return "(no session attached)";
    try {
      return automation::toString(
          windows::invokeMember(com_.engineSession(), member, automation::InvokeKind::Get));
    } catch (const std::exception& wrong) {
      return std::string("(the session cannot tell: ") + wrong.what() + ")";
    }
  }

  std::unique_ptr<session::SessionWorld> world_;
  windows::ComWorld& com_;
};

// Whether session `name` is to be swept in this run.
bool chosen(const std::string& name) {
  const char* list = std::getenv("QUADRIFT_SWEEP_SESSIONS");
  if (list == nullptr) return true;
  std::istringstream names(list);
  for (std::string n; std::getline(names, n, ',');) {
    if (n == name) return true;
  }
  return false;
}

TEST(ComFaultSweep, EveryHostCallOfEverySessionFailsSafelyThroughCom) {
  const fs::path folder = programFolder();
  // Loaded once for the whole sweep: each world's registration and release leave it mapped, and
  // its unload query still resets its component-wide state between runs.
  const windows::UniqueModule dll(LoadLibraryW((folder / QUADRIFT_COMPONENT_DLL).c_str()));
  ASSERT_TRUE(dll) << QUADRIFT_COMPONENT_DLL " cannot be loaded";
  const char* expectedPath = std::getenv("QUADRIFT_SWEEP_EXPECTED");
  const sweep::WorldMaker throughCom = [&](const session::Script& script) {
    return std::make_unique<ComSweptWorld>(session::makeWorld(script, folder));
  };

  const auto started = std::chrono::steady_clock::now();
  std::size_t runs = 0;
  std::size_t swept = 0;
  std::vector<std::string> violations;
  for (const auto& file : sweep::sessionFiles(QUADRIFT_SOURCE_DIR)) {
    const session::Script script = session::parseScript(sweep::readFile(file), file.string());
    const std::string name = file.filename().string();
    if (!chosen(name)) continue;
    sweep::SessionSweep result;
    try {
      result = sweep::sweepSession(script, name, throughCom);
    } catch (const session::ScriptError& unhonourable) {
      // An environment this process cannot give (another locale, a printer): another run sweeps it.
      std::cout << name << ": not here: " << unhonourable.what() << "\n";
      continue;
    }
    ++swept;
    runs += result.records.size();
    std::cout << result.line() << "\n";
    for (const auto& v : result.violations) std::cout << "  VIOLATION " << v << "\n";
    EXPECT_GT(result.callsSwept, 0u) << name;
    violations.insert(violations.end(), result.violations.begin(), result.violations.end());
    if (expectedPath != nullptr) {
      std::ifstream expected(expectedPath, std::ios::binary);
      ASSERT_TRUE(expected) << "cannot read " << expectedPath;
      for (const auto& d : sweep::recordDifferences(expected, result, "in process", "COM")) {
        std::cout << "  DIFFERENCE " << d << "\n";
        violations.push_back(d);
      }
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::cout << swept << " sessions, " << runs << " runs through COM in " << seconds << " s"
            << (expectedPath ? ", each held to its in-process run" : "") << "\n";
  EXPECT_GT(swept, 0u) << "no session could be run in this process's environment";
  EXPECT_TRUE(violations.empty()) << violations.size() << " violations, first: "
                                  << (violations.empty() ? "" : violations[0]);
}

}  // namespace
