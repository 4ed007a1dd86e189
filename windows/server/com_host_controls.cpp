#include "windows/server/com_host_controls.hpp"

namespace windows {

automation::Object ComHostControls::create(std::string_view progId, std::span<const std::uint8_t>,
                                           ui::HostControlSite&) {
  return creator_.create(progId);
}

}  // namespace windows
