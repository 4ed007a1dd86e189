#pragma once

#include <cstdint>

#include "host/host_view.hpp"

namespace host {

// A temporary graphic of the host's view.
class HostGraphic : public HostView {
 public:
  using HostView::HostView;

  // Makes the graphic a rectangle with first corner (x, y).
  void setRectangle(double x, double y, double width, double height) const;
  // Moves the graphic by (toX - fromX, toY - fromY).
  void moveBy(double fromX, double fromY, double toX, double toY) const;
};

// Makes temporary graphics.
class HostGraphicFactory : public HostView {
 public:
  using HostView::HostView;

  HostGraphic newGraphic() const;
};

// The view's layer of temporary graphics.
class HostOverlay : public HostView {
 public:
  using HostView::HostView;

  void clear() const;
  void show() const;
  // Adds `graphic`, drawn in `colour` (0x00BBGGRR); `flag` is the host's 0 or 1.
  void add(const HostGraphic& graphic, std::int32_t colour, std::int32_t flag) const;
};

}  // namespace host
