#include "world_settings.hpp"

#include <algorithm>
#include <random>
#include <stdexcept>

#include "printer_page.hpp"

namespace session {

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

refhost::Environment hostEnvironment(const WorldSettings& s) {
  refhost::Environment host = s.host;
  host.userLocale = s.locale;
  host.printer.reset();
  if (s.printer) host.printer = refhost::PrinterSettings{s.printer->paper, s.printer->orientation};
  return host;
}

void copyPresentSatellites(const WorldSettings& s, const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  for (const auto& entry : std::filesystem::directory_iterator(s.satelliteFolder)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("kstQuadrift_", 0) != 0 || entry.path().extension() != ".dll") continue;
    const bool absent = std::any_of(
        s.absentSatellites.begin(), s.absentSatellites.end(),
        [&](std::uint32_t lcid) { return name == "kstQuadrift_" + std::to_string(lcid) + ".dll"; });
    if (!absent) std::filesystem::copy_file(entry.path(), folder / name);
  }
}

std::filesystem::path componentWithPresentSatellites(
    const WorldSettings& settings, const std::filesystem::path& dll,
    std::optional<std::filesystem::path>& privateFolder) {
  if (settings.absentSatellites.empty()) return dll;
  privateFolder = newRunFolder("quadrift-session");
  copyPresentSatellites(settings, *privateFolder);
  const auto copy = *privateFolder / dll.filename();
  std::filesystem::copy_file(dll, copy);
  return copy;
}

std::filesystem::path newRunFolder(const std::string& stem) {
  const std::filesystem::path temp = std::filesystem::temp_directory_path();
  std::random_device seed;
  std::mt19937 pick(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto folder = temp / (stem + "-" + std::to_string(pick()));
    if (std::filesystem::create_directory(folder)) return folder;
  }
  throw std::runtime_error("no new folder can be made in " + temp.string());
}

}  // namespace session
