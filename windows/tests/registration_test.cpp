#include <gtest/gtest.h>

#include "test_support.hpp"

namespace {

using wintest::classKeyExists;
using wintest::classValue;

const std::wstring kClsid = L"{C963ACF1-4B76-4ED7-9F03-DE8F7B96331E}";
const std::wstring kIid = L"{A0F37EA0-F8FC-40E0-B399-A8C503775AF0}";
const std::wstring kLibid = L"{1209153B-9B6F-4475-9EBC-5CC022D54F72}";
const std::wstring kAutomationProxy = L"{00020424-0000-0000-C000-000000000046}";

struct ExpectedValue {
  std::wstring key;
  std::wstring name;
  std::wstring value;
};

std::vector<ExpectedValue> expectedValues() {
  const std::wstring dll = wintest::componentPath();
  const std::wstring folder = dll.substr(0, dll.find_last_of(L'\\'));
  const std::wstring lib = L"TypeLib\\" + kLibid + L"\\1.1";
  return {
      {L"CLSID\\" + kClsid, L"", L"kstQuadrift412.CQuadrift"},
      {L"CLSID\\" + kClsid + L"\\InprocServer32", L"", dll},
      {L"CLSID\\" + kClsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {L"CLSID\\" + kClsid + L"\\ProgID", L"", L"kstQuadrift412.CQuadrift"},
      {L"CLSID\\" + kClsid + L"\\TypeLib", L"", kLibid},
      {L"kstQuadrift412.CQuadrift\\CLSID", L"", kClsid},
      {L"Interface\\" + kIid, L"", L"_CQuadrift"},
      {L"Interface\\" + kIid + L"\\ProxyStubClsid32", L"", kAutomationProxy},
      {L"Interface\\" + kIid + L"\\TypeLib", L"", kLibid},
      {L"Interface\\" + kIid + L"\\TypeLib", L"Version", L"1.1"},
      {lib, L"", L"kstQuadrift412: the Move Sheet Border command, 4.1.2"},
      {lib + L"\\FLAGS", L"", L"0"},
      {lib + L"\\HELPDIR", L"", folder},
      {lib + L"\\409\\" + (sizeof(void*) == 8 ? L"win64" : L"win32"), L"", dll},
  };
}

const std::vector<std::wstring> kTopKeys = {L"CLSID\\" + kClsid, L"kstQuadrift412.CQuadrift",
                                            L"Interface\\" + kIid, L"TypeLib\\" + kLibid};

HRESULT createByProgId(IDispatch** object) {
  CLSID clsid;
  *object = nullptr;
  const HRESULT found = CLSIDFromProgID(L"kstQuadrift412.CQuadrift", &clsid);
  if (FAILED(found)) return found;
  return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                          reinterpret_cast<void**>(object));
}

TEST(Registration, RoundTripWritesEveryKeyAndRemovesOnlyItsOwn) {
  const auto reg = wintest::exportOf<HRESULT(STDAPICALLTYPE*)()>("ZULRegisterServer");
  const auto unreg = wintest::exportOf<HRESULT(STDAPICALLTYPE*)()>("ZULUnregisterServer");
  ASSERT_NE(reg, nullptr);
  ASSERT_NE(unreg, nullptr);

  // Nothing registered yet: unregistering succeeds and changes nothing.
  ASSERT_EQ(unreg(), S_OK);
  for (const auto& key : kTopKeys) EXPECT_FALSE(classKeyExists(key));

  ASSERT_EQ(reg(), S_OK);
  for (const auto& [key, name, value] : expectedValues())
    EXPECT_EQ(classValue(key, name).value_or(L"<missing>"), value) << key << " " << name;
  windows::ComPtr<IDispatch> object;
  ASSERT_EQ(createByProgId(object.put()), S_OK);
  object.reset();  // gone before the server is unregistered

  // A value and a version of the library that another component wrote stay.
  wintest::setClassValue(L"CLSID\\" + kClsid, L"Foreign", L"kept");
  wintest::setClassValue(L"TypeLib\\" + kLibid + L"\\9.0", L"", L"another version");
  ASSERT_EQ(unreg(), S_OK);
  EXPECT_EQ(classValue(L"CLSID\\" + kClsid, L"Foreign").value_or(L""), L"kept");
  EXPECT_EQ(classValue(L"TypeLib\\" + kLibid + L"\\9.0").value_or(L""), L"another version");
  for (const auto& entry : expectedValues()) EXPECT_FALSE(classValue(entry.key, entry.name));
  EXPECT_FALSE(classKeyExists(L"CLSID\\" + kClsid + L"\\InprocServer32"));
  EXPECT_FALSE(classKeyExists(L"TypeLib\\" + kLibid + L"\\1.1"));
  wintest::deleteClassTree(L"CLSID\\" + kClsid);
  wintest::deleteClassTree(L"TypeLib\\" + kLibid);

  // Registered again and removed again, nothing of it is left and nothing creates it.
  ASSERT_EQ(reg(), S_OK);
  ASSERT_EQ(unreg(), S_OK);
  for (const auto& key : kTopKeys) EXPECT_FALSE(classKeyExists(key)) << key;
  EXPECT_FALSE(SUCCEEDED(createByProgId(object.put())));
  CLSID clsid;
  CLSIDFromString(kClsid.c_str(), &clsid);
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.putVoid()),
            REGDB_E_CLASSNOTREG);
}

}  // namespace
