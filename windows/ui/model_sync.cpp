#include "windows/ui/model_sync.hpp"

#include "windows/platform/ansi_codec.hpp"
#include "windows/ui/geometry.hpp"

namespace windows {

namespace {

// A drop-down list's window is as tall as its dropped list; its text area is sized by the
// height of its selection field, which a new font resets.
// The height read back need not be the height set (the system may add its padding), but the
// window's height follows the height set one for one, so the error of each try corrects the next.
void fitListHeight(HWND list, int wanted) {
  LRESULT field = SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  for (int attempt = 0; attempt < 3 && field != CB_ERR; ++attempt) {
    RECT r{};
    GetWindowRect(list, &r);
    const int off = wanted - (r.bottom - r.top);
    if (off == 0 || field + off <= 0) return;
    field += off;
    SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }
}

void setText(HWND window, const std::string& text) {
  if (windowText(window) != text) SetWindowTextW(window, wideFromUtf8(text).c_str());
}

void syncList(HWND window, const ui::ComboBox& list, ControlShadow& shadow) {
  std::vector<std::string> items;
  for (std::int16_t i = 0; i < list.listCount(); ++i) items.push_back(list.list(i));
  if (items != shadow.items) {
    SendMessageW(window, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) {
      SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideFromUtf8(item).c_str()));
    }
    shadow.items = std::move(items);
  }
  if (SendMessageW(window, CB_GETCURSEL, 0, 0) != list.listIndex()) {
    SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(list.listIndex()), 0);
  }
}

void syncTextBox(HWND window, const ui::TextBox& box, ControlShadow& shadow) {
  const bool textChanged = windowText(window) != box.text();
  if (textChanged) SetWindowTextW(window, wideFromUtf8(box.text()).c_str());
  if (textChanged || box.selStart() != shadow.selStart || box.selLength() != shadow.selLength) {
    SendMessageW(window, EM_SETSEL, static_cast<WPARAM>(box.selStart()),
                 static_cast<LPARAM>(box.selStart() + box.selLength()));
    shadow.selStart = box.selStart();
    shadow.selLength = box.selLength();
  }
}

void syncButtonStyle(HWND window, bool isDefault) {
  const auto type = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)) & BS_TYPEMASK;
  const DWORD wanted = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if (type != wanted) SendMessageW(window, BM_SETSTYLE, wanted, TRUE);
}

void syncContent(HWND window, ui::Control& c, ControlShadow& shadow) {
  switch (c.kind()) {
    case ui::ControlKind::CommandButton: {
      auto& b = static_cast<ui::CommandButton&>(c);
      setText(window, b.caption());
      syncButtonStyle(window, b.isDefault());
      break;
    }
    case ui::ControlKind::OptionButton: {
      auto& o = static_cast<ui::OptionButton&>(c);
      setText(window, o.caption());
      const WPARAM check = o.value() ? BST_CHECKED : BST_UNCHECKED;
      if (static_cast<WPARAM>(SendMessageW(window, BM_GETCHECK, 0, 0)) != check) {
        SendMessageW(window, BM_SETCHECK, check, 0);
      }
      break;
    }
    case ui::ControlKind::Label:
      setText(window, static_cast<ui::Label&>(c).caption());
      break;
    case ui::ControlKind::Frame:
      setText(window, static_cast<ui::Frame&>(c).caption());
      break;
    case ui::ControlKind::ComboBox:
      syncList(window, static_cast<ui::ComboBox&>(c), shadow);
      break;
    case ui::ControlKind::TextBox:
      syncTextBox(window, static_cast<ui::TextBox&>(c), shadow);
      break;
    case ui::ControlKind::HostControl:
      break;
  }
}

void syncPlace(HWND window, ui::Control& c, HFONT font, int dpi) {
  const bool fontChanged =
      font != nullptr && reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)) != font;
  if (fontChanged) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  const RECT wanted = controlRect(c, dpi);
  RECT now{};
  GetWindowRect(window, &now);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&now), 2);
  const bool isList = c.kind() == ui::ControlKind::ComboBox;
  if (now.left != wanted.left || now.top != wanted.top ||
      now.right - now.left != wanted.right - wanted.left ||
      (!isList && now.bottom - now.top != wanted.bottom - wanted.top)) {
    SetWindowPos(window, nullptr, wanted.left, wanted.top, wanted.right - wanted.left,
                 isList ? now.bottom - now.top : wanted.bottom - wanted.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (isList && (fontChanged || now.bottom - now.top != wanted.bottom - wanted.top)) {
    fitListHeight(window, wanted.bottom - wanted.top);
  }
}

}  // namespace

void syncWindows(FormWindows& w, FontCache& fonts) {
  ui::Form& form = *w.form;
  setText(w.window.get(), form.caption());
  const auto& all = form.controls();
  for (std::size_t i = 0; i < all.size(); ++i) {
    ui::Control& c = *all[i];
    HWND window = w.controls[i];
    syncPlace(window, c, c.hasFont() ? fonts.get(c.font(), w.dpi) : nullptr, w.dpi);
    syncContent(window, c, w.shadows[i]);
    const bool enabled = c.effectivelyEnabled();
    if ((IsWindowEnabled(window) != FALSE) != enabled) EnableWindow(window, enabled);
    const bool visible = c.effectivelyVisible();
    const bool shown = (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != visible) ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
  }
  syncFocus(w);
}

void syncFocus(const FormWindows& w) {
  const ui::Form& form = *w.form;
  if (!form.visible() || !IsWindowVisible(w.window.get())) return;
  const ui::Control* active = form.activeControl();
  if (active == nullptr) return;
  HWND target = w.windowOf(*active);
  if (GetFocus() != target && IsWindowEnabled(target) && IsWindowVisible(target)) {
    SetFocus(target);
  }
}

}  // namespace windows
