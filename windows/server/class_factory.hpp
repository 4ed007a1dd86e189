#pragma once

#include <windows.h>

#include <unknwn.h>

#include "windows/automation/com_unknown.hpp"
#include "windows/handles/com_ptr.hpp"

namespace windows {

class ServerModule;

// The class factory of CQuadrift. It counts as a live object of the module while it exists,
// and LockServer holds the module's lock count.
class ClassFactory final : public Unknown<ClassFactory, IClassFactory> {
 public:
  // A new factory.
  static ComPtr<ClassFactory> create(ServerModule& module);

  static bool answers(REFIID iid) {
    return IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory);
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  explicit ClassFactory(ServerModule& module);
  ~ClassFactory() override;

  ServerModule& module_;
};

}  // namespace windows
