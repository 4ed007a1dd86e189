#include "automation/object.hpp"

#include <string>

#include "automation/failure.hpp"
#include "automation/variant.hpp"

namespace automation {

Dispatch& Object::target() const {
  if (!target_) throw runtimeFailure(errnum::kObjectNotSet);
  return *target_;
}

Variant Object::invoke(DispId id, InvokeKind kind, std::span<Variant> args) const {
  // Keep the object alive for the call even if the call releases the last other reference.
  auto keep = target_;
  return target().invoke(id, kind, args);
}

Variant Object::get(DispId id) const {
  return invoke(id, InvokeKind::Get, {});
}

void Object::put(DispId id, Variant value) const {
  invoke(id, InvokeKind::Put, std::span<Variant>(&value, 1));
}

Variant Object::call(DispId id) const {
  return invoke(id, InvokeKind::Call, {});
}

Variant Object::call(DispId id, std::vector<Variant> args) const {
  return invoke(id, InvokeKind::Call, args);
}

DispId Object::idOfName(std::string_view name) const {
  auto id = target().idOfName(name);
  if (!id) throw runtimeFailure(errnum::kMemberNotFound);
  return *id;
}

Variant Object::getNamed(std::string_view name) const {
  return get(idOfName(name));
}

void Object::putNamed(std::string_view name, Variant value) const {
  put(idOfName(name), std::move(value));
}

}  // namespace automation
