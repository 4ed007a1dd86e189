#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace portable {

// A module's string table: identifier to UTF-8 text.
using StringTable = std::map<std::uint16_t, std::string>;

// Reads the STRINGTABLE blocks of a resource script (UTF-8, as `#pragma code_page(65001)`
// declares): each entry an identifier (decimal or 0x hexadecimal, an optional comma) and one or
// more adjacent quoted strings, with the resource compiler's escapes ("" for a quote, \n, \t,
// \r, \a, \\, \", \xHH, \ooo). Comments, preprocessor lines and other resource statements are
// skipped. Returns nothing when the script holds no string table or one the resource compiler
// would reject (an unterminated string or comment, a bad identifier, a duplicate identifier).
// A pure function of its input; never reads outside it.
std::optional<StringTable> parseResourceScript(std::string_view script);

}  // namespace portable
