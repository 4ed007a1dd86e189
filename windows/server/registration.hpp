#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace windows {

// A key under HKEY_CLASSES_ROOT that registration creates, with the values it sets there (an
// empty name is the key's default value). Parents come before their children.
struct RegistryKey {
  std::wstring path;
  std::vector<std::pair<std::wstring, std::wstring>> values;
};

// Every key and value that registers the component found at `modulePath`: the class with its
// in-process server, the programmatic identifier, the interface and the type library. The type
// library's help string and version are read from the library embedded in the module.
std::vector<RegistryKey> registrationKeys(const std::wstring& modulePath);

// Writes the keys; on a failure removes what it wrote and returns SELFREG_E_CLASS.
HRESULT registerServer(const std::wstring& modulePath);
// Removes the values the keys list, then each listed key left empty, children first: nothing
// else, so a key another component shares keeps what is not this one's. Nothing registered is
// success.
HRESULT unregisterServer(const std::wstring& modulePath);

}  // namespace windows
