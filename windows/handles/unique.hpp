#pragma once

#include <windows.h>

#include <utility>

namespace windows {

// One owner for one handle: released by `Close` when the owner goes, or is reset or assigned;
// movable, not copyable. `Invalid` is the value that means "none" for the handle kind.
template <class Handle, auto Close, Handle Invalid = Handle{}>
class Unique {
 public:
  Unique() = default;
  explicit Unique(Handle handle) : handle_(handle) {}
  ~Unique() { reset(); }
  Unique(Unique&& other) noexcept : handle_(other.release()) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid; }
  // Where a call that hands out a handle puts it; what was held is released first.
  Handle* put() {
    reset();
    return &handle_;
  }
  // Gives the handle up without releasing it.
  Handle release() { return std::exchange(handle_, Invalid); }
  void reset(Handle handle = Invalid) {
    if (handle_ != Invalid) Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Invalid;
};

// A kernel object's handle (process, thread, event, file mapping).
using UniqueHandle = Unique<HANDLE, &CloseHandle>;
// A loaded module (a DLL, or a resource library loaded as data).
using UniqueModule = Unique<HMODULE, &FreeLibrary>;
// An open registry key.
using UniqueKey = Unique<HKEY, &RegCloseKey>;

}  // namespace windows
