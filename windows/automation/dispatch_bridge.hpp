#pragma once

#include <windows.h>

#include <oaidl.h>

#include <vector>

#include "automation/object.hpp"
#include "windows/automation/com_unknown.hpp"

namespace windows {

// One of the component's own late-bound objects as an IDispatch for a COM caller. Invoke takes
// the arguments in COM's order (last first) and a put's value from its named argument; a
// Failure inside the member becomes EXCEPINFO with DISP_E_EXCEPTION, an aborted run the same
// with the session's run-aborted scode.
class DispatchBridge final : public Unknown<DispatchBridge, IDispatch> {
 public:
  // A bridge over `object` with one reference, which the caller releases.
  static IDispatch* create(const automation::Object& object);
  // The Object behind `dispatch` when it is a bridge, else an Object that is not set.
  static automation::Object objectOf(IDispatch* dispatch);

  static bool answers(REFIID iid) {
    return IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch);
  }
  // Also answers a private interface, without a reference, that tells a bridge handed back.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* argError) override;

 private:
  explicit DispatchBridge(automation::Object object) : object_(std::move(object)) {}
  ~DispatchBridge() override = default;

  automation::Object object_;
};

// The arguments of an Invoke in the component's order (first to last), a put's value last.
std::vector<automation::Variant> argumentsOf(const DISPPARAMS& params);

}  // namespace windows
