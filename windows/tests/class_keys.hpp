#pragma once

#include <optional>
#include <string>

namespace wintest {

// HKEY_CLASSES_ROOT: whether a key exists, and one of its string values (the default value for
// an empty name); writing a string value, and removing a key with all below it.
bool classKeyExists(const std::wstring& path);
std::optional<std::wstring> classValue(const std::wstring& path, const std::wstring& name = L"");
void setClassValue(const std::wstring& path, const std::wstring& name, const std::wstring& value);
void deleteClassTree(const std::wstring& path);

}  // namespace wintest
