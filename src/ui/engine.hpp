#pragma once

#include <cstdint>
#include <string_view>

#include "ui/control.hpp"

namespace ui {

class Form;

// Message-box styles and answers, as the platform numbers them.
namespace mb {
inline constexpr std::int32_t kOkOnly = 0;
inline constexpr std::int32_t kOkCancel = 1;
inline constexpr std::int32_t kAbortRetryIgnore = 2;
inline constexpr std::int32_t kYesNoCancel = 3;
inline constexpr std::int32_t kYesNo = 4;
inline constexpr std::int32_t kRetryCancel = 5;
inline constexpr std::int32_t kExclamation = 48;
inline constexpr std::int32_t kAnswerOk = 1;
inline constexpr std::int32_t kAnswerCancel = 2;
inline constexpr std::int32_t kAnswerAbort = 3;
inline constexpr std::int32_t kAnswerRetry = 4;
inline constexpr std::int32_t kAnswerIgnore = 5;
inline constexpr std::int32_t kAnswerYes = 6;
inline constexpr std::int32_t kAnswerNo = 7;
}  // namespace mb

// What a form needs from the windowing system: windows and their handles, showing and hiding,
// the modal loop, and the modal message box. The form keeps the model (state, focus, groups);
// an engine makes windows of it and delivers input through the form's user-input methods.
class Engine {
 public:
  virtual ~Engine() = default;

  // A form is loading: make its window and one for each of its controls. Returns the handle
  // of the form's window; control handles are set through `Form::assignHandle`.
  virtual WindowHandle createWindows(Form& form) = 0;
  // The form is unloading (or being destroyed): its windows go.
  virtual void destroyWindows(Form& form) = 0;
  // The form's Visible has just changed.
  virtual void showWindow(Form& form) = 0;
  virtual void hideWindow(Form& form) = 0;

  // The modal loop of a form shown modally without an owner: delivers input until the form is
  // hidden or unloaded; the host's windows take no input meanwhile.
  virtual void runModalLoop(Form& form) = 0;

  // A modal message box; blocks until it is answered and returns the answer (mb::kAnswerOk...).
  virtual std::int32_t messageBox(std::string_view text, std::string_view title,
                                  std::int32_t style) = 0;
};

}  // namespace ui
