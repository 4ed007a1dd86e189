#include "windows/ui/form_windows.hpp"

#include <algorithm>

#include "windows/platform/ansi_codec.hpp"

namespace windows {

ui::Control* FormWindows::controlOf(HWND child) const {
  const auto it = std::find(controls.begin(), controls.end(), child);
  if (it == controls.end() || child == nullptr) return nullptr;
  return form->controls()[static_cast<std::size_t>(it - controls.begin())];
}

std::size_t FormWindows::indexOf(const ui::Control& control) const {
  const auto& all = form->controls();
  return static_cast<std::size_t>(std::find(all.begin(), all.end(), &control) - all.begin());
}

std::string windowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return utf8FromWide(text);
}

}  // namespace windows
