#pragma once

#include <string>

#include "automation/guard.hpp"
#include "automation/variant.hpp"
#include "platform/system.hpp"

namespace platform {

// The host's help-file key when the application reports no registered name.
inline constexpr const char* kDefaultHelpFileKey =
    "Software\\Kestrova\\Applications\\Planorix.Application\\Help\\HelpFile";

// The registry key, under HKEY_LOCAL_MACHINE, whose default value names the help file of the
// host registered as `appName` (kDefaultHelpFileKey when it is empty).
std::string helpFileKey(const std::string& appName);

// Reads the value `valueName` (any kind, converted to text; empty text is the key's default
// value) of the key `subKey` under `hive` as text: the value's bytes less the last (its
// terminating NUL), read as ANSI, whatever the value's type. A missing key or value gives "".
// A value of size 0 is a failure (invalid procedure call), reported to `sink` as
// "MRegistry::GetRegistryValueString()", and gives "". Only reads; the key it opens is closed on
// every path, the failing one included.
std::string GetRegistryValueString(System& system, automation::FailureSink& sink, Handle hive,
                                   const std::string& subKey, const automation::Variant& valueName);

// The host's help file: the default value of `helpFileKey(appName)`, with ".chm" appended when the
// text holds no "." anywhere; so a missing key gives ".chm". Failures are reported as
// "MRegistry::GetHelpFileNameFromRegistry()".
std::string GetHelpFileNameFromRegistry(System& system, automation::FailureSink& sink,
                                        const std::string& appName);

}  // namespace platform
