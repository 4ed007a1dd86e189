#pragma once

#include <windows.h>

#include <optional>

#include "ui/form.hpp"

namespace windows {

// The system's virtual key of one of the dialog's keys (Shift+Tab: Tab, with Shift held).
WORD virtualKeyOf(ui::Key key);
// The key that types `letter` on the keyboard's layout with no shift state (an access key's
// letter); none when the layout has no such key.
std::optional<WORD> virtualKeyOf(char32_t letter);
// The arrow key a virtual key is; none for any other key.
std::optional<ui::Key> arrowKeyOf(WPARAM virtualKey);

}  // namespace windows
