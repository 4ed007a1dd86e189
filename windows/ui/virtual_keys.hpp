#pragma once

#include <windows.h>

#include <optional>

#include "ui/form.hpp"

namespace windows {

// The system's virtual key of one of the dialog's keys (Shift+Tab: Tab, with Shift held).
WORD virtualKeyOf(ui::Key key);
// The arrow key a virtual key is; none for any other key.
std::optional<ui::Key> arrowKeyOf(WPARAM virtualKey);

}  // namespace windows
