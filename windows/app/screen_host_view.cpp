#include "windows/app/screen_host_view.hpp"

#include <windowsx.h>

#include <stdexcept>
#include <string>

#include "automation/convert.hpp"
#include "automation/failure.hpp"
#include "ui/run_aborted.hpp"
#include "view_scene.hpp"
#include "windows/desktop/scene_painter.hpp"
#include "windows/session/protocol.hpp"

namespace windows {

namespace {

constexpr wchar_t kClassName[] = L"QuadriftSessionView";
constexpr int kWidth = 480;
constexpr int kHeight = 360;
// Where the pointer waits between inputs: on the screen, off the view.
constexpr POINT kOffView{kWidth + 40, kHeight + 40};

}  // namespace

ScreenHostView::ScreenHostView(refhost::ReferenceHost& host)
    : ReferenceHostView(host), input_(kSentinelKey, [this](MSG& m) { dispatch(m); }) {
  static const bool registered = [] {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.lpfnWndProc = procedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursorA(nullptr, IDC_CROSS);
    c.lpszClassName = kClassName;
    return RegisterClassExW(&c) != 0;
  }();
  if (registered) {
    ownedWindow_.reset(CreateWindowExW(0, kClassName, L"Quadrift session view",
                                       WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr,
                                       nullptr, GetModuleHandleW(nullptr), this));
  }
  if (!ownedWindow_) throw std::runtime_error("the host's view window cannot be made");
  SetForegroundWindow(window_);
  showWhole();
}

void ScreenHostView::showWhole() {
  view_.fit(::session::viewScene(host_).extent, kWidth, kHeight);
  InvalidateRect(window_, nullptr, FALSE);
  UpdateWindow(window_);
}

LRESULT CALLBACK ScreenHostView::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* view = static_cast<ScreenHostView*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    view->window_ = window;  // the creation's own messages come before CreateWindowExW returns
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
  }
  auto* view = reinterpret_cast<ScreenHostView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (view == nullptr) return DefWindowProcW(window, message, w, l);
  try {
    return view->handle(message, w, l);
  } catch (...) {
    // Nothing may unwind through the system's frames; the pump throws it again.
    if (!view->pending_) view->pending_ = std::current_exception();
    return 0;
  }
}

LRESULT ScreenHostView::handle(UINT message, WPARAM w, LPARAM l) {
  const int x = GET_X_LPARAM(l);
  const int y = GET_Y_LPARAM(l);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = BeginPaint(window_, &ps);
      // A view of fixed pixels, drawn with the strokes and texts of fixed pixels that fit it.
      desktop::paintScene(dc, kWidth, kHeight, ::session::viewScene(host_), view_,
                          desktop::DpiScale(desktop::DpiScale::kDesignDpi));
      EndPaint(window_, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE:
      if (awaitingMove_) {
        awaitingMove_ = false;
        const refhost::ModelPoint at = view_.toModel(x, y);
        delivered_ = host_.mouseMove(at.x, at.y);
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
      const std::int16_t button = message == WM_LBUTTONDOWN ? 1 : 2;
      if (awaitedClick_ == button) {
        awaitedClick_.reset();
        const refhost::ModelPoint at = view_.toModel(x, y);
        delivered_ = host_.mouseClick(button, at.x, at.y);
      }
      return 0;
    }
    default:
      return DefWindowProcW(window_, message, w, l);
  }
}

void ScreenHostView::dispatch(MSG& message) {
  TranslateMessage(&message);
  DispatchMessageW(&message);
  if (pending_) std::rethrow_exception(std::exchange(pending_, nullptr));
}

bool ScreenHostView::deliver(std::vector<INPUT> inputs, std::optional<std::int16_t> button,
                             double x, double y) {
  view_.showAtCorner(x, y);
  InvalidateRect(window_, nullptr, FALSE);
  SetForegroundWindow(window_);
  awaitingMove_ = !button;
  awaitedClick_ = button;
  delivered_ = false;
  std::vector<INPUT> all{RealInput::pointerTo(kOffView)};
  all.insert(all.end(), inputs.begin(), inputs.end());
  const std::string what = button ? "mouse click " + std::to_string(*button) : "mouse move";
  input_.sendAndWait(std::move(all), what);
  if (awaitingMove_ || awaitedClick_) {
    awaitingMove_ = false;
    awaitedClick_.reset();
    throw portable::RunAborted("the host's view did not receive the " + what);
  }
  return delivered_;
}

automation::Variant ScreenHostView::invoke(automation::DispId id, automation::InvokeKind kind,
                                           std::span<automation::Variant> args) {
  // Without the command's mouse control the view keeps its input: the host refuses it.
  if (!host_.mouseInputEnabled()) return ReferenceHostView::invoke(id, kind, args);
  POINT corner{0, 0};
  ClientToScreen(window_, &corner);
  if (kind == automation::InvokeKind::Call && id == session::kViewMouseMove && args.size() == 2) {
    return answer(deliver({RealInput::pointerTo(corner)}, std::nullopt,
                          automation::toDouble(args[0]), automation::toDouble(args[1])));
  }
  if (kind == automation::InvokeKind::Call && id == session::kViewMouseClick && args.size() == 3) {
    const std::int16_t button = automation::toInt16(args[0]);
    if (button == 1 || button == 2) {
      return answer(deliver(RealInput::click(corner, button), button, automation::toDouble(args[1]),
                            automation::toDouble(args[2])));
    }
  }
  // Anything else the view has no real input for: as the headless view takes it.
  return ReferenceHostView::invoke(id, kind, args);
}

}  // namespace windows
