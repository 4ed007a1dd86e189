#pragma once

#include <nlohmann/json.hpp>

namespace session {

class World;

// The state of a session as one JSON object: the sheet, the host, the run, the dialog, the
// overlay, and the reports, message boxes, help calls and refused input so far.
nlohmann::json stateJson(World& world);

}  // namespace session
