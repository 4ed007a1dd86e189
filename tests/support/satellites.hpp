#pragma once

#include <cstdint>
#include <string>

#include "platform/resource_script.hpp"

namespace satellites {

// Every locale the command ships a string table for, as resources/kstQuadrift_<lcid>.rc.
inline constexpr std::uint32_t kLocales[] = {1033, 1031, 1041, 2052, 1028, 1042, 1036,
                                             1040, 3082, 1046, 1049, 1045, 1029};

// The text of the locale's resource script.
std::string scriptOf(std::uint32_t lcid);

// The locale's string table as the portable module loader reads it (empty, with a test failure,
// when the script does not parse).
portable::StringTable tableOf(std::uint32_t lcid);

}  // namespace satellites
