#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "automation/object.hpp"
#include "reference_host.hpp"
#include "windows/handles/com_ptr.hpp"

namespace windows::host_classes {

// The classes of one reference host, registered with COM for this process while the object
// lives: the host's own classes (HostGlobal, the resource locator, the error reporter), the
// framework's two controls and the session driver, each under its programmatic identifier
// (HKCU\Software\Classes, and HKEY_CLASSES_ROOT itself where the system does not look in the
// user's classes, as Wine 8 does not) and a class id of its own. Every instance is a new object of
// the host, handed out through a dispatch bridge, so the host's logging, fault injection and live
// count see each call; the controls carry their events over a connection point. Destruction
// revokes the class objects and removes exactly the keys written. Needs an initialised
// apartment.
class RegisteredHostClasses {
 public:
  // How the host runs the command: from a session script on the headless engine inside the
  // DLL's test variant, or with no session (the desktop program), when the driver is left out
  // and the DLL's dialog has the real user.
  enum class Session { Headless, None };

  explicit RegisteredHostClasses(refhost::ReferenceHost& host, Session session = Session::Headless);
  ~RegisteredHostClasses();
  RegisteredHostClasses(const RegisteredHostClasses&) = delete;
  RegisteredHostClasses& operator=(const RegisteredHostClasses&) = delete;

  // The DLL's session object, once its engine was made with this host's driver registered.
  const automation::Object& session() const { return *session_; }
  // Lets go of the session, so that the DLL may unload.
  void releaseSession() { session_->release(); }

 private:
  // A programmatic identifier's key written under `root`; `created` when it did not exist.
  struct ProgIdKey {
    HKEY root;
    std::wstring path;
    bool created = false;
  };
  struct Registration {
    DWORD cookie = 0;
    std::vector<ProgIdKey> keys;
  };
  void add(const std::wstring& progId, const CLSID& clsid, ComPtr<IClassFactory> factory);
  void revokeAll();
  // Writes `path`\CLSID = `clsid` under `root`, and removes exactly what it wrote.
  static ProgIdKey writeProgIdKey(HKEY root, const std::wstring& path, const std::wstring& clsid);
  static void removeProgIdKey(const ProgIdKey& key);

  refhost::ReferenceHost& host_;
  std::shared_ptr<automation::Object> session_ = std::make_shared<automation::Object>();
  std::vector<Registration> registrations_;
};

}  // namespace windows::host_classes
