#include "ui/key_names.hpp"

#include <array>

namespace portable {

namespace {

// In the order of ui::Key.
constexpr std::array<std::string_view, static_cast<std::size_t>(ui::kLastKey) + 1> kNames = {
    "Tab", "Shift+Tab", "Enter", "Esc", "Up", "Down", "Left", "Right", "Space", "F1"};

}  // namespace

std::string_view keyName(ui::Key key) {
  return kNames.at(static_cast<std::size_t>(key));
}

std::optional<ui::Key> keyNamed(std::string_view name) {
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (name == kNames[i]) return static_cast<ui::Key>(i);
  }
  return std::nullopt;
}

std::string keyNameList() {
  std::string list;
  for (std::string_view name : kNames) {
    if (!list.empty()) list += ", ";
    list += name;
  }
  return list;
}

}  // namespace portable
