#include "ui/user_action.hpp"

#include <sstream>

#include "ui/key_names.hpp"
#include "ui/text_units.hpp"

namespace portable {

namespace {
UserAction make(UserAction::Kind kind) {
  UserAction a;
  a.kind = kind;
  return a;
}
}  // namespace

UserAction UserAction::click(std::string control) {
  UserAction a = make(Kind::Click);
  a.target = std::move(control);
  return a;
}
UserAction UserAction::pick(std::string list, std::int16_t entry) {
  UserAction a = make(Kind::Pick);
  a.target = std::move(list);
  a.index = entry;
  return a;
}
UserAction UserAction::focus(std::string control) {
  UserAction a = make(Kind::Focus);
  a.target = std::move(control);
  return a;
}
UserAction UserAction::type(std::string typed) {
  UserAction a = make(Kind::Type);
  a.text = std::move(typed);
  return a;
}
UserAction UserAction::press(ui::Key pressed) {
  UserAction a = make(Kind::Key);
  a.key = pressed;
  return a;
}
UserAction UserAction::alt(char32_t accessKey) {
  UserAction a = make(Kind::AccessKey);
  a.letter = accessKey;
  return a;
}
UserAction UserAction::close() {
  return make(Kind::Close);
}
UserAction UserAction::answerBox(std::int32_t value) {
  UserAction a = make(Kind::Answer);
  a.answer = value;
  return a;
}
UserAction UserAction::mouseMove(double px, double py) {
  UserAction a = make(Kind::MouseMove);
  a.x = px;
  a.y = py;
  return a;
}
UserAction UserAction::mouseClick(std::int16_t mouseButton, double px, double py) {
  UserAction a = make(Kind::MouseClick);
  a.button = mouseButton;
  a.x = px;
  a.y = py;
  return a;
}

UserAction UserAction::probeStep(std::function<void()> step) {
  UserAction a;
  a.kind = Kind::Probe;
  a.probe = std::move(step);
  return a;
}

std::string UserAction::describe() const {
  std::ostringstream out;
  switch (kind) {
    case Kind::Click:
      out << "click " << target;
      break;
    case Kind::Pick:
      out << "pick " << target << ' ' << index;
      break;
    case Kind::Focus:
      out << "focus " << target;
      break;
    case Kind::Type:
      out << "type \"" << text << '"';
      break;
    case Kind::Key:
      out << "key " << keyName(key);
      break;
    case Kind::AccessKey:
      out << "key Alt+" << ui::text::utf8Of(letter);
      break;
    case Kind::Close:
      out << "close";
      break;
    case Kind::Answer:
      out << "answer";
      if (answer != 0) out << ' ' << answer;
      break;
    case Kind::MouseMove:
      out << "mouse move " << x << ' ' << y;
      break;
    case Kind::MouseClick:
      out << "mouse click " << button << ' ' << x << ' ' << y;
      break;
    case Kind::Probe:
      out << "probe";
      break;
  }
  return out.str();
}

}  // namespace portable
