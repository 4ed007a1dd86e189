#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/portable_system.hpp"

namespace portable {
namespace {

using platform::Handle;
using platform::kHKeyLocalMachine;

constexpr const char* kKey = "Software\\Kestrova\\Applications\\Planorix.Application\\Help";

class PortableRegistry : public ::testing::Test {
 protected:
  Handle open(const std::string& path) {
    Handle key = 0xDEAD;
    EXPECT_EQ(system.RegOpenKeyExA(kHKeyLocalMachine, path, 0, platform::kKeyRead, key), 0);
    return key;
  }
  PortableSystem system;
};

TEST_F(PortableRegistry, StringSizeIncludesTheNulAndSmallBuffersGetMoreData) {
  system.setRegistryString(kHKeyLocalMachine, kKey, "HelpFile", "C:\\Help\\planorix.chm");
  const Handle key = open(kKey);
  ASSERT_NE(key, 0u);

  std::uint32_t type = 0;
  std::uint32_t size = 0;
  ASSERT_EQ(system.RegQueryValueExA(key, "HelpFile", &type, nullptr, size), 0);
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(size, 21u);  // 20 characters and the NUL

  std::string buffer(40, 'x');
  std::uint32_t small = 20;
  EXPECT_EQ(system.RegQueryValueExA(key, "HelpFile", nullptr,
                                    reinterpret_cast<std::uint8_t*>(buffer.data()), small),
            platform::kErrorMoreData);
  EXPECT_EQ(small, 21u);
  EXPECT_EQ(buffer, std::string(40, 'x'));  // nothing copied

  std::uint32_t exact = 21;
  ASSERT_EQ(system.RegQueryValueExA(key, "helpfile", nullptr,
                                    reinterpret_cast<std::uint8_t*>(buffer.data()), exact),
            0);
  EXPECT_EQ(std::string(buffer.c_str()), "C:\\Help\\planorix.chm");
  EXPECT_EQ(buffer[21], 'x');
  EXPECT_EQ(system.RegCloseKey(key), 0);
  EXPECT_EQ(system.openRegistryKeyCount(), 0u);
}

TEST_F(PortableRegistry, ValuesOfAnyTypeAndSize) {
  system.setRegistryDword(kHKeyLocalMachine, kKey, "Depth", 0x01020304u);
  system.setRegistryValue(kHKeyLocalMachine, kKey, "Empty", kRegBinary, "");
  system.setRegistryValue(kHKeyLocalMachine, kKey, "", kRegSz, std::string("ab\0", 3));
  const Handle key = open(kKey);

  std::uint32_t type = 0;
  std::uint32_t size = 0;
  ASSERT_EQ(system.RegQueryValueExA(key, "Depth", &type, nullptr, size), 0);
  EXPECT_EQ(type, kRegDword);
  ASSERT_EQ(size, 4u);
  std::uint8_t bytes[4] = {};
  ASSERT_EQ(system.RegQueryValueExA(key, "Depth", nullptr, bytes, size), 0);
  EXPECT_EQ(bytes[0], 0x04);
  EXPECT_EQ(bytes[3], 0x01);

  ASSERT_EQ(system.RegQueryValueExA(key, "Empty", &type, nullptr, size), 0);
  EXPECT_EQ(type, kRegBinary);
  EXPECT_EQ(size, 0u);

  // The empty name is the key's default value.
  ASSERT_EQ(system.RegQueryValueExA(key, "", &type, nullptr, size), 0);
  EXPECT_EQ(size, 3u);
  system.RegCloseKey(key);
}

TEST_F(PortableRegistry, MissingKeysValuesAndBadHandles) {
  system.setRegistryString(kHKeyLocalMachine, kKey, "HelpFile", "x");
  Handle key = 0xDEAD;
  EXPECT_EQ(system.RegOpenKeyExA(kHKeyLocalMachine, "Software\\Nowhere", 0, 0x20009, key),
            platform::kErrorFileNotFound);
  EXPECT_EQ(key, 0u);
  EXPECT_EQ(system.RegOpenKeyExA(kHKeyLocalMachine, "Software\\\\Kestrova", 0, 0x20009, key),
            platform::kErrorFileNotFound);
  EXPECT_EQ(system.RegOpenKeyExA(0x1234, "Software", 0, 0x20009, key), kErrorInvalidHandle);

  std::uint32_t size = 99;
  EXPECT_EQ(system.RegQueryValueExA(0, "HelpFile", nullptr, nullptr, size), kErrorInvalidHandle);
  EXPECT_EQ(size, 99u);

  // Ancestors of a seeded key exist; a key opened relative to another reaches its children.
  const Handle software = open("SOFTWARE");
  ASSERT_NE(software, 0u);
  Handle help = 0;
  ASSERT_EQ(system.RegOpenKeyExA(software, "kestrova\\applications\\planorix.application\\help", 0,
                                 0x20009, help),
            0);
  EXPECT_EQ(system.RegQueryValueExA(help, "Missing", nullptr, nullptr, size),
            platform::kErrorFileNotFound);
  EXPECT_EQ(system.RegQueryValueExA(help, "HelpFile", nullptr, nullptr, size), 0);
  EXPECT_EQ(system.openRegistryKeyCount(), 2u);
  EXPECT_EQ(system.RegCloseKey(help), 0);
  EXPECT_EQ(system.RegCloseKey(help), kErrorInvalidHandle);
  EXPECT_EQ(system.RegQueryValueExA(help, "HelpFile", nullptr, nullptr, size), kErrorInvalidHandle);
  system.RegCloseKey(software);
  EXPECT_EQ(system.openRegistryKeyCount(), 0u);
}

TEST_F(PortableRegistry, StringsAreServedInTheUsersAnsiCodePage) {
  system.setRegistryString(kHKeyLocalMachine, kKey, "HelpFile", "C:\\製図.chm");
  system.setUserLocale(1041);
  const Handle key = open(system.ToAnsi(kKey));
  std::uint32_t size = 0;
  ASSERT_EQ(system.RegQueryValueExA(key, "HelpFile", nullptr, nullptr, size), 0);
  ASSERT_EQ(size, 12u);  // 3 + two double-byte characters + 4 + NUL
  std::string buffer(size, '\0');
  ASSERT_EQ(system.RegQueryValueExA(key, "HelpFile", nullptr,
                                    reinterpret_cast<std::uint8_t*>(buffer.data()), size),
            0);
  EXPECT_EQ(buffer.substr(0, 7), "C:\\\x90\xBB\x90\x7D");
  EXPECT_EQ(system.FromAnsi(buffer.substr(0, 11)), "C:\\製図.chm");
  system.RegCloseKey(key);
}

}  // namespace
}  // namespace portable
