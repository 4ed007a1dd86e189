#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <optional>
#include <vector>

#include "ui/headless_engine.hpp"
#include "windows/ui/real_input.hpp"
#include "windows/ui/win32_engine.hpp"

namespace windows {

// The scripted input played on real windows: the headless engine keeps the queue and decides
// from the model what a window can take, and this screen shows the forms through the Win32
// engine and turns each action into real input through the system's input queue — a click at
// the control's place on screen, a pick in the list's drop-down, typed characters, keys, the
// close control, a click on a message box's button — and learns from the controls'
// notifications what the form made of it.
class RealInputScreen final : public portable::Screen {
 public:
  // The sentinel key this screen's input is followed by (see RealInput).
  static constexpr WORD kSentinelKey = VK_F24;

  explicit RealInputScreen(Win32Engine& windows);

  ui::Engine& windows() override { return windows_; }
  ui::InputOutcome deliver(ui::Form& form, ui::Control* target,
                           const portable::UserAction& action) override;
  void enterModal(ui::Form& form) override;
  void leaveModal(ui::Form& form) override { windows_.leaveModal(form); }
  std::int32_t messageBox(std::string_view text, std::string_view title, std::int32_t style,
                          const std::function<void()>& untilAnswered) override;
  void answer(const portable::UserAction& action, std::int32_t answer) override;

 private:
  // A message box waiting for the input that answers it.
  struct WaitingBox {
    const std::function<void()>* untilAnswered;
    std::exception_ptr failure;
  };
  static void CALLBACK boxTimer(HWND, UINT, UINT_PTR id, DWORD);

  void dispatch(MSG& message);
  // Sends `inputs` and returns what the form made of the input the notifications fed into it;
  // unset when none did.
  std::optional<ui::InputOutcome> play(std::vector<INPUT> inputs, std::string_view what);
  ui::InputOutcome clickOrFocus(ui::Form& form, ui::Control& control, bool click);
  ui::InputOutcome pick(ui::Form& form, ui::ComboBox& list, std::int16_t index);
  // Selects in the focused text box's window what the model has selected, with the keys.
  void selectAsModel(const ui::TextBox& box);

  Win32Engine& windows_;
  RealInput input_;
  std::vector<WaitingBox*> boxes_;  // innermost last
};

}  // namespace windows
