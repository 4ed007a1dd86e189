#pragma once

#include <windows.h>

#include <oaidl.h>

namespace windows {

// The host's session driver class, registered by its programmatic identifier and served from
// this process for as long as the object lives: every instance the DLL creates is `driver`.
class SessionDriverClass {
 public:
  explicit SessionDriverClass(IDispatch* driver);
  ~SessionDriverClass();
  SessionDriverClass(const SessionDriverClass&) = delete;
  SessionDriverClass& operator=(const SessionDriverClass&) = delete;

 private:
  IClassFactory* factory_ = nullptr;
  DWORD cookie_ = 0;
};

}  // namespace windows
