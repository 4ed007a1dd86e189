#pragma once

#include <windows.h>

#include <oaidl.h>

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "class_keys.hpp"
#include "reference_host.hpp"
#include "windows/handles/com_ptr.hpp"

namespace wintest {

// The folder of the test program, where the DLL and its satellites lie, and a file in it.
std::wstring besideTests(const std::wstring& file);
std::string besideTestsAnsi(const std::string& file);

// The component DLL beside the test program (QUADRIFT_COMPONENT_DLL: the product, or the test
// variant for the session tests), its path, loaded for the test's life, and one of its exports.
std::wstring componentPath();
HMODULE component();
template <class F>
F exportOf(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(component(), name)));
}

// A host object whose members are answered by the test: a get returns the value the member
// gives, a call records its arguments. Counts its references.
class FakeObject final : public IDispatch {
 public:
  using Member = std::function<VARIANT(const DISPPARAMS&)>;
  FakeObject() = default;
  virtual ~FakeObject() = default;

  std::map<DISPID, Member> members;
  std::vector<DISPID> invoked;
  WORD lastFlags = 0;
  // Members that fail with their HRESULT, and the exception DISP_E_EXCEPTION describes.
  std::map<DISPID, HRESULT> failures;
  EXCEPINFO exception{};
  // Names GetIDsOfNames knows, and how often it was asked.
  std::map<std::wstring, DISPID> names;
  int nameLookups = 0;
  ULONG references() const { return references_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }  // owned by the test
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT*) override;

 private:
  std::atomic<ULONG> references_{1};
};

// Makes `object` the class behind `progId` in this process, until destroyed.
class RegisteredClass {
 public:
  RegisteredClass(const std::wstring& progId, const CLSID& clsid, IDispatch& object);
  ~RegisteredClass();
  RegisteredClass(const RegisteredClass&) = delete;
  RegisteredClass& operator=(const RegisteredClass&) = delete;

 private:
  std::wstring progId_;
  windows::ComPtr<IClassFactory> factory_;
  DWORD cookie_ = 0;
};

// The reference host as on Windows: backslashes in paths, its reports kept, not echoed.
refhost::Environment windowsHost();
// Command_Initialize of `command` with `host`'s command object, as the host's framework calls it.
HRESULT initializeCommand(IDispatch& command, refhost::ReferenceHost& host, EXCEPINFO& info);

// The description of `info`, whose strings are freed.
std::wstring takeDescription(EXCEPINFO& info);

VARIANT bstrVariant(const wchar_t* text);
VARIANT dispatchVariant(IDispatch* object);

}  // namespace wintest
