#pragma once

#include <windows.h>

#include <memory>

#include "command/component.hpp"
#include "ui/engine.hpp"
#include "windows/automation/com_creator.hpp"
#include "windows/platform/win32_system.hpp"
#include "windows/server/com_host_controls.hpp"
#include "windows/server/server_runtime.hpp"

namespace windows {

// The component with the real user: its dialog on real windows, or, in a process that can make
// no top-level window, with no user at all (UnattendedEngine).
class DialogRuntime final : public ServerRuntime {
 public:
  explicit DialogRuntime(HMODULE self);
  command::Component& component() override { return component_; }

 private:
  ComCreator creator_;
  ComHostControls controls_{creator_};
  Win32System system_;
  std::unique_ptr<ui::Engine> engine_;
  command::Component component_;
};

}  // namespace windows
