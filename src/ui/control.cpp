#include "ui/control.hpp"

#include <algorithm>

#include "ui/errors.hpp"
#include "ui/form.hpp"
#include "ui/text_units.hpp"

namespace ui {

Control::Control(Form& form, ControlKind kind, std::string name, std::int16_t index,
                 Frame* container)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index), container_(container) {}

std::string Control::qualifiedName() const {
  if (index_ < 0) return name_;
  return name_ + "(" + std::to_string(index_) + ")";
}

void Control::setWidth(std::int32_t twips) {
  if (twips < 0) throw invalidPropertyValue();
  width_ = twips;
}

void Control::setHeight(std::int32_t twips) {
  if (twips < 0) throw invalidPropertyValue();
  height_ = twips;
}

void Control::setTabIndex(std::int16_t index) {
  if (index < 0) throw invalidPropertyValue();
  tabIndex_ = index;
}

Font& Control::font() {
  if (!font_) throw memberNotFound();
  return *font_;
}

void Control::setFocus() {
  if (!form_.canTakeFocus(*this)) throw invalidProcedureCall();
  form_.moveFocus(this);
}

bool Control::focusableKind() const {
  switch (kind_) {
    case ControlKind::CommandButton:
    case ControlKind::OptionButton:
    case ControlKind::ComboBox:
    case ControlKind::TextBox:
      return true;
    case ControlKind::Label:
    case ControlKind::Frame:
    case ControlKind::HostControl:
      return false;
  }
  return false;
}

bool Control::effectivelyEnabled() const {
  for (const Control* c = this; c != nullptr; c = c->container_) {
    if (!c->enabled_) return false;
  }
  return true;
}

bool Control::effectivelyVisible() const {
  for (const Control* c = this; c != nullptr; c = c->container_) {
    if (!c->visible_) return false;
  }
  return true;
}

void CommandButton::setDefault(bool isDefault) {
  if (isDefault) {
    for (Control* c : form().controls()) {
      if (auto* b = dynamic_cast<CommandButton*>(c)) b->default_ = false;
    }
  }
  default_ = isDefault;
}

void CommandButton::setCancel(bool isCancel) {
  if (isCancel) {
    for (Control* c : form().controls()) {
      if (auto* b = dynamic_cast<CommandButton*>(c)) b->cancel_ = false;
    }
  }
  cancel_ = isCancel;
}

void OptionButton::setValue(bool value) {
  if (!value) {
    value_ = false;
    return;
  }
  if (value_) return;
  form().selectOption(*this);
}

OptionButton& OptionArray::operator[](std::int16_t index) const {
  for (OptionButton* b : elements_) {
    if (b->index() == index) return *b;
  }
  throw arrayElementMissing();
}

void ComboBox::addItem(std::string caption, std::optional<std::int16_t> index) {
  const auto count = static_cast<std::int16_t>(items_.size());
  if (count == INT16_MAX) throw invalidProcedureCall();
  const std::int16_t at = index.value_or(count);
  if (at < 0 || at > count) throw invalidProcedureCall();
  items_.insert(items_.begin() + at, std::move(caption));
  if (listIndex_ >= at) ++listIndex_;
}

void ComboBox::clear() {
  items_.clear();
  listIndex_ = -1;
}

std::int16_t ComboBox::listCount() const {
  return static_cast<std::int16_t>(items_.size());
}

const std::string& ComboBox::list(std::int16_t index) const {
  if (index < 0 || index >= listCount()) throw invalidPropertyArrayIndex();
  return items_[static_cast<std::size_t>(index)];
}

void ComboBox::setListIndex(std::int16_t index) {
  if (index < -1 || index >= listCount()) throw invalidPropertyValue();
  if (index == listIndex_) return;
  listIndex_ = index;
  if (onClick) onClick();
}

std::string ComboBox::text() const {
  if (listIndex_ < 0) return {};
  return items_[static_cast<std::size_t>(listIndex_)];
}

void TextBox::setText(std::string text) {
  text_ = std::move(text);
  selStart_ = 0;
  selLength_ = 0;
}

void TextBox::setSelStart(std::int32_t start) {
  if (start < 0) throw invalidPropertyValue();
  const auto length = static_cast<std::int32_t>(text::length(text_));
  selStart_ = std::min(start, length);
  selLength_ = 0;
}

void TextBox::setSelLength(std::int32_t length) {
  if (length < 0) throw invalidPropertyValue();
  const auto total = static_cast<std::int32_t>(text::length(text_));
  selLength_ = std::min(length, total - selStart_);
}

std::string TextBox::selText() const {
  return text::substring(text_, static_cast<std::size_t>(selStart_),
                         static_cast<std::size_t>(selLength_));
}

void TextBox::replaceSelection(std::string_view typed) {
  const std::size_t from = text::byteOffset(text_, static_cast<std::size_t>(selStart_));
  const std::size_t to = text::byteOffset(text_, static_cast<std::size_t>(selStart_ + selLength_));
  text_.replace(from, to - from, typed);
  selStart_ += static_cast<std::int32_t>(text::length(typed));
  selLength_ = 0;
}

const std::string* captionOf(const Control& control) {
  switch (control.kind()) {
    case ControlKind::CommandButton:
      return &static_cast<const CommandButton&>(control).caption();
    case ControlKind::OptionButton:
      return &static_cast<const OptionButton&>(control).caption();
    case ControlKind::Label:
      return &static_cast<const Label&>(control).caption();
    case ControlKind::Frame:
      return &static_cast<const Frame&>(control).caption();
    case ControlKind::ComboBox:
    case ControlKind::TextBox:
    case ControlKind::HostControl:
      break;
  }
  return nullptr;
}

}  // namespace ui
