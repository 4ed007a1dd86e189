// GetRegistryValueString and the help-file lookup on a registry value of any type, size and
// bytes, in locales with single- and double-byte code pages: no read outside the value, the key
// closed on every path, a size-0 value reported once, any other value read without a report.
// Each input replaces the one value the routines read, in its locale's shared platform.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "automation/guard.hpp"
#include "fuzz_check.hpp"
#include "fuzz_systems.hpp"
#include "platform/registry.hpp"

namespace {

struct RecordingSink final : automation::FailureSink {
  std::vector<std::string> idents;
  void report(const automation::Failure&, std::string_view ident) override {
    idents.emplace_back(ident);
  }
};

const std::string kKey = "Software\\Kestrova\\Applications\\Fuzz.Application\\Help\\HelpFile";

bool plainAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= 0x20 && c < 0x7f; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  std::uint32_t type = 0;
  std::memcpy(&type, data, sizeof type);
  portable::PortableSystem& system = fuzz::systemFor(data[4]);
  const std::string bytes(reinterpret_cast<const char*>(data + 5), size - 5);
  system.setRegistryValue(platform::kHKeyLocalMachine, kKey, "", type, bytes);

  RecordingSink sink;
  const std::string text = platform::GetRegistryValueString(
      system, sink, platform::kHKeyLocalMachine, kKey, automation::Variant(std::string()));
  FUZZ_CHECK(system.openRegistryKeyCount() == 0);
  if (bytes.empty()) {
    FUZZ_CHECK(text.empty());
    FUZZ_CHECK(sink.idents.size() == 1 && sink.idents[0] == "MRegistry::GetRegistryValueString()");
  } else {
    FUZZ_CHECK(sink.idents.empty());
    const std::string_view stored = std::string_view(bytes).substr(0, bytes.size() - 1);
    if (plainAscii(stored)) FUZZ_CHECK(text == stored);
    // A double-byte code page turns each byte into at most one character of up to 3 bytes.
    FUZZ_CHECK(text.size() <= 3 * stored.size());
  }

  sink.idents.clear();
  const std::string help = platform::GetHelpFileNameFromRegistry(system, sink, "Fuzz.Application");
  FUZZ_CHECK(system.openRegistryKeyCount() == 0);
  FUZZ_CHECK(help.find('.') != std::string::npos);
  if (bytes.empty()) {
    FUZZ_CHECK(help == ".chm" && sink.idents.size() == 1);
  } else {
    FUZZ_CHECK(sink.idents.empty());
    FUZZ_CHECK(help == text || help == text + ".chm");
  }
  return 0;
}
