#include "windows/automation/dispatch_bridge.hpp"

#include <cstddef>
#include <cstdint>

#include "automation/variant.hpp"
#include "windows/automation/argument_list.hpp"
#include "windows/automation/com_variant.hpp"
#include "windows/automation/failure_info.hpp"
#include "windows/platform/ansi_codec.hpp"

namespace windows {
namespace {

// The private interface that recognises a bridge of this module handed back. Its identifier
// carries an address of this module, so a bridge of another module in the process (the host's,
// seen from the DLL) does not answer: it is called through IDispatch like any foreign object,
// never unwrapped into a direct call of code with its own C++ runtime, whose exceptions cannot
// unwind through this module's frames.
const IID& bridgeIid() {
  static const char inThisModule = 0;
  static const IID iid = [] {
    IID id = {0x5e0b1d2a, 0x7c43, 0x4f8e, {}};
    const auto address = reinterpret_cast<std::uintptr_t>(&inThisModule);
    for (std::size_t i = 0; i < sizeof id.Data4; ++i) {
      id.Data4[i] = static_cast<unsigned char>(address >> (8 * (i % sizeof address)));
    }
    return id;
  }();
  return iid;
}

automation::InvokeKind kindOf(WORD flags) {
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) return automation::InvokeKind::Put;
  if (flags & DISPATCH_METHOD) return automation::InvokeKind::Call;
  return automation::InvokeKind::Get;
}

}  // namespace

IDispatch* DispatchBridge::create(const automation::Object& object) {
  return new DispatchBridge(object);
}

automation::Object DispatchBridge::objectOf(IDispatch* dispatch) {
  void* bridge = nullptr;
  if (FAILED(dispatch->QueryInterface(bridgeIid(), &bridge)) || bridge == nullptr) return {};
  // The private interface hands out the bridge itself, without a reference.
  return static_cast<DispatchBridge*>(bridge)->object_;
}

HRESULT DispatchBridge::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  if (IsEqualIID(iid, bridgeIid())) {
    *out = this;
    return S_OK;
  }
  return Unknown::QueryInterface(iid, out);
}

HRESULT DispatchBridge::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT DispatchBridge::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT DispatchBridge::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
  return atBoundary(nullptr, [&]() -> HRESULT {
    HRESULT status = S_OK;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (const auto id = object_.get()->idOfName(utf8FromWide(names[0])))
      ids[0] = *id;
    else
      status = DISP_E_UNKNOWNNAME;
    // Named arguments of the member are not supported.
    if (count > 1) status = DISP_E_UNKNOWNNAME;
    return status;
  });
}

HRESULT DispatchBridge::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* info, UINT*) {
  if (params == nullptr) return E_INVALIDARG;
  return atBoundary(info, [&]() -> HRESULT {
    ArgumentList args(*params);
    // The caller's reference keeps this bridge, and with it the object, alive for the call.
    const automation::Variant value = object_.get()->invoke(id, kindOf(flags), args.values());
    if (result != nullptr) toVariant(value, *result);
    return S_OK;
  });
}

}  // namespace windows
