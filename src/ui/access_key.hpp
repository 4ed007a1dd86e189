#pragma once

#include <optional>
#include <string_view>

namespace ui {

// The access key a caption marks with "&", as its upper-case character, if any; "&&" is a
// literal ampersand. Any letter or digit may be one, so a caption in Cyrillic or Czech marks a
// key its user can press.
std::optional<char32_t> accessKeyOf(std::string_view caption);

// A pressed character as an access key: upper case, so that Alt with the letter matches its
// caption's key with or without Shift. Letters outside Latin, Greek and Cyrillic are left as
// they are; their scripts have no case.
char32_t accessKeyCase(char32_t c);

// Whether a pressed character can be an access key: a letter or digit, not punctuation, space
// or a control character (Alt+Space is the window menu's key).
bool canBeAccessKey(char32_t c);

}  // namespace ui
