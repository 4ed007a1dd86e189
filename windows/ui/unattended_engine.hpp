#pragma once

#include <cstdint>
#include <string_view>

#include "ui/engine.hpp"
#include "ui/form.hpp"

namespace windows {

// The engine of a process that can make no top-level window (a service, or Wine without a
// display): the dialog has no user. Windows are handles only; a modal loop or a message box
// ends the run at once (portable::RunAborted), as there is no one to answer it.
class UnattendedEngine final : public ui::Engine {
 public:
  ui::WindowHandle createWindows(ui::Form& form) override;
  void destroyWindows(ui::Form&) override {}
  void showWindow(ui::Form&) override {}
  void hideWindow(ui::Form&) override {}
  void runModalLoop(ui::Form& form) override;
  std::int32_t messageBox(std::string_view text, std::string_view title,
                          std::int32_t style) override;

 private:
  ui::WindowHandle nextHandle_ = 0x100;
};

}  // namespace windows
