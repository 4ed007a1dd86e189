#pragma once

#include <windows.h>

#include <unknwn.h>

#include <atomic>

namespace windows {

class ServerModule;

// The class factory of CQuadrift. It counts as a live object of the module while it exists,
// and LockServer holds the module's lock count.
class ClassFactory final : public IClassFactory {
 public:
  // A new factory with one reference.
  static ClassFactory* create(ServerModule& module);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  explicit ClassFactory(ServerModule& module);
  virtual ~ClassFactory();

  ServerModule& module_;
  std::atomic<ULONG> references_{1};
};

}  // namespace windows
