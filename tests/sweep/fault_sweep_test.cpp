// The fault sweep with the component in process (see fault_sweep.hpp). With QUADRIFT_SWEEP_RECORD
// set, the runs' records are written to that file, for another build's sweep to be held to.
#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "sweep/fault_sweep.hpp"
#include "ui/headless_engine.hpp"
#include "world.hpp"

namespace {

// Follows the component's procedures: the ones running now, innermost last, and each one
// entered.
class ProcedureTrace final : public automation::ProcedureObserver {
 public:
  void entering(std::string_view ident, std::string_view function) noexcept override {
    running_.emplace_back(ident);
    entered_.emplace(ident, function);
  }
  void leaving(std::string_view) noexcept override {
    if (!running_.empty()) running_.pop_back();
  }
  std::string current() const { return running_.empty() ? std::string() : running_.back(); }
  const std::set<std::pair<std::string, std::string>>& entered() const { return entered_; }

 private:
  std::vector<std::string> running_;
  std::set<std::pair<std::string, std::string>> entered_;
};

class InProcessWorld final : public sweep::SweptWorld {
 public:
  explicit InProcessWorld(const session::Script& script)
      : world_(session::worldSettings(script, QUADRIFT_BINARY_DIR)) {
    world_.component().reporting.followProcedures(&trace_);
  }
  session::SessionWorld& world() override { return world_; }
  std::string runningProcedure() override { return trace_.current(); }
  std::set<std::pair<std::string, std::string>> proceduresEntered() override {
    return trace_.entered();
  }
  bool messageBoxOpen() override { return world_.engine().messageBoxOpen(); }
  std::string handledInput() override {
    std::ostringstream s;
    for (const auto& h : world_.engine().handled())
      s << "input: " << h.action << " -> " << h.outcome << "\n";
    return s.str();
  }

 private:
  ProcedureTrace trace_;  // outlives the world, whose unloading still runs guarded procedures
  session::World world_;
};

TEST(FaultSweep, EveryHostCallOfEverySessionFailsSafely) {
  const auto files = sweep::sessionFiles(QUADRIFT_SOURCE_DIR);
  ASSERT_FALSE(files.empty());
  const char* recordPath = std::getenv("QUADRIFT_SWEEP_RECORD");
  std::ofstream records;
  if (recordPath != nullptr) records.open(recordPath, std::ios::binary);
  const sweep::WorldMaker inProcess = [](const session::Script& script) {
    return std::make_unique<InProcessWorld>(script);
  };
  std::vector<std::string> violations;
  for (const auto& file : files) {
    const session::Script script = session::parseScript(sweep::readFile(file), file.string());
    const sweep::SessionSweep swept =
        sweep::sweepSession(script, file.filename().string(), inProcess);
    std::cout << swept.line() << "\n";
    for (const auto& v : swept.violations) std::cout << "  VIOLATION " << v << "\n";
    EXPECT_GT(swept.callsSwept, 0u) << swept.session;
    if (records.is_open()) sweep::writeRecords(records, swept);
    violations.insert(violations.end(), swept.violations.begin(), swept.violations.end());
  }
  EXPECT_TRUE(records.is_open() || recordPath == nullptr) << "cannot write " << recordPath;
  EXPECT_TRUE(violations.empty()) << violations.size() << " violations, first: " << violations[0];
}

}  // namespace
