#pragma once

#include "automation/creator.hpp"

namespace windows {

// Creates objects of registered COM classes by programmatic identifier: CLSIDFromProgID, then
// CoCreateInstance for IDispatch. A class that is not registered or cannot be created fails
// with "can't create object" (429).
class ComCreator final : public automation::ObjectCreator {
 public:
  automation::Object create(std::string_view progId) override;
};

}  // namespace windows
