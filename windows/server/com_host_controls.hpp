#pragma once

#include "automation/creator.hpp"
#include "ui/host_control_site.hpp"

namespace windows {

// The host framework's controls as COM objects, created by their programmatic identifiers.
// Each control's events reach the form's site through a sink advised on the control's
// connection point; the object returned unadvises it when its last reference goes. A control
// without the connection point works without events. The persisted-state block is not handed
// over: the host's controls keep no state of their own between runs.
class ComHostControls final : public ui::HostControlFactory {
 public:
  explicit ComHostControls(automation::ObjectCreator& creator) : creator_(creator) {}
  automation::Object create(std::string_view progId, std::span<const std::uint8_t> persistedState,
                            ui::HostControlSite& site) override;

 private:
  automation::ObjectCreator& creator_;
};

}  // namespace windows
