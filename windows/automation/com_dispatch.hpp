#pragma once

#include <windows.h>

#include <oaidl.h>

#include <map>
#include <string>

#include "automation/object.hpp"
#include "windows/handles/com_ptr.hpp"

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

  explicit ComDispatch(IDispatch* dispatch) : dispatch_(dispatch) {}
  ComDispatch(const ComDispatch&) = delete;
  ComDispatch& operator=(const ComDispatch&) = delete;

  IDispatch* dispatch() const { return dispatch_.get(); }

  automation::Variant invoke(automation::DispId id, automation::InvokeKind kind,
                             std::span<automation::Variant> args) override;
  std::optional<automation::DispId> idOfName(std::string_view name) override;

 private:
  ComPtr<IDispatch> dispatch_;
  std::map<std::string, automation::DispId, std::less<>> ids_;
};

// The IDispatch behind an Object: the real one for an object from COM, a bridge for one of the
// component's own; empty when `object` is not set.
ComPtr<IDispatch> dispatchOf(const automation::Object& object);

}  // namespace windows
