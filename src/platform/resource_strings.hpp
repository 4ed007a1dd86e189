#pragma once

#include <cstdint>
#include <string>

#include "automation/guard.hpp"
#include "platform/system.hpp"

namespace platform {

// The string `id` of the satellite resource library `module` (0 when it failed to load): at most
// 499 bytes of it in the ANSI code page, converted back, so a longer string comes back cut, on a
// character boundary. A missing string or library gives "". Failures are reported as
// "MRegistry::GetResourceString()" and give "".
std::string GetResourceString(System& system, automation::FailureSink& sink, Handle module,
                              std::int32_t id);

}  // namespace platform
