#include "host/sheet_views.hpp"

#include "automation/convert.hpp"
#include "automation/variant.hpp"
#include "host/dispids.hpp"

namespace host {

using automation::Variant;
namespace setup_id = dispid::sheet_setup;

HostSheetSetup HostSheet::setup() const {
  return HostSheetSetup(automation::toObject(object_.get(dispid::sheet::kSetup)));
}

std::int32_t HostSheetSetup::paperUnit() const {
  return automation::toInt32(object_.get(setup_id::kPaperUnit));
}

std::int32_t HostSheetSetup::scaleMode() const {
  return automation::toInt32(object_.get(setup_id::kScaleMode));
}
void HostSheetSetup::setScaleMode(std::int16_t mode) const {
  object_.put(setup_id::kScaleMode, Variant(mode));
}
void HostSheetSetup::setScaleMode(std::int32_t mode) const {
  object_.put(setup_id::kScaleMode, Variant(mode));
}

std::int32_t HostSheetSetup::sizeIndex() const {
  return automation::toInt32(object_.get(setup_id::kSizeIndex));
}
void HostSheetSetup::setSizeIndex(std::int16_t index) const {
  object_.put(setup_id::kSizeIndex, Variant(index));
}
void HostSheetSetup::setSizeIndex(std::int32_t index) const {
  object_.put(setup_id::kSizeIndex, Variant(index));
}

double HostSheetSetup::height() const {
  return automation::toDouble(object_.get(setup_id::kHeight));
}
void HostSheetSetup::setHeight(double height) const {
  object_.put(setup_id::kHeight, Variant(height));
}
double HostSheetSetup::width() const {
  return automation::toDouble(object_.get(setup_id::kWidth));
}
void HostSheetSetup::setWidth(double width) const {
  object_.put(setup_id::kWidth, Variant(width));
}

double HostSheetSetup::scaleFactor() const {
  return automation::toDouble(object_.get(setup_id::kScaleFactor));
}

void HostSheetSetup::setCustomScale(double paper, double model) const {
  object_.call(setup_id::kSetCustomScale, {Variant(paper), Variant(model)});
}

void HostSheetSetup::scaleDistances(double& paper, double& model) const {
  object_.call(setup_id::kGetScaleDistances, {Variant::byRef(paper), Variant::byRef(model)});
}

void HostSheetSetup::origin(double& x, double& y) const {
  object_.call(setup_id::kGetOrigin, {Variant::byRef(x), Variant::byRef(y)});
}

void HostSheetSetup::setOrigin(double x, double y) const {
  object_.call(setup_id::kSetOrigin, {Variant(x), Variant(y)});
}

}  // namespace host
