#include "windows/app/message_box_reading.hpp"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "windows/ui/form_windows.hpp"

namespace windows {
namespace {

std::wstring classOf(HWND window) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  return name;
}

// The button sets a message box can have, by the style that asks for each.
constexpr std::array<std::pair<std::int32_t, std::array<int, 3>>, 6> kButtonSets = {{
    {MB_OK, {IDOK, 0, 0}},
    {MB_OKCANCEL, {IDOK, IDCANCEL, 0}},
    {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}},
    {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}},
    {MB_YESNO, {IDYES, IDNO, 0}},
    {MB_RETRYCANCEL, {IDRETRY, IDCANCEL, 0}},
}};

std::int32_t iconStyle(HICON shown) {
  const std::array<std::pair<LPCSTR, std::int32_t>, 4> kIcons = {{
      {IDI_HAND, MB_ICONHAND},
      {IDI_QUESTION, MB_ICONQUESTION},
      {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
      {IDI_ASTERISK, MB_ICONASTERISK},
  }};
  for (const auto& [icon, style] : kIcons) {
    if (shown != nullptr && LoadIconA(nullptr, icon) == shown) return style;
  }
  return 0;
}

struct Parts {
  std::vector<HWND> buttons;
  HICON icon = nullptr;
  std::string text;
};

BOOL CALLBACK takePart(HWND child, LPARAM l) {
  auto* parts = reinterpret_cast<Parts*>(l);
  if (!IsWindowVisible(child)) return TRUE;
  const std::wstring kind = classOf(child);
  if (kind == L"Button") {
    parts->buttons.push_back(child);
  } else if (kind == L"Static") {
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      parts->icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    } else if (parts->text.empty()) {
      parts->text = windowText(child);
    }
  }
  return TRUE;
}

}  // namespace

bool isSystemDialog(HWND window) {
  return window != nullptr && classOf(window) == L"#32770";
}

MessageBoxOnScreen readMessageBox(HWND window) {
  MessageBoxOnScreen box;
  box.window = window;
  box.title = windowText(window);
  Parts parts;
  EnumChildWindows(window, takePart, reinterpret_cast<LPARAM>(&parts));
  box.text = parts.text;
  // The buttons stand left to right in the order of their set.
  std::sort(parts.buttons.begin(), parts.buttons.end(), [](HWND a, HWND b) {
    RECT ra{}, rb{};
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.left < rb.left;
  });
  std::int32_t defaultButton = 0;
  for (std::size_t i = 0; i < parts.buttons.size(); ++i) {
    box.buttons.push_back(GetDlgCtrlID(parts.buttons[i]));
    if ((GetWindowLongW(parts.buttons[i], GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      defaultButton = static_cast<std::int32_t>(i) * MB_DEFBUTTON2;
    }
  }
  for (const auto& [style, set] : kButtonSets) {
    const auto used = static_cast<std::size_t>(
        std::count_if(set.begin(), set.end(), [](int id) { return id != 0; }));
    if (used == box.buttons.size() &&
        std::equal(box.buttons.begin(), box.buttons.end(), set.begin())) {
      box.style = style;
    }
  }
  box.style |= iconStyle(parts.icon) | defaultButton;
  return box;
}

}  // namespace windows
