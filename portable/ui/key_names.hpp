#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/form.hpp"

namespace portable {

// The dialog's keys as session scripts and transcripts spell them: "Tab", "Shift+Tab", "Enter",
// "Esc", "Up", "Down", "Left", "Right", "Space", "F1".
std::string_view keyName(ui::Key key);
// The key of exactly that name; none for a name no key has.
std::optional<ui::Key> keyNamed(std::string_view name);
// Every name, for a message: "Tab, Shift+Tab, ..., Right".
std::string keyNameList();

}  // namespace portable
