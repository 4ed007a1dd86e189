#pragma once

#include <windows.h>

namespace windows::desktop {

// The program's window is designed in pixels at 96 DPI: its pens, dashes, fonts and marks in
// the view, its toolbar's padding, its first size. A DpiScale turns those lengths into pixels
// of a device at its own DPI.
class DpiScale {
 public:
  static constexpr int kDesignDpi = 96;

  explicit DpiScale(int dpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}
  // The DPI of the device `dc` draws on.
  static DpiScale of(HDC dc);
  // The DPI of `window`'s device context; the screen's for none.
  static DpiScale ofWindow(HWND window);

  int dpi() const { return dpi_; }
  int pixels(int designed) const { return MulDiv(designed, dpi_, kDesignDpi); }
  double pixels(double designed) const { return designed * dpi_ / kDesignDpi; }

 private:
  int dpi_;
};

}  // namespace windows::desktop
