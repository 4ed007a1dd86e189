#include "ui/form.hpp"

#include <algorithm>

#include "ui/access_key.hpp"
#include "ui/errors.hpp"

#include "ui/scope_exit.hpp"
#include "ui/text_units.hpp"

namespace ui {

namespace {}  // namespace

Form::Form(std::string name, Engine& engine, HostControlFactory& hostControls)
    : name_(std::move(name)), engine_(engine), hostControls_(hostControls), caption_(name_) {}

Form::~Form() {
  if (loaded_) {
    for (Control* c : controls_) {
      if (auto* h = dynamic_cast<HostControl*>(c)) h->object_.release();
    }
    engine_.destroyWindows(*this);
  }
}

void Form::checkNewName(const std::string& qualifiedName) const {
  if (findControl(qualifiedName) != nullptr) throw invalidProcedureCall();
}

template <class T, class... Args>
T& Form::adopt(Args&&... args) {
  auto control = std::make_unique<T>(*this, std::forward<Args>(args)...);
  checkNewName(control->qualifiedName());
  T& ref = *control;
  controls_.push_back(control.get());
  owned_.push_back(std::move(control));
  return ref;
}

CommandButton& Form::addCommandButton(std::string name, Frame* container) {
  return adopt<CommandButton>(std::move(name), container);
}

OptionButton& Form::addOptionButton(std::string arrayName, std::int16_t index, Frame* container) {
  if (index < 0) throw invalidPropertyValue();
  OptionArray* array = nullptr;
  for (const auto& a : arrays_) {
    if (a->name() == arrayName) array = a.get();
  }
  if (array == nullptr) {
    if (findControl(arrayName) != nullptr) throw invalidProcedureCall();
    arrays_.push_back(std::make_unique<OptionArray>(arrayName));
    array = arrays_.back().get();
  }
  OptionButton& option = adopt<OptionButton>(std::move(arrayName), index, container, array);
  array->elements_.push_back(&option);
  std::sort(array->elements_.begin(), array->elements_.end(),
            [](const OptionButton* a, const OptionButton* b) { return a->index() < b->index(); });
  return option;
}

ComboBox& Form::addComboBox(std::string name, Frame* container) {
  return adopt<ComboBox>(std::move(name), container);
}
TextBox& Form::addTextBox(std::string name, Frame* container) {
  return adopt<TextBox>(std::move(name), container);
}
Label& Form::addLabel(std::string name, Frame* container) {
  return adopt<Label>(std::move(name), container);
}
Frame& Form::addFrame(std::string name, Frame* container) {
  return adopt<Frame>(std::move(name), container);
}
HostControl& Form::addHostControl(std::string name, std::string progId,
                                  std::vector<std::uint8_t> persistedState) {
  HostControl& control =
      adopt<HostControl>(std::move(name), std::move(progId), std::move(persistedState));
  control.setTabStop(false);
  return control;
}

Control* Form::findControl(std::string_view qualifiedName) const {
  for (Control* c : controls_) {
    if (c->index() < 0 ? c->name() == qualifiedName : c->qualifiedName() == qualifiedName) {
      return c;
    }
  }
  return nullptr;
}

Control& Form::control(std::string_view qualifiedName) const {
  Control* c = findControl(qualifiedName);
  if (c == nullptr) throw controlNotFound();
  return *c;
}

template <class T>
T& Form::typed(std::string_view name, ControlKind kind) const {
  Control& c = control(name);
  if (c.kind() != kind) throw typeMismatch();
  return static_cast<T&>(c);
}

CommandButton& Form::button(std::string_view name) const {
  return typed<CommandButton>(name, ControlKind::CommandButton);
}
ComboBox& Form::comboBox(std::string_view name) const {
  return typed<ComboBox>(name, ControlKind::ComboBox);
}
TextBox& Form::textBox(std::string_view name) const {
  return typed<TextBox>(name, ControlKind::TextBox);
}
Label& Form::label(std::string_view name) const {
  return typed<Label>(name, ControlKind::Label);
}
Frame& Form::frame(std::string_view name) const {
  return typed<Frame>(name, ControlKind::Frame);
}
HostControl& Form::hostControl(std::string_view name) const {
  return typed<HostControl>(name, ControlKind::HostControl);
}

OptionArray& Form::optionArray(std::string_view name) const {
  for (const auto& a : arrays_) {
    if (a->name() == name) return *a;
  }
  throw controlNotFound();
}

WindowHandle Form::hWnd() {
  load();
  return hwnd_;
}

void Form::load() {
  if (loaded_ || loading_) return;
  loading_ = true;
  ScopeExit done([this] { loading_ = false; });
  hwnd_ = engine_.createWindows(*this);
  try {
    for (Control* c : controls_) {
      if (auto* h = dynamic_cast<HostControl*>(c)) {
        h->object_ = hostControls_.create(h->progId(), h->persistedState(), *h);
      }
    }
  } catch (...) {
    for (Control* c : controls_) {
      if (auto* h = dynamic_cast<HostControl*>(c)) h->object_.release();
    }
    engine_.destroyWindows(*this);
    hwnd_ = 0;
    throw;
  }
  loaded_ = true;
  if (onLoad) onLoad();
}

void Form::show(ShowMode mode) {
  load();
  if (!loaded_) return;
  if (mode == ShowMode::Modal && visible_) throw formAlreadyShown();
  if (!visible_) {
    visible_ = true;
    engine_.showWindow(*this);
    focusOnShow();
  }
  if (mode == ShowMode::Modal) {
    ++modalDepth_;
    ScopeExit leave([this] { --modalDepth_; });
    engine_.runModalLoop(*this);
  }
}

void Form::hide() {
  load();
  if (!visible_) return;
  visible_ = false;
  engine_.hideWindow(*this);
}

bool Form::unload() {
  if (!loaded_) return true;
  std::int16_t cancel = 0;
  if (onQueryUnload) onQueryUnload(cancel, kUnloadFromCode);
  if (cancel != 0) return false;
  doUnload();
  return true;
}

bool Form::requestClose() {
  if (!loaded_) return true;
  std::int16_t cancel = 0;
  if (onQueryUnload) onQueryUnload(cancel, kUnloadFromCloseControl);
  if (cancel != 0 || !loaded_) return !loaded_;
  doUnload();
  return true;
}

void Form::doUnload() {
  if (visible_) {
    visible_ = false;
    engine_.hideWindow(*this);
  }
  if (onUnload) onUnload();
  for (Control* c : controls_) {
    if (auto* h = dynamic_cast<HostControl*>(c)) h->object_.release();
  }
  engine_.destroyWindows(*this);
  hwnd_ = 0;
  for (Control* c : controls_) c->hwnd_ = 0;
  active_ = nullptr;
  notified_ = nullptr;
  loaded_ = false;
}

// Focus ------------------------------------------------------------------------------------

bool Form::canTakeFocus(const Control& control) const {
  return &control.form() == this && loaded_ && visible_ && control.focusableKind() &&
         control.effectivelyEnabled() && control.effectivelyVisible();
}

std::string Form::whyNoInput(const Control& control) const {
  const std::string who = control.qualifiedName();
  if (!loaded_) return "form " + name_ + " is not loaded";
  if (!visible_) return "form " + name_ + " is hidden";
  for (const Control* c = &control; c != nullptr; c = c->container()) {
    const std::string what = c == &control ? who : who + "'s frame " + c->name();
    if (!c->visible()) return what + " is hidden";
    if (!c->enabled()) return what + " is disabled";
  }
  switch (control.kind()) {
    case ControlKind::Label:
      return who + " is a label and takes no input";
    case ControlKind::Frame:
      return who + " is a frame and takes no input";
    case ControlKind::HostControl:
      return who + " is a host control and takes no dialog input";
    default:
      return {};
  }
}

void Form::moveFocus(Control* target) {
  if (active_ == target) return;
  active_ = target;
  const std::uint64_t move = ++focusMoves_;
  if (notified_ != nullptr && notified_ != target) {
    Control* old = notified_;
    notified_ = nullptr;
    if (old->onLostFocus) old->onLostFocus();
    // A LostFocus handler that moved the focus itself (SetFocus back on its field) has decided
    // where it is; the control this move aimed at never got it.
    if (move != focusMoves_) return;
  }
  if (target != nullptr && notified_ != target) {
    notified_ = target;
    if (target->onGotFocus) target->onGotFocus();
  }
}

void Form::focusOnShow() {
  if (active_ != nullptr && canTakeFocus(*active_)) return;
  Control* first = nextTabStop(nullptr, true);
  if (first != nullptr) moveFocus(first);
}

bool Form::isTabStopCandidate(const Control& control) const {
  if (!control.tabStop() || !canTakeFocus(control)) return false;
  const auto* option = dynamic_cast<const OptionButton*>(&control);
  if (option == nullptr) return true;
  if (option->value()) return true;
  // An option group is one stop: its selected option, or with none selected its first.
  const OptionButton* first = nullptr;
  for (const Control* c : controls_) {
    const auto* other = dynamic_cast<const OptionButton*>(c);
    if (other == nullptr || other->container() != option->container()) continue;
    if (other->value()) return false;
    if (!other->tabStop() || !canTakeFocus(*other)) continue;
    if (first == nullptr || other->tabIndex() < first->tabIndex()) first = other;
  }
  return first == option;
}

Control* Form::nextTabStop(const Control* from, bool forward) const {
  std::vector<Control*> stops;
  for (Control* c : controls_) {
    if (isTabStopCandidate(*c)) stops.push_back(c);
  }
  if (stops.empty()) return nullptr;
  std::stable_sort(stops.begin(), stops.end(), [](const Control* a, const Control* b) {
    return a->tabIndex() < b->tabIndex();
  });
  if (from == nullptr) return forward ? stops.front() : stops.back();
  const std::int16_t at = from->tabIndex();
  if (forward) {
    for (Control* c : stops) {
      if (c != from && c->tabIndex() > at) return c;
    }
    return stops.front() == from && stops.size() > 1 ? stops[1] : stops.front();
  }
  for (auto it = stops.rbegin(); it != stops.rend(); ++it) {
    if (*it != from && (*it)->tabIndex() < at) return *it;
  }
  return stops.back() == from && stops.size() > 1 ? stops[stops.size() - 2] : stops.back();
}

// Option groups -----------------------------------------------------------------------------

void Form::selectOption(OptionButton& option) {
  for (Control* c : controls_) {
    auto* other = dynamic_cast<OptionButton*>(c);
    if (other != nullptr && other != &option && other->container() == option.container()) {
      other->value_ = false;
    }
  }
  option.value_ = true;
  if (option.array() != nullptr) {
    if (option.array()->onClick) option.array()->onClick(option.index());
  } else if (option.onClick) {
    option.onClick();
  }
}

OptionButton& Form::nextInGroup(const OptionButton& from, bool forward) const {
  std::vector<OptionButton*> group;
  for (Control* c : controls_) {
    auto* option = dynamic_cast<OptionButton*>(c);
    if (option != nullptr && option->container() == from.container() &&
        (option == &from || canTakeFocus(*option))) {
      group.push_back(option);
    }
  }
  std::stable_sort(group.begin(), group.end(), [](const Control* a, const Control* b) {
    return a->tabIndex() < b->tabIndex();
  });
  const auto at =
      static_cast<std::size_t>(std::find(group.begin(), group.end(), &from) - group.begin());
  const std::size_t n = group.size();
  return *group[forward ? (at + 1) % n : (at + n - 1) % n];
}

InputOutcome Form::stepThroughGroup(bool forward) {
  OptionButton& target = nextInGroup(static_cast<const OptionButton&>(*active_), forward);
  moveFocus(&target);
  if (active_ != &target) return InputOutcome::notDelivered(focusKeptNote(target, active_));
  target.setValue(true);
  return InputOutcome::applied();
}

// A closed drop-down list steps its selection one entry, without wrapping, as a pick does.
InputOutcome Form::stepThroughList(bool forward) {
  auto& list = static_cast<ComboBox&>(*active_);
  const std::int16_t at = list.listIndex();
  const auto next = static_cast<std::int16_t>(at < 0 ? 0 : at + (forward ? 1 : -1));
  if (next < 0 || next >= list.listCount() || (at < 0 && !forward)) {
    return InputOutcome::refused(list.name() + " has no entry " + (forward ? "after" : "before") +
                                 " the selected one");
  }
  list.setListIndex(next);
  return InputOutcome::applied();
}

// User input ---------------------------------------------------------------------------------

std::string focusKeptNote(const Control& aimed, const Control* holder) {
  return "the focus stayed on " + (holder != nullptr ? holder->qualifiedName() : "nothing") +
         ", so " + aimed.qualifiedName() + " was not clicked";
}

std::string Form::whyNoPick(const ComboBox& list, std::int16_t index) const {
  if (std::string why = whyNoInput(list); !why.empty()) return why;
  if (index < 0 || index >= list.listCount()) {
    return list.name() + " has no entry " + std::to_string(index);
  }
  return {};
}

std::string Form::whyNoTyping() const {
  if (!loaded_ || !visible_) return "form " + name_ + " is not shown";
  if (active_ == nullptr) return "no control has the focus";
  if (std::string why = whyNoInput(*active_); !why.empty()) return why;
  if (active_->kind() != ControlKind::TextBox) return active_->qualifiedName() + " takes no typing";
  return {};
}

std::int32_t Form::helpContextHere() const {
  if (active_ != nullptr && active_->helpContextId() != 0) return active_->helpContextId();
  return helpContextId_;
}

std::string Form::whyNoKey(Key key) const {
  if (!loaded_ || !visible_) return "form " + name_ + " is not shown";
  if (key == Key::F1) {
    if (helpContextHere() == 0 || !onHelp) return "form " + name_ + " has no help";
    return {};
  }
  if (!isArrowKey(key) && key != Key::Space) return {};
  if (active_ == nullptr) return "no control has the focus";
  if (std::string why = whyNoInput(*active_); !why.empty()) return why;
  const ControlKind kind = active_->kind();
  if (key == Key::Space && kind != ControlKind::CommandButton &&
      kind != ControlKind::OptionButton) {
    return "Space presses a button, and " + active_->qualifiedName() + " is not one";
  }
  if (isArrowKey(key) && kind != ControlKind::OptionButton && kind != ControlKind::ComboBox) {
    return "the arrow keys step through an option group or a list, and " +
           active_->qualifiedName() + " is neither";
  }
  return {};
}

InputOutcome Form::userClick(Control& control) {
  if (std::string why = whyNoInput(control); !why.empty()) return InputOutcome::refused(why);
  moveFocus(&control);
  if (active_ != &control) return InputOutcome::notDelivered(focusKeptNote(control, active_));
  switch (control.kind()) {
    case ControlKind::CommandButton:
      static_cast<CommandButton&>(control).raiseClick();
      break;
    case ControlKind::OptionButton:
      static_cast<OptionButton&>(control).setValue(true);
      break;
    default:
      break;  // a list opens, a text box takes the caret: the focus is all
  }
  return InputOutcome::applied();
}

InputOutcome Form::userPick(ComboBox& list, std::int16_t index) {
  if (std::string why = whyNoPick(list, index); !why.empty()) return InputOutcome::refused(why);
  moveFocus(&list);
  if (active_ != &list) return InputOutcome::notDelivered(focusKeptNote(list, active_));
  list.setListIndex(index);
  return InputOutcome::applied();
}

InputOutcome Form::userFocus(Control& control) {
  if (std::string why = whyNoInput(control); !why.empty()) return InputOutcome::refused(why);
  moveFocus(&control);
  if (active_ != &control) {
    return InputOutcome::notDelivered("the focus stayed on " +
                                      (active_ != nullptr ? active_->qualifiedName() : "nothing"));
  }
  return InputOutcome::applied();
}

InputOutcome Form::userType(std::string_view text) {
  if (std::string why = whyNoTyping(); !why.empty()) return InputOutcome::refused(why);
  static_cast<TextBox*>(active_)->replaceSelection(text);
  return InputOutcome::applied();
}

InputOutcome Form::userKey(Key key) {
  if (!loaded_ || !visible_) return InputOutcome::refused("form " + name_ + " is not shown");
  switch (key) {
    case Key::Tab:
    case Key::ShiftTab: {
      Control* next = nextTabStop(active_, key == Key::Tab);
      if (next == nullptr) return InputOutcome::refused("no control takes the focus");
      moveFocus(next);
      return InputOutcome::applied();
    }
    case Key::Enter:
    case Key::Escape: {
      CommandButton* target = nullptr;
      if (key == Key::Enter && active_ != nullptr &&
          active_->kind() == ControlKind::CommandButton) {
        target = static_cast<CommandButton*>(active_);
      } else {
        for (Control* c : controls_) {
          auto* b = dynamic_cast<CommandButton*>(c);
          if (b != nullptr && (key == Key::Enter ? b->isDefault() : b->isCancel())) target = b;
        }
      }
      if (target == nullptr) {
        return InputOutcome::refused(key == Key::Enter ? "no default button" : "no cancel button");
      }
      if (std::string why = whyNoInput(*target); !why.empty()) return InputOutcome::refused(why);
      // The button is pressed where the focus is: no focus events.
      target->raiseClick();
      return InputOutcome::applied();
    }
    case Key::Up:
    case Key::Left:
    case Key::Down:
    case Key::Right: {
      if (std::string why = whyNoKey(key); !why.empty()) return InputOutcome::refused(why);
      const bool forward = key == Key::Down || key == Key::Right;
      return active_->kind() == ControlKind::ComboBox ? stepThroughList(forward)
                                                      : stepThroughGroup(forward);
    }
    case Key::Space:
      // The button is pressed where the focus is, as a click would press it.
      if (std::string why = whyNoKey(key); !why.empty()) return InputOutcome::refused(why);
      if (active_->kind() == ControlKind::CommandButton) {
        static_cast<CommandButton*>(active_)->raiseClick();
      } else {
        static_cast<OptionButton*>(active_)->setValue(true);
      }
      return InputOutcome::applied();
    case Key::F1:
      if (std::string why = whyNoKey(key); !why.empty()) return InputOutcome::refused(why);
      onHelp(helpContextHere());
      return InputOutcome::applied();
  }
  return InputOutcome::refused("unknown key");
}

InputOutcome Form::userAccessKey(char32_t letter) {
  if (!loaded_ || !visible_) return InputOutcome::refused("form " + name_ + " is not shown");
  const char32_t wanted = accessKeyCase(letter);
  std::vector<Control*> order(controls_.begin(), controls_.end());
  std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
    return a->tabIndex() < b->tabIndex();
  });
  // The first shown control with the key that is disabled: why the key reaches nothing, when no
  // enabled one carries it.
  const Control* disabled = nullptr;
  for (Control* c : order) {
    const std::string* caption = captionOf(*c);
    if (caption == nullptr || accessKeyOf(*caption) != wanted || !c->effectivelyVisible()) continue;
    if (!c->effectivelyEnabled()) {
      if (disabled == nullptr) disabled = c;
      continue;
    }
    if (c->kind() == ControlKind::Label || c->kind() == ControlKind::Frame) {
      // The key moves the focus to the control that follows in the tab order.
      Control* next = nextTabStop(c, true);
      if (next == nullptr) return InputOutcome::refused("no control follows " + c->name());
      moveFocus(next);
      return InputOutcome::applied();
    }
    return userClick(*c);
  }
  if (disabled != nullptr) return InputOutcome::refused(whyNoInput(*disabled));
  return InputOutcome::refused("no control has the access key " + text::utf8Of(wanted));
}

}  // namespace ui
