#include "platform/resource_strings.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/portable_system.hpp"
#include "recording_sink.hpp"

namespace platform {
namespace {

using platform_test::RecordingSink;

class ResourceStrings : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string kana;
    for (int i = 0; i < 300; ++i) kana += "あ";
    path_ = std::filesystem::temp_directory_path() /
            ("quadrift_strings_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + ".dll");
    std::ofstream(path_, std::ios::binary) << "#pragma code_page(65001)\nSTRINGTABLE\nBEGIN\n"
                                           << "  193, \"Move Sheet Border\"\n"
                                           << "  194, \"" << std::string(600, 'w') << "\"\n"
                                           << "  195, \"" << kana << "\"\n"
                                           << "  196, \"用紙サイズ\"\n"
                                           << "END\n";
    module = system.LoadLibraryExA(path_.string(), 0, kLoadLibraryAsDatafile);
    ASSERT_NE(module, 0u);
  }
  void TearDown() override {
    system.FreeLibrary(module);
    std::filesystem::remove(path_);
  }

  portable::PortableSystem system;
  RecordingSink sink;
  Handle module = 0;

 private:
  std::filesystem::path path_;
};

TEST_F(ResourceStrings, ReadsStringsAndGivesEmptyForUnknownIdsOrNoLibrary) {
  EXPECT_EQ(GetResourceString(system, sink, module, 193), "Move Sheet Border");
  EXPECT_EQ(GetResourceString(system, sink, module, 206), "");
  EXPECT_EQ(GetResourceString(system, sink, module, -1), "");
  EXPECT_EQ(GetResourceString(system, sink, 0, 193), "");
  EXPECT_TRUE(sink.reports.empty());
}

TEST_F(ResourceStrings, LongStringsAreCutTo499Bytes) {
  EXPECT_EQ(GetResourceString(system, sink, module, 194), std::string(499, 'w'));
}

TEST_F(ResourceStrings, DoubleByteTextIsCutOnACharacterBoundaryWithNothingAfterIt) {
  system.setUserLocale(1041);
  std::string expected;
  for (int i = 0; i < 249; ++i) expected += "あ";
  EXPECT_EQ(GetResourceString(system, sink, module, 195), expected);
  // A short string comes back whole: its byte count must not pull in the buffer's padding.
  EXPECT_EQ(GetResourceString(system, sink, module, 196), "用紙サイズ");
}

TEST_F(ResourceStrings, TextTheCodePageLacksComesBackAsQuestionMarks) {
  EXPECT_EQ(GetResourceString(system, sink, module, 196), "?????");
}

}  // namespace
}  // namespace platform
