#pragma once

#include <string_view>

#include "automation/object.hpp"

namespace automation {

// Creates an object of a class registered outside the component, by its programmatic
// identifier (the language's CreateObject). Throws `Failure` (429 "can't create object") when
// the class is not available.
class ObjectCreator {
 public:
  virtual ~ObjectCreator() = default;
  virtual Object create(std::string_view progId) = 0;
};

inline constexpr std::int32_t kCannotCreateObject = 429;

}  // namespace automation
