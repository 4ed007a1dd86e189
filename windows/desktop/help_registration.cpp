#include "windows/desktop/help_registration.hpp"

#include <windows.h>

#include "platform/registry.hpp"
#include "windows/handles/unique.hpp"
#include "windows/platform/ansi_codec.hpp"

namespace windows::desktop {

std::string registerHelpFile(const std::string& registeredName, const std::filesystem::path& file) {
  const std::wstring keyName = wideFromUtf8(platform::helpFileKey(registeredName));
  HKEY opened = nullptr;
  const LSTATUS created = RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyName.c_str(), 0, nullptr, 0,
                                          KEY_SET_VALUE, nullptr, &opened, nullptr);
  if (created != ERROR_SUCCESS) {
    return "the help key cannot be written (error " + std::to_string(created) + ")";
  }
  const UniqueKey key(opened);
  const std::wstring path = file.wstring();
  const LSTATUS set =
      RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                     static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
  if (set != ERROR_SUCCESS) {
    return "the help file cannot be registered (error " + std::to_string(set) + ")";
  }
  return {};
}

}  // namespace windows::desktop
