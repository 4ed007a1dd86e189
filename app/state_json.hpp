#pragma once

#include <nlohmann/json.hpp>

namespace session {

class SessionWorld;

// The state of a session as one JSON object: the sheet, the host, the run, the dialog, the
// overlay, and the reports, message boxes, help calls and refused input so far. The host's side
// is read from the reference host, the component's from the world.
nlohmann::json stateJson(SessionWorld& world);

// A state that has every field a script may name: the dialog as designed (every control, every
// property) and one entry in each list. What `expect` subjects are checked against before a run.
const nlohmann::json& stateSchema();

}  // namespace session
