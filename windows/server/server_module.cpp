#include "windows/server/server_module.hpp"

#include <algorithm>
#include <vector>

#include "automation/convert.hpp"
#include "command/component.hpp"
#include "command/cquadrift.hpp"
#include "dialog/frm_main.hpp"
#include "ui/headless_engine.hpp"
#include "windows/automation/com_creator.hpp"
#include "windows/platform/ansi_codec.hpp"
#include "windows/platform/win32_system.hpp"
#include "windows/server/com_host_controls.hpp"
#include "windows/session/engine_session.hpp"
#include "windows/session/protocol.hpp"
#include "windows/ui/real_input_screen.hpp"
#include "windows/ui/win32_engine.hpp"

namespace windows {

namespace {

// The host's session driver, when it runs a session; unset otherwise.
automation::Object sessionDriver(ComCreator& creator) {
  try {
    return creator.create(utf8FromWide(session::kSessionDriverProgId));
  } catch (const automation::Failure&) {
    return {};
  }
}

// Whether the session's driver wants the dialog on real windows.
bool dialogOnScreen(const automation::Object& driver) {
  if (!driver.isSet()) return false;
  try {
    return automation::toBool(driver.get(session::kDriverDialogOnScreen));
  } catch (const automation::Failure&) {
    return false;
  }
}

}  // namespace

// The environment the component runs in inside a host's process, and the component itself. A
// session drives the headless engine, on real windows when its driver asks for them; without a
// session, the dialog is a real window with the real user, unless the process can make none
// (then the dialog has no user, as with a session that sends no input).
struct ServerModule::Runtime {
  explicit Runtime(HMODULE self)
      : driver(sessionDriver(creator)),
        controls(creator),
        system(self),
        windowsEngine((driver.isSet() && !dialogOnScreen(driver)) || !topLevelWindowsAvailable()
                          ? nullptr
                          : std::make_unique<Win32Engine>(self)),
        screen(driver.isSet() && windowsEngine ? std::make_unique<RealInputScreen>(*windowsEngine)
                                               : nullptr),
        component(command::Environment{creator, activeEngine(), controls, system}) {
    engine.setEventLog(&events);
    engine.setScreen(screen.get());
    system.setEventLog(&events);
  }

  ui::Engine& activeEngine() {
    if (windowsEngine && !screen) return *windowsEngine;
    return engine;
  }

  ui::Form* newestDialog() const {
    if (commands.empty() || commands.back()->dialog() == nullptr) return nullptr;
    return &commands.back()->dialog()->form();
  }

  ComCreator creator;
  automation::Object driver;
  portable::EventLog events;
  portable::HeadlessEngine engine;
  ComHostControls controls;
  Win32System system;
  std::unique_ptr<Win32Engine> windowsEngine;
  std::unique_ptr<RealInputScreen> screen;  // the session's input on the real windows
  command::Component component;
  std::vector<command::CQuadrift*> commands;
};

ServerModule::ServerModule(HMODULE self) : self_(self) {}

ServerModule::~ServerModule() = default;

std::wstring ServerModule::path() const {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(self_, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

bool ServerModule::unloadNow() {
  if (objects_ != 0 || locks_ != 0) return false;
  runtime_.reset();
  return true;
}

command::Component& ServerModule::component() {
  if (!runtime_) {
    runtime_ = std::make_unique<Runtime>(self_);
    attachSession();
  }
  return runtime_->component;
}

void ServerModule::attachSession() {
  Runtime& runtime = *runtime_;
  automation::Object driver = std::move(runtime.driver);
  if (!driver.isSet()) return;  // no session runs: the dialog is the user's
  session::SessionParts parts{runtime.engine, runtime.events, runtime.component, runtime.system,
                              [&runtime] { return runtime.newestDialog(); }};
  automation::Object object(
      std::make_shared<session::EngineSession>(std::move(parts), [this] { objectDestroyed(); }));
  objectCreated();
  try {
    driver.call(session::kDriverAttach, {automation::Variant(std::move(object))});
  } catch (const automation::Failure&) {
    // A driver that refuses the session leaves the engine without a user, as none would.
  }
}

void ServerModule::commandCreated(command::CQuadrift& command) {
  component();
  runtime_->commands.push_back(&command);
}

void ServerModule::commandDestroyed(command::CQuadrift& command) {
  if (runtime_) std::erase(runtime_->commands, &command);
}

}  // namespace windows
