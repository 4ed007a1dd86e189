#pragma once

#include <filesystem>

namespace windows::desktop {

// The folder of the running program's own file, where the component's DLL lies beside it.
std::filesystem::path programFolder();

}  // namespace windows::desktop
