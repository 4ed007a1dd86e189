#include "windows/server/control_event_sink.hpp"

#include <olectl.h>

#include <string_view>

#include "windows/automation/argument_list.hpp"
#include "windows/automation/dispatch_bridge.hpp"
#include "windows/automation/failure_info.hpp"
#include "windows/server/control_events.hpp"

namespace windows {
namespace {

// The name the form's handlers know an event method by; empty for an id that is no event.
std::string_view eventNamed(DISPID id) {
  switch (id) {
    case kEventInitialize:
      return "Initialize";
    case kEventTerminate:
      return "Terminate";
    case kEventMouseMove:
      return "MouseMove";
    case kEventMouseClick:
      return "MouseClick";
    default:
      return {};
  }
}

}  // namespace

bool ControlEventSink::answers(REFIID iid) {
  return IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
         IsEqualIID(iid, kHostControlEventsIid);
}

HRESULT ControlEventSink::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT ControlEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT ControlEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID* ids) {
  if (ids != nullptr) *ids = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

HRESULT ControlEventSink::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                 VARIANT* result, EXCEPINFO* info, UINT*) {
  if (params == nullptr) return E_INVALIDARG;
  if (id == DISPID_ENABLED && (flags & DISPATCH_PROPERTYGET)) {
    return atBoundary(info, [&]() -> HRESULT {
      const bool enabled = site_ != nullptr && site_->enabled();
      if (result != nullptr) {
        VariantInit(result);
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = enabled ? VARIANT_TRUE : VARIANT_FALSE;
      }
      return S_OK;
    });
  }
  const std::string_view event = eventNamed(id);
  if (event.empty() || !(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
  return atBoundary(info, [&]() -> HRESULT {
    ArgumentList args(*params);
    // Keep the sink alive while a handler runs: it may release the control that advised it.
    const ComPtr<ControlEventSink> alive(this);
    if (site_ != nullptr) site_->raiseEvent(event, args.values());
    return S_OK;
  });
}

}  // namespace windows
