#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "automation/failure.hpp"
#include "automation/object.hpp"
#include "automation/variant.hpp"
#include "ui/host_control_site.hpp"

namespace ui_test {

// A host control that has no members.
struct InertControl final : automation::Dispatch {
  automation::Variant invoke(automation::DispId, automation::InvokeKind,
                             std::span<automation::Variant>) override {
    return {};
  }
  std::optional<automation::DispId> idOfName(std::string_view) override { return std::nullopt; }
};

// Creates inert host controls and remembers what it was asked for.
struct FakeHostControls final : ui::HostControlFactory {
  struct Created {
    std::string progId;
    std::vector<std::uint8_t> state;
    ui::HostControlSite* site;
  };
  std::vector<Created> created;
  bool failNext = false;  // the next creation fails, as for a class that is not available

  automation::Object create(std::string_view progId, std::span<const std::uint8_t> state,
                            ui::HostControlSite& site) override {
    if (failNext) {
      failNext = false;
      throw automation::Failure(429, "ActiveX component can't create object");
    }
    created.push_back({std::string(progId), {state.begin(), state.end()}, &site});
    return automation::Object(std::make_shared<InertControl>());
  }
};

}  // namespace ui_test
