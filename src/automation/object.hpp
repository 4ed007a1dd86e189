#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <vector>

namespace automation {

class Variant;

using DispId = std::int32_t;

enum class InvokeKind { Get, Put, Call };

// A late-bound object's dispatch interface. Arguments are passed first to last; a put passes
// the new value as its only (or last) argument. Implementations throw `Failure`.
class Dispatch {
 public:
  virtual ~Dispatch() = default;
  virtual Variant invoke(DispId id, InvokeKind kind, std::span<Variant> args) = 0;
  // The dispatch id of a member named `name`, or nothing when the object has no such member.
  virtual std::optional<DispId> idOfName(std::string_view name) = 0;
};

// A counted reference to a late-bound object. Copies share the object; the object lives until
// its last reference is released. A reference that is not set fails every call with the
// runtime's "object variable not set" (91); releasing it is harmless.
class Object {
 public:
  Object() = default;
  explicit Object(std::shared_ptr<Dispatch> target) : target_(std::move(target)) {}

  bool isSet() const { return target_ != nullptr; }
  void release() { target_.reset(); }
  Dispatch* get() const { return target_.get(); }
  friend bool operator==(const Object& a, const Object& b) { return a.target_ == b.target_; }

  Variant invoke(DispId id, InvokeKind kind, std::span<Variant> args) const;
  Variant get(DispId id) const;
  void put(DispId id, Variant value) const;
  Variant call(DispId id) const;
  Variant call(DispId id, std::vector<Variant> args) const;

  // Look-up of a member by name at run time; fails with 438 when there is none.
  DispId idOfName(std::string_view name) const;
  Variant getNamed(std::string_view name) const;
  void putNamed(std::string_view name, Variant value) const;

 private:
  Dispatch& target() const;
  std::shared_ptr<Dispatch> target_;
};

// The object behind `object` when it is a `T`, else null (also when `object` is not set). `T`
// is final, so comparing the exact type answers what a cast through the hierarchy would, at a
// fraction of its cost on a path that runs for every argument of a call.
template <class T>
T* objectOfType(const Object& object) {
  static_assert(std::is_final_v<T>, "an exact type check stands for a cast only for a final class");
  Dispatch* target = object.get();
  return target != nullptr && typeid(*target) == typeid(T) ? static_cast<T*>(target) : nullptr;
}

}  // namespace automation
