#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "command/component.hpp"
#include "command/cquadrift.hpp"
#include "platform/portable_system.hpp"
#include "reference_host.hpp"
#include "session_world.hpp"
#include "ui/headless_engine.hpp"
#include "world_settings.hpp"

namespace session {

// One session's world in process: the reference host, the portable platform, the headless
// engine and the loaded component, wired together; the host creates and releases `CQuadrift`.
class World final : public SessionWorld {
 public:
  explicit World(WorldSettings settings);
  ~World() override;
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  const portable::EventLog& events() const override { return events_; }
  refhost::ReferenceHost& host() override { return host_; }
  void post(portable::UserAction action) override { engine_.post(std::move(action)); }
  void runUntilIdle() override { engine_.runUntilIdle(); }
  void start() override;
  void end() override;
  nlohmann::json componentState() override;

  portable::PortableSystem& system() { return system_; }
  portable::HeadlessEngine& engine() { return engine_; }
  command::Component& component() { return component_; }
  const WorldSettings& settings() const { return settings_; }
  // The command, while the host holds it.
  command::CQuadrift* command() { return command_.get(); }
  dialog::FrmMain* dialog() { return command_ ? command_->dialog() : nullptr; }

 private:
  static WorldSettings prepared(WorldSettings settings);
  portable::PortableSettings platformSettings() const;

  WorldSettings settings_;
  portable::EventLog events_;                           // outlives everything that logs to it
  std::optional<std::filesystem::path> privateFolder_;  // holds the present satellites only
  refhost::ReferenceHost host_;
  portable::PortableSystem system_;
  portable::HeadlessEngine engine_;
  std::unique_ptr<portable::HostViewInput> view_;
  command::Component component_;
  automation::Object commandObject_;
  std::unique_ptr<command::CQuadrift> command_;
};

}  // namespace session
