#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "reference_host.hpp"
#include "ui/form.hpp"
#include "ui/headless_engine.hpp"

namespace windows {

// The command's dialog as its windows show it, mirrored into a form of the dialog's design, as
// a UI automation tool knows a dialog by its controls' identifiers: each control's window found
// by the identifier the design's order gives it, its caption or text, enabled and visible
// states, list entries and selection and checked state read with the standard messages, and the
// focus from the program's thread. The form's own rules then say which input the windows would
// refuse, in the words the headless engine uses, and the state is written as the model's is.
// Nothing of the component is asked.
class DialogMirror {
 public:
  DialogMirror();
  ~DialogMirror();
  DialogMirror(const DialogMirror&) = delete;
  DialogMirror& operator=(const DialogMirror&) = delete;

  // Reads the windows. `dialog` is the dialog's window, null when there is none; `focus` the
  // program thread's focused window. While the focus is outside the dialog (a message box has
  // it, or the dialog is hidden) the mirror keeps the control that had it last, as a dialog
  // gives it back.
  void read(HWND dialog, HWND focus);
  // The mirror, null when the dialog has no window.
  ui::Form* form() const { return form_.get(); }
  HWND dialogWindow() const { return dialog_; }
  // The window of one of the mirror's controls; null when the windows have none for it.
  HWND windowOf(const ui::Control& control) const;

 private:
  void readControl(ui::Control& control, HWND window);

  refhost::ReferenceHost designHost_;  // the host controls the design names
  portable::HeadlessEngine engine_;
  std::unique_ptr<ui::Form> form_;
  HWND dialog_ = nullptr;
  std::vector<HWND> windows_;  // form_->controls()'s windows, in order
};

}  // namespace windows
