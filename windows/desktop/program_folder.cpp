#include "windows/desktop/program_folder.hpp"

#include <windows.h>

#include <string>

namespace windows::desktop {

std::filesystem::path programFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return std::filesystem::path(path).parent_path();
    }
    path.resize(path.size() * 2);  // truncated: a longer path than MAX_PATH
  }
}

}  // namespace windows::desktop
