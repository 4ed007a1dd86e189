#include "windows/server/com_cquadrift.hpp"

#include "command/cquadrift.hpp"
#include "windows/automation/bstr.hpp"
#include "windows/automation/com_dispatch.hpp"
#include "windows/automation/failure_info.hpp"
#include "windows/handles/bstr.hpp"
#include "windows/server/server_module.hpp"

namespace windows {
namespace {

// An object passed as IUnknown is taken when it answers IDispatch, as the runtime coerces it;
// Nothing stays Nothing.
bool dispatchOfUnknown(IUnknown* unknown, ComPtr<IDispatch>& object) {
  if (unknown == nullptr) return true;
  return SUCCEEDED(unknown->QueryInterface(IID_IDispatch, object.putVoid()));
}

// The object argument of Command_Initialize as a caller may pass it: by value, by reference,
// or in a variant by reference, as IDispatch or as an IUnknown that answers it. False for
// anything else.
bool objectArgument(const VARIANT& arg, ComPtr<IDispatch>& object) {
  switch (V_VT(&arg)) {
    case VT_DISPATCH:
      object = ComPtr<IDispatch>(V_DISPATCH(&arg));
      return true;
    case VT_BYREF | VT_DISPATCH:
      if (V_DISPATCHREF(&arg) != nullptr) object = ComPtr<IDispatch>(*V_DISPATCHREF(&arg));
      return true;
    case VT_UNKNOWN:
      return dispatchOfUnknown(V_UNKNOWN(&arg), object);
    case VT_BYREF | VT_UNKNOWN:
      return dispatchOfUnknown(V_UNKNOWNREF(&arg) != nullptr ? *V_UNKNOWNREF(&arg) : nullptr,
                               object);
    case VT_BYREF | VT_VARIANT:
      return V_VARIANTREF(&arg) != nullptr && objectArgument(*V_VARIANTREF(&arg), object);
    default:
      return false;
  }
}

// Arguments named by a dispatch id the member does not have: the first one's place in the
// argument array, where named arguments come first. -1 when every name is the member's.
int unknownNamedArgument(const DISPPARAMS& params, DISPID parameter) {
  for (UINT i = 0; i < params.cNamedArgs; ++i) {
    if (params.rgdispidNamedArgs[i] != parameter) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

ComPtr<ComCQuadrift> ComCQuadrift::create(ServerModule& module) {
  return ComPtr<ComCQuadrift>::adopt(new ComCQuadrift(module));
}

ComCQuadrift::ComCQuadrift(ServerModule& module) : module_(module) {
  module_.objectCreated();
  try {
    object_ = std::make_unique<command::CQuadrift>(module_.component());
    module_.commandCreated(*object_);
  } catch (...) {
    module_.objectDestroyed();
    throw;
  }
}

ComCQuadrift::~ComCQuadrift() {
  module_.commandDestroyed(*object_);
  object_.reset();
  module_.objectDestroyed();
}

HRESULT ComCQuadrift::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT ComCQuadrift::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  ComPtr<ITypeLib> library;
  const HRESULT status = LoadTypeLibEx(module_.path().c_str(), REGKIND_NONE, library.put());
  if (FAILED(status)) return status;
  return library->GetTypeInfoOfGuid(IID__CQuadrift, info);
}

HRESULT ComCQuadrift::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  if (lstrcmpiW(names[0], L"Command_Initialize") == 0) {
    ids[0] = kCommandInitialize;
    if (count == 2 && lstrcmpiW(names[1], L"BasicCmd") == 0) ids[1] = 0;
  } else if (lstrcmpiW(names[0], L"HelpFileName") == 0) {
    ids[0] = kHelpFileName;
  }
  for (UINT i = 0; i < count; ++i)
    if (ids[i] == DISPID_UNKNOWN) return DISP_E_UNKNOWNNAME;
  return S_OK;
}

HRESULT ComCQuadrift::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                             VARIANT* result, EXCEPINFO* info, UINT* argError) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (params == nullptr || (params->cArgs > 0 && params->rgvarg == nullptr) ||
      params->cNamedArgs > params->cArgs ||
      (params->cNamedArgs > 0 && params->rgdispidNamedArgs == nullptr))
    return E_INVALIDARG;
  switch (id) {
    case kCommandInitialize: {
      if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
      if (params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
      if (const int named = unknownNamedArgument(*params, 0); named >= 0) {
        if (argError != nullptr) *argError = static_cast<UINT>(named);
        return DISP_E_PARAMNOTFOUND;
      }
      ComPtr<IDispatch> basicCmd;
      if (!objectArgument(params->rgvarg[0], basicCmd)) {
        if (argError != nullptr) *argError = 0;
        return DISP_E_TYPEMISMATCH;
      }
      return atBoundary(info, [&] { return initialize(basicCmd.get()); });
    }
    case kHelpFileName:
      if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
      if (params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
      return atBoundary(info, [&]() -> HRESULT {
        UniqueBstr text;
        const HRESULT status = helpFileName(text.put());
        if (FAILED(status)) return status;
        if (result != nullptr) {
          VariantInit(result);
          V_VT(result) = VT_BSTR;
          V_BSTR(result) = text.release();
        }
        return S_OK;
      });
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

HRESULT ComCQuadrift::Command_Initialize(IDispatch** BasicCmd) {
  if (BasicCmd == nullptr) return E_POINTER;
  return atBoundary(nullptr, [&] { return initialize(*BasicCmd); });
}

HRESULT ComCQuadrift::get_HelpFileName(BSTR* fileName) {
  if (fileName == nullptr) return E_POINTER;
  *fileName = nullptr;
  return atBoundary(nullptr, [&] { return helpFileName(fileName); });
}

HRESULT ComCQuadrift::initialize(IDispatch* basicCmd) {
  automation::Object command = ComDispatch::wrap(basicCmd);
  object_->Command_Initialize(command);
  return S_OK;
}

HRESULT ComCQuadrift::helpFileName(BSTR* fileName) {
  *fileName = bstrOf(object_->HelpFileName());
  return S_OK;
}

}  // namespace windows
