#include "windows/ui/notifications.hpp"

#include "ui/access_key.hpp"
#include "ui/text_units.hpp"
#include "windows/ui/virtual_keys.hpp"

namespace windows {

namespace {

// Typing replaced the text box's text: the model takes the window's text in place of its
// whole text, and then the caret and selection the window has.
void typed(FormWindows& w, HWND window, ui::TextBox& box,
           std::optional<ui::InputOutcome>& outcome) {
  ui::Form& form = *w.form;
  ControlShadow& shadow = w.shadows[w.indexOf(box)];
  const std::string text = windowText(window);
  if (text == box.text()) return;
  box.setSelStart(0);
  box.setSelLength(static_cast<std::int32_t>(ui::text::length(box.text())));
  outcome = form.userType(text);
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  box.setSelStart(static_cast<std::int32_t>(start));
  box.setSelLength(static_cast<std::int32_t>(end - start));
  shadow.selStart = box.selStart();
  shadow.selLength = box.selLength();
}

}  // namespace

bool deliverCommand(FormWindows& w, WPARAM wParam, LPARAM lParam,
                    std::optional<ui::InputOutcome>& outcome) {
  ui::Form& form = *w.form;
  const WORD code = HIWORD(wParam);
  HWND child = reinterpret_cast<HWND>(lParam);
  if (child == nullptr) {
    const WORD id = LOWORD(wParam);
    if (id != IDOK && id != IDCANCEL) return false;
    outcome = form.userKey(id == IDOK ? ui::Key::Enter : ui::Key::Escape);
    return true;
  }
  ui::Control* control = w.controlOf(child);
  if (control == nullptr) return false;
  const bool focused = form.activeControl() == control;
  switch (control->kind()) {
    case ui::ControlKind::CommandButton:
    case ui::ControlKind::OptionButton:
      if (code == BN_SETFOCUS && !focused) outcome = form.userFocus(*control);
      // A click whose focus events kept the focus elsewhere does not reach its button. The
      // second click of a double click on a command button is a click as well (with BS_NOTIFY
      // the button reports it only as a double click).
      if ((code == BN_CLICKED ||
           (code == BN_DOUBLECLICKED && control->kind() == ui::ControlKind::CommandButton)) &&
          focused) {
        outcome = form.userClick(*control);
      }
      return code == BN_SETFOCUS || code == BN_CLICKED || code == BN_DOUBLECLICKED;
    case ui::ControlKind::TextBox: {
      auto& box = static_cast<ui::TextBox&>(*control);
      if (code == EN_SETFOCUS && !focused) outcome = form.userFocus(box);
      if (code == EN_CHANGE && focused) typed(w, child, box, outcome);
      // Text that did not come from typing into the focused box is put back by the sync.
      return code == EN_SETFOCUS || code == EN_CHANGE;
    }
    case ui::ControlKind::ComboBox: {
      auto& list = static_cast<ui::ComboBox&>(*control);
      if (code == CBN_SETFOCUS && !focused) outcome = form.userFocus(list);
      if (code == CBN_SELCHANGE) {
        const LRESULT picked = SendMessageW(child, CB_GETCURSEL, 0, 0);
        if (picked >= 0) outcome = form.userPick(list, static_cast<std::int16_t>(picked));
      }
      return code == CBN_SETFOCUS || code == CBN_SELCHANGE;
    }
    default:
      return false;
  }
}

bool deliverFormKey(FormWindows& w, const MSG& m, std::optional<ui::InputOutcome>& outcome) {
  ui::Form& form = *w.form;
  if (m.message == WM_KEYDOWN && m.wParam == VK_F1) {
    outcome = form.userKey(ui::Key::F1);
    return true;
  }
  if (m.message == WM_KEYDOWN) {
    // On an option button the arrows step through its group, on a closed list through its
    // entries; elsewhere they keep the control's own meaning (an open list's drop-down, a text
    // box's caret).
    const ui::Control* on = w.controlOf(m.hwnd);
    const std::optional<ui::Key> arrow = arrowKeyOf(m.wParam);
    const bool closedList = on != nullptr && on->kind() == ui::ControlKind::ComboBox &&
                            SendMessageW(m.hwnd, CB_GETDROPPEDSTATE, 0, 0) == 0;
    if (arrow && on != nullptr && (on->kind() == ui::ControlKind::OptionButton || closedList)) {
      outcome = form.userKey(*arrow);
      return true;
    }
  }
  if (m.message == WM_KEYDOWN && m.wParam == VK_TAB) {
    const bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    outcome = form.userKey(back ? ui::Key::ShiftTab : ui::Key::Tab);
    return true;
  }
  // The character Alt typed, in the keyboard's layout: a letter of any script can be a key.
  if (m.message == WM_SYSCHAR && ui::canBeAccessKey(static_cast<char32_t>(m.wParam))) {
    outcome = form.userAccessKey(static_cast<char32_t>(m.wParam));
    return true;
  }
  return false;
}

}  // namespace windows
