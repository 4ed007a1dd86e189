// A person's whole visit to the desktop program, played from outside with real input: the
// program started as a user starts it, the command from the menu and from the toolbar, a size
// from the list, a custom size, a rejected length and its warning, Apply, Previous, Move with
// the pointer over the view and a left click, Move and a right click, Cancel after Apply, OK,
// Undo and Redo, the command again. Everything checked is read from the windows on screen, in
// the user's language (the process's locale); pictures of the dialog and the placement are kept.
#include <gtest/gtest.h>
#include <windows.h>

#include <objbase.h>

#include <filesystem>
#include <functional>
#include <string>

#include "dialog/layout.hpp"
#include "environment.hpp"
#include "platform/registry.hpp"
#include "windows/handles/unique.hpp"
#include "windows/platform/ansi_codec.hpp"
#include "windows/tests/visit/compiled_help.hpp"
#include "windows/tests/visit/outside.hpp"
#include "windows/ui/form_windows.hpp"
#include "windows/ui/real_input.hpp"
#include "windows/ui/window_picture.hpp"

namespace wintest {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t kMainClass[] = L"QuadriftDesktopMain";
constexpr wchar_t kDialogClass[] = L"kstQuadriftForm";

std::filesystem::path programFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(path).parent_path();
}

// The user's satellite, read as the resource it is: what the program must show.
class Satellite {
 public:
  explicit Satellite(LCID locale)
      : module_(LoadLibraryExW(
            (programFolder() / (L"kstQuadrift_" + std::to_wstring(locale) + L".dll")).c_str(),
            nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  bool loaded() const { return static_cast<bool>(module_); }
  std::wstring text(UINT id) const {
    const wchar_t* start = nullptr;
    const int length = LoadStringW(module_.get(), id, reinterpret_cast<LPWSTR>(&start), 0);
    return length > 0 ? std::wstring(start, static_cast<std::size_t>(length)) : std::wstring();
  }

 private:
  windows::UniqueModule module_;
};

// The help file the program registers for its host at start: the default value of the host's
// help key.
std::wstring registeredHelpFile() {
  const std::wstring key =
      windows::wideFromUtf8(platform::helpFileKey(refhost::Environment{}.registeredName));
  wchar_t value[MAX_PATH] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value,
                   &size) != ERROR_SUCCESS) {
    return {};
  }
  return value;
}

constexpr UINT kDialogCaption = 193;
constexpr DWORD kCommandTopic = 61191;
constexpr UINT kPlacementPrompt = 213;
constexpr UINT kReadyPrompt = 214;
constexpr UINT kInvalidLength = 212;

class DesktopVisit : public ::testing::Test {
 protected:
  DesktopVisit() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~DesktopVisit() override { CoUninitialize(); }

  HWND dialog() const { return program.window(kDialogClass); }
  // A control of the dialog by its name (and index in its array), as automation ids name them.
  HWND control(std::string_view name, int index = -1) const {
    const auto all = dialog::layout::controls();
    for (std::size_t i = 0; i < all.size(); ++i) {
      if (all[i].name == name && all[i].index == index)
        return GetDlgItem(dialog(), windows::kFirstControlId + static_cast<int>(i));
    }
    return nullptr;
  }
  std::wstring text(std::string_view name) const { return OutsideProgram::text(control(name)); }
  LRESULT listIndex(std::string_view name) const {
    return SendMessageW(control(name), CB_GETCURSEL, 0, 0);
  }
  HWND child(const wchar_t* windowClass) const {
    return FindWindowExW(main, nullptr, windowClass, nullptr);
  }
  std::wstring status(int part) const {
    return program.statusText(child(L"msctls_statusbar32"), part);
  }

  // Acts, and acts again once if `effect` has not followed within `patience`: a person repeats
  // what the busy program missed.
  static void againIfMissed(const std::function<void()>& act, const std::function<bool()>& effect,
                            std::chrono::milliseconds patience = 5s) {
    act();
    if (!waitUntil(effect, patience)) act();
  }
  // A click on a control once the dialog waits for input, as a person clicks what is drawn.
  void click(std::string_view name, int index = -1) {
    waitUntil([&] { return windows::readyForInput(dialog()); }, 15s);
    input::clickCentre(control(name, index));
  }
  // Replaces a field's text as a person does: click into it, select it all, type.
  void retype(std::string_view name, std::wstring_view typed) {
    const auto focused = [&] { return OutsideProgram::focus(dialog()) == control(name); };
    againIfMissed([&] { click(name); }, focused);
    ASSERT_TRUE(waitUntil(focused)) << "the click into " << name << " gave it the focus";
    input::key(VK_HOME);
    input::key(VK_END, VK_SHIFT);
    input::type(typed);
    ASSERT_TRUE(waitUntil([&] { return text(name) == typed; })) << "typed into " << name;
  }
  // Drops a list down with a click on its selection field and moves `steps` entries down.
  void pickBelow(std::string_view name, int steps) {
    const LRESULT before = listIndex(name);
    waitUntil([&] { return windows::readyForInput(dialog()); }, 15s);
    RECT r{};
    GetWindowRect(control(name), &r);
    input::click({(r.left + r.right) / 2, r.top + std::min(10L, (r.bottom - r.top) / 2)});
    for (int i = 0; i < steps; ++i) input::key(VK_DOWN);
    input::key(VK_RETURN);
    ASSERT_TRUE(waitUntil([&] { return listIndex(name) == before + steps; })) << name;
  }
  void waitForDialog(bool shown, const char* why) {
    ASSERT_TRUE(waitUntil([&] { return (dialog() != nullptr) == shown; }, 15s)) << why;
    if (shown) {
      ASSERT_TRUE(waitUntil([&] { return windows::readyForInput(dialog()); }, 15s)) << why;
    }
  }
  void startFromMenu() {
    // A window just shown may not be active yet for its first keys: a person presses again.
    againIfMissed(
        [&] {
          input::clickCentre(child(L"QuadriftDesktopView"));  // the window takes the keys
          input::key('C', VK_MENU);
          input::key('M');
        },
        [&] { return dialog() != nullptr; }, 10s);
    waitForDialog(true, "Command > Move Sheet Border shows the dialog");
  }
  void startFromToolbar() {
    const HWND toolbar = child(L"ToolbarWindow32");
    RECT button = program.toolbarButton(toolbar, 0);
    MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&button), 2);
    const POINT centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    againIfMissed([&] { input::click(centre); }, [&] { return dialog() != nullptr; }, 10s);
    waitForDialog(true, "the toolbar button shows the dialog");
  }
  // A click on a button that ends the dialog, clicked again if the busy program missed it and
  // the dialog stays, with no message box over it, as a person does.
  void clickToEnd(std::string_view name) {
    againIfMissed(
        [&] {
          if (dialog() != nullptr && program.ownedWindows(dialog()).empty()) click(name);
        },
        [&] { return dialog() == nullptr; });
  }
  // A click in the view while placing, clicked again at the same point if the busy program
  // missed it and the dialog stays away, as a person does.
  void clickViewForDialog(POINT at, int button) {
    againIfMissed([&] { input::click(at, button); }, [&] { return dialog() != nullptr; });
  }
  POINT viewPoint(int dx, int dy) const {
    RECT r{};
    GetWindowRect(child(L"QuadriftDesktopView"), &r);
    return {(r.left + r.right) / 2 + dx, (r.top + r.bottom) / 2 + dy};
  }
  // Moves the pointer over the view in steps, as a hand does.
  void glide(int dx, int dy) {
    for (int step = 1; step <= 8; ++step) {
      input::moveTo(viewPoint(dx * step / 8, dy * step / 8));
      Sleep(15);
    }
  }
  void keep(HWND window, const std::wstring& name) {
    const std::filesystem::path folder = programFolder() / "screenshots" / "desktop";
    std::filesystem::create_directories(folder);
    // Painted now, by the program's own thread, before the screen is read.
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const std::string failure =
        windows::writeWindowPng(window, folder / (name + L"-" + std::to_wstring(locale) + L".png"));
    EXPECT_EQ(failure, "") << "the picture of " << std::string(name.begin(), name.end());
  }

  const LCID locale = GetUserDefaultLCID();
  const Satellite satellite{locale};
  OutsideProgram program{programFolder() / "quadrift-desktop.exe"};
  HWND main = nullptr;
};

TEST_F(DesktopVisit, APersonsWholeVisitInTheUsersLanguage) {
  ASSERT_TRUE(satellite.loaded()) << "a satellite for locale " << locale;
  ASSERT_TRUE(waitUntil([&] { return (main = program.window(kMainClass)) != nullptr; }, 60s))
      << "the program's window comes up";

  // The command from the menu, in the user's language, modal over the host's window.
  startFromMenu();
  EXPECT_EQ(OutsideProgram::text(dialog()), satellite.text(kDialogCaption));
  EXPECT_FALSE(IsWindowEnabled(main));
  keep(dialog(), L"dialog");

  // Help, with F1 and with the button: the program's own help file, which it registered for its
  // host, opens over the dialog; the command's context is mapped to its page.
  const std::filesystem::path helpFile = programFolder() / "quadrift-desktop.chm";
  EXPECT_EQ(registeredHelpFile(), helpFile.wstring());
  const CompiledHelp help(helpFile);
  ASSERT_TRUE(help.opened()) << "the help file beside the program";
  // The page the viewer looks up for the command's context is in the file, and is the command's.
  const std::string topic = help.topicOf(kCommandTopic).value_or("");
  EXPECT_TRUE(topic.ends_with("/move-sheet-border.htm")) << topic;
  EXPECT_NE(
      help.file(windows::wideFromUtf8(topic)).value_or("").find("<title>Move Sheet Border</title>"),
      std::string::npos)
      << topic;
  for (const char* way : {"F1", "Help"}) {
    if (way == std::string_view("F1")) {
      input::key(VK_F1);
    } else {
      click("cmdHelp");
    }
    HWND viewer = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (viewer = program.window(L"HH Parent")) != nullptr; }))
        << way << " opens the help viewer";
    EXPECT_EQ(GetWindow(viewer, GW_OWNER), dialog()) << way;
    EXPECT_EQ(OutsideProgram::text(viewer), L"Quadrift Desktop Help") << way;
    PostMessageW(viewer, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitUntil([&] { return program.window(L"HH Parent") == nullptr; })) << way;
    ASSERT_TRUE(waitUntil([&] { return windows::readyForInput(dialog()); }, 15s))
        << "the dialog again, after " << way;
  }

  const LRESULT startSize = listIndex("cboSize");
  const std::wstring startX = text("txtSOLX");

  // A size from the list, then a custom width: the host writes it in the paper unit.
  pickBelow("cboSize", 2);
  click("optSheetSize", 2);
  ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(control("txtSizeW")) != FALSE; }));
  retype("txtSizeW", L"42 cm");
  input::key(VK_TAB);
  EXPECT_TRUE(waitUntil([&] { return text("txtSizeW").starts_with(L"420"); }))
      << "42 cm is shown as millimetres";

  // A rejected length: the warning, answered with its button, and the field given back.
  retype("txtSOLX", L"twelve metres");
  click("cmdApply");
  std::vector<HWND> boxes;
  ASSERT_TRUE(waitUntil([&] { return !(boxes = program.ownedWindows(dialog())).empty(); }))
      << "the warning comes up";
  const HWND warningText = FindWindowExW(boxes[0], nullptr, L"Static", nullptr);
  bool warned = false;
  for (HWND c = warningText; c != nullptr; c = FindWindowExW(boxes[0], c, L"Static", nullptr))
    warned = warned || OutsideProgram::text(c) == satellite.text(kInvalidLength);
  EXPECT_TRUE(warned) << "the warning's text is the satellite's";
  // The warning's button, clicked once the box is drawn and waits, and again if the busy program
  // missed the click, as a person does.
  ASSERT_TRUE(waitUntil([&] { return windows::readyForInput(boxes[0]); }, 15s))
      << "the warning is drawn";
  againIfMissed(
      [&] {
        if (IsWindow(boxes[0]))
          input::clickCentre(FindWindowExW(boxes[0], nullptr, L"Button", nullptr));
      },
      [&] { return program.ownedWindows(dialog()).empty(); });
  ASSERT_TRUE(waitUntil([&] { return program.ownedWindows(dialog()).empty(); }));
  EXPECT_TRUE(waitUntil([&] { return text("txtSOLX") == startX; })) << "the field is given back";
  EXPECT_EQ(OutsideProgram::focus(dialog()), control("txtSOLX"));
  EXPECT_FALSE(IsWindowEnabled(control("cmdPrevious"))) << "the refused Apply applied nothing";

  // Apply, then Previous back to the starting setup.
  click("cmdApply");
  ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(control("cmdPrevious")) != FALSE; }));
  click("cmdPrevious");
  ASSERT_TRUE(waitUntil([&] { return listIndex("cboSize") == startSize; })) << "Previous";
  EXPECT_FALSE(IsWindowEnabled(control("cmdPrevious")));

  // Move: the dialog gives way, the outline follows the pointer, a left click places it.
  click("cmdMove");
  waitForDialog(false, "Move hides the dialog");
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_TRUE(waitUntil([&] { return status(0) == satellite.text(kPlacementPrompt); }));
  EXPECT_EQ(status(1), L"Move Sheet Border runs") << "the command goes on while placing";
  glide(40, 30);
  Sleep(100);
  keep(main, L"placement");
  clickViewForDialog(viewPoint(40, 30), 1);
  waitForDialog(true, "a left click brings the dialog back");
  const std::wstring placedX = text("txtSOLX");
  EXPECT_NE(placedX, startX) << "the click placed the origin";

  // Move and a right click: back to the dialog, nothing placed.
  click("cmdMove");
  waitForDialog(false, "Move hides the dialog");
  glide(-60, 10);
  clickViewForDialog(viewPoint(-60, 10), 2);
  waitForDialog(true, "a right click brings the dialog back");
  EXPECT_EQ(text("txtSOLX"), placedX);

  // Cancel after Apply: the command ends and the sheet is as it was.
  clickToEnd("cmdCancel");
  waitForDialog(false, "Cancel ends the command");
  EXPECT_TRUE(waitUntil([&] { return status(1) == L"Move Sheet Border ended"; }));
  EXPECT_EQ(status(0), satellite.text(kReadyPrompt));

  // The command from the toolbar: the sheet as it was; another size, OK.
  startFromToolbar();
  EXPECT_EQ(text("txtSOLX"), startX) << "Cancel restored the origin";
  EXPECT_EQ(listIndex("cboSize"), startSize);
  pickBelow("cboSize", 1);
  clickToEnd("cmdOK");
  waitForDialog(false, "OK ends the command");
  ASSERT_TRUE(waitUntil([&] { return status(1) == L"Move Sheet Border ended"; }));

  // One Undo gives back the sheet before OK; Redo makes it again.
  input::clickCentre(child(L"QuadriftDesktopView"));
  input::key('Z', VK_CONTROL);
  startFromMenu();
  EXPECT_EQ(listIndex("cboSize"), startSize) << "one Undo takes back the whole command";
  clickToEnd("cmdCancel");
  waitForDialog(false, "Cancel");
  ASSERT_TRUE(waitUntil([&] { return status(1) == L"Move Sheet Border ended"; }));
  input::clickCentre(child(L"QuadriftDesktopView"));
  input::key('Y', VK_CONTROL);
  startFromToolbar();
  EXPECT_EQ(listIndex("cboSize"), startSize + 1) << "Redo";
  clickToEnd("cmdCancel");
  waitForDialog(false, "Cancel");

  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.waitForExit(30s));
  EXPECT_EQ(program.exitCode(), 0u);
}

}  // namespace
}  // namespace wintest
