#include "test_support.hpp"

#include <gtest/gtest.h>

#include <utility>

#include "windows/automation/argument_list.hpp"
#include "windows/automation/com_unknown.hpp"
#include "windows/automation/dispatch_bridge.hpp"
#include "windows/handles/bstr.hpp"
#include "windows/handles/unique.hpp"

namespace wintest {
namespace {

// Every test program runs in one single-threaded apartment, as a host's UI thread does.
class Apartment : public testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
  void TearDown() override { CoUninitialize(); }
};
[[maybe_unused]] testing::Environment* const apartment =
    testing::AddGlobalTestEnvironment(new Apartment);

class SingleObjectFactory final : public windows::Unknown<SingleObjectFactory, IClassFactory> {
 public:
  explicit SingleObjectFactory(IDispatch& object) : object_(object) {}
  static bool answers(REFIID iid) {
    return IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory);
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** out) override {
    return object_.QueryInterface(iid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  IDispatch& object_;
};

std::wstring textOf(const CLSID& clsid) {
  wchar_t text[40] = {};
  StringFromGUID2(clsid, text, 40);
  return text;
}

}  // namespace

std::wstring besideTests(const std::wstring& file) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder.resize(folder.find_last_of(L"\\/") + 1);
  return folder + file;
}

std::string besideTestsAnsi(const std::string& file) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.resize(folder.find_last_of("\\/") + 1);
  return folder + file;
}

std::wstring componentPath() {
  return besideTests(L"" QUADRIFT_COMPONENT_DLL);
}

HMODULE component() {
  static const HMODULE module = LoadLibraryW(componentPath().c_str());
  return module;
}

HRESULT FakeObject::QueryInterface(REFIID iid, void** out) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT FakeObject::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT FakeObject::GetTypeInfo(UINT, LCID, ITypeInfo**) {
  return DISP_E_BADINDEX;
}

HRESULT FakeObject::GetIDsOfNames(REFIID, LPOLESTR* asked, UINT count, LCID, DISPID* ids) {
  ++nameLookups;
  const auto it = count == 1 ? names.find(asked[0]) : names.end();
  if (it == names.end()) return DISP_E_UNKNOWNNAME;
  ids[0] = it->second;
  return S_OK;
}

HRESULT FakeObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                           EXCEPINFO* info, UINT*) {
  invoked.push_back(id);
  lastFlags = flags;
  if (const auto failure = failures.find(id); failure != failures.end()) {
    if (failure->second == DISP_E_EXCEPTION && info != nullptr) {
      *info = exception;
      info->bstrSource = SysAllocString(exception.bstrSource);
      info->bstrDescription = SysAllocString(exception.bstrDescription);
      info->bstrHelpFile = SysAllocString(exception.bstrHelpFile);
    }
    return failure->second;
  }
  const auto it = members.find(id);
  if (it == members.end()) return DISP_E_MEMBERNOTFOUND;
  windows::VariantArray value(1);  // freed unless the caller takes it
  value[0] = it->second(*params);
  if (result != nullptr) *result = std::exchange(value[0], VARIANT{});
  return S_OK;
}

RegisteredClass::RegisteredClass(const std::wstring& progId, const CLSID& clsid, IDispatch& object)
    : progId_(progId),
      factory_(windows::ComPtr<IClassFactory>::adopt(new SingleObjectFactory(object))) {
  setClassValue(progId + L"\\CLSID", L"", textOf(clsid));
  CoRegisterClassObject(clsid, factory_.get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_);
}

RegisteredClass::~RegisteredClass() {
  CoRevokeClassObject(cookie_);
  deleteClassTree(progId_);
}

refhost::Environment windowsHost() {
  refhost::Environment env;
  env.pathSeparator = '\\';
  env.echoReportsToStderr = false;
  return env;
}

HRESULT initializeCommand(IDispatch& command, refhost::ReferenceHost& host, EXCEPINFO& info) {
  constexpr DISPID kCommandInitialize = 0x60030000;
  windows::VariantArray arg(1);
  V_VT(&arg[0]) = VT_DISPATCH;
  V_DISPATCH(&arg[0]) = windows::DispatchBridge::create(host.commandObject());
  DISPPARAMS params{arg.data(), nullptr, 1, 0};
  return command.Invoke(kCommandInitialize, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &info,
                        nullptr);
}

std::wstring takeDescription(EXCEPINFO& info) {
  const windows::ExceptionStrings strings(info);
  info = EXCEPINFO{};
  return strings.description ? strings.description.get() : L"";
}

VARIANT bstrVariant(const wchar_t* text) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = SysAllocString(text);
  return v;
}

VARIANT dispatchVariant(IDispatch* object) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_DISPATCH;
  if (object != nullptr) object->AddRef();
  V_DISPATCH(&v) = object;
  return v;
}

}  // namespace wintest
