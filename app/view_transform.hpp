#pragma once

#include "sample_drawing.hpp"
#include "view_scene.hpp"

namespace session {

// A point of a window, pixels from its upper left corner, y pointing down.
struct ScreenPoint {
  double x = 0;
  double y = 0;
};

// How a window shows the model: a scale (pixels per model metre) and the model point at the
// window's upper left corner, y turned to point down. Zoom and pan change it; nothing else.
class ViewTransform {
 public:
  // The fraction of the window's smaller side left free around a fitted box, on each side.
  static constexpr double kFitMargin = 0.05;
  // How far zooming may go from the fitted scale, either way.
  static constexpr double kZoomLimit = 1e4;

  // Shows `box` whole and centred in a window of `width` × `height` pixels (an empty box as a
  // span of 1 m about its corner); zooming is bounded relative to this scale.
  void fit(const SceneBox& box, double width, double height);
  ScreenPoint toScreen(double x, double y) const;
  ScreenPoint toScreen(const refhost::ModelPoint& p) const { return toScreen(p.x, p.y); }
  refhost::ModelPoint toModel(double px, double py) const;
  // Scales by `factor` about the window point (px, py), which keeps showing the same model
  // point; a factor that is not positive and finite, or one beyond the zoom limit, is clamped
  // or ignored.
  void zoomAt(double factor, double px, double py);
  // Moves the picture by (dx, dy) pixels.
  void panBy(double dx, double dy);
  // Moves the picture so that the model point (x, y) lies at the window's upper left corner,
  // where `toModel(0, 0)` gives it back exactly.
  void showAtCorner(double x, double y) {
    left_ = x;
    top_ = y;
  }
  double pixelsPerMetre() const { return scale_; }

 private:
  double scale_ = 1;
  double left_ = 0;  // model x at the window's left edge
  double top_ = 0;   // model y at the window's top edge
  double fitted_ = 1;
};

}  // namespace session
