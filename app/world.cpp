#include "world.hpp"

#include "component_state.hpp"
#include "dialog/frm_main.hpp"
#include "platform/registry.hpp"
#include "reference_view.hpp"
#include "runner.hpp"

namespace session {

namespace {

// A folder of this session's own holding only the satellites that are not absent, so that the
// locator and the loader both find exactly those.
std::filesystem::path privateSatelliteFolder(const WorldSettings& s) {
  const auto folder = newRunFolder("quadrift-satellites");
  copyPresentSatellites(s, folder);
  return folder;
}

}  // namespace

std::unique_ptr<SessionWorld> makeWorld(const Script& script,
                                        const std::filesystem::path& satelliteFolder,
                                        DialogEngine engine) {
  if (engine != DialogEngine::Headless) {
    throw WorldUnavailable("real windows are the Windows runner's (quadrift.exe --ui win32)");
  }
  return std::make_unique<World>(worldSettings(script, satelliteFolder));
}

WorldSettings World::prepared(WorldSettings s) {
  s.host = hostEnvironment(s);
  return s;
}

World::World(WorldSettings settings)
    : settings_(prepared(std::move(settings))),
      privateFolder_(settings_.absentSatellites.empty()
                         ? std::nullopt
                         : std::optional(privateSatelliteFolder(settings_))),
      host_(settings_.host),
      system_(platformSettings()),
      view_(std::make_unique<ReferenceView>(host_)),
      component_(
          command::Environment{host_.objectCreator(), engine_, host_.controlFactory(), system_}) {
  engine_.setHostView(view_.get());
  engine_.setEventLog(&events_);
  host_.setEventLog(&events_);
  system_.setEventLog(&events_);
  if (settings_.helpFile) {
    system_.setRegistryString(platform::kHKeyLocalMachine,
                              platform::helpFileKey(settings_.host.registeredName), "",
                              *settings_.helpFile);
  }
}

World::~World() {
  command_.reset();
  if (privateFolder_) {
    std::error_code ignored;
    std::filesystem::remove_all(*privateFolder_, ignored);
  }
}

portable::PortableSettings World::platformSettings() const {
  portable::PortableSettings p;
  p.userLocale = settings_.locale;
  p.componentFolder = (privateFolder_ ? *privateFolder_ : settings_.satelliteFolder).string();
  if (settings_.printer) {
    portable::PrinterSettings printer;
    printer.paperSize = settings_.printer->paper;
    printer.orientation = settings_.printer->orientation;
    printer.caps = settings_.printer->caps();
    p.defaultPrinter = printer;
  }
  return p;
}

void World::start() {
  command_ = std::make_unique<command::CQuadrift>(component_);
  commandObject_ = host_.commandObject();
  command_->Command_Initialize(commandObject_);
}

void World::end() {
  command_.reset();
  commandObject_.release();
}

nlohmann::json World::componentState() {
  return componentStateJson(component_, dialog() ? &dialog()->form() : nullptr, engine_,
                            system_.helpCalls());
}

}  // namespace session
