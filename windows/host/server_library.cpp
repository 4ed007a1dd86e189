#include "windows/host/server_library.hpp"

#include <cstdio>

namespace windows {
namespace {

std::string hex(unsigned long value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", value);
  return text;
}

}  // namespace

ServerLibrary::ServerLibrary(const std::filesystem::path& path)
    : module_(LoadLibraryW(std::filesystem::path(path).make_preferred().wstring().c_str())) {
  if (!module_) loadFailure_ = "cannot be loaded (error " + hex(GetLastError()) + ")";
}

std::string ServerLibrary::call(const char* name) const {
  if (!module_) return loadFailure_;
  using Export = HRESULT(STDAPICALLTYPE*)();
  const auto entry =
      reinterpret_cast<Export>(reinterpret_cast<void*>(GetProcAddress(module_.get(), name)));
  if (entry == nullptr) return std::string("has no export ") + name;
  const HRESULT status = entry();
  if (FAILED(status))
    return std::string(name) + " failed with " + hex(static_cast<unsigned long>(status));
  return {};
}

std::string callRegistration(const std::filesystem::path& path, const char* name) {
  return ServerLibrary(path).call(name);
}

}  // namespace windows
