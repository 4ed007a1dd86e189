#include "host/auxiliary_views.hpp"

#include "automation/convert.hpp"
#include "automation/variant.hpp"
#include "host/dispids.hpp"

namespace host {

using automation::Variant;

HostApplication HostGlobalView::runningApplication() {
  if (!global_.isSet()) global_ = creator_->create(progid::kHostGlobal);
  return HostApplication(
      automation::toObject(global_.get(dispid::host_global::kRunningApplication)));
}

ResourceLocatorView::ResourceLocatorView(automation::ObjectCreator& creator)
    : HostView(creator.create(progid::kResourceLocator)) {}

void ResourceLocatorView::setFolder(const std::string& folder) const {
  object_.put(dispid::resource_locator::kFolder, Variant(folder));
}

void ResourceLocatorView::setPrefix(const std::string& prefix) const {
  object_.put(dispid::resource_locator::kPrefix, Variant(prefix));
}

std::string ResourceLocatorView::fileName() const {
  return automation::toString(object_.get(dispid::resource_locator::kFileName));
}

}  // namespace host
