#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string_view>

#include <nlohmann/json.hpp>

#include "events/event_log.hpp"
#include "reference_host.hpp"
#include "ui/user_action.hpp"

namespace session {

struct Script;

// A world that cannot be set up on this system (its component cannot be loaded or registered).
class WorldUnavailable : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What a session runs in, as the runner and the state see it: the reference host, the user's
// input queued for the component's engine, and what the session showed. The portable world
// holds the component in process; the Windows one drives it inside its DLL.
class SessionWorld {
 public:
  virtual ~SessionWorld() = default;

  // What the session showed the user, in time order: the host, engine and platform all log here.
  virtual const portable::EventLog& events() const = 0;
  virtual refhost::ReferenceHost& host() = 0;

  // Queues input or a probe for the component's engine, handled in order once the engine runs.
  virtual void post(portable::UserAction action) = 0;
  // The host's own loop: handles what is queued until nothing is left.
  virtual void runUntilIdle() = 0;
  // The host creates the command and hands it the command object. Returns when the command's
  // modal dialog is hidden (or was never shown). Throws portable::RunAborted when the input
  // runs out inside a modal loop.
  virtual void start() = 0;
  // The host releases the command.
  virtual void end() = 0;

  // The component's side of the state (see componentStateJson).
  virtual nlohmann::json componentState() = 0;
  // Whether an `expect` of `subject` can be checked here. A world that sees the component only
  // as a user does (its windows) cannot see what the component keeps to itself; such an
  // expectation is said in the transcript and not checked.
  virtual bool observes(std::string_view /*subject*/) const { return true; }
};

// What shows the command's dialog: the headless engine, or real windows that the session's
// input reaches as real input (the Windows runner's).
enum class DialogEngine { Headless, Win32 };

// The world this system runs `script` in, its satellites in `satelliteFolder`, its dialog shown
// by `engine`. Throws ScriptError for an environment statement this system cannot honour,
// WorldUnavailable when the world cannot be set up (an engine this system does not have).
std::unique_ptr<SessionWorld> makeWorld(const Script& script,
                                        const std::filesystem::path& satelliteFolder,
                                        DialogEngine engine = DialogEngine::Headless);

}  // namespace session
