#pragma once

#include <utility>

#include "automation/object.hpp"

namespace host {

// Common part of the typed views: a counted reference to one late-bound host object. Copies
// share the object. Every call on a view that is not set fails with "object variable not set"
// (91), as the underlying `automation::Object` does.
class HostView {
 public:
  HostView() = default;
  explicit HostView(automation::Object object) : object_(std::move(object)) {}

  bool isSet() const { return object_.isSet(); }
  // Drops this reference; harmless when not set.
  void release() { object_.release(); }
  const automation::Object& object() const { return object_; }

 protected:
  automation::Object object_;
};

}  // namespace host
