#include "platform/in_memory_registry.hpp"

#include <cctype>

namespace portable {
namespace {

std::string lowered(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string rootName(platform::Handle root) {
  return std::to_string(root);
}

}  // namespace

bool InMemoryRegistry::canonicalChild(const std::string& base, std::string_view path,
                                      std::string& out) {
  out = base;
  if (path.empty()) return true;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = path.find('\\', start);
    const std::string_view part =
        path.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (part.empty()) return false;
    out += '\\';
    out += lowered(part);
    if (end == std::string_view::npos) return true;
    start = end + 1;
  }
}

void InMemoryRegistry::addKey(platform::Handle root, std::string_view path) {
  std::string key;
  if (!isPredefinedRoot(root) || !canonicalChild(rootName(root), path, key)) return;
  // Every ancestor exists too.
  for (std::size_t cut = key.find('\\'); cut != std::string::npos; cut = key.find('\\', cut + 1)) {
    keys_.insert(key.substr(0, cut));
  }
  keys_.insert(key);
}

void InMemoryRegistry::setValue(platform::Handle root, std::string_view path, std::string_view name,
                                RegistryValue value) {
  std::string key;
  if (!isPredefinedRoot(root) || !canonicalChild(rootName(root), path, key)) return;
  addKey(root, path);
  values_[key][lowered(name)] = std::move(value);
}

const std::string* InMemoryRegistry::keyOf(platform::Handle h, std::string& root) const {
  if (isPredefinedRoot(h)) {
    root = rootName(h);
    return &root;
  }
  const auto it = openKeys_.find(h);
  return it == openKeys_.end() ? nullptr : &it->second;
}

std::int32_t InMemoryRegistry::open(platform::Handle parent, std::string_view subKey,
                                    platform::Handle& opened) {
  opened = 0;
  std::string root;
  const std::string* base = keyOf(parent, root);
  if (base == nullptr) return kErrorInvalidHandle;
  std::string key;
  if (!canonicalChild(*base, subKey, key)) return platform::kErrorFileNotFound;
  if (!isPredefinedRoot(parent) || !subKey.empty()) {
    if (!keys_.contains(key)) return platform::kErrorFileNotFound;
  }
  opened = nextHandle_;
  nextHandle_ += 4;
  openKeys_.emplace(opened, std::move(key));
  return platform::kErrorSuccess;
}

const RegistryValue* InMemoryRegistry::find(platform::Handle key, std::string_view name,
                                            std::int32_t& error) const {
  std::string root;
  const std::string* path = keyOf(key, root);
  if (path == nullptr) {
    error = kErrorInvalidHandle;
    return nullptr;
  }
  error = platform::kErrorFileNotFound;
  const auto values = values_.find(*path);
  if (values == values_.end()) return nullptr;
  const auto value = values->second.find(lowered(name));
  if (value == values->second.end()) return nullptr;
  error = platform::kErrorSuccess;
  return &value->second;
}

std::int32_t InMemoryRegistry::close(platform::Handle key) {
  if (isPredefinedRoot(key)) return platform::kErrorSuccess;
  return openKeys_.erase(key) == 1 ? platform::kErrorSuccess : kErrorInvalidHandle;
}

}  // namespace portable
