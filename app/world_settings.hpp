#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "environment.hpp"
#include "platform/device_caps.hpp"

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

// The reference host's environment for `settings`: its own, with the locale and the printer
// the settings describe.
refhost::Environment hostEnvironment(const WorldSettings& settings);

// Copies the satellite libraries of `settings.satelliteFolder` that are not absent into
// `folder`, so that whatever looks for satellites there finds exactly those.
void copyPresentSatellites(const WorldSettings& settings, const std::filesystem::path& folder);

// The component's DLL `dll` as a session registers it: itself, or with satellites absent a copy
// in a new folder of the run's own (`privateFolder`, set) beside only the present ones, since
// the component looks for its satellites in its DLL's folder.
std::filesystem::path componentWithPresentSatellites(
    const WorldSettings& settings, const std::filesystem::path& dll,
    std::optional<std::filesystem::path>& privateFolder);

// Makes a new, empty folder of a run's own under the system's temporary folder, its name
// starting with `stem`. A folder left there by an earlier run (one whose files were still in use
// when it ended) is never taken again.
std::filesystem::path newRunFolder(const std::string& stem);

}  // namespace session
