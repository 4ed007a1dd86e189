#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dialog/frm_main.hpp"
#include "standard_sheets.hpp"
#include "ui/user_action.hpp"
#include "world.hpp"

namespace placement_test {

// Standard size 28 is A4 portrait.
inline constexpr std::int32_t kA4Portrait = 28;
inline constexpr std::int32_t kA3Portrait = 30;
// The default printer's offsets as the component works them out: 75 device units of a page
// 2480 units wide whose printable area is 197 mm wide (and 3508 units, 284 mm high), in metres
// on paper.
inline constexpr double kDefaultMarginH = 75.0 / (2480.0 / 197.0) / 1000.0;
inline constexpr double kDefaultMarginV = 75.0 / (3508.0 / 284.0) / 1000.0;

// The scale mode of the host's standard scale with `caption` ("1:100 mm").
inline std::int32_t standardScaleMode(std::string_view caption) {
  for (std::size_t i = 0; i < refhost::kStandardScales.size(); ++i) {
    if (refhost::kStandardScales[i].caption == caption) return static_cast<std::int32_t>(i + 1);
  }
  return -1000;  // the host refuses it, and the test that asked fails
}

// A sheet set up as A4 portrait at a standard scale, origin as given (metres on the sheet).
inline refhost::SheetSetupState a4At(std::string_view scaleCaption, double originX = 0,
                                     double originY = 0) {
  refhost::SheetSetupState s;
  s.paperUnit = 1;
  s.sizeIndex = kA4Portrait;
  s.width = refhost::standardSizeWidth(kA4Portrait);
  s.height = refhost::standardSizeHeight(kA4Portrait);
  s.scaleMode = standardScaleMode(scaleCaption);
  const auto& scale = refhost::kStandardScales.at(static_cast<std::size_t>(s.scaleMode - 1));
  s.scalePaper = scale.paper;
  s.scaleModel = scale.model;
  s.originX = originX;
  s.originY = originY;
  return s;
}

// The usual world of these tests: English, the default printer, an A4 portrait sheet at 1:100,
// lengths in millimetres with two decimals.
inline session::WorldSettings a4At100() {
  session::WorldSettings s;
  s.satelliteFolder = QUADRIFT_BINARY_DIR;
  s.printer = session::PrinterDescription{};
  s.host.sheet = a4At("1:100 mm");
  s.host.documentFormat = refhost::LengthFormat{refhost::LengthUnit::Millimetre, 2, '.'};
  s.host.echoReportsToStderr = false;
  return s;
}

// A world and the input its user gives, queued before the command starts.
class Session {
 public:
  explicit Session(session::WorldSettings settings)
      : world_(std::make_unique<session::World>(std::move(settings))) {}
  ~Session() {
    if (world_) world_->end();
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  session::World& world() { return *world_; }
  refhost::ReferenceHost& host() { return world_->host(); }
  command::Component& component() { return world_->component(); }
  ui::Form& dialog() { return world_->dialog()->form(); }

  Session& click(const std::string& control) { return post(portable::UserAction::click(control)); }
  Session& pick(const std::string& list, std::int16_t entry) {
    return post(portable::UserAction::pick(list, entry));
  }
  Session& focus(const std::string& control) { return post(portable::UserAction::focus(control)); }
  Session& type(const std::string& text) { return post(portable::UserAction::type(text)); }
  Session& move(double x, double y) { return post(portable::UserAction::mouseMove(x, y)); }
  Session& mouseClick(std::int16_t button, double x, double y) {
    return post(portable::UserAction::mouseClick(button, x, y));
  }
  // A check run when the input reaches this point.
  Session& probe(std::function<void()> step) {
    return post(portable::UserAction::probeStep(std::move(step)));
  }
  Session& post(portable::UserAction action) {
    world_->engine().post(std::move(action));
    return *this;
  }

  // Starts the command and plays the host's loop until the input is used up.
  void run() {
    world_->start();
    world_->engine().runUntilIdle();
  }

  bool mouseEnabled() { return dialog().hostControl("ksMouse1").enabled(); }

 private:
  std::unique_ptr<session::World> world_;
};

}  // namespace placement_test
