#pragma once

#include <functional>

#include "command/component.hpp"
#include "events/event_log.hpp"
#include "ui/form.hpp"
#include "ui/headless_engine.hpp"
#include "windows/platform/win32_system.hpp"

namespace windows::harness {

// What a session reaches inside the DLL: the headless engine and the event log it shares with
// the platform, the component-wide state, and the dialog of the command the host holds (null
// when it holds none).
struct SessionParts {
  portable::HeadlessEngine& engine;
  portable::EventLog& events;
  command::Component& component;
  Win32System& system;
  std::function<ui::Form*()> dialog;
};

}  // namespace windows::harness
