#include "windows/ui/virtual_keys.hpp"

#include <array>
#include <utility>

#include "ui/access_key.hpp"

namespace windows {

namespace {

constexpr std::array<std::pair<ui::Key, WORD>, 10> kVirtualKeys = {{
    {ui::Key::Tab, VK_TAB},
    {ui::Key::ShiftTab, VK_TAB},
    {ui::Key::Enter, VK_RETURN},
    {ui::Key::Escape, VK_ESCAPE},
    {ui::Key::Up, VK_UP},
    {ui::Key::Down, VK_DOWN},
    {ui::Key::Left, VK_LEFT},
    {ui::Key::Right, VK_RIGHT},
    {ui::Key::Space, VK_SPACE},
    {ui::Key::F1, VK_F1},
}};

}  // namespace

WORD virtualKeyOf(ui::Key key) {
  for (const auto& [k, vk] : kVirtualKeys) {
    if (k == key) return vk;
  }
  return 0;
}

std::optional<ui::Key> arrowKeyOf(WPARAM virtualKey) {
  for (const auto& [k, vk] : kVirtualKeys) {
    if (ui::isArrowKey(k) && vk == virtualKey) return k;
  }
  return std::nullopt;
}

std::optional<WORD> virtualKeyOf(char32_t letter) {
  if (letter < 0x80) return static_cast<WORD>(ui::accessKeyCase(letter));
  if (letter > 0xFFFF) return std::nullopt;
  const SHORT scan = VkKeyScanW(static_cast<wchar_t>(letter));
  if (scan == -1) return std::nullopt;
  return static_cast<WORD>(scan & 0xFF);
}

}  // namespace windows
