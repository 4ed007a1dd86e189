#pragma once

#include <cstdint>

namespace command {
class Component;
}

namespace dialog {

// Reads the host's current sheet setup into record `number` of the history. Guarded; fields
// already written keep their new values when a later read fails.
void GetSettings(command::Component& c, std::int16_t number);

}  // namespace dialog
