#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "script.hpp"
#include "session_world.hpp"
#include "subject.hpp"
#include "ui/user_action.hpp"
#include "world_settings.hpp"

namespace session {

struct RunOptions {
  std::filesystem::path satelliteFolder;  // where kstQuadrift_<lcid>.dll lie
  DialogEngine engine = DialogEngine::Headless;
  std::ostream* transcript = nullptr;  // where the transcript goes; none when null
  // Called at each `snapshot "NAME"` statement and once at the end with an empty name.
  std::function<void(SessionWorld&, const std::string& name)> snapshot;
  // Called after the world is built and before the command starts (fault injection, probes).
  std::function<void(SessionWorld&)> prepare;
};

struct RunResult {
  bool finished = false;    // the run ended without running out of input
  std::string abortReason;  // why it did not, when it did not
  std::vector<std::string> failedExpectations;
  nlohmann::json finalState;
  // 0 finished and every expect held; 1 otherwise.
  int exitStatus() const { return finished && failedExpectations.empty() ? 0 : 1; }
};

// The world a script's environment statements describe.
WorldSettings worldSettings(const Script& script, const std::filesystem::path& satelliteFolder);

// Runs a parsed script: sets up the world, starts the command with the script's actions as the
// user's input, evaluates its expectations where they stand, and ends the command.
RunResult runScript(const Script& script, const RunOptions& options);
// The same in a world already set up for the script.
RunResult runScript(const Script& script, SessionWorld& world, const RunOptions& options);

// The user's input a run statement stands for, if it is input; throws ScriptError for a key the
// language does not know.
std::optional<portable::UserAction> inputOf(const Statement& s, const std::string& file);

}  // namespace session
