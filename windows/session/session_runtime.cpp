// The test variant's runtime: when the host runs a session (its session driver class is
// registered), the component runs on the headless engine, which the driver drives through the
// DLL's session object, on real windows with real input when the driver asks for them; without
// a driver, the dialog runs as in the product DLL.
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
#include "windows/server/dialog_runtime.hpp"
#include "windows/server/server_module.hpp"
#include "windows/session/engine_session.hpp"
#include "windows/session/protocol.hpp"

namespace windows {
namespace {

// The host's session driver, when it runs a session; unset otherwise.
automation::Object sessionDriver(ComCreator& creator) {
  try {
    return creator.create(utf8FromWide(harness::kSessionDriverProgId));
  } catch (const automation::Failure&) {
    return {};
  }
}

// The component on the headless engine, which the session's driver feeds.
class SessionRuntime final : public ServerRuntime {
 public:
  explicit SessionRuntime(HMODULE self)
      : system_(self), component_(command::Environment{creator_, engine_, controls_, system_}) {
    engine_.setEventLog(&events_);
    system_.setEventLog(&events_);
  }

  command::Component& component() override { return component_; }
  void commandCreated(command::CQuadrift& command) override { commands_.push_back(&command); }
  void commandDestroyed(command::CQuadrift& command) override { std::erase(commands_, &command); }

  // Hands `driver` the session object over the engine; the session counts as a live object of
  // `module` while the driver holds it.
  void attach(const automation::Object& driver, ServerModule& module) {
    harness::SessionParts parts{engine_, events_, component_, system_,
                                [this] { return newestDialog(); }};
    automation::Object object(std::make_shared<harness::EngineSession>(
        std::move(parts), [&module] { module.objectDestroyed(); }));
    module.objectCreated();
    try {
      driver.call(harness::kDriverAttach, {automation::Variant(std::move(object))});
    } catch (const automation::Failure&) {
      // A driver that refuses the session leaves the engine without a user, as none would.
    }
  }

 private:
  // The dialog of the newest live command, which the session's state shows.
  ui::Form* newestDialog() const {
    if (commands_.empty() || commands_.back()->dialog() == nullptr) return nullptr;
    return &commands_.back()->dialog()->form();
  }

  ComCreator creator_;
  portable::EventLog events_;
  portable::HeadlessEngine engine_;
  ComHostControls controls_{creator_};
  Win32System system_;
  command::Component component_;
  std::vector<command::CQuadrift*> commands_;
};

}  // namespace

std::unique_ptr<ServerRuntime> makeServerRuntime(ServerModule& module) {
  ComCreator creator;
  const automation::Object driver = sessionDriver(creator);
  if (!driver.isSet()) return std::make_unique<DialogRuntime>(module.module());
  auto runtime = std::make_unique<SessionRuntime>(module.module());
  runtime->attach(driver, module);
  return runtime;
}

}  // namespace windows
