#include "windows/desktop/main_window.hpp"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "windows/desktop/dpi_scale.hpp"
#include "windows/platform/ansi_codec.hpp"

namespace windows::desktop {
namespace {

constexpr wchar_t kClassName[] = L"QuadriftDesktopMain";
// Posted when the done flag has ended the command, to release it from the program's own loop.
constexpr UINT kCommandEnded = WM_APP + 1;
constexpr wchar_t kTitle[] = L"Move Sheet Border \u2014 reference host";
// The window's first size, and the least width of the status bar's first part, at 96 DPI.
constexpr int kFirstWidth = 900;
constexpr int kFirstHeight = 640;
constexpr int kStatusPartWidth = 100;

struct Place {
  int x, y, width, height;
};

// Where the window first comes up: its first size at the screen's DPI wherever the system puts
// a new window, or, when that size does not fit the work area, the whole work area.
Place firstPlace() {
  const DpiScale dpi = DpiScale::ofWindow(nullptr);
  const int width = dpi.pixels(kFirstWidth);
  const int height = dpi.pixels(kFirstHeight);
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int workWidth = static_cast<int>(work.right - work.left);
  const int workHeight = static_cast<int>(work.bottom - work.top);
  if (width <= workWidth && height <= workHeight)
    return {CW_USEDEFAULT, CW_USEDEFAULT, width, height};
  return {static_cast<int>(work.left), static_cast<int>(work.top), std::min(width, workWidth),
          std::min(height, workHeight)};
}

HMENU buildMenu() {
  const HMENU bar = CreateMenu();
  const auto popup = [bar](const wchar_t* title,
                           std::initializer_list<std::pair<WORD, const wchar_t*>> items) {
    const HMENU menu = CreatePopupMenu();
    for (const auto& [id, words] : items) {
      if (id == 0) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      } else {
        AppendMenuW(menu, MF_STRING, id, words);
      }
    }
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), title);
  };
  popup(L"&File", {{kCommandExit, L"E&xit"}});
  popup(L"&Edit", {{kCommandUndo, L"&Undo\tCtrl+Z"}, {kCommandRedo, L"&Redo\tCtrl+Y"}});
  popup(L"&View", {{kCommandZoomIn, L"Zoom &In\tCtrl++"},
                   {kCommandZoomOut, L"Zoom &Out\tCtrl+-"},
                   {0, nullptr},
                   {kCommandFit, L"&Fit\tCtrl+F"}});
  popup(L"&Command", {{kCommandMoveSheetBorder, L"&Move Sheet Border"}});
  return bar;
}

HACCEL buildAccelerators() {
  ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'Z', kCommandUndo},
                  {FVIRTKEY | FCONTROL, 'Y', kCommandRedo},
                  {FVIRTKEY | FCONTROL, VK_ADD, kCommandZoomIn},
                  {FVIRTKEY | FCONTROL, VK_OEM_PLUS, kCommandZoomIn},
                  {FVIRTKEY | FCONTROL, VK_SUBTRACT, kCommandZoomOut},
                  {FVIRTKEY | FCONTROL, VK_OEM_MINUS, kCommandZoomOut},
                  {FVIRTKEY | FCONTROL, 'F', kCommandFit}};
  return CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));
}

HWND buildToolbar(HWND parent) {
  const HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                       WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST, 0, 0, 0,
                                       0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (toolbar == nullptr) return nullptr;
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
  static wchar_t words[] = L"Move Sheet Border";
  TBBUTTON button{};
  button.iBitmap = I_IMAGENONE;
  button.idCommand = kCommandMoveSheetBorder;
  button.fsState = TBSTATE_ENABLED;
  button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
  button.iString = reinterpret_cast<INT_PTR>(words);
  SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
  SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
  return toolbar;
}

void setStatusPart(HWND status, int part, const std::string& utf8) {
  const std::wstring text = wideFromUtf8(utf8);
  SendMessageW(status, SB_SETTEXTW, static_cast<WPARAM>(part),
               reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace

MainWindow::MainWindow(host_classes::ComHost& desktop) : desktop_(desktop) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSEXW c{};
  c.cbSize = sizeof c;
  c.lpfnWndProc = &ownedWindowProcedure<MainWindow>;
  c.hInstance = GetModuleHandleW(nullptr);
  c.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  c.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  c.lpszClassName = kClassName;
  RegisterClassExW(&c);  // fails harmlessly when a window of the class was made before
  const Place place = firstPlace();
  ownedWindow_.reset(CreateWindowExW(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                     place.x, place.y, place.width, place.height, nullptr,
                                     buildMenu(), GetModuleHandleW(nullptr), this));
  if (!ownedWindow_) throw std::runtime_error("the main window cannot be created");
  create();
  // The component puts the application's window behind its dialog by this handle. Window
  // handles are 32-bit values on 64-bit Windows too.
  desktop_.host().environment().mainWindow =
      static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window_));
  desktop_.host().onViewChanged([this] { hostChanged(); });
  desktop_.onCommandEnded([this] { PostMessageW(window_, kCommandEnded, 0, 0); });
  hostChanged();
}

MainWindow::~MainWindow() {
  desktop_.host().onViewChanged({});
  desktop_.onCommandEnded({});
  view_.reset();
}

int MainWindow::runMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorW(window_, accelerators_.get(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

void MainWindow::create() {
  toolbar_ = buildToolbar(window_);
  status_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0,
                            0, 0, 0, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (toolbar_ == nullptr || status_ == nullptr)
    throw std::runtime_error("the toolbar or the status bar cannot be created");
  accelerators_.reset(buildAccelerators());
  view_ = std::make_unique<ViewWindow>(window_, desktop_.host());
  layout();
}

void MainWindow::layout() {
  if (view_ == nullptr) return;
  SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
  SendMessageW(status_, WM_SIZE, 0, 0);
  RECT client{}, tools{}, status{};
  GetClientRect(window_, &client);
  GetWindowRect(toolbar_, &tools);
  GetWindowRect(status_, &status);
  const int top = tools.bottom - tools.top;
  const int statusHeight = status.bottom - status.top;
  const int parts[] = {std::max(DpiScale::ofWindow(window_).pixels(kStatusPartWidth),
                                static_cast<int>(client.right) * 3 / 5),
                       -1};
  SendMessageW(status_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  MoveWindow(view_->handle(), 0, top, client.right,
             std::max(1, static_cast<int>(client.bottom) - top - statusHeight), TRUE);
}

void MainWindow::hostChanged() {
  setStatusPart(status_, 0, desktop_.host().statusText());
  if (view_) view_->refresh();
}

void MainWindow::updateMenu() {
  const HMENU menu = GetMenu(window_);
  const auto enable = [menu](WORD id, bool on) {
    EnableMenuItem(menu, id, static_cast<UINT>(MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)));
  };
  refhost::ReferenceHost& host = desktop_.host();
  enable(kCommandUndo, host.undoHistory().size() > 0);
  enable(kCommandRedo, host.redoCount() > 0);
  enable(kCommandMoveSheetBorder, !desktop_.commandRunning());
  SendMessageW(toolbar_, TB_ENABLEBUTTON, kCommandMoveSheetBorder,
               MAKELPARAM(!desktop_.commandRunning(), 0));
}

void MainWindow::command(WORD id) {
  refhost::ReferenceHost& host = desktop_.host();
  switch (id) {
    case kCommandMoveSheetBorder: {
      setStatusPart(status_, 1, "Move Sheet Border runs");
      updateMenu();
      const std::string outcome = desktop_.runCommand();
      if (!outcome.empty()) {
        setStatusPart(status_, 1, outcome);
      } else if (!desktop_.commandRunning()) {
        setStatusPart(status_, 1, "Move Sheet Border ended");
      }
      updateMenu();
      view_->refresh();
      return;
    }
    case kCommandUndo:
      host.undo();  // the view follows through the host's observer
      return;
    case kCommandRedo:
      host.redo();
      return;
    case kCommandZoomIn:
      view_->zoom(ViewWindow::kZoomStep);
      return;
    case kCommandZoomOut:
      view_->zoom(1 / ViewWindow::kZoomStep);
      return;
    case kCommandFit:
      view_->fit();
      return;
    case kCommandExit:
      PostMessageW(window_, WM_CLOSE, 0, 0);
      return;
    default:
      return;
  }
}

LRESULT MainWindow::handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_SIZE:
      layout();
      return 0;
    case WM_INITMENUPOPUP:
      updateMenu();
      return 0;
    case WM_COMMAND:
      command(LOWORD(w));
      return 0;
    case kCommandEnded:
      if (desktop_.commandRunning()) {
        desktop_.releaseEndedCommand();
        setStatusPart(status_, 1, "Move Sheet Border ended");
        updateMenu();
        view_->refresh();
      }
      return 0;
    case WM_MOUSEWHEEL:  // the wheel reaches the focused window; the view takes it
      return SendMessageW(view_->handle(), message, w, l);
    case WM_CLOSE:
      if (desktop_.commandRunning()) return 0;  // the command's dialog ends it first
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window_, message, w, l);
  }
}

}  // namespace windows::desktop
