#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

namespace wintest {

// A compiled HTML help file read as the help viewer reads it, through the system's storage of
// that format: its context map and its pages.
class CompiledHelp {
 public:
  // Opens `file`; `opened()` says whether it could. Needs an initialised apartment.
  explicit CompiledHelp(const std::filesystem::path& file);
  ~CompiledHelp();
  CompiledHelp(const CompiledHelp&) = delete;
  CompiledHelp& operator=(const CompiledHelp&) = delete;

  bool opened() const { return storage_ != nullptr; }
  // The page a help context is mapped to ("page.htm"); none when the map lacks it.
  std::optional<std::string> topicOf(DWORD context) const;
  // A stored file's bytes (a page's HTML); none when there is no such file.
  std::optional<std::string> file(const std::wstring& name) const;

 private:
  IStorage* storage_ = nullptr;
};

}  // namespace wintest
