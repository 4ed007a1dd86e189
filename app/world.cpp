#include "world.hpp"

#include <unistd.h>
#include <algorithm>
#include <atomic>

#include "printer_page.hpp"

namespace session {

class World::HostView final : public portable::HostViewInput {
 public:
  explicit HostView(refhost::ReferenceHost& host) : host_(host) {}
  std::optional<std::string> mouseMove(double x, double y) override {
    return host_.mouseMove(x, y) ? std::nullopt : lastRefusal();
  }
  std::optional<std::string> mouseClick(std::int16_t button, double x, double y) override {
    return host_.mouseClick(button, x, y) ? std::nullopt : lastRefusal();
  }

 private:
  std::optional<std::string> lastRefusal() const {
    const auto& refused = host_.refusedInput();
    return refused.empty() ? std::string("the host's view did not take it") : refused.back().reason;
  }

  refhost::ReferenceHost& host_;
};

namespace {

std::filesystem::path satelliteFile(const std::filesystem::path& folder, std::uint32_t lcid) {
  return folder / ("kstQuadrift_" + std::to_string(lcid) + ".dll");
}

// A folder of this session's own holding only the satellites that are not absent, so that the
// locator and the loader both find exactly those.
std::filesystem::path privateSatelliteFolder(const WorldSettings& s) {
  static std::atomic<unsigned> counter{0};
  const auto folder =
      std::filesystem::temp_directory_path() /
      ("quadrift-satellites-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(folder);
  for (const auto& entry : std::filesystem::directory_iterator(s.satelliteFolder)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("kstQuadrift_", 0) != 0 || entry.path().extension() != ".dll") continue;
    const bool absent = std::any_of(
        s.absentSatellites.begin(), s.absentSatellites.end(),
        [&](std::uint32_t lcid) { return satelliteFile(s.satelliteFolder, lcid) == entry.path(); });
    if (!absent) std::filesystem::copy_file(entry.path(), folder / name);
  }
  return folder;
}

}  // namespace

portable::DeviceCaps PrinterDescription::caps() const {
  const portable::DeviceCaps paperCaps = refhost::uprightCaps(paper);
  const portable::DeviceCaps upright{offsetX.value_or(paperCaps.offsetX),
                                     offsetY.value_or(paperCaps.offsetY),
                                     physicalWidth.value_or(paperCaps.physicalWidth),
                                     physicalHeight.value_or(paperCaps.physicalHeight),
                                     horzSizeMm.value_or(paperCaps.horzSizeMm),
                                     vertSizeMm.value_or(paperCaps.vertSizeMm)};
  return refhost::capsInOrientation(upright, orientation);
}

WorldSettings World::prepared(WorldSettings s) {
  s.host.userLocale = s.locale;
  if (s.printer) {
    refhost::PrinterSettings p;
    p.paperCode = s.printer->paper;
    p.orientation = s.printer->orientation;
    s.host.printer = p;
  } else {
    s.host.printer.reset();
  }
  return s;
}

World::World(WorldSettings settings)
    : settings_(prepared(std::move(settings))),
      privateFolder_(settings_.absentSatellites.empty()
                         ? std::nullopt
                         : std::optional(privateSatelliteFolder(settings_))),
      host_(settings_.host),
      system_(platformSettings()),
      view_(std::make_unique<HostView>(host_)),
      component_(
          command::Environment{host_.objectCreator(), engine_, host_.controlFactory(), system_}) {
  engine_.setHostView(view_.get());
  engine_.setEventLog(&events_);
  host_.setEventLog(&events_);
  system_.setEventLog(&events_);
  if (settings_.helpFile) {
    system_.setRegistryString(
        platform::kHKeyLocalMachine,
        "Software\\Kestrova\\Applications\\" + settings_.host.registeredName + "\\Help\\HelpFile",
        "", *settings_.helpFile);
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

}  // namespace session
