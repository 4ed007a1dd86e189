#pragma once

#include <functional>
#include <string>

#include <CLI/CLI.hpp>

#include "session_world.hpp"

namespace session {

// What the `run` command of a session runner is told.
struct RunFileOptions {
  std::string file;
  std::string jsonOut;     // where the final state goes as JSON; "-" stdout, empty nowhere
  std::string satellites;  // the folder of the satellite resource libraries
  bool quiet = false;      // no transcript
  // Called at each `snapshot "NAME"` statement and once at the end with an empty name; returns
  // false when what it was to write could not be written.
  std::function<bool(SessionWorld&, const std::string& name)> snapshot;
  // Called after the world is built and before the command starts.
  std::function<void(SessionWorld&)> prepare;
  DialogEngine engine = DialogEngine::Headless;
};

// Adds the `run` command with the options every session runner has; its own follow.
CLI::App* addRunCommand(CLI::App& app, RunFileOptions& options);

// Runs the session script `options.file`, writing its transcript and results. Returns the exit
// status: 0 the run finished and every expectation held, 1 otherwise, 2 when the script (or a
// snapshot) could not be used.
int runFile(const RunFileOptions& options);

}  // namespace session
