// The DLL's entry point and its four exports.
#include <windows.h>

#include <olectl.h>

#include <new>

#include "kstQuadrift412.h"
#include "windows/server/class_factory.hpp"
#include "windows/server/registration.hpp"
#include "windows/server/server_module.hpp"

namespace {

// The loaded DLL's one module object, made when the DLL is attached to the process.
windows::ServerModule* theModule = nullptr;

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    theModule = new (std::nothrow) windows::ServerModule(instance);
    return theModule != nullptr;
  }
  // At process exit (reserved set) other DLLs may be gone: the module is left to the system.
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    delete theModule;
    theModule = nullptr;
  }
  return TRUE;
}

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (!IsEqualCLSID(clsid, CLSID_CQuadrift)) return CLASS_E_CLASSNOTAVAILABLE;
  return windows::ClassFactory::create(*theModule)->QueryInterface(iid, out);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return theModule->unloadNow() ? S_OK : S_FALSE;
}

HRESULT STDAPICALLTYPE ZULRegisterServer() {
  return windows::registerServer(theModule->path());
}

HRESULT STDAPICALLTYPE ZULUnregisterServer() {
  return windows::unregisterServer(theModule->path());
}

}  // extern "C"
