#include "windows/host/host_class_factory.hpp"

#include <new>

#include "automation/failure.hpp"

namespace windows::host_classes {

HRESULT HostClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  try {
    return make_()->QueryInterface(iid, out);
  } catch (const automation::Failure&) {
    return CLASS_E_CLASSNOTAVAILABLE;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace windows::host_classes
