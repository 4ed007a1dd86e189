// An integrator's client of the unpacked package, compiled against the package's header alone:
// it registers the DLL from the package's folder through its export, creates the class by its
// ProgID, reads HelpFileName, runs the command with the host's command object (its dialog
// closed as its user closes it), releases it, asks the unload query, unregisters the DLL and
// finds nothing of it left in the registry.
//
// quadrift_package_client.exe FOLDER   (the unpacked package's folder, as a Windows path)
#include <gtest/gtest.h>

#include <windows.h>

// The header's identifiers are defined in this file.
#include <initguid.h>

#include <cstdio>
#include <cwctype>
#include <string>
#include <vector>

#include "client_host.hpp"
#include "kstQuadrift412.h"
#include "windows/handles/bstr.hpp"
#include "windows/handles/com_ptr.hpp"
#include "windows/handles/unique.hpp"
#include "windows/tests/class_keys.hpp"
#include "windows/tests/thread_timer.hpp"

namespace {

using wintest::classKeyExists;
using wintest::classValue;
using Entry = HRESULT(STDAPICALLTYPE*)();
constexpr wchar_t kProgId[] = L"kstQuadrift412.CQuadrift";

std::wstring packageFolder;  // set by main from the command line

std::wstring textOf(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

std::wstring lower(std::wstring text) {
  for (wchar_t& ch : text) ch = static_cast<wchar_t>(std::towlower(ch));
  return text;
}

// Every key below `path` whose name or string values mention `needle` (lower case).
void findMentions(HKEY root, const std::wstring& path, const std::wstring& needle,
                  std::vector<std::wstring>& found) {
  windows::UniqueKey key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return;
  if (lower(path).find(needle) != std::wstring::npos) found.push_back(path);
  for (DWORD i = 0;; ++i) {
    wchar_t name[1024];
    DWORD nameLength = 1024;
    wchar_t data[4096];
    DWORD dataSize = sizeof data - sizeof(wchar_t);
    DWORD type = 0;
    const LSTATUS status = RegEnumValueW(key.get(), i, name, &nameLength, nullptr, &type,
                                         reinterpret_cast<BYTE*>(data), &dataSize);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) continue;
    data[dataSize / sizeof(wchar_t)] = L'\0';
    if (lower(data).find(needle) != std::wstring::npos) found.push_back(path + L" [" + name + L"]");
  }
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLength = 256;
    if (RegEnumKeyExW(key.get(), i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    findMentions(root, path.empty() ? name : path + L"\\" + name, needle, found);
  }
}

// Closes the command's dialog as its user would, with the window's close control, once it is
// shown: a window of this thread owned by the host's main window, found from a thread timer,
// which the dialog's modal loop dispatches. Keeps the dialog's caption.
class DialogCloser {
 public:
  explicit DialogCloser(HWND host) : host_(host) {}

  const std::wstring& caption() const { return caption_; }

 private:
  void tick() {
    if (caption_.empty())
      EnumThreadWindows(GetCurrentThreadId(), closeDialog, reinterpret_cast<LPARAM>(this));
  }
  static BOOL CALLBACK closeDialog(HWND window, LPARAM self) {
    return reinterpret_cast<DialogCloser*>(self)->closeIfDialog(window) ? FALSE : TRUE;
  }
  bool closeIfDialog(HWND window) {
    if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) != host_) return false;
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    caption_ = text[0] != L'\0' ? text : L"(no caption)";
    PostMessageW(window, WM_CLOSE, 0, 0);
    return true;
  }

  HWND host_;
  std::wstring caption_;
  wintest::ThreadTimer timer_{100, [this] { tick(); }};
};

TEST(PackageClient, RegistersRunsAndUnregistersFromTheUnpackedFolder) {
  const std::wstring& folder = packageFolder;
  const std::wstring dll = folder + L"\\kstQuadrift412.dll";
  const windows::UniqueModule module(LoadLibraryW(dll.c_str()));
  ASSERT_TRUE(module) << "cannot load " << dll << ": error " << GetLastError();
  const auto entry = [&module](const char* name) {
    return reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module.get(), name)));
  };
  const Entry reg = entry("ZULRegisterServer");
  const Entry unreg = entry("ZULUnregisterServer");
  const Entry canUnload = entry("DllCanUnloadNow");
  ASSERT_TRUE(reg && unreg && canUnload);

  // Registered from the package's folder, under the header's identifiers.
  ASSERT_EQ(reg(), S_OK);
  const std::wstring clsid = textOf(CLSID_CQuadrift);
  const std::wstring iid = textOf(IID__CQuadrift);
  const std::wstring libid = textOf(LIBID_kstQuadrift412);
  const std::wstring lib = L"TypeLib\\" + libid + L"\\1.1";
  struct Expected {
    std::wstring key;
    std::wstring value;
  };
  const Expected expected[] = {
      {L"CLSID\\" + clsid + L"\\InprocServer32", dll},
      {std::wstring(kProgId) + L"\\CLSID", clsid},
      {L"Interface\\" + iid + L"\\TypeLib", libid},
      {lib + L"\\409\\" + (sizeof(void*) == 8 ? L"win64" : L"win32"), dll},
      {lib + L"\\HELPDIR", folder},
  };
  for (const auto& [key, value] : expected)
    EXPECT_EQ(classValue(key).value_or(L"<missing>"), value) << key;

  // The registered type library and the package's file agree with the header and the text.
  windows::ComPtr<ITypeLib> registered;
  ASSERT_EQ(LoadRegTypeLib(LIBID_kstQuadrift412, 1, 1, 0x409, registered.put()), S_OK);
  windows::ComPtr<ITypeInfo> info;
  ASSERT_EQ(registered->GetTypeInfoOfGuid(IID__CQuadrift, info.put()), S_OK);
  for (const auto& [name, id] :
       {std::pair{L"Command_Initialize", 0x60030000}, std::pair{L"HelpFileName", 0x68030001}}) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    MEMBERID found = 0;
    EXPECT_EQ(info->GetIDsOfNames(names, 1, &found), S_OK);
    EXPECT_EQ(found, id) << name;
  }
  windows::ComPtr<ITypeLib> file;
  ASSERT_EQ(LoadTypeLibEx((folder + L"\\kstQuadrift412.tlb").c_str(), REGKIND_NONE, file.put()),
            S_OK);
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(file->GetLibAttr(&attr), S_OK);
  EXPECT_TRUE(IsEqualGUID(attr->guid, LIBID_kstQuadrift412));
  EXPECT_EQ(attr->wMajorVerNum, 1);
  EXPECT_EQ(attr->wMinorVerNum, 1);
  file->ReleaseTLibAttr(attr);

  {
    ClientHost host;
    const std::wstring helpKey =
        L"Software\\Kestrova\\Applications\\" + host.registeredName() + L"\\Help\\HelpFile";
    constexpr wchar_t kHelpFile[] = L"C:\\Help\\host";
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, helpKey.c_str(), nullptr, REG_SZ, kHelpFile,
                              sizeof kHelpFile),
              ERROR_SUCCESS);

    CLSID byProgId{};
    ASSERT_EQ(CLSIDFromProgID(kProgId, &byProgId), S_OK);
    EXPECT_TRUE(IsEqualCLSID(byProgId, CLSID_CQuadrift));
    windows::ComPtr<_CQuadrift> command;
    ASSERT_EQ(CoCreateInstance(byProgId, nullptr, CLSCTX_INPROC_SERVER, IID__CQuadrift,
                               command.putVoid()),
              S_OK);

    windows::UniqueBstr helpFile;
    EXPECT_EQ(command->get_HelpFileName(helpFile.put()), S_OK);
    EXPECT_EQ(std::wstring(helpFile ? helpFile.get() : L""), L"C:\\Help\\host.chm");
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Kestrova");

    const auto commandObject = windows::ComPtr<IDispatch>::adopt(host.commandObject());
    IDispatch* basicCmd = commandObject.get();
    {
      const DialogCloser closer(host.mainWindow());
      EXPECT_EQ(command->Command_Initialize(&basicCmd), S_OK);
      // The dialog's caption comes from the package's English satellite.
      EXPECT_EQ(closer.caption(), L"Move Sheet Border");
    }
    EXPECT_EQ(basicCmd, commandObject.get());
    EXPECT_TRUE(host.commandEnded());
    EXPECT_TRUE(IsWindowEnabled(host.mainWindow()));  // the modal loop gave it back
    EXPECT_EQ(host.errorReports(), std::vector<std::string>{});
    command.reset();
    EXPECT_EQ(canUnload(), S_OK);
  }

  // Unregistered, nothing of the component is left: not its keys, not a value naming its folder.
  ASSERT_EQ(unreg(), S_OK);
  for (const std::wstring& key :
       {L"CLSID\\" + clsid, std::wstring(kProgId), L"Interface\\" + iid, L"TypeLib\\" + libid})
    EXPECT_FALSE(classKeyExists(key)) << key;
  CLSID none{};
  EXPECT_NE(CLSIDFromProgID(kProgId, &none), S_OK);
  std::vector<std::wstring> left;
  findMentions(HKEY_CLASSES_ROOT, L"", lower(folder), left);
  findMentions(HKEY_CLASSES_ROOT, L"", lower(clsid), left);
  EXPECT_EQ(left, std::vector<std::wstring>{});
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER (the unpacked package)\n", argv[0]);
    return 2;
  }
  const int length = MultiByteToWideChar(CP_ACP, 0, argv[1], -1, nullptr, 0);
  packageFolder.assign(static_cast<std::size_t>(length > 0 ? length - 1 : 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, argv[1], -1, packageFolder.data(), length);
  if (FAILED(CoInitialize(nullptr))) return 1;
  const int status = RUN_ALL_TESTS();
  CoFreeUnusedLibraries();
  CoUninitialize();
  return status;
}
