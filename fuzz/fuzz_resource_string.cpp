// GetResourceString on arbitrary string tables: either the input is a whole resource script,
// or it is one string's bytes written into a string table with \x escapes. The library is
// loaded as the component loads it (a data-file module), in a single- or double-byte locale,
// and every identifier the table holds is read, with a few it does not. The locale's platform is
// shared by every input and left with no module loaded.
#include <unistd.h>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "automation/guard.hpp"
#include "fuzz_check.hpp"
#include "fuzz_systems.hpp"
#include "platform/resource_script.hpp"
#include "platform/resource_strings.hpp"

namespace {

struct RecordingSink final : automation::FailureSink {
  std::vector<std::string> idents;
  void report(const automation::Failure&, std::string_view ident) override {
    idents.emplace_back(ident);
  }
};

// The library file each input is written to, removed when the run ends.
struct ScratchLibrary {
  std::filesystem::path path;
  ~ScratchLibrary() {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  }
};

const std::filesystem::path& libraryPath() {
  static const ScratchLibrary library{[] {
    const auto shm = std::filesystem::path("/dev/shm");
    const auto folder = std::filesystem::exists(shm) ? shm : std::filesystem::temp_directory_path();
    return folder / ("quadrift-fuzz-" + std::to_string(::getpid()) + ".dll");
  }()};
  return library.path;
}

std::string escapedTable(std::string_view bytes) {
  std::string script = "STRINGTABLE\nBEGIN\n  150, \"";
  char hex[8];
  for (const char c : bytes) {
    std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
    script += hex;
  }
  return script + "\"\nEND\n";
}

bool plainAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= 0x20 && c < 0x7f; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  const bool wholeScript = (data[0] & 1) != 0;
  const std::string script = wholeScript ? std::string(input) : escapedTable(input);

  const auto table = portable::parseResourceScript(script);
  if (!wholeScript) FUZZ_CHECK(table.has_value() && table->size() == 1);
  if (!table) return 0;
  {
    std::ofstream out(libraryPath(), std::ios::binary | std::ios::trunc);
    out << script;
  }
  portable::PortableSystem& system = fuzz::systemFor(static_cast<std::uint8_t>(data[0] >> 1));
  const platform::Handle module =
      system.LoadLibraryExA(libraryPath().string(), 0, platform::kLoadLibraryAsDatafile);
  FUZZ_CHECK(module != 0);

  RecordingSink sink;
  std::vector<std::int32_t> ids = {-1, 0, 99, 100, 214, 65535, 65536};
  for (const auto& entry : *table) ids.push_back(entry.first);
  for (const std::int32_t id : ids) {
    const std::string text = platform::GetResourceString(system, sink, module, id);
    const auto found =
        id >= 0 && id <= 0xFFFF ? table->find(static_cast<std::uint16_t>(id)) : table->end();
    if (found == table->end()) {
      FUZZ_CHECK(text.empty());
      continue;
    }
    // At most 499 bytes in the code page: printable ASCII comes back as its first 499
    // characters.
    const std::string expected = found->second.substr(0, 499);
    if (plainAscii(expected)) FUZZ_CHECK(text == expected);
    FUZZ_CHECK(text.size() <= 3 * 499);
  }
  FUZZ_CHECK(sink.idents.empty());
  FUZZ_CHECK(platform::GetResourceString(system, sink, 0, 150).empty());
  FUZZ_CHECK(system.FreeLibrary(module) && system.loadedModuleCount() == 0);
  return 0;
}
