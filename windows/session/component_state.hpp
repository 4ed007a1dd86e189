#pragma once

#include <string>

#include "windows/session/session_parts.hpp"

namespace windows::session {

// The component side of a session's state as JSON text: "dialog", "run" (without "done", which
// the host knows), "messageBoxes", "help", "refused" and "errorReporterKept".
std::string componentStateJson(const SessionParts& parts);

}  // namespace windows::session
