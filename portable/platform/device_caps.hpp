#pragma once

#include <cstdint>

namespace portable {

// What a printer's device context reports through GetDeviceCaps: the unprintable offsets and
// the page in dots, and the printable area (HORZSIZE, VERTSIZE) in whole millimetres.
struct DeviceCaps {
  std::int32_t offsetX = 0;
  std::int32_t offsetY = 0;
  std::int32_t physicalWidth = 0;
  std::int32_t physicalHeight = 0;
  std::int32_t horzSizeMm = 0;
  std::int32_t vertSizeMm = 0;
  friend bool operator==(const DeviceCaps&, const DeviceCaps&) = default;
};

}  // namespace portable
