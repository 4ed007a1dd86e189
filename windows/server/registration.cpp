#include "windows/server/registration.hpp"

#include <oleauto.h>
#include <olectl.h>

#include "kstQuadrift412.h"
#include "windows/handles/bstr.hpp"
#include "windows/handles/com_ptr.hpp"

namespace windows {
namespace {

constexpr const wchar_t* kProgId = L"kstQuadrift412.CQuadrift";
// The standard marshaller of OLE-automation interfaces.
constexpr const wchar_t* kAutomationProxy = L"{00020424-0000-0000-C000-000000000046}";

std::wstring textOf(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

std::wstring folderOf(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

struct LibraryFacts {
  std::wstring helpString;
  std::wstring version;
  std::wstring lcid;
};

LibraryFacts libraryFacts(const std::wstring& modulePath) {
  LibraryFacts facts{L"", L"1.0", L"0"};
  ComPtr<ITypeLib> library;
  if (FAILED(LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, library.put()))) return facts;
  UniqueBstr doc;
  if (SUCCEEDED(library->GetDocumentation(-1, nullptr, doc.put(), nullptr, nullptr)) && doc)
    facts.helpString.assign(doc.get(), SysStringLen(doc.get()));
  TLIBATTR* attributes = nullptr;
  if (SUCCEEDED(library->GetLibAttr(&attributes))) {
    wchar_t text[32];
    wsprintfW(text, L"%u.%u", attributes->wMajorVerNum, attributes->wMinorVerNum);
    facts.version = text;
    wsprintfW(text, L"%x", attributes->lcid);
    facts.lcid = text;
    library->ReleaseTLibAttr(attributes);
  }
  return facts;
}

bool isEmpty(HKEY key) {
  DWORD subKeys = 0;
  DWORD values = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr,
                       nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return false;
  return subKeys == 0 && values == 0;
}

}  // namespace

std::vector<RegistryKey> registrationKeys(const std::wstring& modulePath) {
  const LibraryFacts library = libraryFacts(modulePath);
  const std::wstring clsid = L"CLSID\\" + textOf(CLSID_CQuadrift);
  const std::wstring iid = L"Interface\\" + textOf(IID__CQuadrift);
  const std::wstring libid = textOf(LIBID_kstQuadrift412);
  const std::wstring typeLib = L"TypeLib\\" + libid + L"\\" + library.version;
  const wchar_t* platform = sizeof(void*) == 8 ? L"win64" : L"win32";
  return {
      {clsid, {{L"", kProgId}}},
      {clsid + L"\\InprocServer32", {{L"", modulePath}, {L"ThreadingModel", L"Apartment"}}},
      {clsid + L"\\ProgID", {{L"", kProgId}}},
      {clsid + L"\\TypeLib", {{L"", libid}}},
      {clsid + L"\\VERSION", {{L"", library.version}}},
      {kProgId, {{L"", kProgId}}},
      {std::wstring(kProgId) + L"\\CLSID", {{L"", textOf(CLSID_CQuadrift)}}},
      {iid, {{L"", L"_CQuadrift"}}},
      {iid + L"\\ProxyStubClsid", {{L"", kAutomationProxy}}},
      {iid + L"\\ProxyStubClsid32", {{L"", kAutomationProxy}}},
      {iid + L"\\TypeLib", {{L"", libid}, {L"Version", library.version}}},
      {L"TypeLib\\" + libid, {}},
      {typeLib, {{L"", library.helpString}}},
      {typeLib + L"\\FLAGS", {{L"", L"0"}}},
      {typeLib + L"\\HELPDIR", {{L"", folderOf(modulePath)}}},
      {typeLib + L"\\" + library.lcid, {}},
      {typeLib + L"\\" + library.lcid + L"\\" + platform, {{L"", modulePath}}},
  };
}

HRESULT registerServer(const std::wstring& modulePath) {
  for (const RegistryKey& entry : registrationKeys(modulePath)) {
    UniqueKey key;
    LONG status = RegCreateKeyExW(HKEY_CLASSES_ROOT, entry.path.c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, key.put(), nullptr);
    for (const auto& [name, value] : entry.values) {
      if (status != ERROR_SUCCESS) break;
      const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
      status = RegSetValueExW(key.get(), name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(value.c_str()), bytes);
    }
    key.reset();  // closed before a failure removes what was written
    if (status != ERROR_SUCCESS) {
      unregisterServer(modulePath);
      return SELFREG_E_CLASS;
    }
  }
  return S_OK;
}

HRESULT unregisterServer(const std::wstring& modulePath) {
  const std::vector<RegistryKey> keys = registrationKeys(modulePath);
  HRESULT result = S_OK;
  for (auto entry = keys.rbegin(); entry != keys.rend(); ++entry) {
    UniqueKey key;
    LONG status = RegOpenKeyExW(HKEY_CLASSES_ROOT, entry->path.c_str(), 0,
                                KEY_SET_VALUE | KEY_QUERY_VALUE, key.put());
    if (status == ERROR_FILE_NOT_FOUND) continue;
    if (status != ERROR_SUCCESS) {
      result = SELFREG_E_CLASS;
      continue;
    }
    for (const auto& [name, value] : entry->values) {
      status = RegDeleteValueW(key.get(), name.empty() ? nullptr : name.c_str());
      if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) result = SELFREG_E_CLASS;
    }
    const bool empty = isEmpty(key.get());
    key.reset();  // closed before the key is deleted
    if (empty && RegDeleteKeyW(HKEY_CLASSES_ROOT, entry->path.c_str()) != ERROR_SUCCESS)
      result = SELFREG_E_CLASS;
  }
  return result;
}

}  // namespace windows
