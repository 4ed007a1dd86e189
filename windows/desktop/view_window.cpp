#include "windows/desktop/view_window.hpp"

#include <windowsx.h>

#include <cmath>
#include <stdexcept>

#include "view_scene.hpp"
#include "windows/desktop/dpi_scale.hpp"
#include "windows/desktop/scene_painter.hpp"
#include "windows/handles/gdi.hpp"

namespace windows::desktop {
namespace {

constexpr wchar_t kClassName[] = L"QuadriftDesktopView";
constexpr int kScrollLine = 20;  // pixels at 96 DPI per scroll-bar arrow click

void registerClass(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    c.lpfnWndProc = procedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursorA(nullptr, IDC_CROSS);
    c.lpszClassName = kClassName;
    return RegisterClassExW(&c) != 0;
  }();
  if (!registered) throw std::runtime_error("the view's window class cannot be registered");
}

}  // namespace

ViewWindow::ViewWindow(HWND parent, refhost::ReferenceHost& host) : host_(host) {
  registerClass(&ownedWindowProcedure<ViewWindow>);
  ownedWindow_.reset(CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"",
                                     WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 0, 0, 100,
                                     100, parent, nullptr, GetModuleHandleW(nullptr), this));
  if (!ownedWindow_) throw std::runtime_error("the view's window cannot be created");
  fit();
}

SIZE ViewWindow::clientSize() const {
  RECT r{};
  GetClientRect(window_, &r);
  return {std::max(r.right, 1L), std::max(r.bottom, 1L)};
}

void ViewWindow::fit() {
  const SIZE size = clientSize();
  view_.fit(session::viewScene(host_).extent, size.cx, size.cy);
  userMoved_ = false;
  refresh();
}

void ViewWindow::zoom(double factor) {
  const SIZE size = clientSize();
  view_.zoomAt(factor, size.cx / 2.0, size.cy / 2.0);
  userMoved_ = true;
  refresh();
}

void ViewWindow::refresh() {
  updateScrollBars();
  InvalidateRect(window_, nullptr, FALSE);
}

// The scroll bars span the scene's extent and what the window shows; the thumb is always at
// 0, where the window is, so a scroll to position p pans by -p pixels.
void ViewWindow::updateScrollBars() {
  const SIZE size = clientSize();
  const session::SceneBox extent = session::viewScene(host_).extent;
  const session::ScreenPoint low = view_.toScreen(extent.minX, extent.minY);
  const session::ScreenPoint high = view_.toScreen(extent.maxX, extent.maxY);
  const auto bar = [this](int which, double from, double to, LONG page) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    info.nMin = static_cast<int>(std::floor(std::min(from, 0.0)));
    info.nMax = static_cast<int>(std::ceil(std::max(to, static_cast<double>(page))));
    info.nPage = static_cast<UINT>(page);
    info.nPos = 0;
    SetScrollInfo(window_, which, &info, TRUE);
  };
  constexpr double kLimit = 1 << 28;
  bar(SB_HORZ, std::max(low.x, -kLimit), std::min(high.x, kLimit), size.cx);
  bar(SB_VERT, std::max(high.y, -kLimit), std::min(low.y, kLimit), size.cy);
}

void ViewWindow::scroll(int which, WPARAM w) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(window_, which, &info);
  const int line = DpiScale::ofWindow(window_).pixels(kScrollLine);
  int to = 0;
  switch (LOWORD(w)) {
    case SB_LINEUP:
      to = -line;
      break;
    case SB_LINEDOWN:
      to = line;
      break;
    case SB_PAGEUP:
      to = -static_cast<int>(info.nPage);
      break;
    case SB_PAGEDOWN:
      to = static_cast<int>(info.nPage);
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      to = info.nTrackPos;
      break;
    default:
      return;
  }
  if (which == SB_HORZ) {
    view_.panBy(-to, 0);
  } else {
    view_.panBy(0, -to);
  }
  userMoved_ = true;
  refresh();
}

void ViewWindow::paint() {
  PAINTSTRUCT ps;
  const HDC target = BeginPaint(window_, &ps);
  const SIZE size = clientSize();
  {
    // Drawn off screen first, so that a mouse move's redraw does not flicker.
    const UniqueDC dc(CreateCompatibleDC(target));
    const UniqueBitmap bitmap(CreateCompatibleBitmap(target, size.cx, size.cy));
    const Selection selected(dc.get(), bitmap.get());
    paintScene(dc.get(), size.cx, size.cy, session::viewScene(host_), view_, DpiScale::of(target));
    BitBlt(target, 0, 0, size.cx, size.cy, dc.get(), 0, 0, SRCCOPY);
  }
  EndPaint(window_, &ps);
}

void ViewWindow::showAtCorner(double x, double y) {
  view_.showAtCorner(x, y);
  userMoved_ = true;
  refresh();
}

void ViewWindow::mouse(UINT message, int x, int y) {
  const bool commandTakesMouse = host_.mouseInputEnabled();
  const refhost::ModelPoint at = view_.toModel(x, y);
  switch (message) {
    case WM_MOUSEMOVE:
      if (dragFrom_) {
        view_.panBy(x - dragFrom_->x, y - dragFrom_->y);
        dragFrom_ = POINT{x, y};
        userMoved_ = true;
        refresh();
      } else if (commandTakesMouse) {
        host_.mouseMove(at.x, at.y);
        InvalidateRect(window_, nullptr, FALSE);  // the cursor follows
      }
      return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (commandTakesMouse) {
        host_.mouseClick(message == WM_LBUTTONDOWN ? 1 : 2, at.x, at.y);
        InvalidateRect(window_, nullptr, FALSE);
        return;
      }
      if (message == WM_LBUTTONDOWN) {
        dragFrom_ = POINT{x, y};
        SetCapture(window_);
      }
      return;
    case WM_MBUTTONDOWN:
      dragFrom_ = POINT{x, y};
      SetCapture(window_);
      return;
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
      if (dragFrom_) {
        dragFrom_.reset();
        ReleaseCapture();
      }
      return;
    default:
      return;
  }
}

LRESULT ViewWindow::handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_PAINT:
      paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers the whole client area
    case WM_SIZE:
      if (userMoved_) {
        refresh();
      } else {
        fit();
      }
      return 0;
    case WM_MOUSEWHEEL: {
      POINT at{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
      ScreenToClient(window_, &at);
      const double notches = GET_WHEEL_DELTA_WPARAM(w) / static_cast<double>(WHEEL_DELTA);
      view_.zoomAt(std::pow(kZoomStep, notches), at.x, at.y);
      userMoved_ = true;
      refresh();
      return 0;
    }
    case WM_HSCROLL:
      scroll(SB_HORZ, w);
      return 0;
    case WM_VSCROLL:
      scroll(SB_VERT, w);
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
      mouse(message, GET_X_LPARAM(l), GET_Y_LPARAM(l));
      return 0;
    case WM_CAPTURECHANGED:
      dragFrom_.reset();
      return 0;
    default:
      return DefWindowProcW(window_, message, w, l);
  }
}

}  // namespace windows::desktop
