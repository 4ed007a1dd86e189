#pragma once

#include <cstdint>
#include <string>

#include "platform/system.hpp"

namespace portable {

// One call of the help viewer the component made, as the platform received it.
struct HelpCall {
  platform::Handle owner;
  std::string file;  // UTF-8, converted back from the ANSI argument
  std::uint32_t command;
  std::uint32_t data;
};

}  // namespace portable
