#include "ui/headless_engine.hpp"

#include "ui/refusal_reasons.hpp"

#include <algorithm>
#include <utility>

#include "ui/scope_exit.hpp"

namespace portable {

namespace {

std::vector<std::int32_t> buttonsOf(std::int32_t style) {
  namespace mb = ui::mb;
  switch (style & 0x0F) {
    case mb::kOkCancel:
      return {mb::kAnswerOk, mb::kAnswerCancel};
    case mb::kAbortRetryIgnore:
      return {mb::kAnswerAbort, mb::kAnswerRetry, mb::kAnswerIgnore};
    case mb::kYesNoCancel:
      return {mb::kAnswerYes, mb::kAnswerNo, mb::kAnswerCancel};
    case mb::kYesNo:
      return {mb::kAnswerYes, mb::kAnswerNo};
    case mb::kRetryCancel:
      return {mb::kAnswerRetry, mb::kAnswerCancel};
    default:
      return {mb::kAnswerOk};
  }
}

std::string outcomeText(const ui::InputOutcome& outcome) {
  switch (outcome.status) {
    case ui::InputOutcome::Status::Applied:
      return "applied";
    case ui::InputOutcome::Status::NotDelivered:
      return "not delivered: " + outcome.note;
    case ui::InputOutcome::Status::Refused:
      return "refused: " + outcome.note;
  }
  return {};
}

}  // namespace

std::int32_t defaultAnswer(std::int32_t style) {
  return buttonsOf(style).front();
}

bool HeadlessEngine::step() {
  if (queue_.empty()) return false;
  UserAction action = std::move(queue_.front());
  queue_.pop_front();
  // Recorded before it runs: handlers may run nested loops that handle later actions.
  const std::size_t at = handled_.size();
  handled_.push_back({action.describe(), "running"});
  std::string outcome = dispatch(action);
  handled_[at].outcome = std::move(outcome);
  return true;
}

void HeadlessEngine::runUntilIdle() {
  while (step()) {
  }
}

ui::Form* HeadlessEngine::shownForm() const {
  for (auto it = shown_.rbegin(); it != shown_.rend(); ++it) {
    if ((*it)->visible()) return *it;
  }
  return nullptr;
}

std::string HeadlessEngine::refuse(const UserAction& action, std::string reason) {
  refused_.push_back({action.describe(), reason});
  note("refused", refused_.back().action + " (" + reason + ")");
  return "refused: " + reason;
}

void HeadlessEngine::note(std::string kind, std::string text) {
  if (events_ != nullptr) events_->add(std::move(kind), std::move(text));
}

std::string HeadlessEngine::dispatch(const UserAction& action) {
  using Kind = UserAction::Kind;
  if (action.kind == Kind::Probe) {
    if (action.probe) action.probe();
    return "applied";
  }
  if (action.kind == Kind::MouseMove || action.kind == Kind::MouseClick) {
    return dispatchToHostView(action);
  }
  if (!openBoxes_.empty()) return dispatchToMessageBox(action);
  if (action.kind == Kind::Answer) return refuse(action, refusal::noBoxOpen());
  return dispatchToDialog(action);
}

std::string HeadlessEngine::dispatchToHostView(const UserAction& action) {
  if (!openBoxes_.empty()) {
    return refuse(action, refusal::hostDisabledByBox());
  }
  if (modalLoops_ > 0) {
    const ui::Form* form = shownForm();
    return refuse(action, refusal::hostDisabledByDialog(form != nullptr ? form->name() : ""));
  }
  if (hostView_ == nullptr) return refuse(action, "there is no host view");
  const std::optional<std::string> refusal =
      action.kind == UserAction::Kind::MouseMove
          ? hostView_->mouseMove(action.x, action.y)
          : hostView_->mouseClick(action.button, action.x, action.y);
  if (refusal) return refuse(action, *refusal);
  return "delivered to the host's view";
}

std::string HeadlessEngine::dispatchToMessageBox(const UserAction& action) {
  MessageBoxShown& box = boxes_[openBoxes_.back()];
  const std::vector<std::int32_t> buttons = buttonsOf(box.style);
  std::int32_t answer = 0;
  if (action.kind == UserAction::Kind::Answer) {
    answer = action.answer == 0 ? buttons.front() : action.answer;
    if (std::find(buttons.begin(), buttons.end(), answer) == buttons.end()) {
      return refuse(action, refusal::boxHasNoButton(answer));
    }
  } else if (action.kind == UserAction::Kind::Key && action.key == ui::Key::Enter) {
    answer = buttons.front();
  } else if (action.kind == UserAction::Kind::Key && action.key == ui::Key::Escape) {
    if (buttons.size() == 1) {
      answer = buttons.front();
    } else if (std::find(buttons.begin(), buttons.end(), ui::mb::kAnswerCancel) != buttons.end()) {
      answer = ui::mb::kAnswerCancel;
    } else {
      return refuse(action, refusal::boxHasNoCancel());
    }
  } else {
    return refuse(action, refusal::boxOpen(box.title));
  }
  if (screen_ != nullptr) screen_->answer(action, answer);
  box.answer = answer;
  return "answered " + std::to_string(answer);
}

ui::Control& HeadlessEngine::resolve(const std::string& qualifiedName, ui::Form*& form) const {
  for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) {
    if (ui::Control* c = (*it)->findControl(qualifiedName)) {
      form = *it;
      return *c;
    }
  }
  throw UnknownControl("no loaded form has a control named \"" + qualifiedName + "\"");
}

std::string HeadlessEngine::dispatchToDialog(const UserAction& action) {
  using Kind = UserAction::Kind;
  ui::InputOutcome outcome;
  if (action.kind == Kind::Click || action.kind == Kind::Pick || action.kind == Kind::Focus) {
    if (forms_.empty()) return refuse(action, refusal::noDialogLoaded());
    ui::Form* form = nullptr;
    ui::Control& control = resolve(action.target, form);
    auto* list = dynamic_cast<ui::ComboBox*>(&control);
    if (action.kind == Kind::Pick && list == nullptr) {
      outcome = ui::InputOutcome::refused(refusal::notAList(control.qualifiedName()));
    } else if (screen_ != nullptr) {
      outcome = screen_->deliver(*form, &control, action);
    } else if (action.kind == Kind::Click) {
      outcome = form->userClick(control);
    } else if (action.kind == Kind::Focus) {
      outcome = form->userFocus(control);
    } else {
      outcome = form->userPick(*list, action.index);
    }
  } else {
    ui::Form* form = shownForm();
    if (form == nullptr) return refuse(action, refusal::noDialogShown());
    if (screen_ != nullptr) {
      outcome = screen_->deliver(*form, nullptr, action);
    } else {
      switch (action.kind) {
        case Kind::Type:
          outcome = form->userType(action.text);
          break;
        case Kind::Key:
          outcome = form->userKey(action.key);
          break;
        case Kind::AccessKey:
          outcome = form->userAccessKey(action.letter);
          break;
        case Kind::Close:
          form->requestClose();
          break;
        default:
          break;
      }
    }
  }
  if (outcome.status == ui::InputOutcome::Status::Refused) return refuse(action, outcome.note);
  // A click or focus that a focus handler kept from its control was not taken either.
  if (outcome.status == ui::InputOutcome::Status::NotDelivered) refuse(action, outcome.note);
  return outcomeText(outcome);
}

std::string HeadlessEngine::describeState() const {
  const ui::Form* form = shownForm();
  if (form == nullptr) return "no dialog shown";
  const ui::Control* focus = form->activeControl();
  return form->name() + " \"" + form->caption() + "\", focus on " +
         (focus != nullptr ? focus->qualifiedName() : std::string("nothing"));
}

ui::WindowHandle HeadlessEngine::createWindows(ui::Form& form) {
  if (screen_ != nullptr) {
    const ui::WindowHandle handle = screen_->windows().createWindows(form);
    forms_.push_back(&form);
    return handle;
  }
  forms_.push_back(&form);
  const ui::WindowHandle handle = nextHandle_++;
  for (ui::Control* c : form.controls()) ui::Form::assignHandle(*c, nextHandle_++);
  return handle;
}

void HeadlessEngine::destroyWindows(ui::Form& form) {
  std::erase(forms_, &form);
  std::erase(shown_, &form);
  if (screen_ != nullptr) screen_->windows().destroyWindows(form);
}

void HeadlessEngine::showWindow(ui::Form& form) {
  std::erase(shown_, &form);
  shown_.push_back(&form);
  if (screen_ != nullptr) screen_->windows().showWindow(form);
  note("dialog", form.name() + " shown");
}

void HeadlessEngine::hideWindow(ui::Form& form) {
  std::erase(shown_, &form);
  if (screen_ != nullptr) screen_->windows().hideWindow(form);
  note("dialog", form.name() + " hidden");
}

void HeadlessEngine::runModalLoop(ui::Form& form) {
  ++modalLoops_;
  if (screen_ != nullptr) screen_->enterModal(form);
  ui::ScopeExit leave([this, &form] {
    --modalLoops_;
    if (screen_ != nullptr) screen_->leaveModal(form);
  });
  while (form.isLoaded() && form.visible()) {
    if (queue_.empty()) {
      throw InputExhausted("the input ran out while the dialog " + form.name() +
                           " was shown modally (" + describeState() + ")");
    }
    step();
  }
}

std::int32_t HeadlessEngine::messageBox(std::string_view text, std::string_view title,
                                        std::int32_t style) {
  const std::size_t at = boxes_.size();
  boxes_.push_back({std::string(text), std::string(title), style, std::nullopt});
  note("message box", "\"" + boxes_[at].title + "\": " + boxes_[at].text);
  openBoxes_.push_back(at);
  ui::ScopeExit close([this] { openBoxes_.pop_back(); });
  const auto untilAnswered = [this, at] {
    while (!boxes_[at].answer) {
      if (queue_.empty()) {
        throw InputExhausted("the input ran out while the message box \"" + boxes_[at].title +
                             "\" was open: \"" + boxes_[at].text + "\"");
      }
      step();
    }
  };
  if (screen_ == nullptr) {
    untilAnswered();
    return *boxes_[at].answer;
  }
  const std::int32_t shown = screen_->messageBox(text, title, style, untilAnswered);
  if (shown != *boxes_[at].answer) {
    throw RunAborted("the message box \"" + boxes_[at].title + "\" gave " + std::to_string(shown) +
                     " on screen where the input answered " + std::to_string(*boxes_[at].answer));
  }
  return shown;
}

}  // namespace portable
