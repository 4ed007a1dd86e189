#include "sample_drawing.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace refhost {
namespace {

ModelPolyline rectangle(std::string layer, double x, double y, double width, double height) {
  return {
      std::move(layer), {{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}}, true};
}

ModelPolyline line(std::string layer, ModelPoint from, ModelPoint to) {
  return {std::move(layer), {from, to}, false};
}

// A door of `width` hinged at `hinge`: its leaf drawn open towards `openAngle` and its swing
// as the quarter circle back to `closedAngle`, where the leaf lies across the opening (degrees).
ModelPolyline doorSwing(ModelPoint hinge, double width, double openAngle, double closedAngle) {
  ModelPolyline door{"doors", {hinge}, false};
  constexpr int kSteps = 12;
  for (int i = 0; i <= kSteps; ++i) {
    const double degrees = openAngle + (closedAngle - openAngle) * i / kSteps;
    const double a = degrees * std::numbers::pi / 180;
    door.points.push_back({hinge.x + width * std::cos(a), hinge.y + width * std::sin(a)});
  }
  return door;
}

}  // namespace

ModelPoint ModelDrawing::lowerLeft() const {
  bool any = false;
  ModelPoint low;
  auto take = [&](ModelPoint p) {
    low = any ? ModelPoint{std::min(low.x, p.x), std::min(low.y, p.y)} : p;
    any = true;
  };
  for (const auto& pl : polylines) std::for_each(pl.points.begin(), pl.points.end(), take);
  for (const auto& t : texts) take(t.at);
  return low;
}

ModelPoint ModelDrawing::upperRight() const {
  bool any = false;
  ModelPoint high;
  auto take = [&](ModelPoint p) {
    high = any ? ModelPoint{std::max(high.x, p.x), std::max(high.y, p.y)} : p;
    any = true;
  };
  for (const auto& pl : polylines) std::for_each(pl.points.begin(), pl.points.end(), take);
  for (const auto& t : texts) take(t.at);
  return high;
}

ModelDrawing sampleFloorPlan() {
  ModelDrawing d;
  auto& p = d.polylines;
  // Outer walls, 0.3 m thick, and the inner faces.
  p.push_back(rectangle("walls", 0, 0, 16, 10));
  p.push_back(rectangle("walls", 0.3, 0.3, 15.4, 9.4));
  // Inner walls, with their openings: living room and kitchen on the left, a hall and a
  // bedroom in the middle, a bath and a second bedroom on the right.
  p.push_back(line("walls", {6, 0.3}, {6, 4}));
  p.push_back(line("walls", {6, 5}, {6, 9.7}));
  p.push_back(line("walls", {0.3, 5}, {4.8, 5}));
  p.push_back(line("walls", {6, 5}, {7, 5}));
  p.push_back(line("walls", {7.9, 5}, {11, 5}));
  p.push_back(line("walls", {11, 0.3}, {11, 3.8}));
  p.push_back(line("walls", {11, 4.8}, {11, 9.7}));
  p.push_back(line("walls", {11, 3.8}, {12, 3.8}));
  p.push_back(line("walls", {12.8, 3.8}, {15.7, 3.8}));
  // Doors: the front door and one into each room.
  p.push_back(doorSwing({7, 0.3}, 1, 90, 0));
  p.push_back(doorSwing({4.8, 5}, 0.9, 90, 0));
  p.push_back(doorSwing({6, 4}, 0.9, 180, 90));
  p.push_back(doorSwing({7, 5}, 0.9, 90, 0));
  p.push_back(doorSwing({11, 3.8}, 0.9, 0, 90));
  p.push_back(doorSwing({12, 3.8}, 0.8, -90, 0));
  // Windows in the outer walls.
  for (const double x : {1.5, 8.5, 13.0}) {
    p.push_back(rectangle("windows", x, 9.7, 1.6, 0.3));
    p.push_back(rectangle("windows", x, 0, 1.6, 0.3));
  }
  p.push_back(rectangle("windows", 15.7, 6.5, 0.3, 1.6));
  // Fixtures: a kitchen counter, a bath and a bed.
  p.push_back(rectangle("fixtures", 0.3, 8.9, 4, 0.8));
  p.push_back(rectangle("fixtures", 11.3, 0.3, 1.8, 0.8));
  p.push_back(rectangle("fixtures", 12.5, 6.5, 2, 1.6));

  const double h = 0.45;
  d.texts.push_back({"labels", {3, 2.5}, h, "Living"});
  d.texts.push_back({"labels", {2.5, 7.2}, h, "Kitchen"});
  d.texts.push_back({"labels", {8.5, 7.5}, h, "Bedroom"});
  d.texts.push_back({"labels", {13.3, 8.7}, h, "Bedroom"});
  d.texts.push_back({"labels", {8.5, 2.2}, h, "Hall"});
  d.texts.push_back({"labels", {13.3, 2}, h, "Bath"});
  return d;
}

}  // namespace refhost
