#include "host/graphic_views.hpp"

#include "automation/convert.hpp"
#include "automation/variant.hpp"
#include "host/dispids.hpp"

namespace host {

using automation::Variant;

void HostGraphic::setRectangle(double x, double y, double width, double height) const {
  object_.call(dispid::graphic::kRectangle,
               {Variant(x), Variant(y), Variant(width), Variant(height), Variant(0.0)});
}

void HostGraphic::moveBy(double fromX, double fromY, double toX, double toY) const {
  object_.call(dispid::graphic::kMoveBy,
               {Variant(fromX), Variant(fromY), Variant(toX), Variant(toY)});
}

HostGraphic HostGraphicFactory::newGraphic() const {
  return HostGraphic(automation::toObject(object_.get(dispid::graphic_factory::kNewGraphic)));
}

void HostOverlay::clear() const {
  object_.call(dispid::overlay::kClear);
}

void HostOverlay::show() const {
  object_.call(dispid::overlay::kShow);
}

void HostOverlay::add(const HostGraphic& graphic, std::int32_t colour, std::int32_t flag) const {
  object_.call(dispid::overlay::kAdd, {Variant(graphic.object()), Variant(colour),
                                       Variant(std::int32_t{0}), Variant(flag)});
}

}  // namespace host
