#include "windows/server/class_factory.hpp"

#include <new>

#include "windows/server/com_cquadrift.hpp"
#include "windows/server/server_module.hpp"

namespace windows {

ComPtr<ClassFactory> ClassFactory::create(ServerModule& module) {
  return ComPtr<ClassFactory>::adopt(new ClassFactory(module));
}

ClassFactory::ClassFactory(ServerModule& module) : module_(module) {
  module_.objectCreated();
}

ClassFactory::~ClassFactory() {
  module_.objectDestroyed();
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  try {
    return ComCQuadrift::create(module_)->QueryInterface(iid, out);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT ClassFactory::LockServer(BOOL lock) {
  if (lock)
    module_.lock();
  else
    module_.unlock();
  return S_OK;
}

}  // namespace windows
