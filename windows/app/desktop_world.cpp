#include "windows/app/desktop_world.hpp"

#include <charconv>
#include <fstream>
#include <iostream>
#include <sstream>

#include "component_state.hpp"
#include "script.hpp"
#include "ui/refusal_reasons.hpp"
#include "ui/run_aborted.hpp"
#include "windows/app/message_box_reading.hpp"
#include "windows/platform/ansi_codec.hpp"
#include "windows/ui/form_windows.hpp"
#include "windows/ui/real_input.hpp"
#include "windows/ui/virtual_keys.hpp"
#include "windows/ui/win32_engine.hpp"
#include "windows/ui/window_picture.hpp"

namespace windows {
namespace {

using Kind = portable::UserAction::Kind;

constexpr wchar_t kDialogClass[] = L"kstQuadriftForm";
constexpr ULONGLONG kForegroundWithinMs = 5000;

// What only the component knows of a run: its setup history and its run flags.
constexpr std::string_view kUnobservable[] = {"run.historyCount", "run.history", "run.setupApplied",
                                              "run.userCancelled"};

struct WindowSearch {
  const wchar_t* windowClass;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK takeWindowOfClass(HWND window, LPARAM l) {
  auto* search = reinterpret_cast<WindowSearch*>(l);
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  if (std::wstring_view(name) != search->windowClass) return TRUE;
  if (search->visibleOnly && !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND threadWindow(DWORD thread, const wchar_t* windowClass, bool visibleOnly) {
  WindowSearch search{windowClass, visibleOnly, nullptr};
  EnumThreadWindows(thread, takeWindowOfClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

POINT screenPointOf(HWND window, POINT client) {
  ClientToScreen(window, &client);
  return client;
}

void append(std::vector<INPUT>& to, const std::vector<INPUT>& more) {
  to.insert(to.end(), more.begin(), more.end());
}

// One line of the help library's record: owner, command, data and the file (as the caller
// passed it, in the ANSI code page), separated by tabs; none when the line is not one.
std::optional<portable::HelpCall> helpCallOf(const std::string& line) {
  std::istringstream fields(line);
  std::string owner, command, data, file;
  if (!std::getline(fields, owner, '\t') || !std::getline(fields, command, '\t') ||
      !std::getline(fields, data, '\t') || !std::getline(fields, file)) {
    return std::nullopt;
  }
  long long handle = 0;
  std::uint64_t number = 0;
  std::uint64_t value = 0;
  const auto parsed = [](const std::string& text, auto& out) {
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), out);
    return status == std::errc() && end == text.data() + text.size();
  };
  if (!parsed(owner, handle) || !parsed(command, number) || !parsed(data, value)) {
    return std::nullopt;
  }
  portable::HelpCall call{};
  call.owner = static_cast<platform::Handle>(handle);
  call.command = static_cast<std::uint32_t>(number);
  call.data = static_cast<std::uint32_t>(value);
  call.file = utf8FromAnsi(file);
  return call;
}

}  // namespace

DesktopWorld::DesktopWorld(::session::WorldSettings settings, const std::filesystem::path& dll,
                           std::unique_ptr<SessionPrinter> printer)
    : printer_(std::move(printer)), settings_(std::move(settings)) {
  if (!topLevelWindowsAvailable()) {
    throw ::session::WorldUnavailable("real windows need a display (under Wine: xvfb-run)");
  }
  const std::filesystem::path component =
      ::session::componentWithPresentSatellites(settings_, dll, privateFolder_);
  if (settings_.helpFile) helpFile_.emplace(settings_.host.registeredName, *settings_.helpFile);
  // The help library of a test system records the calls here; the real one ignores it.
  if (!privateFolder_) privateFolder_ = ::session::newRunFolder("quadrift-session");
  helpRecord_ = *privateFolder_ / "help-calls.txt";
  SetEnvironmentVariableW(L"QUADRIFT_HELP_RECORD", helpRecord_.wstring().c_str());
  program_ =
      std::make_unique<ProgramThread>(::session::hostEnvironment(settings_), component, events_);
  input_ = std::make_unique<ProgramInput>(program_->threadId());
  awaitForeground();
}

DesktopWorld::~DesktopWorld() {
  input_.reset();
  program_.reset();
  helpFile_.reset();
  SetEnvironmentVariableW(L"QUADRIFT_HELP_RECORD", nullptr);
  if (privateFolder_) {
    std::error_code ignored;
    std::filesystem::remove_all(*privateFolder_, ignored);
  }
}

bool DesktopWorld::observes(std::string_view subject) const {
  for (std::string_view hidden : kUnobservable) {
    if (::session::sameName(subject, hidden)) return false;
  }
  return true;
}

HWND DesktopWorld::dialogWindow() const {
  return threadWindow(program_->threadId(), kDialogClass, false);
}

HWND DesktopWorld::messageBoxWindow() const {
  return threadWindow(program_->threadId(), L"#32770", true);
}

HWND DesktopWorld::focusWindow() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(program_->threadId(), &info) ? info.hwndFocus : nullptr;
}

void DesktopWorld::awaitForeground() {
  const ULONGLONG deadline = GetTickCount64() + kForegroundWithinMs;
  while (GetTickCount64() < deadline) {
    HWND wanted = messageBoxWindow();
    if (wanted == nullptr) {
      const HWND dialog = dialogWindow();
      wanted = dialog != nullptr && IsWindowVisible(dialog) ? dialog : program_->mainWindow();
    }
    if (GetForegroundWindow() == wanted && readyForInput(wanted)) return;
    Sleep(10);
  }
  // Input still goes to the program's thread; the sentinel tells if it is lost.
}

void DesktopWorld::readHelpRecord() {
  std::ifstream record(helpRecord_, std::ios::binary);
  if (!record || !record.seekg(helpRecordRead_)) return;
  // From where the last reading ended: only the calls recorded since.
  std::string line;
  while (std::getline(record, line)) {
    if (const auto call = helpCallOf(line)) portable::recordHelpCall(*call, help_, &events_);
    if (const std::streamoff at = record.tellg(); at >= 0) helpRecordRead_ = at;
  }
}

void DesktopWorld::observe() {
  const HWND dialog = dialogWindow();
  mirror_.read(dialog, focusWindow());
  const bool shown = mirror_.form() != nullptr && mirror_.form()->visible();
  if (shown != dialogShown_) {
    dialogShown_ = shown;
    const std::string name = mirror_.form() ? mirror_.form()->name() : std::string("frmMain");
    events_.add("dialog", name + (shown ? " shown" : " hidden"));
  }
  const HWND box = messageBoxWindow();
  if (box != nullptr && box != boxSeen_) {
    const MessageBoxOnScreen read = readMessageBox(box);
    boxes_.push_back({read.text, read.title, read.style, std::nullopt});
    events_.add("message box", "\"" + read.title + "\": " + read.text);
  }
  boxSeen_ = box;
  readHelpRecord();
  if (screenshots_ && !dialogPictured_ && shown) {
    dialogPictured_ = true;
    screenshot(dialog, "dialog.png");
  }
}

void DesktopWorld::start() {
  observe();
  // The command as the user starts it from the program's menu.
  PostMessageW(program_->mainWindow(), WM_COMMAND, MAKEWPARAM(desktop::kCommandMoveSheetBorder, 0),
               0);
  input_->sendAndWait({}, "start");
  awaitForeground();
  observe();
}

void DesktopWorld::runUntilIdle() {
  while (!queue_.empty()) {
    portable::UserAction action = std::move(queue_.front());
    queue_.pop_front();
    if (action.kind == Kind::Probe) {
      if (action.probe) action.probe();
      continue;
    }
    play(action);
    awaitForeground();
    observe();
    if (unsettled_ && messageBoxWindow() == nullptr) settle(*std::exchange(unsettled_, {}));
  }
  if (const HWND box = messageBoxWindow()) {
    throw portable::RunAborted("the input ran out while a message box was open (\"" +
                               readMessageBox(box).title + "\")");
  }
  if (mirror_.form() != nullptr && mirror_.form()->visible()) {
    throw portable::RunAborted("the input ran out while the dialog " + mirror_.form()->name() +
                               " was shown modally");
  }
}

void DesktopWorld::end() {
  // A dialog still shown keeps the command's call running: the program's end takes it down.
  if (messageBoxWindow() != nullptr || (mirror_.form() && mirror_.form()->visible())) return;
  program_->call(
      [](host_classes::ComHost& desktop, desktop::MainWindow&) { desktop.releaseCommand(); });
  observe();
}

nlohmann::json DesktopWorld::componentState() {
  observe();
  // The help window's owner by name: the mirror stands for the dialog's window.
  std::vector<portable::HelpCall> help = help_;
  if (ui::Form* form = mirror_.form()) {
    const auto dialog =
        static_cast<platform::Handle>(reinterpret_cast<std::uintptr_t>(mirror_.dialogWindow()));
    for (auto& call : help) {
      if (call.owner == dialog) call.owner = form->hWnd();
    }
  }
  nlohmann::json state = ::session::observedComponentJson(mirror_.form(), boxes_, help, refused_);
  state["run"] = nlohmann::json::object();
  state["errorReporterKept"] = program_->host().errorReporterHeld();
  return state;
}

void DesktopWorld::refuse(const portable::UserAction& action, std::string reason) {
  refused_.push_back({action.describe(), reason});
  events_.add("refused", refused_.back().action + " (" + reason + ")");
}

void DesktopWorld::send(std::vector<INPUT> inputs, const portable::UserAction& action) {
  input_->sendAndWait(std::move(inputs), action.describe());
}

// What the windows show was read after the last action (or start-up); probes since only read.
void DesktopWorld::play(const portable::UserAction& action) {
  const HWND box = messageBoxWindow();
  if (action.kind == Kind::MouseMove || action.kind == Kind::MouseClick) {
    if (box != nullptr) return refuse(action, portable::refusal::hostDisabledByBox());
    if (!IsWindowEnabled(program_->mainWindow())) {
      const ui::Form* form = mirror_.form();
      return refuse(action, portable::refusal::hostDisabledByDialog(form ? form->name() : ""));
    }
    return playInView(action);
  }
  if (box != nullptr) return playInBox(action, box);
  if (action.kind == Kind::Answer) return refuse(action, portable::refusal::noBoxOpen());
  playInDialog(action);
}

void DesktopWorld::playInBox(const portable::UserAction& action, HWND box) {
  const MessageBoxOnScreen read = readMessageBox(box);
  const auto has = [&](int id) {
    return std::find(read.buttons.begin(), read.buttons.end(), id) != read.buttons.end();
  };
  if (action.kind == Kind::Answer) {
    const int answer =
        action.answer == 0 && !read.buttons.empty() ? read.buttons.front() : action.answer;
    if (!has(answer)) return refuse(action, portable::refusal::boxHasNoButton(answer));
    return send(real_input::click(centreOf(GetDlgItem(box, answer))), action);
  }
  if (action.kind == Kind::Key && action.key == ui::Key::Enter) {
    return send(real_input::keyPress(VK_RETURN), action);
  }
  if (action.kind == Kind::Key && action.key == ui::Key::Escape) {
    if (read.buttons.size() != 1 && !has(IDCANCEL)) {
      return refuse(action, portable::refusal::boxHasNoCancel());
    }
    return send(real_input::keyPress(VK_ESCAPE), action);
  }
  refuse(action, portable::refusal::boxOpen(read.title));
}

void DesktopWorld::playInView(const portable::UserAction& action) {
  refhost::ReferenceHost& host = program_->host();
  if (std::string why = host.whyNoMouseInput(); !why.empty()) return refuse(action, why);
  HWND view = nullptr;
  const double x = action.x, y = action.y;
  // The view is panned so that the scripted point lies at its upper left pixel, whose model
  // point the view gives back exactly, and the pointer is brought there.
  program_->call([&](host_classes::ComHost&, desktop::MainWindow& window) {
    window.view().showAtCorner(x, y);
    UpdateWindow(window.view().handle());
    view = window.view().handle();
  });
  const POINT corner = screenPointOf(view, {0, 0});
  POINT pointer{};
  GetCursorPos(&pointer);
  std::vector<INPUT> inputs;
  if (action.kind == Kind::MouseMove) {
    // From off the view, so that the move reaches it even when the pointer is there already.
    RECT frame{};
    GetWindowRect(program_->mainWindow(), &frame);
    inputs.push_back(real_input::pointerTo({frame.left + 8, frame.top + 8}));
    inputs.push_back(real_input::pointerTo(corner));
  } else {
    // A click where the pointer is; brought there first when it is elsewhere, which a person
    // does as well (that move reaches the host too).
    append(inputs, real_input::click(corner, action.button));
  }
  send(std::move(inputs), action);
  if (screenshots_ && action.kind == Kind::MouseMove) {
    program_->call([](host_classes::ComHost&, desktop::MainWindow& window) {
      window.view().fit();
      UpdateWindow(window.view().handle());
    });
    screenshot(view, "placement.png");
  }
}

void DesktopWorld::playInDialog(const portable::UserAction& action) {
  ui::Form* form = mirror_.form();
  const bool targeted =
      action.kind == Kind::Click || action.kind == Kind::Pick || action.kind == Kind::Focus;
  if (targeted) {
    if (form == nullptr) return refuse(action, portable::refusal::noDialogLoaded());
    ui::Control* control = form->findControl(action.target);
    if (control == nullptr)
      throw portable::RunAborted(action.target + " is no control of the dialog");
    if (action.kind == Kind::Pick) {
      auto* list = dynamic_cast<ui::ComboBox*>(control);
      if (list == nullptr)
        return refuse(action, portable::refusal::notAList(control->qualifiedName()));
      return pick(action, *list);
    }
    return clickOrFocus(action, *control);
  }
  if (form == nullptr || !form->visible())
    return refuse(action, portable::refusal::noDialogShown());
  switch (action.kind) {
    case Kind::Type:
      if (std::string why = form->whyNoTyping(); !why.empty()) return refuse(action, why);
      return send(real_input::text(wideFromUtf8(action.text)), action);
    case Kind::Key: {
      // A key the dialog gives no meaning is not sent: on the windows it would move through a
      // text box's text or type a space, which a script cannot follow.
      if (std::string why = form->whyNoKey(action.key); !why.empty()) return refuse(action, why);
      const WORD held = action.key == ui::Key::ShiftTab ? VK_SHIFT : 0;
      return send(real_input::keyPress(virtualKeyOf(action.key), held), action);
    }
    case Kind::AccessKey: {
      // The mirror says whether some control answers the letter; it is read afresh after.
      const ui::InputOutcome outcome = form->userAccessKey(action.letter);
      if (outcome.status == ui::InputOutcome::Status::Refused) return refuse(action, outcome.note);
      const std::optional<WORD> key = virtualKeyOf(action.letter);
      if (!key)
        return refuse(action, "no key of this keyboard's layout types " + action.describe());
      return send(real_input::keyPress(*key, VK_MENU), action);
    }
    case Kind::Close:
      // The close control's command, which the window turns into its close request.
      PostMessageW(mirror_.dialogWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
      return send({}, action);
    default:
      throw portable::RunAborted(action.describe() + " is no input for a dialog");
  }
}

void DesktopWorld::clickOrFocus(const portable::UserAction& action, ui::Control& control) {
  ui::Form& form = *mirror_.form();
  if (std::string why = form.whyNoInput(control); !why.empty()) return refuse(action, why);
  const HWND window = mirror_.windowOf(control);
  if (window == nullptr) throw portable::RunAborted(control.qualifiedName() + " has no window");
  const AimedInput aimed{action, control.qualifiedName(), window, input_->clicks(window)};
  const bool boxBefore = messageBoxWindow() != nullptr;
  send(real_input::click(centreOf(window)), action);
  const bool isList = control.kind() == ui::ControlKind::ComboBox;
  if (isList && SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) != 0) {
    // The click opened the list's drop-down; a second one on the list closes it unchanged.
    send(real_input::click(centreOf(window)), action);
  }
  observe();
  if (!boxBefore && messageBoxWindow() != nullptr) {
    unsettled_ = aimed;
    return;
  }
  settle(aimed);
}

void DesktopWorld::settle(const AimedInput& aimed) {
  ui::Form* form = mirror_.form();
  ui::Control* control = form != nullptr ? form->findControl(aimed.control) : nullptr;
  if (control == nullptr) return;  // the dialog went: the click reached its button
  const bool button = control->kind() == ui::ControlKind::CommandButton ||
                      control->kind() == ui::ControlKind::OptionButton;
  const bool clicked = button && input_->clicks(aimed.window) > aimed.clicksBefore;
  if (!clicked && form->activeControl() != control) {
    // The focus events kept the focus elsewhere: the click did not reach the control.
    const ui::Control* holder = form->activeControl();
    if (aimed.action.kind == Kind::Focus) {
      return refuse(aimed.action, "the focus stayed on " +
                                      (holder != nullptr ? holder->qualifiedName() : "nothing"));
    }
    return refuse(aimed.action, ui::focusKeptNote(*control, holder));
  }
  if (control->kind() == ui::ControlKind::TextBox && form->visible()) {
    // The click put the caret where it landed; a user who means to replace the text selects it,
    // as the field's own focus handling did.
    std::vector<INPUT> keys = real_input::keyPress(VK_HOME);
    append(keys, real_input::keyPress(VK_END, VK_SHIFT));
    send(std::move(keys), aimed.action);
  }
}

void DesktopWorld::pick(const portable::UserAction& action, ui::ComboBox& list) {
  ui::Form& form = *mirror_.form();
  if (std::string why = form.whyNoPick(list, action.index); !why.empty()) {
    return refuse(action, why);
  }
  const HWND combo = mirror_.windowOf(list);
  const bool boxBefore = messageBoxWindow() != nullptr;
  // The first click gives the list the focus and opens its drop-down.
  send(real_input::click(centreOf(combo)), action);
  observe();
  if (!boxBefore && messageBoxWindow() != nullptr) {
    unsettled_ = AimedInput{action, list.qualifiedName(), combo, 0};
    return;
  }
  if (form.activeControl() != &list) {
    return refuse(action, ui::focusKeptNote(list, form.activeControl()));
  }
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(combo, &info) || SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) == 0) {
    throw portable::RunAborted(action.describe() + ": the list's drop-down did not open");
  }
  // Scrolled so that the entry shows, then clicked.
  SendMessageW(info.hwndList, LB_SETTOPINDEX, static_cast<WPARAM>(action.index), 0);
  RECT item{};
  if (SendMessageW(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(action.index),
                   reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
    throw portable::RunAborted(action.describe() + ": the drop-down has no such entry");
  }
  send(real_input::click(screenPointOf(
           info.hwndList, {(item.left + item.right) / 2, (item.top + item.bottom) / 2})),
       action);
}

void DesktopWorld::takeScreenshots(std::filesystem::path folder) {
  std::error_code failed;
  std::filesystem::create_directories(folder, failed);
  screenshots_ = std::move(folder);
}

void DesktopWorld::screenshot(HWND window, const char* name) {
  const std::filesystem::path path = *screenshots_ / name;
  const std::string failure = window != nullptr && IsWindowVisible(window)
                                  ? writeWindowPng(window, path)
                                  : std::string("the window is not on screen");
  if (failure.empty()) return;
  std::cerr << path.string() << ": " << failure << "\n";
  screenshotsWritten_ = false;
}

}  // namespace windows
