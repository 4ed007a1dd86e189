#include "support/satellites.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace satellites {

std::string scriptOf(std::uint32_t lcid) {
  std::ifstream in(
      std::string(QUADRIFT_SOURCE_DIR) + "/resources/kstQuadrift_" + std::to_string(lcid) + ".rc",
      std::ios::binary);
  EXPECT_TRUE(in) << "no string table for " << lcid;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

portable::StringTable tableOf(std::uint32_t lcid) {
  const auto table = portable::parseResourceScript(scriptOf(lcid));
  EXPECT_TRUE(table.has_value()) << lcid;
  return table.value_or(portable::StringTable{});
}

}  // namespace satellites
