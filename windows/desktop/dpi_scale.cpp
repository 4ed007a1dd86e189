#include "windows/desktop/dpi_scale.hpp"

#include "windows/handles/gdi.hpp"

namespace windows::desktop {

DpiScale DpiScale::of(HDC dc) {
  return DpiScale(dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : kDesignDpi);
}

DpiScale DpiScale::ofWindow(HWND window) {
  const WindowDC dc(window);
  return of(dc.get());
}

}  // namespace windows::desktop
