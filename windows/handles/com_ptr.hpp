#pragma once

#include <windows.h>

#include <unknwn.h>

#include <concepts>
#include <utility>

namespace windows {

// One counted reference to a COM object through `T` (an interface, or a class implementing
// one), released when the owner goes or is reset; movable, not copyable.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes a reference of its own to `object`.
  explicit ComPtr(T* object) : object_(object) {
    if (object_ != nullptr) object_->AddRef();
  }
  // Takes over the reference the caller holds to `object`.
  static ComPtr adopt(T* object) {
    ComPtr owner;
    owner.object_ = object;
    return owner;
  }
  ~ComPtr() { reset(); }
  ComPtr(ComPtr&& other) noexcept : object_(other.detach()) {}
  template <class U>
  requires std::convertible_to<U*, T*> ComPtr(ComPtr<U>&& other)
  noexcept : object_(other.detach()) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      object_ = other.detach();
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  T* get() const { return object_; }
  T* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  // Where a call that hands out a reference puts it; what was held is released first.
  T** put() {
    reset();
    return &object_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }
  // Gives the reference up without releasing it.
  T* detach() { return std::exchange(object_, nullptr); }
  void reset() {
    if (T* object = detach()) object->Release();
  }

  // The object's interface `iid` as `U`, with a reference of its own; empty when the object
  // has none (or there is no object).
  template <class U>
  ComPtr<U> query(REFIID iid = __uuidof(U)) const {
    ComPtr<U> other;
    if (object_ != nullptr) object_->QueryInterface(iid, other.putVoid());
    return other;
  }

 private:
  T* object_ = nullptr;
};

}  // namespace windows
