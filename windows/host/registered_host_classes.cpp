#include "windows/host/registered_host_classes.hpp"

#include <objbase.h>

#include <stdexcept>

#include "host/dispids.hpp"
#include "windows/automation/dispatch_bridge.hpp"
#include "windows/handles/unique.hpp"
#include "windows/host/com_host_control.hpp"
#include "windows/host/host_class_factory.hpp"
#include "windows/host/session_objects.hpp"
#include "windows/platform/ansi_codec.hpp"
#include "windows/session/protocol.hpp"

namespace windows::host_classes {
namespace {

const std::wstring kClasses = L"Software\\Classes\\";

// The class ids of the host's classes in this process: one base, the last byte per class.
CLSID classId(unsigned char which) {
  return {0x7a4e91c3, 0x2b6d, 0x4f05, {0x8c, 0x1e, 0x93, 0x5d, 0x20, 0x6b, 0xa4, which}};
}

std::wstring textOf(const CLSID& clsid) {
  wchar_t text[40] = {};
  StringFromGUID2(clsid, text, 40);
  return text;
}

bool progIdFinds(const std::wstring& progId, const CLSID& clsid) {
  CLSID found;
  return SUCCEEDED(CLSIDFromProgID(progId.c_str(), &found)) && IsEqualCLSID(found, clsid);
}

ComPtr<IUnknown> bridged(automation::Object object) {
  return ComPtr<IUnknown>::adopt(DispatchBridge::create(object));
}

}  // namespace

RegisteredHostClasses::RegisteredHostClasses(refhost::ReferenceHost& host, Session run)
    : host_(host) {
  namespace progid = ::host::progid;
  auto& objects = host_.objectCreator();
  auto& controls = host_.controlFactory();
  const auto hostClass = [&objects](std::string_view name) {
    return [&objects, name] { return bridged(objects.create(name)); };
  };
  const auto controlClass = [&controls](std::string_view name) {
    return
        [&controls, name]() -> ComPtr<IUnknown> { return ComHostControl::create(controls, name); };
  };
  const auto session = session_;
  try {
    add(wideFromUtf8(progid::kHostGlobal), classId(1),
        HostClassFactory::create(hostClass(progid::kHostGlobal)));
    add(wideFromUtf8(progid::kResourceLocator), classId(2),
        HostClassFactory::create(hostClass(progid::kResourceLocator)));
    add(wideFromUtf8(progid::kErrorReporter), classId(3),
        HostClassFactory::create(hostClass(progid::kErrorReporter)));
    add(wideFromUtf8(progid::kCommandControl), classId(4),
        HostClassFactory::create(controlClass(progid::kCommandControl)));
    add(wideFromUtf8(progid::kMouseControl), classId(5),
        HostClassFactory::create(controlClass(progid::kMouseControl)));
    if (run == Session::Headless) {
      add(harness::kSessionDriverProgId, classId(6), HostClassFactory::create([session] {
            return bridged(automation::Object(std::make_shared<SessionDriver>(session)));
          }));
    }
  } catch (...) {
    revokeAll();
    throw;
  }
}

RegisteredHostClasses::~RegisteredHostClasses() {
  revokeAll();
  session_->release();
}

RegisteredHostClasses::ProgIdKey RegisteredHostClasses::writeProgIdKey(HKEY root,
                                                                       const std::wstring& path,
                                                                       const std::wstring& clsid) {
  UniqueKey key;
  DWORD disposition = 0;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.put(),
                      &disposition) != ERROR_SUCCESS)
    throw std::runtime_error("cannot write the class key " + utf8FromWide(path));
  const ProgIdKey written{root, path, disposition == REG_CREATED_NEW_KEY};
  const LSTATUS status = RegSetKeyValueW(key.get(), L"CLSID", nullptr, REG_SZ, clsid.c_str(),
                                         static_cast<DWORD>((clsid.size() + 1) * sizeof(wchar_t)));
  key.reset();  // closed before a failure removes it
  if (status != ERROR_SUCCESS) {
    removeProgIdKey(written);
    throw std::runtime_error("cannot write the class key " + utf8FromWide(path));
  }
  return written;
}

void RegisteredHostClasses::removeProgIdKey(const ProgIdKey& key) {
  RegDeleteKeyW(key.root, (key.path + L"\\CLSID").c_str());
  if (key.created) RegDeleteKeyW(key.root, key.path.c_str());
}

void RegisteredHostClasses::revokeAll() {
  for (auto it = registrations_.rbegin(); it != registrations_.rend(); ++it) {
    CoRevokeClassObject(it->cookie);
    for (const ProgIdKey& key : it->keys) removeProgIdKey(key);
  }
  registrations_.clear();
}

// COM holds a reference of its own to `factory` while it is registered.
void RegisteredHostClasses::add(const std::wstring& progId, const CLSID& clsid,
                                ComPtr<IClassFactory> factory) {
  Registration registration;
  try {
    const std::wstring id = textOf(clsid);
    registration.keys.push_back(writeProgIdKey(HKEY_CURRENT_USER, kClasses + progId, id));
    if (!progIdFinds(progId, clsid))
      registration.keys.push_back(writeProgIdKey(HKEY_CLASSES_ROOT, progId, id));
    if (FAILED(CoRegisterClassObject(clsid, factory.get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                     &registration.cookie)))
      throw std::runtime_error("cannot register the class " + utf8FromWide(progId));
  } catch (...) {
    for (const ProgIdKey& key : registration.keys) removeProgIdKey(key);
    throw;
  }
  registrations_.push_back(std::move(registration));
}

}  // namespace windows::host_classes
