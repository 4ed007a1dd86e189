#pragma once

#include <windows.h>

#include <oaidl.h>

#include <memory>

#include "kstQuadrift412.h"
#include "windows/automation/com_unknown.hpp"
#include "windows/handles/com_ptr.hpp"

namespace command {
class CQuadrift;
}

namespace windows {

class ServerModule;

// CQuadrift as its COM class: the dual interface _CQuadrift over the component's class, and
// IDispatch for it with a hand-written Invoke on the two dispatch ids. The members are guarded
// in the component, so their failures are reported there and the caller sees success; a
// Failure outside them (an argument that is not an object) reaches the caller as EXCEPINFO.
class ComCQuadrift final : public Unknown<ComCQuadrift, _CQuadrift> {
 public:
  static constexpr DISPID kCommandInitialize = 0x60030000;
  static constexpr DISPID kHelpFileName = 0x68030001;

  // A new instance, counted as a live object of `module`.
  static ComPtr<ComCQuadrift> create(ServerModule& module);

  static bool answers(REFIID iid) {
    return IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
           IsEqualIID(iid, IID__CQuadrift);
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* argError) override;

  HRESULT STDMETHODCALLTYPE Command_Initialize(IDispatch** BasicCmd) override;
  HRESULT STDMETHODCALLTYPE get_HelpFileName(BSTR* fileName) override;

 private:
  explicit ComCQuadrift(ServerModule& module);
  ~ComCQuadrift() override;

  HRESULT initialize(IDispatch* basicCmd);
  HRESULT helpFileName(BSTR* fileName);

  ServerModule& module_;
  std::unique_ptr<command::CQuadrift> object_;
};

}  // namespace windows
