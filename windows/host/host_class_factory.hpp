#pragma once

#include <windows.h>

#include <unknwn.h>

#include <functional>

#include "windows/automation/com_unknown.hpp"
#include "windows/handles/com_ptr.hpp"

namespace windows::host_classes {

// The class object of one of the host's classes: each instance is what `make` returns, handed
// on by the factory. A host object the host cannot make is a class that is not available.
class HostClassFactory final : public Unknown<HostClassFactory, IClassFactory> {
 public:
  using Make = std::function<ComPtr<IUnknown>()>;
  static ComPtr<HostClassFactory> create(Make make) {
    return ComPtr<HostClassFactory>::adopt(new HostClassFactory(std::move(make)));
  }

  static bool answers(REFIID iid) {
    return IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory);
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  explicit HostClassFactory(Make make) : make_(std::move(make)) {}
  ~HostClassFactory() override = default;

  Make make_;
};

}  // namespace windows::host_classes
