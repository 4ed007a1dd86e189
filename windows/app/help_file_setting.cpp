#include "windows/app/help_file_setting.hpp"

#include <windows.h>

#include "platform/registry.hpp"
#include "session_world.hpp"
#include "windows/handles/unique.hpp"
#include "windows/platform/ansi_codec.hpp"

namespace windows {

HelpFileSetting::HelpFileSetting(const std::string& registeredName, const std::string& file)
    : key_(wideFromUtf8(platform::helpFileKey(registeredName))) {
  UniqueKey key;
  DWORD disposition = 0;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                      key.put(), &disposition) != ERROR_SUCCESS) {
    throw ::session::WorldUnavailable("the help file's registry key cannot be written");
  }
  created_ = disposition == REG_CREATED_NEW_KEY;
  const std::wstring value = wideFromUtf8(file);
  RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

HelpFileSetting::~HelpFileSetting() {
  if (created_) {
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, key_.c_str());
    return;
  }
  UniqueKey key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, KEY_SET_VALUE, key.put()) ==
      ERROR_SUCCESS) {
    RegDeleteValueW(key.get(), nullptr);
  }
}

}  // namespace windows
