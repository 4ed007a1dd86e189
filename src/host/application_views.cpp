#include "host/application_views.hpp"

#include "automation/convert.hpp"
#include "automation/variant.hpp"
#include "host/dispids.hpp"

namespace host {

using automation::Variant;

HostSheet HostDocument::activeSheet() const {
  return HostSheet(automation::toObject(object_.get(dispid::document::kActiveSheet)));
}

std::string HostDocument::formatDistance(double distance) const {
  double slot = distance;
  return automation::toString(
      object_.call(dispid::document::kFormatDistance,
                   {Variant(dispid::document::kLengthUnitType), Variant::byRef(slot)}));
}

double HostDocument::parseDistance(const std::string& text) const {
  return automation::toDouble(
      object_.call(dispid::document::kParseDistance,
                   {Variant(dispid::document::kLengthUnitType), Variant(text)}));
}

std::int16_t HostApplication::undoDepth() const {
  return automation::toInt16(object_.get(dispid::application::kUndoDepth));
}

void HostApplication::setUndoDepth(std::int16_t depth) const {
  object_.put(dispid::application::kUndoDepth, Variant(depth));
}

void HostApplication::setStatusText(const std::string& text) const {
  object_.put(dispid::application::kStatusText, Variant(text));
}

std::int32_t HostApplication::mainWindow() const {
  return automation::toInt32(object_.get(dispid::application::kMainWindow));
}

std::string HostApplication::registeredName() const {
  return automation::toString(object_.get(dispid::application::kRegisteredName));
}

HostDocument HostApplication::activeDocument() const {
  return HostDocument(automation::toObject(object_.get(dispid::application::kActiveDocument)));
}

HostGraphicFactory HostApplication::graphicFactory() const {
  return HostGraphicFactory(
      automation::toObject(object_.get(dispid::application::kGraphicFactory)));
}

HostOverlay HostApplication::overlay() const {
  return HostOverlay(automation::toObject(object_.get(dispid::application::kOverlay)));
}

}  // namespace host
