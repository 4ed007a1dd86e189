#pragma once

#include <string>
#include <string_view>

// Why input that no control of the dialog decides is refused, in the words every runner uses:
// the headless engine from its model, the real windows' runner from what the windows show.
namespace portable::refusal {

inline std::string noBoxOpen() {
  return "no message box is open";
}
inline std::string boxOpen(std::string_view title) {
  return "a message box is open (\"" + std::string(title) + "\")";
}
inline std::string boxHasNoButton(int answer) {
  return "the message box has no button " + std::to_string(answer);
}
inline std::string boxHasNoCancel() {
  return "the message box has no cancel button";
}
inline std::string hostDisabledByBox() {
  return "the host's windows are disabled while a message box is open";
}
// `form` empty: a dialog of no known name.
inline std::string hostDisabledByDialog(std::string_view form) {
  return "the host's windows are disabled while " +
         (form.empty() ? std::string("a dialog") : std::string(form)) + " is shown modally";
}
inline std::string noDialogLoaded() {
  return "no dialog is loaded";
}
inline std::string noDialogShown() {
  return "no dialog is shown";
}
inline std::string notAList(std::string_view control) {
  return std::string(control) + " is not a list";
}

}  // namespace portable::refusal
