#include "text_fit.hpp"

#include <algorithm>

#include "windows/handles/gdi.hpp"

namespace quadrift_test {
namespace {

// The control's DC with the control's font selected, both given back when it goes.
class MeasuringDC {
 public:
  explicit MeasuringDC(HWND control)
      : dc_(control),
        font_(dc_.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0))) {}

  int width(const std::wstring& text, bool literal) const {
    RECT r{0, 0, 0, 0};
    DrawTextW(dc_.get(), text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_SINGLELINE | (literal ? DT_NOPREFIX : 0));
    return r.right - r.left;
  }
  int digitWidth() const {
    INT w = 0;
    GetCharWidth32W(dc_.get(), L'0', L'0', &w);
    return w;
  }
  int dpi() const { return GetDeviceCaps(dc_.get(), LOGPIXELSX); }

 private:
  windows::WindowDC dc_;
  windows::Selection font_;
};

std::wstring windowText(HWND w) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(w, text.data(), static_cast<int>(text.size()))));
  return text;
}

int clientWidth(HWND w) {
  RECT r{};
  GetClientRect(w, &r);
  return r.right - r.left;
}

void check(std::vector<Misfit>& out, const std::wstring& text, int needed, int room) {
  if (!text.empty() && needed > room) out.push_back({text, needed, room});
}

}  // namespace

std::vector<Misfit> misfitsOf(HWND control) {
  std::vector<Misfit> out;
  if (!IsWindowVisible(control)) return out;
  wchar_t cls[32] = {};
  GetClassNameW(control, cls, 32);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
  const MeasuringDC dc(control);
  const int client = clientWidth(control);
  const std::wstring text = windowText(control);
  if (_wcsicmp(cls, L"Button") == 0) {
    switch (style & BS_TYPEMASK) {
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON:
        // The button's edge on each side, the default button's outline, the focus rectangle.
        check(out, text, dc.width(text, false), client - 2 * (GetSystemMetrics(SM_CXEDGE) + 2));
        break;
      case BS_GROUPBOX:
        // The caption sits in the frame's line, indented from both corners.
        check(out, text, dc.width(text, false), client - 2 * 8);
        break;
      default:
        // The option's round box (12 pixels at 96 DPI, and its edge), then half a digit's gap.
        check(out, text, dc.width(text, false),
              client - (12 * dc.dpi() / 96 + 1) - dc.digitWidth() / 2 - 1);
    }
  } else if (_wcsicmp(cls, L"Static") == 0) {
    check(out, text, dc.width(text, (style & SS_NOPREFIX) != 0), client);
  } else if (_wcsicmp(cls, L"ComboBox") == 0) {
    // An entry shows in the selection field beside the button, and in the dropped list beside
    // its scroll bar: it must fit the narrower, less a pixel of inset on each side.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(control, &info);
    int room = info.rcItem.right - info.rcItem.left;
    if (info.hwndList != nullptr) room = std::min(room, clientWidth(info.hwndList));
    room -= 2;
    const auto count =
        static_cast<WPARAM>(std::max<LRESULT>(0, SendMessageW(control, CB_GETCOUNT, 0, 0)));
    for (WPARAM i = 0; i < count; ++i) {
      std::wstring entry(static_cast<std::size_t>(SendMessageW(control, CB_GETLBTEXTLEN, i, 0)) + 1,
                         L'\0');
      entry.resize(static_cast<std::size_t>(
          SendMessageW(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
      check(out, entry, dc.width(entry, true), room);
    }
  }
  return out;
}

}  // namespace quadrift_test
