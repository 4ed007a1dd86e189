#include "windows/app/dialog_mirror.hpp"

#include <algorithm>
#include <string>

#include "dialog/layout.hpp"
#include "ui/control.hpp"
#include "windows/platform/ansi_codec.hpp"
#include "windows/ui/form_windows.hpp"

namespace windows {
namespace {

std::string listEntry(HWND combo, int index) {
  const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return {};
  std::wstring entry(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT got = SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(entry.data()));
  entry.resize(got == CB_ERR ? 0 : static_cast<std::size_t>(got));
  return utf8FromWide(entry);
}

struct ChildSearch {
  int id;
  HWND found;
};

BOOL CALLBACK takeChildWithId(HWND window, LPARAM l) {
  auto* search = reinterpret_cast<ChildSearch*>(l);
  if (GetDlgCtrlID(window) != search->id) return TRUE;
  search->found = window;
  return FALSE;
}

// The dialog's descendant window with identifier `id` (a control may lie in its frame's window).
HWND childWithId(HWND dialog, int id) {
  ChildSearch search{id, nullptr};
  EnumChildWindows(dialog, takeChildWithId, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

DialogMirror::DialogMirror() = default;
DialogMirror::~DialogMirror() = default;

HWND DialogMirror::windowOf(const ui::Control& control) const {
  if (!form_) return nullptr;
  const auto& controls = form_->controls();
  const auto at = std::find(controls.begin(), controls.end(), &control);
  return at == controls.end() ? nullptr : windows_[static_cast<std::size_t>(at - controls.begin())];
}

void DialogMirror::read(HWND dialog, HWND focus) {
  if (dialog != dialog_ || (dialog != nullptr && !IsWindow(dialog))) {
    form_.reset();
    windows_.clear();
    dialog_ = dialog != nullptr && IsWindow(dialog) ? dialog : nullptr;
    if (dialog_ != nullptr) {
      form_ = dialog::layout::buildMainForm(engine_, designHost_.controlFactory());
      form_->load();
      // A window with a help context answers F1 with help, as the dialog's does.
      form_->setHelpContextId(static_cast<std::int32_t>(GetWindowContextHelpId(dialog_)));
      if (form_->helpContextId() != 0) form_->onHelp = [](std::int32_t) {};
      for (std::size_t i = 0; i < form_->controls().size(); ++i) {
        windows_.push_back(childWithId(dialog_, kFirstControlId + static_cast<int>(i)));
      }
    }
  }
  if (!form_) return;
  const bool shown = IsWindowVisible(dialog_) != FALSE;
  if (shown && !form_->visible()) form_->show();
  if (!shown && form_->visible()) form_->hide();
  form_->setCaption(windowText(dialog_));
  const auto& controls = form_->controls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (windows_[i] != nullptr) readControl(*controls[i], windows_[i]);
  }
  if (!shown || focus == nullptr) return;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    // A list's focus may lie in its edit field, a child of the list's window.
    if (windows_[i] == nullptr || (focus != windows_[i] && GetParent(focus) != windows_[i])) {
      continue;
    }
    if (form_->activeControl() != controls[i]) form_->userFocus(*controls[i]);
    return;
  }
}

void DialogMirror::readControl(ui::Control& control, HWND window) {
  control.setEnabled(IsWindowEnabled(window) != FALSE);
  control.setVisible((GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0);
  switch (control.kind()) {
    case ui::ControlKind::CommandButton:
      static_cast<ui::CommandButton&>(control).setCaption(windowText(window));
      break;
    case ui::ControlKind::OptionButton: {
      auto& option = static_cast<ui::OptionButton&>(control);
      option.setCaption(windowText(window));
      option.setValue(SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED);
      break;
    }
    case ui::ControlKind::ComboBox: {
      auto& list = static_cast<ui::ComboBox&>(control);
      list.clear();
      const auto count = static_cast<int>(SendMessageW(window, CB_GETCOUNT, 0, 0));
      for (int i = 0; i < count; ++i) list.addItem(listEntry(window, i));
      list.setListIndex(static_cast<std::int16_t>(SendMessageW(window, CB_GETCURSEL, 0, 0)));
      break;
    }
    case ui::ControlKind::TextBox:
      static_cast<ui::TextBox&>(control).setText(windowText(window));
      break;
    case ui::ControlKind::Label:
      static_cast<ui::Label&>(control).setCaption(windowText(window));
      break;
    case ui::ControlKind::Frame:
      static_cast<ui::Frame&>(control).setCaption(windowText(window));
      break;
    case ui::ControlKind::HostControl:
      break;
  }
}

}  // namespace windows
