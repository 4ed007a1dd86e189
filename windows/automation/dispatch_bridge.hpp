#pragma once

#include <windows.h>

#include <oaidl.h>

#include <atomic>

#include "automation/object.hpp"

namespace windows {

// One of the component's own late-bound objects as an IDispatch for a COM caller. Invoke takes
// the arguments in COM's order (last first) and a put's value from its named argument; a
// Failure inside the member becomes EXCEPINFO with DISP_E_EXCEPTION.
class DispatchBridge final : public IDispatch {
 public:
  // A bridge over `object` with one reference, which the caller releases.
  static IDispatch* create(const automation::Object& object);
  // The Object behind `dispatch` when it is a bridge, else an Object that is not set.
  static automation::Object objectOf(IDispatch* dispatch);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* argError) override;

 private:
  explicit DispatchBridge(automation::Object object) : object_(std::move(object)) {}
  virtual ~DispatchBridge() = default;

  automation::Object object_;
  std::atomic<ULONG> references_{1};
};

// The arguments of an Invoke in the component's order (first to last), a put's value last.
std::vector<automation::Variant> argumentsOf(const DISPPARAMS& params);

}  // namespace windows
