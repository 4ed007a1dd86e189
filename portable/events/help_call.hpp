#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "events/event_log.hpp"

#include "platform/system.hpp"

namespace portable {

// One call of the help viewer the component made, as the platform received it.
struct HelpCall {
  platform::Handle owner;
  std::string file;  // UTF-8, converted back from the ANSI argument
  std::uint32_t command;
  std::uint32_t data;
};

// Keeps `call` in `calls` and, with a log, tells the user's events of it, as each platform does
// for the help calls it receives.
inline void recordHelpCall(HelpCall call, std::vector<HelpCall>& calls, EventLog* events) {
  if (events != nullptr) {
    events->add("help", call.file + ", command " + std::to_string(call.command) + ", context " +
                            std::to_string(call.data));
  }
  calls.push_back(std::move(call));
}

}  // namespace portable
