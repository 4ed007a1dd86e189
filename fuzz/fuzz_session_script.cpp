// The session-script parser on arbitrary text: either a parsed script or a ScriptError naming a
// line of the text; nothing else escapes, and parsing is deterministic.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.hpp"
#include "script.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto lines = 1 + std::count(text.begin(), text.end(), '\n');
  try {
    const session::Script script = session::parseScript(text, "fuzz.qsession");
    for (const session::Statement& s : script.statements) {
      FUZZ_CHECK(s.line >= 1 && s.line <= lines);
    }
    const session::Script again = session::parseScript(text, "fuzz.qsession");
    FUZZ_CHECK(again.statements.size() == script.statements.size());
  } catch (const session::ScriptError& error) {
    FUZZ_CHECK(error.line >= 0 && error.line <= lines);
  }
  return 0;
}
