#include "windows/ui/window_builder.hpp"

#include <algorithm>
#include <vector>

#include "automation/failure.hpp"
#include "windows/platform/ansi_codec.hpp"
#include "windows/ui/accessible_control.hpp"
#include "windows/ui/geometry.hpp"

namespace windows {

namespace {

// A list's window is made this much taller than its text area: the room its entries drop into.
constexpr int kDroppedListPixels = 200;

const wchar_t* classOf(ui::ControlKind kind) {
  switch (kind) {
    case ui::ControlKind::CommandButton:
    case ui::ControlKind::OptionButton:
    case ui::ControlKind::Frame:
      return L"BUTTON";
    case ui::ControlKind::ComboBox:
      return L"COMBOBOX";
    case ui::ControlKind::TextBox:
      return L"EDIT";
    case ui::ControlKind::Label:
    case ui::ControlKind::HostControl:
      return L"STATIC";
  }
  return L"STATIC";
}

DWORD alignmentStyle(ui::ControlKind kind, ui::Alignment a) {
  if (kind == ui::ControlKind::TextBox) {
    return a == ui::Alignment::Right ? ES_RIGHT : a == ui::Alignment::Center ? ES_CENTER : ES_LEFT;
  }
  return a == ui::Alignment::Right ? SS_RIGHT : a == ui::Alignment::Center ? SS_CENTER : SS_LEFT;
}

// The kind's own styles; `groupStart` marks the first control of a keyboard group.
DWORD styleOf(const ui::Control& c, bool groupStart) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (groupStart ? WS_GROUP : 0);
  if (c.focusableKind() && c.tabStop()) style |= WS_TABSTOP;
  switch (c.kind()) {
    case ui::ControlKind::CommandButton:
      return style | BS_NOTIFY |
             (static_cast<const ui::CommandButton&>(c).isDefault() ? BS_DEFPUSHBUTTON
                                                                   : BS_PUSHBUTTON);
    case ui::ControlKind::OptionButton:
      // The model keeps the group exclusive, so the button only shows its value.
      return style | BS_NOTIFY | BS_RADIOBUTTON |
             (static_cast<const ui::OptionButton&>(c).alignment() == ui::Alignment::Right
                  ? BS_LEFTTEXT
                  : 0);
    case ui::ControlKind::Frame:
      return style | BS_GROUPBOX;
    case ui::ControlKind::ComboBox:
      return style | WS_VSCROLL |
             (static_cast<const ui::ComboBox&>(c).listOnly() ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
    case ui::ControlKind::TextBox:
      return style | ES_AUTOHSCROLL |
             alignmentStyle(c.kind(), static_cast<const ui::TextBox&>(c).alignment());
    case ui::ControlKind::Label:
      return style | alignmentStyle(c.kind(), static_cast<const ui::Label&>(c).alignment());
    case ui::ControlKind::HostControl:
      return style;
  }
  return style;
}

// Top to bottom: the controls drawn on top, then the others in creation order (an overlay made
// before the control under it stays above it), frames last so that they never cover what lies
// in them.
std::vector<std::size_t> stackingOrder(const ui::Form& form) {
  const auto& all = form.controls();
  std::vector<std::size_t> order(all.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  auto layer = [&](std::size_t i) {
    if (all[i]->drawnOnTop()) return 0;
    return all[i]->kind() == ui::ControlKind::Frame ? 2 : 1;
  };
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return layer(a) < layer(b); });
  return order;
}

// The option buttons of one container are one group: the first of them in stacking order
// starts it; every other control is a group of its own.
std::vector<bool> groupStarts(const ui::Form& form, const std::vector<std::size_t>& order) {
  const auto& all = form.controls();
  std::vector<bool> starts(all.size(), true);
  const ui::Control* previous = nullptr;
  for (std::size_t i : order) {
    const ui::Control* c = all[i];
    if (c->kind() == ui::ControlKind::OptionButton && previous != nullptr &&
        previous->kind() == ui::ControlKind::OptionButton &&
        previous->container() == c->container()) {
      starts[i] = false;
    }
    previous = c;
  }
  return starts;
}

HWND create(DWORD exStyle, const wchar_t* cls, DWORD style, const RECT& r, HWND parent, int id,
            HINSTANCE instance, void* param) {
  HWND window =
      CreateWindowExW(exStyle, cls, L"", style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, param);
  if (window == nullptr) throw automation::runtimeFailure(automation::errnum::kOutOfMemory);
  return window;
}

}  // namespace

DWORD formStyle(const ui::WindowStyle& design) {
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  if (design.border == ui::BorderStyle::Sizable) style |= WS_THICKFRAME;
  if (design.minButton) style |= WS_MINIMIZEBOX;
  if (design.maxButton) style |= WS_MAXIMIZEBOX;
  return style;
}

DWORD formExStyle(const ui::WindowStyle& design) {
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (design.border == ui::BorderStyle::FixedDialog) exStyle |= WS_EX_DLGMODALFRAME;
  // Owned or not, a window that asks for it has its button in the task bar.
  if (design.showInTaskbar) exStyle |= WS_EX_APPWINDOW;
  return exStyle;
}

void buildFormWindows(FormWindows& w, HINSTANCE instance, const wchar_t* windowClass, void* param) {
  ui::Form& form = *w.form;
  const ui::WindowStyle& design = form.style();
  const DWORD style = formStyle(design);
  const DWORD exStyle = formExStyle(design);
  const SIZE size = windowSize(design, style, exStyle, w.dpi);
  w.window.reset(create(exStyle, windowClass, style, RECT{0, 0, size.cx, size.cy}, nullptr, 0,
                        instance, param));
  SetWindowTextW(w.window.get(), wideFromUtf8(form.caption()).c_str());
  SetWindowContextHelpId(w.window.get(), static_cast<DWORD>(form.helpContextId()));

  const auto& all = form.controls();
  const std::vector<std::size_t> order = stackingOrder(form);
  const std::vector<bool> starts = groupStarts(form, order);
  w.controls.assign(all.size(), nullptr);
  w.shadows.assign(all.size(), ControlShadow{});
  w.answers.assign(all.size(), AccessibleAnswer{});  // not resized again: the windows point in
  // Made from the top of the stack down: the system puts each new child below its siblings, so
  // the stacking comes out as wanted without moving each window again afterwards.
  for (std::size_t i : order) {
    const ui::Control& c = *all[i];
    RECT r = controlRect(c, w.dpi);
    if (c.kind() == ui::ControlKind::ComboBox) r.bottom += kDroppedListPixels;
    const DWORD exControl = c.kind() == ui::ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0;
    w.controls[i] = create(exControl, classOf(c.kind()), styleOf(c, starts[i]), r, w.window.get(),
                           kFirstControlId + static_cast<int>(i), instance, nullptr);
    SetWindowContextHelpId(w.controls[i], static_cast<DWORD>(c.helpContextId()));
    answerAccessibility(w.controls[i], c, w.answers[i]);
    ui::Form::assignHandle(*all[i], handleOf(w.controls[i]));
  }
}

}  // namespace windows
