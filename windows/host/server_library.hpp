#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

#include "windows/handles/unique.hpp"

namespace windows {

// The component's DLL loaded for its registration exports, freed with the object.
class ServerLibrary {
 public:
  explicit ServerLibrary(const std::filesystem::path& path);
  ServerLibrary(const ServerLibrary&) = delete;
  ServerLibrary& operator=(const ServerLibrary&) = delete;

  // Why the DLL could not be loaded; empty when it was.
  const std::string& loadFailure() const { return loadFailure_; }
  // Calls the export `name` (ZULRegisterServer, ZULUnregisterServer); empty when it succeeded,
  // else why it did not.
  std::string call(const char* name) const;

 private:
  UniqueModule module_;
  std::string loadFailure_;
};

// Loads the DLL at `path` and calls its export `name`; empty when that succeeded, else why not.
std::string callRegistration(const std::filesystem::path& path, const char* name);

}  // namespace windows
