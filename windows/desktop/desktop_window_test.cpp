// The desktop program's main window under a display: the view shows the sheet border where the
// sheet setup puts it, follows Undo and Redo from the menu, shows the host's status text, hands
// mouse input to an enabled mouse control in model metres, and runs the command through COM.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/application_views.hpp"
#include "host/dispids.hpp"
#include "tests/refhost/recording_site.hpp"
#include "view_scene.hpp"
#include "windows/desktop/main_window.hpp"
#include "windows/desktop/program_folder.hpp"
#include "windows/handles/apartment.hpp"
#include "windows/handles/gdi.hpp"
#include "windows/host/com_host.hpp"

namespace windows::desktop {
namespace {

// A sheet of 210 by 297 mm at 1:100, its corner at the model origin: 21 by 29.7 m.
refhost::Environment a4At100() {
  refhost::Environment environment;
  environment.echoReportsToStderr = false;
  environment.sheet.sizeIndex = -2;
  environment.sheet.width = 0.21;
  environment.sheet.height = 0.297;
  environment.sheet.scaleMode = 0;
  environment.sheet.scalePaper = 1;
  environment.sheet.scaleModel = 100;
  return environment;
}

class DesktopWindow : public ::testing::Test {
 protected:
  DesktopWindow() {
    ShowWindow(window.handle(), SW_SHOWNORMAL);
    pump();
  }

  // Handles what is waiting and paints what needs it.
  void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    UpdateWindow(window.view().handle());
  }

  // A key pressed with Ctrl held, through the program's accelerators.
  void ctrlKey(WPARAM key) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG message{window.handle(), WM_KEYDOWN, key, 0, 0, {}};
    EXPECT_TRUE(TranslateAcceleratorW(window.handle(), window.accelerators(), &message));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    pump();
  }

  void menu(WORD id) {
    SendMessageW(window.handle(), WM_COMMAND, id, 0);
    pump();
  }

  bool menuEnabled(WORD id) {
    SendMessageW(window.handle(), WM_INITMENUPOPUP, 0, 0);
    return (GetMenuState(GetMenu(window.handle()), id, MF_BYCOMMAND) & MF_GRAYED) == 0;
  }

  // How many pixels of the sheet border's colour lie on the window's column at model x, within
  // a pixel either side, over the middle of the sheet's height.
  int borderPixelsAt(double x) {
    const refhost::SheetSetupState& s = desktop.host().sheetSetup();
    const double factor = s.scalePaper / s.scaleModel;
    const auto& view = window.view().transform();
    const session::ScreenPoint top = view.toScreen(x, (-s.originY + s.height * 0.7) / factor);
    const session::ScreenPoint bottom = view.toScreen(x, (-s.originY + s.height * 0.3) / factor);
    const windows::WindowDC dc(window.view().handle());
    int found = 0;
    const COLORREF green = static_cast<COLORREF>(session::kSheetBorderColour);
    for (int y = static_cast<int>(top.y); y < static_cast<int>(bottom.y); ++y) {
      for (int dx = -1; dx <= 1; ++dx) {
        found += GetPixel(dc.get(), static_cast<int>(std::lround(top.x)) + dx, y) == green ? 1 : 0;
      }
    }
    return found;
  }

  // How wide the caption's letters are in the view's upper left quarter: the columns of its dark
  // grey pixels, smoothed edges too; the drawing's greys there are lighter, the border green.
  int captionInkWidth() {
    const SIZE size = clientSize(window.view().handle());
    const windows::WindowDC dc(window.view().handle());
    const auto ink = [](COLORREF c) {
      const auto [low, high] = std::minmax({GetRValue(c), GetGValue(c), GetBValue(c)});
      return high < 0x80 && high - low < 0x10;
    };
    int first = size.cx, last = -1;
    for (int y = 0; y < size.cy / 4; ++y) {
      for (int x = 0; x < size.cx / 2; ++x) {
        if (!ink(GetPixel(dc.get(), x, y))) continue;
        first = std::min(first, x);
        last = std::max(last, x);
      }
    }
    return last < 0 ? 0 : last - first + 1;
  }

  // The sheet border's left edge at model x = 0, over the middle of the sheet's height: the
  // widest run of its colour across a row, and the longest dash down the edge.
  SIZE borderStroke() {
    const refhost::SheetSetupState& s = desktop.host().sheetSetup();
    const double factor = s.scalePaper / s.scaleModel;
    const auto& view = window.view().transform();
    const session::ScreenPoint top = view.toScreen(0, s.height * 0.7 / factor);
    const session::ScreenPoint bottom = view.toScreen(0, s.height * 0.3 / factor);
    const windows::WindowDC dc(window.view().handle());
    const COLORREF green = static_cast<COLORREF>(session::kSheetBorderColour);
    const int x = static_cast<int>(std::lround(top.x));
    LONG width = 0, dash = 0, run = 0;
    for (int y = static_cast<int>(top.y); y < static_cast<int>(bottom.y); ++y) {
      LONG across = 0;
      for (int dx = -6; dx <= 6; ++dx) across += GetPixel(dc.get(), x + dx, y) == green ? 1 : 0;
      width = std::max(width, across);
      run = across > 0 ? run + 1 : 0;
      dash = std::max(dash, run);
    }
    return {width, dash};
  }

  static SIZE clientSize(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    return {r.right, r.bottom};
  }
  static LONG heightOf(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r.bottom - r.top;
  }

  std::wstring statusText(int part) {
    wchar_t text[256] = {};
    SendMessageW(window.statusBar(), SB_GETTEXTW, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(text));
    return text;
  }

  windows::ComApartment apartment;
  host_classes::ComHost desktop{a4At100(), programFolder() / "kstQuadrift412.dll"};
  MainWindow window{desktop};
};

TEST_F(DesktopWindow, TheViewShowsTheBorderAndFollowsUndoAndRedoFromTheMenu) {
  EXPECT_EQ(desktop.host().environment().mainWindow,
            static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window.handle())))
      << "the application's window handle is the main window's";
  EXPECT_GT(borderPixelsAt(0), 10) << "the border's left edge at the model origin";
  EXPECT_FALSE(menuEnabled(kCommandUndo));

  ::host::HostApplication(desktop.host().application())
      .activeDocument()
      .activeSheet()
      .setup()
      .setOrigin(0.05, 0);  // the model origin 50 mm in: the sheet's corner at -5 m
  pump();
  EXPECT_GT(borderPixelsAt(-5), 10);
  EXPECT_EQ(borderPixelsAt(0), 0);

  ASSERT_TRUE(menuEnabled(kCommandUndo));
  EXPECT_FALSE(menuEnabled(kCommandRedo));
  menu(kCommandUndo);
  EXPECT_EQ(desktop.host().sheetSetup().originX, 0);
  EXPECT_GT(borderPixelsAt(0), 10);
  EXPECT_EQ(borderPixelsAt(-5), 0);
  ASSERT_TRUE(menuEnabled(kCommandRedo));
  menu(kCommandRedo);
  EXPECT_EQ(desktop.host().sheetSetup().originX, 0.05);
  EXPECT_GT(borderPixelsAt(-5), 10);
  EXPECT_FALSE(menuEnabled(kCommandRedo));
  ctrlKey('Z');
  EXPECT_EQ(desktop.host().sheetSetup().originX, 0) << "Ctrl+Z undoes";
  EXPECT_GT(borderPixelsAt(0), 10);
  ctrlKey('Y');
  EXPECT_EQ(desktop.host().sheetSetup().originX, 0.05) << "Ctrl+Y redoes";

  // Zoom from the menu keeps the centre, Fit shows the extent again.
  const double fitted = window.view().transform().pixelsPerMetre();
  menu(kCommandZoomIn);
  EXPECT_NEAR(window.view().transform().pixelsPerMetre(), fitted * ViewWindow::kZoomStep, 1e-9);
  menu(kCommandFit);
  EXPECT_NEAR(window.view().transform().pixelsPerMetre(), fitted, 1e-9);
}

TEST_F(DesktopWindow, TheStatusBarShowsTheHostsStatusText) {
  ::host::HostApplication(desktop.host().application()).setStatusText("Pick the sheet's origin");
  pump();
  EXPECT_EQ(statusText(0), L"Pick the sheet's origin");
}

TEST_F(DesktopWindow, AnEnabledMouseControlTakesTheViewsMouseInModelMetres) {
  refhost::testing::RecordingSite site;
  const automation::Object control =
      desktop.host().controlFactory().create(::host::progid::kMouseControl, {}, site);
  const HWND view = window.view().handle();
  const auto& transform = window.view().transform();
  struct Case {
    UINT message;
    const char* event;
    std::int16_t button;
  };
  const Case cases[] = {{WM_MOUSEMOVE, "MouseMove", 0},
                        {WM_LBUTTONDOWN, "MouseClick", 1},
                        {WM_RBUTTONDOWN, "MouseClick", 2}};
  int x = 200;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.event);
    site.events.clear();
    SendMessageW(view, c.message, 0, MAKELPARAM(x, 150));
    const refhost::ModelPoint at = transform.toModel(x, 150);
    ASSERT_EQ(site.events.size(), 1u);
    EXPECT_EQ(site.events[0].name, c.event);
    EXPECT_EQ(site.events[0].args[0].as<std::int16_t>(), c.button);
    EXPECT_NEAR(site.events[0].args[2].as<double>(), at.x, 1e-9);
    EXPECT_NEAR(site.events[0].args[3].as<double>(), at.y, 1e-9);
    x += 37;
  }
  // Disabled, the control gets nothing, and a left drag pans the view instead.
  site.isEnabled = false;
  site.events.clear();
  const session::ScreenPoint before = transform.toScreen(0, 0);
  SendMessageW(view, WM_LBUTTONDOWN, 0, MAKELPARAM(100, 100));
  SendMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(130, 90));
  SendMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(130, 90));
  EXPECT_TRUE(site.events.empty());
  EXPECT_NEAR(transform.toScreen(0, 0).x, before.x + 30, 1e-9);
  EXPECT_NEAR(transform.toScreen(0, 0).y, before.y - 10, 1e-9);
}

// The dots per inch the run asked the prefix for (QUADRIFT_DPI), 96 when it asked for none.
int askedDpi() {
  const char* asked = std::getenv("QUADRIFT_DPI");
  return asked != nullptr ? std::atoi(asked) : 96;
}

// The program's manifest, read as the system reads it when it starts the program: the program
// draws at the system's DPI itself. Wine runs every program aware of each monitor's DPI,
// manifest or none, so there only the declaration can be checked.
TEST(DesktopProgram, ItsManifestDeclaresItDrawsAtTheSystemsDpi) {
  using UniqueActivationContext = windows::Unique<HANDLE, &ReleaseActCtx>;
  const std::wstring program = (programFolder() / "quadrift-desktop.exe").wstring();
  ACTCTXW request{};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.lpSource = program.c_str();
  request.lpResourceName = MAKEINTRESOURCEW(1);  // the manifest the process starts with
  const HANDLE made = CreateActCtxW(&request);
  ASSERT_NE(made, INVALID_HANDLE_VALUE) << "the program has a manifest the system reads";
  const UniqueActivationContext context(made);
  const auto setting = [&context](const wchar_t* space, const wchar_t* name) {
    wchar_t value[32] = {};
    SIZE_T length = 0;
    return QueryActCtxSettingsW(0, context.get(), space, name, value, std::size(value), &length)
               ? std::wstring(value)
               : std::wstring();
  };
  EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"),
            L"true");
  EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
            L"system");
}

// What the user sees of the window grows with the screen's DPI: each length is its size at 96
// DPI, measured there, times DPI / 96, within a tenth (the system's bars keep some edges of fixed
// pixels) and half a pixel (a pen of 2 pixels is 3 at 144 DPI, never 2).
TEST_F(DesktopWindow, WhatTheUserSeesGrowsWithTheDpi) {
  const int dpi = askedDpi();
  {
    const windows::WindowDC dc(window.view().handle());
    ASSERT_EQ(GetDeviceCaps(dc.get(), LOGPIXELSY), dpi) << "the view's DPI is the prefix's";
  }
  const HWND toolbar = FindWindowExW(window.handle(), nullptr, TOOLBARCLASSNAMEW, nullptr);
  RECT button{};
  SendMessageW(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
  MENUBARINFO menuBar{};
  menuBar.cbSize = sizeof menuBar;
  GetMenuBarInfo(window.handle(), OBJID_MENU, 0, &menuBar);
  const SIZE border = borderStroke();
  struct Length {
    const char* what;
    LONG seen;
    double at96;
  };
  const Length lengths[] = {
      {"the menu bar's height", menuBar.rcBar.bottom - menuBar.rcBar.top, 19},
      {"the toolbar button's height", button.bottom - button.top, 19},
      {"the status bar's height", heightOf(window.statusBar()), 20},
      {"the view's caption, its letters' width", captionInkWidth(), 254},
      {"the sheet border's pen width", border.cx, 2},
      {"the sheet border's dash length", border.cy, 10},
  };
  for (const Length& l : lengths) {
    const double expected = l.at96 * dpi / 96;
    EXPECT_NEAR(l.seen, expected, expected / 10 + 0.5) << l.what << " at " << dpi << " DPI";
  }
}

// What the user saw of the command's dialog: the timer that closes it notes it here.
struct DialogSeen {
  HWND host = nullptr;
  int shown = 0;
  bool hostDisabled = false;
};
DialogSeen seen;

// Once the command's dialog is up, the user closes it with its close control.
void CALLBACK closeTheDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND dialog = FindWindowW(L"kstQuadriftForm", nullptr);
  if (dialog == nullptr || !IsWindowVisible(dialog)) return;
  KillTimer(nullptr, timer);
  ++seen.shown;
  seen.hostDisabled = !IsWindowEnabled(seen.host);
  PostMessageW(dialog, WM_CLOSE, 0, 0);
}

TEST_F(DesktopWindow, TheCommandRunsItsDialogModallyThroughCom) {
  seen = {window.handle()};
  auto run = [&] {
    SetTimer(nullptr, 0, 50, closeTheDialog);
    menu(kCommandMoveSheetBorder);
  };
  const refhost::SheetSetupState before = desktop.host().sheetSetup();
  run();
  EXPECT_TRUE(desktop.host().command().bound) << "Command_Initialize reached the host";
  EXPECT_EQ(seen.shown, 1) << "the dialog came up on the display";
  EXPECT_TRUE(seen.hostDisabled) << "the host's window takes no input while the dialog is up";
  EXPECT_TRUE(IsWindowEnabled(window.handle()));
  EXPECT_TRUE(desktop.host().command().done) << "closing the dialog ended the command";
  EXPECT_FALSE(desktop.commandRunning());
  EXPECT_TRUE(desktop.host().sheetSetup() == before) << "a closed dialog changes nothing";
  EXPECT_TRUE(menuEnabled(kCommandMoveSheetBorder)) << "the command can run again";
  const std::wstring first = statusText(1);
  run();
  EXPECT_EQ(seen.shown, 2);
  EXPECT_EQ(statusText(1), first) << "a second run goes as the first";
  EXPECT_EQ(desktop.host().command().initializeEvents, 2);
}

}  // namespace
}  // namespace windows::desktop
