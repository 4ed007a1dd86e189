#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "command/component.hpp"
#include "command/cquadrift.hpp"
#include "platform/portable_system.hpp"
#include "reference_host.hpp"
#include "ui/headless_engine.hpp"

namespace session {

// The default printer, as one description for both the host and the platform. The device's
// capabilities are given for the page upright (dots, and the printable area in millimetres); a
// landscape printer reports them turned. One not given is that of `refhost::uprightCaps`: the
// paper's page at 300 dpi with a 75-dot border.
struct PrinterDescription {
  std::int16_t paper = 9;  // a DMPAPER_ code
  std::int16_t orientation = 1;
  std::optional<std::int32_t> offsetX;
  std::optional<std::int32_t> offsetY;
  std::optional<std::int32_t> physicalWidth;
  std::optional<std::int32_t> physicalHeight;
  std::optional<std::int32_t> horzSizeMm;
  std::optional<std::int32_t> vertSizeMm;

  // What the printer's device context reports, in the printer's orientation.
  portable::DeviceCaps caps() const;
};

// Everything a session sets up before the command starts.
struct WorldSettings {
  refhost::Environment host;  // its printer and locale are set from the fields below
  std::uint32_t locale = 1033;
  std::optional<PrinterDescription> printer;
  std::filesystem::path satelliteFolder;  // where kstQuadrift_<lcid>.dll lie
  std::vector<std::uint32_t> absentSatellites;
  std::optional<std::string> helpFile;  // the registry's help-file value for the host's name
};

// One session's world: the reference host, the portable platform, the headless engine and the
// loaded component, wired together; the host creates and releases `CQuadrift`.
class World {
 public:
  explicit World(WorldSettings settings);
  ~World();
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  // What the session showed the user, in time order: the host, engine and platform all log here.
  const portable::EventLog& events() const { return events_; }
  refhost::ReferenceHost& host() { return host_; }
  portable::PortableSystem& system() { return system_; }
  portable::HeadlessEngine& engine() { return engine_; }
  command::Component& component() { return component_; }
  const WorldSettings& settings() const { return settings_; }
  // The command, while the host holds it.
  command::CQuadrift* command() { return command_.get(); }
  dialog::FrmMain* dialog() { return command_ ? command_->dialog() : nullptr; }

  // The host creates CQuadrift and hands it the command object. Returns when the command's
  // modal dialog is hidden (or was never shown). Throws portable::RunAborted when the input
  // runs out inside a modal loop.
  void start();
  // The host releases CQuadrift.
  void end();

 private:
  class HostView;

  static WorldSettings prepared(WorldSettings settings);
  portable::PortableSettings platformSettings() const;

  WorldSettings settings_;
  portable::EventLog events_;                           // outlives everything that logs to it
  std::optional<std::filesystem::path> privateFolder_;  // holds the present satellites only
  refhost::ReferenceHost host_;
  portable::PortableSystem system_;
  portable::HeadlessEngine engine_;
  std::unique_ptr<HostView> view_;
  command::Component component_;
  automation::Object commandObject_;
  std::unique_ptr<command::CQuadrift> command_;
};

}  // namespace session
