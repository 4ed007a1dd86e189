#include "automation/variant.hpp"

namespace automation {

const char* Variant::typeName() const {
  static constexpr const char* kNames[] = {"Empty",   "Integer", "Long",   "Double",
                                           "Boolean", "String",  "Object", "Double ByRef"};
  return kNames[v_.index()];
}

}  // namespace automation
