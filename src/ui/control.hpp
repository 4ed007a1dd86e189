#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/font.hpp"

namespace ui {

class Form;
class Frame;
class OptionArray;

using WindowHandle = std::uint32_t;

enum class ControlKind {
  CommandButton,
  OptionButton,
  ComboBox,
  TextBox,
  Label,
  Frame,
  HostControl
};
enum class Alignment { Left, Right, Center };

// What every control of a form has: name (and index in a control array), container, geometry in
// twips, state, tab order, help context, font, window handle and focus events. Property setters
// fail as the platform does: an invalid value is a `Failure` 380.
class Control {
 public:
  Control(Form& form, ControlKind kind, std::string name, std::int16_t index, Frame* container);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  // The index in its control array, -1 when the control is not in one.
  std::int16_t index() const { return index_; }
  // The name as the form's collection knows it: "cmdOK", or "optSheetSize(2)".
  std::string qualifiedName() const;
  Form& form() const { return form_; }
  Frame* container() const { return container_; }

  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }
  bool visible() const { return visible_; }
  void setVisible(bool visible) { visible_ = visible; }

  std::int32_t left() const { return left_; }
  std::int32_t top() const { return top_; }
  std::int32_t width() const { return width_; }
  std::int32_t height() const { return height_; }
  void setLeft(std::int32_t twips) { left_ = twips; }
  void setTop(std::int32_t twips) { top_ = twips; }
  void setWidth(std::int32_t twips);
  void setHeight(std::int32_t twips);

  // Tab order: the index is kept as set (no renumbering of the others).
  std::int16_t tabIndex() const { return tabIndex_; }
  void setTabIndex(std::int16_t index);
  bool tabStop() const { return tabStop_; }
  void setTabStop(bool stop) { tabStop_ = stop; }
  std::int32_t helpContextId() const { return helpContextId_; }
  void setHelpContextId(std::int32_t id) { helpContextId_ = id; }
  // Drawn above the controls it overlaps, whatever their order of creation.
  bool drawnOnTop() const { return onTop_; }
  void setDrawnOnTop(bool onTop) { onTop_ = onTop; }

  // The control's font. A control without one (a host control) fails with 438, as the
  // platform's late binding does for a missing member.
  virtual Font& font();
  bool hasFont() const { return font_.has_value(); }
  void giveFont(Font font) { font_ = std::move(font); }

  // 0 while the form is not loaded.
  WindowHandle hWnd() const { return hwnd_; }

  // Moves the focus here. Fails with 5 when the control cannot take the focus now (disabled,
  // hidden, inside a disabled or hidden frame, on a form that is not shown, or of a kind that
  // never takes it).
  void setFocus();

  // Whether this kind of control can ever hold the focus (labels, frames, host controls cannot).
  bool focusableKind() const;
  // Enabled and visible, and so is every frame it lies in.
  bool effectivelyEnabled() const;
  bool effectivelyVisible() const;

  std::function<void()> onGotFocus;
  std::function<void()> onLostFocus;

 private:
  friend class Form;
  Form& form_;
  ControlKind kind_;
  std::string name_;
  std::int16_t index_;
  Frame* container_;
  bool enabled_ = true;
  bool visible_ = true;
  std::int32_t left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  std::int16_t tabIndex_ = 0;
  bool tabStop_ = true;
  std::int32_t helpContextId_ = 0;
  bool onTop_ = false;
  std::optional<Font> font_;
  WindowHandle hwnd_ = 0;
};

// The caption of a control that shows one (button, option button, label, frame); nullptr for
// the other kinds.
const std::string* captionOf(const Control& control);

class CommandButton final : public Control {
 public:
  CommandButton(Form& form, std::string name, Frame* container)
      : Control(form, ControlKind::CommandButton, std::move(name), -1, container) {}

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption) { caption_ = std::move(caption); }
  // Making a button the default (or cancel) button takes that role from any other on the form.
  bool isDefault() const { return default_; }
  void setDefault(bool isDefault);
  bool isCancel() const { return cancel_; }
  void setCancel(bool isCancel);

  std::function<void()> onClick;
  void raiseClick() {
    if (onClick) onClick();
  }

 private:
  std::string caption_;
  bool default_ = false;
  bool cancel_ = false;
};

// An option button; those that share a container (a frame, or the form itself) form one
// exclusive group. Elements of a control array report their clicks through the array.
class OptionButton final : public Control {
 public:
  OptionButton(Form& form, std::string name, std::int16_t index, Frame* container,
               OptionArray* array)
      : Control(form, ControlKind::OptionButton, std::move(name), index, container),
        array_(array) {}

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption) { caption_ = std::move(caption); }
  Alignment alignment() const { return alignment_; }
  void setAlignment(Alignment a) { alignment_ = a; }

  bool value() const { return value_; }
  // True selects this option: the others of its group are cleared and its Click is raised at
  // once, before this call returns. Selecting the option that is already selected changes
  // nothing and raises nothing. False only clears it.
  void setValue(bool value);

  OptionArray* array() const { return array_; }
  // Click of an option that is not in a control array.
  std::function<void()> onClick;

 private:
  friend class Form;
  std::string caption_;
  Alignment alignment_ = Alignment::Left;
  bool value_ = false;
  OptionArray* array_;
};

// A control array of option buttons sharing one click handler, which receives the index.
class OptionArray {
 public:
  explicit OptionArray(std::string name) : name_(std::move(name)) {}
  OptionArray(const OptionArray&) = delete;
  OptionArray& operator=(const OptionArray&) = delete;

  const std::string& name() const { return name_; }
  // The element with that index; fails with 340 when there is none.
  OptionButton& operator[](std::int16_t index) const;
  const std::vector<OptionButton*>& elements() const { return elements_; }

  std::function<void(std::int16_t index)> onClick;

 private:
  friend class Form;
  std::string name_;
  std::vector<OptionButton*> elements_;
};

// A drop-down list: the user picks an entry and cannot type.
class ComboBox final : public Control {
 public:
  ComboBox(Form& form, std::string name, Frame* container)
      : Control(form, ControlKind::ComboBox, std::move(name), -1, container) {}

  // Whether the list's text area takes no typing (a drop-down list rather than a drop-down
  // combo); the user's input reaches the list only as picks either way.
  bool listOnly() const { return listOnly_; }
  void setListOnly(bool listOnly) { listOnly_ = listOnly; }

  // Adds an entry at the end, or at `index` (0 to ListCount; otherwise a failure 5). Adding
  // before the selected entry keeps the same entry selected.
  void addItem(std::string caption, std::optional<std::int16_t> index = std::nullopt);
  void clear();
  std::int16_t listCount() const;
  // The caption of entry `index`; fails with 381 outside 0 to ListCount - 1.
  const std::string& list(std::int16_t index) const;

  // -1 when nothing is selected.
  std::int16_t listIndex() const { return listIndex_; }
  // A new selection (-1 clears it) raises Click at once, before this call returns; setting the
  // index it already has raises nothing. Fails with 380 outside -1 to ListCount - 1.
  void setListIndex(std::int16_t index);
  // The selected entry's caption, or "" when nothing is selected.
  std::string text() const;

  std::function<void()> onClick;

 private:
  std::vector<std::string> items_;
  std::int16_t listIndex_ = -1;
  bool listOnly_ = false;
};

// A single-line text box.
class TextBox final : public Control {
 public:
  TextBox(Form& form, std::string name, Frame* container)
      : Control(form, ControlKind::TextBox, std::move(name), -1, container) {}

  const std::string& text() const { return text_; }
  // Replaces the text; the caret goes to the start with nothing selected.
  void setText(std::string text);
  Alignment alignment() const { return alignment_; }
  void setAlignment(Alignment a) { alignment_ = a; }

  // Selection, in characters. SelStart beyond the end is the end; SelLength is cut at the end;
  // a negative value fails with 380.
  std::int32_t selStart() const { return selStart_; }
  void setSelStart(std::int32_t start);
  std::int32_t selLength() const { return selLength_; }
  void setSelLength(std::int32_t length);
  std::string selText() const;
  // Typing: the selection is replaced by `typed` and the caret stands after it.
  void replaceSelection(std::string_view typed);

 private:
  std::string text_;
  Alignment alignment_ = Alignment::Left;
  std::int32_t selStart_ = 0;
  std::int32_t selLength_ = 0;
};

class Label final : public Control {
 public:
  Label(Form& form, std::string name, Frame* container)
      : Control(form, ControlKind::Label, std::move(name), -1, container) {}

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption) { caption_ = std::move(caption); }
  Alignment alignment() const { return alignment_; }
  void setAlignment(Alignment a) { alignment_ = a; }

 private:
  std::string caption_;
  Alignment alignment_ = Alignment::Left;
};

// A frame: a captioned container. Its Enabled and Visible govern the controls inside.
class Frame final : public Control {
 public:
  Frame(Form& form, std::string name, Frame* container)
      : Control(form, ControlKind::Frame, std::move(name), -1, container) {}

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption) { caption_ = std::move(caption); }

 private:
  std::string caption_;
};

}  // namespace ui
