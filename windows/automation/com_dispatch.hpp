#pragma once

#include <windows.h>

#include <oaidl.h>

#include <map>
#include <string>

#include "automation/object.hpp"

namespace windows {

// A late-bound object over a real IDispatch, holding one reference to it. Arguments go to
// Invoke last first, a put with its DISPID_PROPERTYPUT named argument (an object value as a
// put by reference). A failed call throws the Failure its HRESULT and EXCEPINFO describe, or
// RunAborted when the callee's run could not go on.
// Ids looked up by name are cached for the object's life.
class ComDispatch final : public automation::Dispatch {
 public:
  // An Object over `dispatch` (null gives an Object that is not set); takes its own reference.
  static automation::Object wrap(IDispatch* dispatch);

  explicit ComDispatch(IDispatch* dispatch);
  ~ComDispatch() override;
  ComDispatch(const ComDispatch&) = delete;
  ComDispatch& operator=(const ComDispatch&) = delete;

  IDispatch* dispatch() const { return dispatch_; }

  automation::Variant invoke(automation::DispId id, automation::InvokeKind kind,
                             std::span<automation::Variant> args) override;
  std::optional<automation::DispId> idOfName(std::string_view name) override;

 private:
  IDispatch* dispatch_;
  std::map<std::string, automation::DispId, std::less<>> ids_;
};

// The IDispatch behind an Object, with a new reference the caller releases: the real one for
// an object from COM, a bridge for one of the component's own; null when `object` is not set.
IDispatch* dispatchOf(const automation::Object& object);

}  // namespace windows
