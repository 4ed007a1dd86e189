#pragma once

#include <string>

#include "automation/creator.hpp"
#include "host/application_views.hpp"
#include "host/host_view.hpp"

namespace host {

// The host library's application-wide object. It is created on first use and kept.
class HostGlobalView {
 public:
  explicit HostGlobalView(automation::ObjectCreator& creator) : creator_(&creator) {}

  // The running host application, or a view that is not set when none is running. Fails when
  // the host library's object cannot be created.
  HostApplication runningApplication();
  bool isSet() const { return global_.isSet(); }
  void release() { global_.release(); }

 private:
  automation::ObjectCreator* creator_;
  automation::Object global_;
};

// Turns the component's folder and a file-name prefix into the path of the satellite resource
// library for the user's locale. Created new for each use; the three calls go in this order:
// setFolder, setPrefix, fileName.
class ResourceLocatorView : public HostView {
 public:
  // Creates the locator; fails when it cannot be created.
  explicit ResourceLocatorView(automation::ObjectCreator& creator);

  void setFolder(const std::string& folder) const;
  void setPrefix(const std::string& prefix) const;
  std::string fileName() const;
};

}  // namespace host
