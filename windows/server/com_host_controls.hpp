#pragma once

#include "automation/creator.hpp"
#include "ui/host_control_site.hpp"

namespace windows {

// The host framework's controls as COM objects, created by their programmatic identifiers.
// Their events do not reach the form's handlers yet: the site is not connected.
class ComHostControls final : public ui::HostControlFactory {
 public:
  explicit ComHostControls(automation::ObjectCreator& creator) : creator_(creator) {}
  automation::Object create(std::string_view progId, std::span<const std::uint8_t> persistedState,
                            ui::HostControlSite& site) override;

 private:
  automation::ObjectCreator& creator_;
};

}  // namespace windows
