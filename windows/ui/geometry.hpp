#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/control.hpp"
#include "ui/form.hpp"

namespace windows {

inline constexpr int kTwipsPerInch = 1440;

// Twips to pixels at `dpi` dots per inch, to the nearest pixel.
int pixelsOf(std::int32_t twips, int dpi);
// The screen's dots per inch.
int screenDpi();

// A control's rectangle in its form's client area: its twips are relative to its container's
// client area (a frame's, or the form's), so the containers' offsets add up.
RECT controlRect(const ui::Control& control, int dpi);
// The form window's outer size for its designed client area under `style` and `exStyle`.
SIZE windowSize(const ui::WindowStyle& design, DWORD style, DWORD exStyle, int dpi);

}  // namespace windows
