#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "reference_host.hpp"
#include "ui/headless_engine.hpp"

namespace session {

// The reference host's view as the engine's mouse input reaches it: nothing when the view took
// the input, else the reason it gave for refusing it.
class ReferenceView final : public portable::HostViewInput {
 public:
  explicit ReferenceView(refhost::ReferenceHost& host) : host_(host) {}
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

}  // namespace session
