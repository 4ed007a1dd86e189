#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "automation/object.hpp"
#include "automation/variant.hpp"

namespace ui {

// What a form offers a host (ActiveX-style) control placed on it: the container's Enabled
// property, and the way back for the control's events, which the form hands to its handlers.
class HostControlSite {
 public:
  virtual ~HostControlSite() = default;
  virtual bool enabled() const = 0;
  virtual void raiseEvent(std::string_view event, std::span<automation::Variant> args) = 0;
};

// Creates the host controls a form's layout names, by class ("K2DComndLib.ksCommand",
// "K2DMseLib.ksMouse"), handing each the persisted-state block the layout stores for it and the
// site it lives in. Supplied by the environment (the host's framework). Returns the control's
// own late-bound object; throws `Failure` when the class is not available.
class HostControlFactory {
 public:
  virtual ~HostControlFactory() = default;
  virtual automation::Object create(std::string_view progId,
                                    std::span<const std::uint8_t> persistedState,
                                    HostControlSite& site) = 0;
};

}  // namespace ui
