#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ui::text {

// Text in the model is UTF-8; positions and lengths the controls expose (SelStart, SelLength)
// count characters, as the platform's text boxes do.

// The number of characters in `s`.
std::size_t length(std::string_view s);
// The byte offset of character `index` in `s`; the size of `s` when `index` is at or past its end.
std::size_t byteOffset(std::string_view s, std::size_t index);
// The characters [first, first + count) of `s`, clamped to its end.
std::string substring(std::string_view s, std::size_t first, std::size_t count);
// The character that starts at byte `offset` of `s`; U+FFFD where no whole, well-formed
// character starts there.
char32_t codePointAt(std::string_view s, std::size_t offset);
// `c` in UTF-8; U+FFFD's for what is no character.
std::string utf8Of(char32_t c);

}  // namespace ui::text
