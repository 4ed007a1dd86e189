#pragma once

#include <cstdint>

#include "host/host_view.hpp"

namespace host {

// The active sheet's setup: size, drawing scale and origin.
class HostSheetSetup : public HostView {
 public:
  using HostView::HostView;

  // 0 inches, 1 millimetres, 2 centimetres.
  std::int32_t paperUnit() const;

  // -1 full size, 0 custom, n standard scale n. The overloads pass the value as the 16-bit or
  // 32-bit integer the caller holds.
  std::int32_t scaleMode() const;
  void setScaleMode(std::int16_t mode) const;
  void setScaleMode(std::int32_t mode) const;

  // -2 custom, -1 the printer's page, n standard size n; overloads as for the scale mode.
  std::int32_t sizeIndex() const;
  void setSizeIndex(std::int16_t index) const;
  void setSizeIndex(std::int32_t index) const;

  double height() const;
  void setHeight(double height) const;
  double width() const;
  void setWidth(double width) const;

  // Paper length ÷ model length of the current scale; reflects a scale written just before.
  double scaleFactor() const;
  void setCustomScale(double paper, double model) const;
  // Fills both through by-reference arguments.
  void scaleDistances(double& paper, double& model) const;
  void origin(double& x, double& y) const;
  void setOrigin(double x, double y) const;
};

// The active sheet.
class HostSheet : public HostView {
 public:
  using HostView::HostView;

  HostSheetSetup setup() const;
};

}  // namespace host
