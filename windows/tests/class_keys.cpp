#include "class_keys.hpp"

#include <windows.h>

#include "windows/handles/unique.hpp"

namespace wintest {

bool classKeyExists(const std::wstring& path) {
  windows::UniqueKey key;
  return RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

std::optional<std::wstring> classValue(const std::wstring& path, const std::wstring& name) {
  wchar_t data[1024] = {};
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), name.empty() ? nullptr : name.c_str(),
                   RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(data);
}

void setClassValue(const std::wstring& path, const std::wstring& name, const std::wstring& value) {
  RegSetKeyValueW(HKEY_CLASSES_ROOT, path.c_str(), name.empty() ? nullptr : name.c_str(), REG_SZ,
                  value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void deleteClassTree(const std::wstring& path) {
  RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
  RegDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
}

}  // namespace wintest
