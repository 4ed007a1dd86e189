#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "platform/system.hpp"

namespace portable {

// Registry value types, as Windows numbers them.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

inline constexpr std::int32_t kErrorInvalidHandle = 6;

struct RegistryValue {
  std::uint32_t type = kRegNone;
  std::string bytes;  // the stored data, any length (0 included)
  // When set, `bytes` is UTF-8 text without its terminating NUL, served to ANSI callers
  // converted to their code page with the NUL added (as Windows serves a stored string).
  bool text = false;
};

// A registry held in memory: keys under the predefined roots, named values of any type and size.
// Key and value names compare without regard to ASCII case, as Windows compares them. Names are
// UTF-8. Keys are opened by handle and must be closed; a key with a seeded descendant exists.
class InMemoryRegistry {
 public:
  // Seeding (for tests and the environment; the component has no way to write).
  void addKey(platform::Handle root, std::string_view path);
  void setValue(platform::Handle root, std::string_view path, std::string_view name,
                RegistryValue value);

  // As RegOpenKeyEx: 0 and a new handle, 2 for a missing key (opened stays 0), 6 for a parent
  // that is neither a predefined root nor an open handle.
  std::int32_t open(platform::Handle parent, std::string_view subKey, platform::Handle& opened);
  // The value `name` (empty: the default value) of an open key or predefined root. Sets `error`
  // to 0, 2 (no such value) or 6 (bad handle); returns null unless 0.
  const RegistryValue* find(platform::Handle key, std::string_view name, std::int32_t& error) const;
  // As RegCloseKey: 0, or 6 for a handle that is not open. Closing a predefined root is a no-op.
  std::int32_t close(platform::Handle key);

  std::size_t openKeyCount() const { return openKeys_.size(); }

 private:
  static bool isPredefinedRoot(platform::Handle h) { return h >= 0x80000000u && h <= 0x80000006u; }
  // The canonical name of the key at `path` under the key named `base`, or nothing when the path
  // is malformed (an empty component).
  static bool canonicalChild(const std::string& base, std::string_view path, std::string& out);
  const std::string* keyOf(platform::Handle h, std::string& rootName) const;

  std::set<std::string> keys_;
  std::map<std::string, std::map<std::string, RegistryValue>> values_;
  std::map<platform::Handle, std::string> openKeys_;
  platform::Handle nextHandle_ = 0x100;
};

}  // namespace portable
