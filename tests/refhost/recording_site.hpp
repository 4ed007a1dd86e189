#pragma once

#include <functional>
#include <string>
#include <vector>

#include "automation/variant.hpp"
#include "ui/host_control_site.hpp"

namespace refhost::testing {

// A form's host-control slot as tests need it: an Enabled switch and a record of the events the
// control raised, with their arguments.
struct RecordingSite : ui::HostControlSite {
  struct Event {
    std::string name;
    std::vector<automation::Variant> args;
  };
  bool isEnabled = true;
  std::vector<Event> events;
  std::function<void(const std::string&)> onEvent;

  bool enabled() const override { return isEnabled; }
  void raiseEvent(std::string_view event, std::span<automation::Variant> args) override {
    events.push_back({std::string(event), {args.begin(), args.end()}});
    if (onEvent) onEvent(std::string(event));
  }
  int count(const std::string& name) const {
    int n = 0;
    for (const Event& e : events) n += e.name == name ? 1 : 0;
    return n;
  }
};

}  // namespace refhost::testing
