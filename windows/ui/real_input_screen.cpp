#include "windows/ui/real_input_screen.hpp"

#include <optional>

#include <string>

#include "ui/access_key.hpp"
#include "ui/run_aborted.hpp"
#include "ui/scope_exit.hpp"
#include "windows/platform/ansi_codec.hpp"
#include "windows/ui/form_windows.hpp"
#include "windows/ui/model_sync.hpp"
#include "windows/ui/virtual_keys.hpp"

namespace windows {

namespace {

using Kind = portable::UserAction::Kind;
using ui::InputOutcome;

// The screen whose message box a thread timer is about to serve; the system calls the timer
// without context.
thread_local RealInputScreen* boxScreen = nullptr;

bool isMessageBox(HWND window) {
  wchar_t name[16] = {};
  return window != nullptr && GetClassNameW(window, name, 16) > 0 &&
         std::wstring_view(name) == L"#32770";
}

BOOL CALLBACK takeMessageBox(HWND window, LPARAM out) {
  if (!isMessageBox(window) || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

// The thread's message box on screen, the topmost if several.
HWND openMessageBox() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), takeMessageBox, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

RealInputScreen::RealInputScreen(Win32Engine& windows)
    : windows_(windows), input_(kSentinelKey, [this](MSG& m) { dispatch(m); }) {}

void RealInputScreen::enterModal(ui::Form& form) {
  windows_.enterModal(form);
  // The model gives the focus once the window is shown, after its activation put the focus on
  // the window: the first keys of the loop go where the model has it.
  if (const FormWindows* w = windows_.windowsOf(form)) syncFocus(*w);
}

void RealInputScreen::dispatch(MSG& message) {
  // A message box's keys go through its dialog manager, as its own loop would send them.
  const HWND root = GetAncestor(message.hwnd, GA_ROOT);
  if (isMessageBox(root) && IsDialogMessageW(root, &message)) return;
  windows_.dispatch(message);
}

std::optional<InputOutcome> RealInputScreen::play(std::vector<INPUT> inputs,
                                                  std::string_view what) {
  std::optional<InputOutcome> outcome;
  std::optional<InputOutcome>* outer = windows_.outcomeSlot();
  windows_.setOutcomeSlot(&outcome);
  const ui::ScopeExit restore([this, outer] { windows_.setOutcomeSlot(outer); });
  input_.sendAndWait(std::move(inputs), what);
  return outcome;
}

ui::InputOutcome RealInputScreen::deliver(ui::Form& form, ui::Control* target,
                                          const portable::UserAction& action) {
  const std::string what = action.describe();
  switch (action.kind) {
    case Kind::Click:
    case Kind::Focus:
      return clickOrFocus(form, *target, action.kind == Kind::Click);
    case Kind::Pick:
      return pick(form, static_cast<ui::ComboBox&>(*target), action.index);
    case Kind::Type: {
      if (std::string why = form.whyNoTyping(); !why.empty()) return InputOutcome::refused(why);
      return play(RealInput::text(wideFromUtf8(action.text)), what)
          .value_or(InputOutcome::applied());
    }
    case Kind::Key: {
      // A key the model gives no meaning is not sent: on the windows it would move through a
      // text box's text or type a space, which a script cannot follow.
      if (std::string why = form.whyNoKey(action.key); !why.empty()) {
        return InputOutcome::refused(why);
      }
      const WORD held = action.key == ui::Key::ShiftTab ? VK_SHIFT : 0;
      return play(RealInput::keyPress(virtualKeyOf(action.key), held), what)
          .value_or(InputOutcome::applied());
    }
    case Kind::AccessKey: {
      const std::optional<WORD> key = virtualKeyOf(action.letter);
      if (!key) return InputOutcome::refused("no key of this keyboard's layout types " + what);
      const std::optional<InputOutcome> outcome = play(RealInput::keyPress(*key, VK_MENU), what);
      if (!outcome) throw portable::RunAborted("the access key of " + what + " reached no form");
      return *outcome;
    }
    case Kind::Close: {
      // The close control's command, which the window turns into its close request.
      const FormWindows* w = windows_.windowsOf(form);
      if (w == nullptr) throw portable::RunAborted(form.name() + " has no window to close");
      PostMessageW(w->window.get(), WM_SYSCOMMAND, SC_CLOSE, 0);
      play({}, what);
      return InputOutcome::applied();
    }
    default:
      throw portable::RunAborted(what + " is no input for a dialog");
  }
}

ui::InputOutcome RealInputScreen::clickOrFocus(ui::Form& form, ui::Control& control, bool click) {
  if (std::string why = form.whyNoInput(control); !why.empty()) return InputOutcome::refused(why);
  const FormWindows* w = windows_.windowsOf(form);
  const HWND window = w->windowOf(control);
  std::optional<InputOutcome> outcome =
      play(RealInput::click(centreOf(window)), (click ? "click " : "focus ") + control.name());
  if (control.kind() == ui::ControlKind::ComboBox) {
    // The click opened the list's drop-down; a second one on the list closes it unchanged.
    if (SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) != 0) {
      play(RealInput::click(centreOf(window)), "close " + control.name());
    }
  }
  if (form.activeControl() != &control) {
    // The focus events kept the focus elsewhere: the click did not reach the control.
    const ui::Control* holder = form.activeControl();
    if (!click)
      return InputOutcome::notDelivered("the focus stayed on " +
                                        (holder != nullptr ? holder->qualifiedName() : "nothing"));
    return InputOutcome::notDelivered(ui::focusKeptNote(control, holder));
  }
  if (control.kind() == ui::ControlKind::TextBox) {
    selectAsModel(static_cast<const ui::TextBox&>(control));
  }
  if (outcome && outcome->status != InputOutcome::Status::Applied) return *outcome;
  return InputOutcome::applied();
}

// A click into a text box puts the caret where it lands, undoing the selection its GotFocus made;
// a user who means to replace the text selects it again, as these keys do.
void RealInputScreen::selectAsModel(const ui::TextBox& box) {
  std::vector<INPUT> keys = RealInput::keyPress(VK_HOME);
  for (std::int32_t i = 0; i < box.selStart(); ++i) {
    for (const INPUT& k : RealInput::keyPress(VK_RIGHT)) keys.push_back(k);
  }
  for (std::int32_t i = 0; i < box.selLength(); ++i) {
    for (const INPUT& k : RealInput::keyPress(VK_RIGHT, VK_SHIFT)) keys.push_back(k);
  }
  play(std::move(keys), "select in " + box.name());
}

ui::InputOutcome RealInputScreen::pick(ui::Form& form, ui::ComboBox& list, std::int16_t index) {
  if (std::string why = form.whyNoPick(list, index); !why.empty()) {
    return InputOutcome::refused(why);
  }
  const FormWindows* w = windows_.windowsOf(form);
  const HWND combo = w->windowOf(list);
  const std::string what = "pick " + list.name() + " " + std::to_string(index);
  // The first click gives the list the focus and opens its drop-down.
  play(RealInput::click(centreOf(combo)), what);
  if (form.activeControl() != &list) {
    return InputOutcome::notDelivered(ui::focusKeptNote(list, form.activeControl()));
  }
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(combo, &info) || SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) == 0) {
    throw portable::RunAborted(what + ": the list's drop-down did not open");
  }
  // Scrolled so that the entry shows, then clicked.
  SendMessageW(info.hwndList, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
  RECT item{};
  if (SendMessageW(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
    throw portable::RunAborted(what + ": the drop-down has no such entry");
  }
  POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  ClientToScreen(info.hwndList, &at);
  const std::optional<InputOutcome> outcome = play(RealInput::click(at), what);
  if (outcome && outcome->status != InputOutcome::Status::Applied) return *outcome;
  if (list.listIndex() != index) {
    throw portable::RunAborted(what + ": the click on the entry selected " +
                               std::to_string(list.listIndex()));
  }
  return InputOutcome::applied();
}

void CALLBACK RealInputScreen::boxTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  RealInputScreen* screen = std::exchange(boxScreen, nullptr);
  if (screen == nullptr || screen->boxes_.empty()) return;
  WaitingBox& box = *screen->boxes_.back();
  try {
    (*box.untilAnswered)();
  } catch (...) {
    // Nothing may unwind through the box's loop: the box closes unanswered and the failure is
    // thrown once it has.
    box.failure = std::current_exception();
    if (HWND open = openMessageBox()) EndDialog(open, 0);
  }
}

std::int32_t RealInputScreen::messageBox(std::string_view text, std::string_view title,
                                         std::int32_t style,
                                         const std::function<void()>& untilAnswered) {
  WaitingBox box{&untilAnswered, nullptr};
  boxes_.push_back(&box);
  // The input is played from the box's own loop, once it runs.
  boxScreen = this;
  SetTimer(nullptr, 0, 1, boxTimer);
  std::int32_t shown = 0;
  try {
    shown = windows_.messageBox(text, title, style);
  } catch (...) {
    boxes_.pop_back();
    throw;
  }
  boxes_.pop_back();
  if (box.failure) std::rethrow_exception(box.failure);
  return shown;
}

void RealInputScreen::answer(const portable::UserAction& action, std::int32_t answer) {
  const HWND box = openMessageBox();
  if (box == nullptr) throw portable::RunAborted("no message box is on screen to answer");
  const std::string what = action.describe();
  if (action.kind == Kind::Key) {
    play(RealInput::keyPress(virtualKeyOf(action.key)), what);
    return;
  }
  const HWND button = GetDlgItem(box, answer);
  if (button == nullptr) {
    throw portable::RunAborted("the message box on screen has no button " + std::to_string(answer));
  }
  play(RealInput::click(centreOf(button)), what);
}

}  // namespace windows
