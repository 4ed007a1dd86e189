#pragma once

#include <filesystem>
#include <string>

namespace windows::desktop {

// Makes `file` the help file of the host registered as `registeredName`: the default value of
// its help key under HKEY_LOCAL_MACHINE, which the command reads when the user asks for help.
// Returns why it could not be written (a process without the right to write the machine's
// keys), or "".
std::string registerHelpFile(const std::string& registeredName, const std::filesystem::path& file);

}  // namespace windows::desktop
