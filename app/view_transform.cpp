#include "view_transform.hpp"

#include <algorithm>
#include <cmath>

namespace session {

void ViewTransform::fit(const SceneBox& box, double width, double height) {
  const double boxWidth = box.maxX - box.minX > 0 ? box.maxX - box.minX : 1.0;
  const double boxHeight = box.maxY - box.minY > 0 ? box.maxY - box.minY : 1.0;
  const double margin = kFitMargin * std::min(width, height);
  const double usableWidth = std::max(width - 2 * margin, 1.0);
  const double usableHeight = std::max(height - 2 * margin, 1.0);
  scale_ = std::min(usableWidth / boxWidth, usableHeight / boxHeight);
  fitted_ = scale_;
  const double centreX = box.minX + boxWidth / 2;
  const double centreY = box.minY + boxHeight / 2;
  left_ = centreX - width / 2 / scale_;
  top_ = centreY + height / 2 / scale_;
}

ScreenPoint ViewTransform::toScreen(double x, double y) const {
  return {(x - left_) * scale_, (top_ - y) * scale_};
}

refhost::ModelPoint ViewTransform::toModel(double px, double py) const {
  return {left_ + px / scale_, top_ - py / scale_};
}

void ViewTransform::zoomAt(double factor, double px, double py) {
  if (!std::isfinite(factor) || factor <= 0) return;
  const double next = std::clamp(scale_ * factor, fitted_ / kZoomLimit, fitted_ * kZoomLimit);
  const refhost::ModelPoint fixed = toModel(px, py);
  scale_ = next;
  left_ = fixed.x - px / scale_;
  top_ = fixed.y + py / scale_;
}

void ViewTransform::panBy(double dx, double dy) {
  left_ -= dx / scale_;
  top_ += dy / scale_;
}

}  // namespace session
