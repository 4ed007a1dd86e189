#include <gtest/gtest.h>

#include "kstQuadrift412.h"
#include "test_support.hpp"
#include "windows/automation/argument_list.hpp"
#include "windows/automation/failure_info.hpp"
#include "windows/host/registered_host_classes.hpp"
#include "windows/ui/win32_engine.hpp"

namespace {

using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();

constexpr DISPID kCommandInitialize = 0x60030000;
constexpr DISPID kHelpFileName = 0x68030001;
const CLSID kHostGlobalClsid = {
    0x3d1c6b52, 0x1f0e, 0x4a57, {0x8e, 0x2a, 0x61, 0x0b, 0x5f, 0x7c, 0x90, 0x11}};
const CLSID kReporterClsid = {
    0x3d1c6b52, 0x1f0e, 0x4a57, {0x8e, 0x2a, 0x61, 0x0b, 0x5f, 0x7c, 0x90, 0x12}};

class Server : public testing::Test {
 protected:
  void SetUp() override {
    getClassObject_ = wintest::exportOf<GetClassObject>("DllGetClassObject");
    canUnload_ = wintest::exportOf<CanUnloadNow>("DllCanUnloadNow");
    ASSERT_NE(getClassObject_, nullptr);
    ASSERT_NE(canUnload_, nullptr);
    ASSERT_EQ(canUnload_(), S_OK);
    // The error reporter records the identification string and number of each report.
    reporter_.members[1] = [this](const DISPPARAMS& p) {
      if (p.cArgs == 9) {
        idents_.emplace_back(V_BSTR(&p.rgvarg[3]));
        numbers_.push_back(V_I4(&p.rgvarg[4]));
      }
      return VARIANT{};
    };
  }

  windows::ComPtr<IClassFactory> factory() {
    windows::ComPtr<IClassFactory> f;
    EXPECT_EQ(getClassObject_(CLSID_CQuadrift, IID_IClassFactory, f.putVoid()), S_OK);
    return f;
  }
  windows::ComPtr<IDispatch> create() {
    windows::ComPtr<IDispatch> object;
    EXPECT_EQ(factory()->CreateInstance(nullptr, IID_IDispatch, object.putVoid()), S_OK);
    return object;
  }
  // Named arguments come first in `args`, as a caller lays them out.
  HRESULT invoke(IDispatch* object, DISPID id, WORD flags, std::vector<VARIANT> args,
                 VARIANT* result, std::vector<DISPID> named = {}, UINT* argError = nullptr,
                 REFIID iid = IID_NULL) {
    DISPPARAMS params{args.data(), named.empty() ? nullptr : named.data(),
                      static_cast<UINT>(args.size()), static_cast<UINT>(named.size())};
    EXCEPINFO info{};
    return object->Invoke(id, iid, 0, flags, &params, result, &info, argError);
  }
  std::wstring helpFileName() {
    windows::VariantArray result(1);
    EXPECT_EQ(invoke(create().get(), kHelpFileName, DISPATCH_PROPERTYGET, {}, &result[0]), S_OK);
    EXPECT_EQ(V_VT(&result[0]), VT_BSTR);
    return V_BSTR(&result[0]) ? V_BSTR(&result[0]) : L"";
  }

  GetClassObject getClassObject_ = nullptr;
  CanUnloadNow canUnload_ = nullptr;
  wintest::FakeObject reporter_;
  std::vector<std::wstring> idents_;
  std::vector<LONG> numbers_;
};

TEST_F(Server, UnloadOnlyAfterTheLastReleaseAndUnlock) {
  windows::ComPtr<IClassFactory> f = factory();
  EXPECT_EQ(canUnload_(), S_FALSE);  // the factory itself
  windows::ComPtr<IDispatch> object;
  ASSERT_EQ(f->CreateInstance(nullptr, IID_IDispatch, object.putVoid()), S_OK);
  ASSERT_EQ(f->LockServer(TRUE), S_OK);
  f.reset();
  EXPECT_EQ(canUnload_(), S_FALSE);  // an object and a lock
  object.reset();
  EXPECT_EQ(canUnload_(), S_FALSE);  // the lock
  f = factory();
  ASSERT_EQ(f->LockServer(FALSE), S_OK);
  f.reset();
  EXPECT_EQ(canUnload_(), S_OK);

  void* none = nullptr;
  EXPECT_EQ(getClassObject_(IID_IDispatch, IID_IClassFactory, &none), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(none, nullptr);
}

TEST_F(Server, NamesIdsAndDispatchErrors) {
  const windows::ComPtr<IDispatch> object = create();
  struct Case {
    std::vector<std::wstring> names;
    HRESULT status;
    std::vector<DISPID> ids;
  };
  const Case cases[] = {
      {{L"Command_Initialize"}, S_OK, {kCommandInitialize}},
      {{L"command_initialize", L"BASICCMD"}, S_OK, {kCommandInitialize, 0}},
      {{L"HelpFileName"}, S_OK, {kHelpFileName}},
      {{L"Nothing"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN}},
  };
  for (const Case& c : cases) {
    std::vector<LPOLESTR> names;
    for (const auto& n : c.names) names.push_back(const_cast<LPOLESTR>(n.c_str()));
    std::vector<DISPID> ids(names.size());
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names.data(), static_cast<UINT>(names.size()), 0,
                                    ids.data()),
              c.status);
    EXPECT_EQ(ids, c.ids);
  }
  LPOLESTR name = const_cast<LPOLESTR>(L"HelpFileName");
  DISPID id = 0;
  EXPECT_EQ(object->GetIDsOfNames(IID_IDispatch, &name, 1, 0, &id), DISP_E_UNKNOWNINTERFACE);
  VARIANT number;
  VariantInit(&number);
  V_VT(&number) = VT_I4;
  VARIANT result;
  VariantInit(&result);
  EXPECT_EQ(invoke(object.get(), kCommandInitialize, DISPATCH_METHOD, {number}, nullptr),
            DISP_E_TYPEMISMATCH);
  EXPECT_EQ(invoke(object.get(), kCommandInitialize, DISPATCH_METHOD, {}, nullptr),
            DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(invoke(object.get(), kHelpFileName, DISPATCH_PROPERTYPUT, {number}, nullptr),
            DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(invoke(object.get(), 7, DISPATCH_METHOD, {}, &result), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(invoke(object.get(), kHelpFileName, DISPATCH_PROPERTYGET, {}, &result, {}, nullptr,
                   IID_IDispatch),
            DISP_E_UNKNOWNINTERFACE);
  // Wrong arguments say which one is wrong: a name the member does not have, an object that is
  // not one the command can call.
  const windows::ComPtr<IClassFactory> notDispatch = factory();
  VARIANT unknown;
  VariantInit(&unknown);
  V_VT(&unknown) = VT_UNKNOWN;
  V_UNKNOWN(&unknown) = notDispatch.get();
  struct WrongArgument {
    VARIANT arg;
    std::vector<DISPID> named;
    HRESULT status;
  };
  for (const WrongArgument& c : {WrongArgument{number, {5}, DISP_E_PARAMNOTFOUND},
                                 WrongArgument{unknown, {}, DISP_E_TYPEMISMATCH},
                                 WrongArgument{unknown, {0}, DISP_E_TYPEMISMATCH}}) {
    UINT argError = 7;
    EXPECT_EQ(invoke(object.get(), kCommandInitialize, DISPATCH_METHOD, {c.arg}, nullptr, c.named,
                     &argError),
              c.status);
    EXPECT_EQ(argError, 0u);
  }
  windows::ComPtr<ITypeInfo> info;
  ASSERT_EQ(object->GetTypeInfo(0, 0, info.put()), S_OK);
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
  EXPECT_TRUE(IsEqualIID(attr->guid, IID__CQuadrift));
  info->ReleaseTypeAttr(attr);
}

TEST_F(Server, HelpFileNameWithAndWithoutARunningApplication) {
  const wintest::RegisteredClass reporterClass(L"Kestrova.ErrorReporter", kReporterClsid,
                                               reporter_);
  const wchar_t* helpKey =
      L"Software\\Kestrova\\Applications\\QuadriftTest.Application\\Help\\HelpFile";
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, helpKey, nullptr, REG_SZ, L"C:\\Help\\quadrift",
                  sizeof L"C:\\Help\\quadrift");

  // No host library: its creation fails and is reported, and there is no help file.
  EXPECT_EQ(helpFileName(), L"");
  ASSERT_EQ(idents_.size(), 1u);
  EXPECT_EQ(idents_[0], L"kstQuadrift.CQuadrift:HelpFileName");
  EXPECT_EQ(numbers_[0], 429);
  ASSERT_EQ(canUnload_(), S_OK);

  wintest::FakeObject application, global;
  application.members[104] = [](const DISPPARAMS&) {
    return wintest::bstrVariant(L"QuadriftTest.Application");
  };
  {
    const wintest::RegisteredClass globalClass(L"Kestrova.HostGlobal", kHostGlobalClsid, global);
    // The host library reports no running application: no help file, nothing reported.
    global.members[1] = [](const DISPPARAMS&) { return VARIANT{}; };
    EXPECT_EQ(helpFileName(), L"");
    EXPECT_EQ(idents_.size(), 1u);
    ASSERT_EQ(canUnload_(), S_OK);

    // A running application: its help file from the real registry, ".chm" appended.
    global.members[1] = [&](const DISPPARAMS&) { return wintest::dispatchVariant(&application); };
    EXPECT_EQ(helpFileName(), L"C:\\Help\\quadrift.chm");
    EXPECT_EQ(idents_.size(), 1u);
    ASSERT_EQ(canUnload_(), S_OK);
  }
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Kestrova\\Applications\\QuadriftTest.Application");
  // Every reference the component took is given back once it may unload.
  EXPECT_EQ(global.references(), 1u);
  EXPECT_EQ(application.references(), 1u);
  EXPECT_EQ(reporter_.references(), 1u);
}

TEST_F(Server, CommandInitializeTakesTheCommandObjectByReferenceOrAsUnknown) {
  const wintest::RegisteredClass reporterClass(L"Kestrova.ErrorReporter", kReporterClsid,
                                               reporter_);
  wintest::FakeObject command;
  IDispatch* basicCmd = &command;
  IUnknown* unknown = &command;
  VARIANT byReference;
  VariantInit(&byReference);
  V_VT(&byReference) = VT_BYREF | VT_DISPATCH;
  V_DISPATCHREF(&byReference) = &basicCmd;
  VARIANT asUnknown;
  VariantInit(&asUnknown);
  V_VT(&asUnknown) = VT_UNKNOWN;
  V_UNKNOWN(&asUnknown) = unknown;
  VARIANT unknownByReference;
  VariantInit(&unknownByReference);
  V_VT(&unknownByReference) = VT_BYREF | VT_UNKNOWN;
  V_UNKNOWNREF(&unknownByReference) = &unknown;
  for (const VARIANT& arg : {byReference, asUnknown, unknownByReference}) {
    idents_.clear();
    windows::ComPtr<IDispatch> object = create();
    // The command framework's controls are not registered here: the start fails inside the
    // guarded members, is reported, and the caller sees success.
    EXPECT_EQ(invoke(object.get(), kCommandInitialize, DISPATCH_METHOD, {arg}, nullptr), S_OK)
        << V_VT(&arg);
    EXPECT_FALSE(idents_.empty()) << V_VT(&arg);
    for (LONG number : numbers_) EXPECT_EQ(number, 429);
    object.reset();
    ASSERT_EQ(canUnload_(), S_OK);
  }
  EXPECT_EQ(basicCmd, &command);
  EXPECT_EQ(command.references(), 1u);
  EXPECT_EQ(reporter_.references(), 1u);
}

// A host without a session runner, in a process that can make no window: the dialog has no user,
// so its modal loop ends the run at once, as an aborted run and not as a reported failure.
TEST_F(Server, WithoutWindowsTheDialogEndsTheRunAtOnce) {
  if (windows::topLevelWindowsAvailable()) GTEST_SKIP() << "the dialog would wait for its user";
  refhost::ReferenceHost host{wintest::windowsHost()};
  const windows::host_classes::RegisteredHostClasses classes(
      host, windows::host_classes::RegisteredHostClasses::Session::None);
  windows::ComPtr<IDispatch> object = create();
  EXCEPINFO info{};
  EXPECT_EQ(wintest::initializeCommand(*object.get(), host, info), DISP_E_EXCEPTION);
  EXPECT_EQ(info.scode, windows::kRunAborted);
  EXPECT_NE(wintest::takeDescription(info).find(L"frmMain was shown modally"), std::wstring::npos);
  EXPECT_TRUE(host.errorReports().empty());
  object.reset();
  EXPECT_EQ(canUnload_(), S_OK);
}

}  // namespace
