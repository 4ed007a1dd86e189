// frmMain on real windows: the component in process with the reference host, its dialog on the
// real engine, driven by real input (SendInput, BM_CLICK, WM_CLOSE) from a script that the
// thread's timer plays whenever the thread has nothing else to do.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "command/component.hpp"
#include "command/cquadrift.hpp"
#include "dialog/frm_main.hpp"
#include "dialog/layout.hpp"
#include "reference_host.hpp"
#include "text_fit.hpp"
#include "windows/handles/bstr.hpp"
#include "windows/handles/com_ptr.hpp"
#include "windows/handles/gdi.hpp"
#include "windows/handles/window.hpp"
#include "windows/platform/ansi_codec.hpp"
#include "windows/platform/win32_system.hpp"
#include "windows/tests/thread_timer.hpp"
#include "windows/ui/win32_engine.hpp"

namespace {

constexpr double kMetresPerPixel = 0.001;  // the host view's scale
constexpr ULONGLONG kRunLimitMs = 30000;

// Steps run one per timer tick, and not while input waits in the thread's queue: the system
// queues input it is sent a moment later, so a tick comes only after a pause long enough for
// the input of the step before to be handled. A step that opens a modal loop (a click whose
// handler shows a message box) lets the next steps run inside it.
class Script {
 public:
  explicit Script(std::vector<std::function<void()>> steps) : steps_(std::move(steps)) {}

  bool finished() const { return next_ == steps_.size(); }

 private:
  void tick() {
    if (finished() || HIWORD(GetQueueStatus(QS_INPUT)) != 0) return;
    const std::size_t at = next_++;  // first: the step may run the next ones itself
    steps_[at]();
  }

  std::vector<std::function<void()>> steps_;
  std::size_t next_ = 0;
  wintest::ThreadTimer timer_{80, [this] { tick(); }};
};

// The keys pressed in turn, with `modifier` (VK_SHIFT, VK_MENU) held down, if any.
void sendKeys(const std::vector<WORD>& keys, WORD modifier = 0) {
  std::vector<INPUT> inputs;
  auto key = [&](WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(in);
  };
  if (modifier != 0) key(modifier, false);
  for (WORD vk : keys) {
    key(vk, false);
    key(vk, true);
  }
  if (modifier != 0) key(modifier, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Digits and letters as their keys (lower case).
void typeText(std::string_view text) {
  for (char ch : text) {
    const auto vk = static_cast<WORD>(ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch);
    sendKeys({vk});
  }
}

void clickScreen(POINT at, bool right) {
  const int w = GetSystemMetrics(SM_CXSCREEN);
  const int h = GetSystemMetrics(SM_CYSCREEN);
  INPUT in[3]{};
  for (INPUT& i : in) {
    i.type = INPUT_MOUSE;
    i.mi.dx = (at.x * 65536 + w / 2) / w;
    i.mi.dy = (at.y * 65536 + h / 2) / h;
  }
  in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  in[1].mi.dwFlags = (right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN) | MOUSEEVENTF_ABSOLUTE;
  in[2].mi.dwFlags = (right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP) | MOUSEEVENTF_ABSOLUTE;
  SendInput(3, in, sizeof(INPUT));
}

// The host's view: a top-level window of the thread whose clicks reach the reference host's
// mouse control, at the view's scale.
class HostView {
 public:
  HostView() {
    WNDCLASSW cls{};
    cls.lpfnWndProc = proc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"QuadriftTestHostView";
    RegisterClassW(&cls);
    window_.reset(CreateWindowExW(0, cls.lpszClassName, L"host", WS_POPUP | WS_VISIBLE, 0, 0, 300,
                                  200, nullptr, nullptr, cls.hInstance, nullptr));
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  HostView(const HostView&) = delete;
  HostView& operator=(const HostView&) = delete;

  HWND handle() const { return window_.get(); }
  refhost::ReferenceHost* host = nullptr;

  POINT onScreen(POINT client) const {
    ClientToScreen(window_.get(), &client);
    return client;
  }

 private:
  static LRESULT CALLBACK proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    auto* view = reinterpret_cast<HostView*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (view != nullptr && view->host != nullptr && (m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN)) {
      const double x = static_cast<short>(LOWORD(lp)) * kMetresPerPixel;
      const double y = static_cast<short>(HIWORD(lp)) * kMetresPerPixel;
      view->host->mouseClick(m == WM_LBUTTONDOWN ? 1 : 2, x, y);
      return 0;
    }
    return DefWindowProcW(w, m, wp, lp);
  }
  windows::UniqueWindow window_;
};

refhost::Environment hostEnvironment(HWND view) {
  refhost::Environment env;
  env.pathSeparator = '\\';
  env.echoReportsToStderr = false;
  env.userLocale = GetUserDefaultLCID();
  env.mainWindow = static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(view));
  return env;
}

BOOL CALLBACK findMessageBox(HWND w, LPARAM out) {
  wchar_t cls[16] = {};
  GetClassNameW(w, cls, 16);
  if (std::wstring(cls) != L"#32770" || !IsWindowVisible(w)) return TRUE;
  *reinterpret_cast<HWND*>(out) = w;
  return FALSE;
}

// A visible message box of this thread, or nullptr.
HWND openMessageBox() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), findMessageBox, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The dots per inch the run asked the prefix for (QUADRIFT_DPI), 96 when it asked for none.
int askedDpi() {
  const char* asked = std::getenv("QUADRIFT_DPI");
  return asked != nullptr ? std::atoi(asked) : 96;
}

// The screen's dots per inch.
int screenDpi() {
  const windows::WindowDC screen(nullptr);
  return GetDeviceCaps(screen.get(), LOGPIXELSX);
}

std::wstring textOf(HWND w) {
  std::wstring text(512, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(w, text.data(), 512)));
  return text;
}

class Dialog : public testing::Test {
 protected:
  Dialog() { view_.host = &host_; }
  ~Dialog() override {
    command_.reset();
    commandObject_.release();
  }

  // The host creates the command and hands it the command object, then runs its own loop
  // until the command is done and the script has run out.
  void run(std::vector<std::function<void()>> steps) {
    Script script(std::move(steps));
    command_ = std::make_unique<command::CQuadrift>(component_);
    commandObject_ = host_.commandObject();
    command_->Command_Initialize(commandObject_);
    initializeReturned_ = true;
    const ULONGLONG limit = GetTickCount64() + kRunLimitMs;
    while (!(host_.command().done && script.finished())) {
      if (GetTickCount64() > limit) {
        ADD_FAILURE() << "the run did not end";
        if (HWND box = openMessageBox()) EndDialog(box, IDOK);
        PostMessageW(formWindow(), WM_CLOSE, 0, 0);
        break;
      }
      MSG m;
      if (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
      } else {
        WaitMessage();
      }
    }
  }

  ui::Form& form() { return command_->dialog()->form(); }
  HWND formWindow() { return windows::windowOf(form().hWnd()); }
  HWND window(std::string_view control) {
    return windows::windowOf(form().control(control).hWnd());
  }
  std::string focusName() {
    HWND focus = GetFocus();
    for (ui::Control* c : form().controls()) {
      if (windows::windowOf(c->hWnd()) == focus) return c->qualifiedName();
    }
    return focus == formWindow() ? "(the form)" : "(elsewhere)";
  }
  std::wstring windowTextOf(std::string_view control) { return textOf(window(control)); }
  std::wstring wide(std::string_view s) { return windows::wideFromUtf8(s); }
  // Steps.
  std::function<void()> keys(std::vector<WORD> k, WORD modifier = 0) {
    return [k = std::move(k), modifier] { sendKeys(k, modifier); };
  }
  std::function<void()> click(std::string control) {
    return [this, control] { SendMessageW(window(control), BM_CLICK, 0, 0); };
  }
  std::function<void()> clickView(POINT at, bool right = false) {
    return [this, at, right] { clickScreen(view_.onScreen(at), right); };
  }

  HostView view_;
  refhost::ReferenceHost host_{hostEnvironment(view_.handle())};
  windows::Win32System system_{GetModuleHandleW(nullptr)};
  windows::Win32Engine engine_{GetModuleHandleW(nullptr)};
  command::Component component_{
      command::Environment{host_.objectCreator(), engine_, host_.controlFactory(), system_}};
  std::unique_ptr<command::CQuadrift> command_;
  automation::Object commandObject_;
  bool initializeReturned_ = false;
};

// Every control where the layout puts it at the screen's DPI, with the styles its model asks for;
// the form a fixed dialog with a normal caption, owned by the host's window, centred on the screen,
// the host's windows disabled while it is up; the close control ends the run as a cancel.
TEST_F(Dialog, WindowsFollowTheLayout) {
  run({[this] {
    ASSERT_EQ(engine_.modalLoops(), 1);
    HWND form = formWindow();
    EXPECT_TRUE(IsWindowVisible(form));
    EXPECT_FALSE(IsWindowEnabled(view_.handle()));
    const double pixelsPerTwip = screenDpi() / 1440.0;
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_NEAR(client.right, 5745 * pixelsPerTwip, 1);
    EXPECT_NEAR(client.bottom, 4605 * pixelsPerTwip, 1);
    RECT outer{};
    GetWindowRect(form, &outer);
    EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(form, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(form, GWL_EXSTYLE));
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0u);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    // Out of the task bar by its owner, not as a tool window, which the task switcher skips.
    EXPECT_EQ(exStyle & (WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_APPWINDOW),
              static_cast<DWORD>(WS_EX_DLGMODALFRAME));
    EXPECT_EQ(GetWindow(form, GW_OWNER), view_.handle());
    POINT clientOrigin{};
    ClientToScreen(form, &clientOrigin);
    EXPECT_EQ(clientOrigin.y - outer.top,
              GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME));  // a full caption
    EXPECT_EQ(GetWindowContextHelpId(form), 61191u);
    EXPECT_EQ(textOf(form), wide(this->form().caption()));

    const auto specs = dialog::layout::controls();
    for (const dialog::layout::ControlSpec& spec : specs) {
      const std::string name =
          spec.index < 0 ? std::string(spec.name)
                         : std::string(spec.name) + "(" + std::to_string(spec.index) + ")";
      SCOPED_TRACE(name);
      std::int32_t left = spec.left;
      std::int32_t top = spec.top;
      for (const auto& frame : specs) {
        if (!spec.container.empty() && frame.name == spec.container) {
          left += frame.left;
          top += frame.top;
        }
      }
      HWND w = window(name);
      RECT r{};
      GetWindowRect(w, &r);
      MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
      EXPECT_NEAR(r.left, left * pixelsPerTwip, 1);
      EXPECT_NEAR(r.top, top * pixelsPerTwip, 1);
      EXPECT_NEAR(r.right, (left + spec.width) * pixelsPerTwip, 1);
      EXPECT_NEAR(r.bottom, (top + spec.height) * pixelsPerTwip, 1);
      EXPECT_EQ(GetWindowContextHelpId(w), spec.has(dialog::layout::flag::kHelp) ? 61191u : 0u);
      const auto s = static_cast<DWORD>(GetWindowLongPtrW(w, GWL_STYLE));
      EXPECT_EQ((s & WS_TABSTOP) != 0, spec.kind != ui::ControlKind::Label &&
                                           spec.kind != ui::ControlKind::Frame &&
                                           spec.kind != ui::ControlKind::HostControl &&
                                           !spec.has(dialog::layout::flag::kNoTabStop));
      EXPECT_EQ(IsWindowEnabled(w) != FALSE, this->form().control(name).effectivelyEnabled());
      EXPECT_EQ(IsWindowVisible(w) != FALSE, this->form().control(name).effectivelyVisible());
    }

    // Styles by control: what the window's class and style bits must say.
    struct Expect {
      const char* control;
      const wchar_t* cls;
      DWORD mask, bits;
    };
    const Expect expected[] = {
        {"cboSize", L"ComboBox", 3, CBS_DROPDOWNLIST},
        {"cboScale", L"ComboBox", 3, CBS_DROPDOWNLIST},
        {"cmdOK", L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON},
        {"cmdCancel", L"Button", BS_TYPEMASK, BS_PUSHBUTTON},
        {"fraSheetSize", L"Button", BS_TYPEMASK, BS_GROUPBOX},
        {"optSheetSize(2)", L"Button", WS_GROUP | BS_TYPEMASK, WS_GROUP | BS_RADIOBUTTON},
        {"optSheetSize(1)", L"Button", WS_GROUP | BS_TYPEMASK, BS_RADIOBUTTON},
        {"optSheetSize(0)", L"Button", WS_GROUP | BS_TYPEMASK, BS_RADIOBUTTON},
        {"optScaleMode(2)", L"Button", WS_GROUP, WS_GROUP},
        {"optScaleMode(1)", L"Button", WS_GROUP, 0},
        {"optScaleMode(0)", L"Button", WS_GROUP, 0},
        {"txtSOLX", L"Edit", WS_GROUP, WS_GROUP},
        {"txtCustomSize", L"Edit", WS_VISIBLE, 0},
        {"lblSizeH", L"Static", SS_TYPEMASK, SS_RIGHT},
    };
    for (const Expect& e : expected) {
      SCOPED_TRACE(e.control);
      wchar_t cls[32] = {};
      GetClassNameW(window(e.control), cls, 32);
      EXPECT_EQ(_wcsicmp(cls, e.cls), 0) << std::string(cls, cls + wcslen(cls));
      EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(window(e.control), GWL_STYLE)) & e.mask,
                e.bits);
    }
    // Stacking: an upper window comes before a lower one among its siblings.
    auto above = [this](const char* upper, const char* lower) {
      for (HWND w = window(upper); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == window(lower)) return true;
      }
      return false;
    };
    EXPECT_TRUE(above("cmdMove", "fraSheetOrigin"));
    EXPECT_TRUE(above("txtCustomSize", "cboSize"));
    EXPECT_TRUE(above("txtCustomScale", "cboScale"));
    EXPECT_TRUE(above("txtSOLX", "fraSheetOrigin"));
    PostMessageW(form, WM_CLOSE, 0, 0);
  }});
  EXPECT_TRUE(host_.command().done);
  EXPECT_TRUE(component_.UserCancelled);
  EXPECT_FALSE(IsWindowVisible(formWindow()));
  EXPECT_TRUE(IsWindowEnabled(view_.handle()));
}

// The font routine's fonts as real fonts on the controls: the system's GUI face, with the
// character set and size of the user's locale, in pixels at the DPI the run asked the prefix for
// (QUADRIFT_DPI, 96 by default); the satellite's captions on the windows.
TEST_F(Dialog, FontsAndCaptionsOfTheUserLocale) {
  struct LocaleFont {
    LCID lcid;
    BYTE charset;
    double points;
  };
  const LocaleFont table[] = {
      {0x0409, DEFAULT_CHARSET, 8.25},  {0x0407, DEFAULT_CHARSET, 8.25},
      {0x040C, DEFAULT_CHARSET, 8.25},  {0x0410, DEFAULT_CHARSET, 8.25},
      {0x0C0A, DEFAULT_CHARSET, 8.25},  {0x0416, DEFAULT_CHARSET, 8.25},
      {0x0419, DEFAULT_CHARSET, 8.25},  {0x0415, DEFAULT_CHARSET, 8.25},
      {0x0405, DEFAULT_CHARSET, 8.25},  {0x0411, SHIFTJIS_CHARSET, 9},
      {0x0404, CHINESEBIG5_CHARSET, 9}, {0x0804, GB2312_CHARSET, 9},
      {0x0412, HANGUL_CHARSET, 9},
  };
  const LocaleFont* expected = nullptr;
  for (const LocaleFont& row : table) {
    if (row.lcid == GetUserDefaultLCID()) expected = &row;
  }
  ASSERT_NE(expected, nullptr) << "run in a shipped locale, not " << GetUserDefaultLCID();
  const int dpi = askedDpi();
  ASSERT_EQ(screenDpi(), dpi);
  const auto height = -static_cast<LONG>(std::lround(expected->points * dpi / 72));
  char faceAnsi[LF_FACESIZE] = {};
  {
    const windows::WindowDC screen(nullptr);
    const windows::Selection font(screen.get(), GetStockObject(DEFAULT_GUI_FONT));
    GetTextFaceA(screen.get(), LF_FACESIZE, faceAnsi);
  }
  const std::wstring face = wide(windows::utf8FromAnsi(faceAnsi));

  run({[&] {
         for (ui::Control* c : form().controls()) {
           if (c->kind() == ui::ControlKind::HostControl) continue;
           SCOPED_TRACE(c->qualifiedName());
           auto font =
               reinterpret_cast<HFONT>(SendMessageW(window(c->qualifiedName()), WM_GETFONT, 0, 0));
           ASSERT_NE(font, nullptr);
           LOGFONTW log{};
           ASSERT_EQ(GetObjectW(font, sizeof log, &log), static_cast<int>(sizeof log));
           EXPECT_EQ(std::wstring(log.lfFaceName), face);
           EXPECT_EQ(log.lfCharSet, expected->charset);
           EXPECT_EQ(log.lfHeight, height);
         }
         for (const char* name : {"cmdOK", "cmdCancel", "cmdMove", "fraSheetSize", "lblSizeW"}) {
           const ui::Control& c = form().control(name);
           std::string caption;
           if (auto* b = dynamic_cast<const ui::CommandButton*>(&c)) caption = b->caption();
           if (auto* f = dynamic_cast<const ui::Frame*>(&c)) caption = f->caption();
           if (auto* l = dynamic_cast<const ui::Label*>(&c)) caption = l->caption();
           EXPECT_NE(caption, name);  // the satellite's, not the design's
           EXPECT_EQ(windowTextOf(name), wide(caption)) << name;
         }
       },
       keys({VK_ESCAPE})});
  EXPECT_TRUE(host_.command().done);
  EXPECT_TRUE(component_.UserCancelled);
}

// What a screen reader asks each control's window for, through the system: its name (in
// English, the locale of the names below), its role, and whether it is checked or unavailable.
TEST_F(Dialog, ScreenReadersGetNamesRolesAndStates) {
  struct Expected {
    const char* control;
    long role;
    const wchar_t* name;
  };
  const Expected table[] = {
      {"txtSOLX", ROLE_SYSTEM_TEXT, L"X:"},
      {"txtSOLY", ROLE_SYSTEM_TEXT, L"Y:"},
      {"txtSizeW", ROLE_SYSTEM_TEXT, L"W:"},
      {"txtSizeH", ROLE_SYSTEM_TEXT, L"x H:"},
      {"txtDSPaper", ROLE_SYSTEM_TEXT, L"Custom:"},
      {"txtDSModel", ROLE_SYSTEM_TEXT, L"Custom:"},
      {"cboSize", ROLE_SYSTEM_COMBOBOX, L"Standard:"},
      {"cboScale", ROLE_SYSTEM_COMBOBOX, L"Standard:"},
      {"optSheetSize(0)", ROLE_SYSTEM_RADIOBUTTON, L"Printer default page"},
      {"optSheetSize(1)", ROLE_SYSTEM_RADIOBUTTON, L"Standard:"},
      {"optScaleMode(2)", ROLE_SYSTEM_RADIOBUTTON, L"Custom:"},
      {"cmdMove", ROLE_SYSTEM_PUSHBUTTON, L"Move..."},
      {"cmdApply", ROLE_SYSTEM_PUSHBUTTON, L"Apply"},
      {"cmdPrevious", ROLE_SYSTEM_PUSHBUTTON, L"Previous"},
      {"cmdOK", ROLE_SYSTEM_PUSHBUTTON, L"OK"},
      {"fraSheetSize", ROLE_SYSTEM_GROUPING, L"Sheet Size"},
      {"lblSizeW", ROLE_SYSTEM_STATICTEXT, L"W:"},
  };
  const bool english = PRIMARYLANGID(GetUserDefaultLangID()) == LANG_ENGLISH;
  // A screen reader's requests are answered through COM.
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  run({[&] {
         for (const Expected& row : table) {
           SCOPED_TRACE(row.control);
           // The interface id by __uuidof: MinGW's import library gives IID_IAccessible wrong.
           windows::ComPtr<IAccessible> object;
           ASSERT_EQ(
               AccessibleObjectFromWindow(window(row.control), static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible), object.putVoid()),
               S_OK);
           VARIANT self;
           VariantInit(&self);
           V_VT(&self) = VT_I4;
           V_I4(&self) = CHILDID_SELF;
           windows::UniqueBstr name;
           ASSERT_EQ(object->get_accName(self, name.put()), S_OK);
           if (english) {
             EXPECT_EQ(std::wstring(name.get()), row.name);
           }
           EXPECT_NE(SysStringLen(name.get()), 0u);
           VARIANT role;
           ASSERT_EQ(object->get_accRole(self, &role), S_OK);
           EXPECT_EQ(V_VT(&role), VT_I4);
           EXPECT_EQ(V_I4(&role), row.role);
           VARIANT state;
           ASSERT_EQ(object->get_accState(self, &state), S_OK);
           ASSERT_EQ(V_VT(&state), VT_I4);
           const ui::Control& c = form().control(row.control);
           EXPECT_EQ((V_I4(&state) & STATE_SYSTEM_UNAVAILABLE) != 0, !c.effectivelyEnabled());
           if (row.role == ROLE_SYSTEM_RADIOBUTTON) {
             EXPECT_EQ((V_I4(&state) & STATE_SYSTEM_CHECKED) != 0,
                       static_cast<const ui::OptionButton&>(c).value());
           }
         }
       },
       keys({VK_ESCAPE})});
  CoUninitialize();
  EXPECT_TRUE(host_.command().done);
}

// Nothing shown at start-up is cut off: every caption on one line and every list entry fit their
// controls in the controls' own fonts. What does not fit is listed, with the pixels it needs and
// the pixels it has.
TEST_F(Dialog, EveryTextShownAtStartUpFits) {
  ASSERT_EQ(screenDpi(), askedDpi());
  std::string misfits;
  run({[&] {
         for (ui::Control* c : form().controls()) {
           if (c->kind() == ui::ControlKind::HostControl) continue;
           for (const quadrift_test::Misfit& m :
                quadrift_test::misfitsOf(window(c->qualifiedName()))) {
             misfits += "\n  " + c->qualifiedName() + " \"" + windows::utf8FromWide(m.text) +
                        "\": " + std::to_string(m.needed) + " px, room for " +
                        std::to_string(m.room);
           }
         }
       },
       keys({VK_ESCAPE})});
  EXPECT_EQ(misfits, "") << "in locale " << GetUserDefaultLCID() << " at " << screenDpi() << " DPI";
}

// Tab and Shift+Tab follow the model's tab order, and so does an access key; typing reaches the
// model, the field's own formatting reaches the window; Enter presses the default button.
TEST_F(Dialog, TabTypingAndEnter) {
  std::vector<std::string> order;
  auto record = [&] { order.push_back(focusName()); };
  std::vector<std::function<void()>> steps{record};
  for (int i = 0; i < 12; ++i) {
    steps.push_back(keys({VK_TAB}));
    steps.push_back(record);
  }
  steps.push_back(keys({VK_TAB}, VK_SHIFT));
  steps.push_back(record);
  // Back round to the origin's X field, over the selection its focus handler made.
  for (int i = 0; i < 11; ++i) steps.push_back(keys({VK_TAB}, VK_SHIFT));
  steps.push_back(record);
  steps.push_back([] { typeText("12m"); });
  steps.push_back([&] {
    EXPECT_EQ(form().textBox("txtSOLX").text(), "12m");
    EXPECT_EQ(windowTextOf("txtSOLX"), L"12m");
  });
  steps.push_back(keys({VK_TAB}));
  steps.push_back([&] {
    EXPECT_EQ(focusName(), "txtSOLY");
    EXPECT_EQ(windowTextOf("txtSOLX"), wide(form().textBox("txtSOLX").text()));
    EXPECT_EQ(windowTextOf("txtSOLX"), L"12000 mm");
  });
  // The access key of the X field's label takes the focus to the field after it.
  steps.push_back(keys({'X'}, VK_MENU));
  steps.push_back(record);
  steps.push_back(keys({VK_RETURN}));
  run(std::move(steps));

  const std::vector<std::string> expectedOrder = {
      "txtSOLX", "txtSOLY",   "cmdMove",  "optScaleMode(0)", "optSheetSize(1)", "cboSize",
      "cmdOK",   "cmdCancel", "cmdApply", "cmdHelp",         "txtSOLX",         "txtSOLY",
      "cmdMove", "txtSOLY",   "txtSOLX",  "txtSOLX"};  // after Alt+X from txtSOLY
  EXPECT_EQ(order, expectedOrder);
  EXPECT_TRUE(host_.command().done);
  EXPECT_FALSE(component_.UserCancelled);
  EXPECT_DOUBLE_EQ(host_.sheetSetup().originX, -12);
}

// Away to another window and back to the host's: the dialog comes back with the host's window,
// above it and active, and takes the keys again.
TEST_F(Dialog, ComesBackAboveTheHostAfterASwitch) {
  windows::UniqueWindow other;  // made while the dialog is up, so that its loop leaves it enabled
  auto stacked = [](HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
      if (w == lower) return true;
    }
    return false;
  };
  bool awayActive = false;
  run({[&] {
         other.reset(CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE, 400,
                                     300, 200, 100, nullptr, nullptr, nullptr, nullptr));
         SetForegroundWindow(other.get());
       },
       [&] {
         awayActive = GetActiveWindow() == other.get() && stacked(other.get(), formWindow());
         SetForegroundWindow(view_.handle());
       },
       [&] {
         EXPECT_TRUE(stacked(formWindow(), view_.handle()));
         EXPECT_TRUE(stacked(formWindow(), other.get()));
         EXPECT_TRUE(IsWindowEnabled(formWindow()));
         EXPECT_EQ(GetActiveWindow(), formWindow());
       },
       keys({VK_ESCAPE})});
  other.reset();
  EXPECT_TRUE(awayActive);
  EXPECT_TRUE(host_.command().done);
  EXPECT_TRUE(component_.UserCancelled);
}

// On an option button the arrow keys step through its group, round, and select; on a closed list
// they pick the next entry, in the model and on the window.
TEST_F(Dialog, ArrowKeysInOptionGroupsAndLists) {
  std::vector<std::string> seen;
  auto record = [&] {
    std::string checked;
    for (int i = 0; i < 3; ++i) {
      const std::string name = "optSheetSize(" + std::to_string(i) + ")";
      if (SendMessageW(window(name), BM_GETCHECK, 0, 0) == BST_CHECKED) checked += name;
    }
    seen.push_back(focusName() + " " + checked);
  };
  std::vector<std::function<void()>> steps{keys({VK_TAB, VK_TAB, VK_TAB, VK_TAB}), record};
  const WORD arrows[] = {VK_DOWN, VK_DOWN, VK_UP, VK_LEFT};
  for (WORD arrow : arrows) {
    steps.push_back(keys({arrow}));
    steps.push_back(record);
  }
  std::int16_t listBefore = -1;
  steps.push_back(keys({VK_TAB}));
  steps.push_back([&] { listBefore = form().comboBox("cboSize").listIndex(); });
  steps.push_back(keys({VK_DOWN}));
  steps.push_back([&] {
    EXPECT_EQ(focusName(), "cboSize");
    EXPECT_EQ(form().comboBox("cboSize").listIndex(), listBefore + 1);
    EXPECT_EQ(SendMessageW(window("cboSize"), CB_GETCURSEL, 0, 0), listBefore + 1);
  });
  steps.push_back(keys({VK_ESCAPE}));
  run(std::move(steps));
  const std::vector<std::string> expected = {
      "optSheetSize(1) optSheetSize(1)", "optSheetSize(2) optSheetSize(2)",
      "optSheetSize(0) optSheetSize(0)", "optSheetSize(2) optSheetSize(2)",
      "optSheetSize(1) optSheetSize(1)"};
  EXPECT_EQ(seen, expected);
}

// A length the host cannot read: a real message box owned by the dialog, answered with Enter;
// the focus stays on the field, which gets its text back. Esc then cancels.
TEST_F(Dialog, RejectedLengthWarnsAndKeepsTheFocus) {
  std::wstring boxTitle;
  bool ownedByDialog = false;
  run({[] { typeText("twelve"); }, keys({VK_TAB}),
       [&] {
         HWND box = openMessageBox();
         ASSERT_NE(box, nullptr);
         boxTitle = textOf(box);
         ownedByDialog = GetWindow(box, GW_OWNER) == formWindow();
         EXPECT_FALSE(IsWindowEnabled(formWindow()));
       },
       keys({VK_RETURN}),
       [&] {
         EXPECT_EQ(openMessageBox(), nullptr);
         EXPECT_EQ(focusName(), "txtSOLX");
         EXPECT_EQ(windowTextOf("txtSOLX"), L"0 mm");
       },
       keys({VK_ESCAPE})});
  EXPECT_EQ(boxTitle, wide(form().caption()));  // the command's name, in the user's language
  EXPECT_TRUE(ownedByDialog);
  EXPECT_TRUE(component_.UserCancelled);
  EXPECT_DOUBLE_EQ(host_.sheetSetup().originX, 0);
}

// Move ends the start-up's modal loop; a left click in the host's view places the origin and
// shows the dialog modally again from inside the click's handler; Move once more and a right
// click bring it back without placing; OK ends the run.
TEST_F(Dialog, ModalLoopsNestInTheMouseHandlers) {
  std::vector<std::string> seen;
  auto state = [&](const char* when) {
    return [&, when] {
      seen.push_back(std::string(when) + (IsWindowVisible(formWindow()) ? " shown" : " hidden") +
                     ", loops " + std::to_string(engine_.modalLoops()) +
                     (IsWindowEnabled(view_.handle()) ? ", host enabled" : ", host disabled") +
                     (initializeReturned_ ? ", start-up returned" : ""));
    };
  };
  run({state("start"), click("cmdMove"), state("move"), clickView({120, 80}), state("left"),
       [&] { EXPECT_EQ(windowTextOf("txtSOLX"), L"120 mm"); }, click("cmdMove"), state("move"),
       clickView({40, 30}, true), state("right"),
       [&] { EXPECT_EQ(windowTextOf("txtSOLX"), L"120 mm"); }, click("cmdOK")});
  const std::vector<std::string> expected = {
      "start shown, loops 1, host disabled",
      "move hidden, loops 0, host enabled, start-up returned",
      "left shown, loops 1, host disabled, start-up returned",
      "move hidden, loops 0, host enabled, start-up returned",
      "right shown, loops 1, host disabled, start-up returned",
  };
  EXPECT_EQ(seen, expected);
  EXPECT_TRUE(host_.command().done);
  EXPECT_FALSE(component_.UserCancelled);
  EXPECT_NEAR(host_.sheetSetup().originX, -0.12, 1e-9);
  EXPECT_NEAR(host_.sheetSetup().originY, -0.08, 1e-9);
  EXPECT_TRUE(IsWindowEnabled(view_.handle()));
}

}  // namespace
