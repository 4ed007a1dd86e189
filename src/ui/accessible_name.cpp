#include "ui/accessible_name.hpp"

#include "ui/form.hpp"

namespace ui {

namespace {

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The control just before `control` in tab order, or nullptr.
const Control* beforeInTabOrder(const Control& control) {
  const Control* before = nullptr;
  for (const Control* c : control.form().controls()) {
    if (c->tabIndex() < control.tabIndex() &&
        (before == nullptr || c->tabIndex() > before->tabIndex())) {
      before = c;
    }
  }
  return before;
}

bool isField(const Control& c) {
  return c.kind() == ControlKind::TextBox || c.kind() == ControlKind::ComboBox;
}

}  // namespace

std::string spokenCaption(std::string_view caption) {
  std::string out;
  bool pendingSpace = false;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    char c = caption[i];
    if (c == '&') {
      if (i + 1 == caption.size()) break;
      c = caption[++i];  // the key itself, or the second of "&&"
    }
    if (isSpace(c)) {
      pendingSpace = !out.empty();
      continue;
    }
    if (pendingSpace) out.push_back(' ');
    pendingSpace = false;
    out.push_back(c);
  }
  return out;
}

std::string accessibleNameOf(const Control& control) {
  if (const std::string* caption = captionOf(control)) return spokenCaption(*caption);
  if (!isField(control)) return {};
  const Control* before = beforeInTabOrder(control);
  while (before != nullptr && isField(*before) && before->container() == control.container()) {
    before = beforeInTabOrder(*before);
  }
  if (before == nullptr ||
      (before->kind() != ControlKind::Label && before->kind() != ControlKind::OptionButton)) {
    return {};
  }
  return spokenCaption(*captionOf(*before));
}

}  // namespace ui
