#pragma once

#include <windows.h>

#include <unknwn.h>

#include <atomic>

namespace windows {

// IUnknown for a COM object on the heap that implements `Interface`: reference counting that
// deletes the object at the last Release, and QueryInterface for the interfaces that
// `Self::answers(iid)` names, all served by `Interface`'s pointer.
template <class Self, class Interface>
class Unknown : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (!Self::answers(iid)) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    *out = static_cast<Interface*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  Unknown() = default;
  virtual ~Unknown() = default;

 private:
  std::atomic<ULONG> references_{1};
};

}  // namespace windows
