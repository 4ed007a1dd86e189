#pragma once

#include <functional>

#include <cstdint>
#include <string>

#include "ui/form.hpp"

namespace portable {

// One user action of a session: what a test or a session script queues for the headless engine.
struct UserAction {
  enum class Kind {
    Click,       // click a control: "cmdApply", "optSheetSize(2)"
    Pick,        // pick entry `index` of a drop-down list
    Focus,       // click into a control, giving it the focus
    Type,        // type `text` into the focused control
    Key,         // one of the dialog's keys (ui::Key)
    AccessKey,   // Alt + `letter`
    Close,       // the window's close control of the shown dialog
    Answer,      // answer the open message box with `answer` (0: its default button)
    MouseMove,   // the host's view: the pointer moves to (x, y), model metres
    MouseClick,  // the host's view: `button` clicked at (x, y)
    Probe,       // not input: the driver's own step (a check, a snapshot) run when reached
  };

  Kind kind = Kind::Click;
  std::string target;
  std::int16_t index = 0;
  std::string text;
  ui::Key key = ui::Key::Tab;
  char32_t letter = 0;
  std::int32_t answer = 0;
  std::int16_t button = 0;
  double x = 0;
  double y = 0;
  std::function<void()> probe;

  static UserAction click(std::string control);
  static UserAction pick(std::string list, std::int16_t entry);
  static UserAction focus(std::string control);
  static UserAction type(std::string typed);
  static UserAction press(ui::Key pressed);
  static UserAction alt(char32_t accessKey);
  static UserAction close();
  static UserAction answerBox(std::int32_t value = 0);
  static UserAction mouseMove(double px, double py);
  static UserAction mouseClick(std::int16_t mouseButton, double px, double py);
  static UserAction probeStep(std::function<void()> step);

  // As a session script writes it: "click cmdApply", "key Shift+Tab", "mouse click 1 2.5 -3".
  std::string describe() const;
};

}  // namespace portable
