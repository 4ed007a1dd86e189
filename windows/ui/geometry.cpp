#include "windows/ui/geometry.hpp"

#include "windows/handles/gdi.hpp"

namespace windows {

int pixelsOf(std::int32_t twips, int dpi) {
  return MulDiv(twips, dpi, kTwipsPerInch);
}

int screenDpi() {
  const WindowDC screen(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 96;
  return dpi > 0 ? dpi : 96;
}

RECT controlRect(const ui::Control& control, int dpi) {
  std::int32_t left = control.left();
  std::int32_t top = control.top();
  for (const ui::Frame* frame = control.container(); frame != nullptr; frame = frame->container()) {
    left += frame->left();
    top += frame->top();
  }
  // Both edges are rounded, so that neighbours designed to touch still touch.
  return RECT{pixelsOf(left, dpi), pixelsOf(top, dpi), pixelsOf(left + control.width(), dpi),
              pixelsOf(top + control.height(), dpi)};
}

SIZE windowSize(const ui::WindowStyle& design, DWORD style, DWORD exStyle, int dpi) {
  RECT r{0, 0, pixelsOf(design.clientWidth, dpi), pixelsOf(design.clientHeight, dpi)};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace windows
