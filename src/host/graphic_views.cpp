#include "host/graphic_views.hpp"

#include <array>

#include "automation/convert.hpp"
#include "automation/variant.hpp"
#include "host/dispids.hpp"

namespace host {

using automation::InvokeKind;
using automation::Variant;

// The members a mouse move calls pass their arguments from the stack, so that moving the
// display sheet allocates nothing on the component's side.

void HostGraphic::setRectangle(double x, double y, double width, double height) const {
  std::array<Variant, 5> args{Variant(x), Variant(y), Variant(width), Variant(height),
                              Variant(0.0)};
  object_.invoke(dispid::graphic::kRectangle, InvokeKind::Call, args);
}

void HostGraphic::moveBy(double fromX, double fromY, double toX, double toY) const {
  std::array<Variant, 4> args{Variant(fromX), Variant(fromY), Variant(toX), Variant(toY)};
  object_.invoke(dispid::graphic::kMoveBy, InvokeKind::Call, args);
}

HostGraphic HostGraphicFactory::newGraphic() const {
  return HostGraphic(automation::toObject(object_.get(dispid::graphic_factory::kNewGraphic)));
}

void HostOverlay::clear() const {
  object_.invoke(dispid::overlay::kClear, InvokeKind::Call, {});
}

void HostOverlay::show() const {
  object_.invoke(dispid::overlay::kShow, InvokeKind::Call, {});
}

void HostOverlay::add(const HostGraphic& graphic, std::int32_t colour, std::int32_t flag) const {
  std::array<Variant, 4> args{Variant(graphic.object()), Variant(colour), Variant(std::int32_t{0}),
                              Variant(flag)};
  object_.invoke(dispid::overlay::kAdd, InvokeKind::Call, args);
}

}  // namespace host
