#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/ansi_codec.hpp"
#include "platform/locale_table.hpp"
#include "platform/portable_system.hpp"

namespace portable {
namespace {

TEST(AnsiCodec, JapaneseRoundTripsThroughShiftJis) {
  AnsiCodec codec(932);
  const std::string ansi = codec.toAnsi("用紙幅 A4");
  EXPECT_EQ(ansi, "\x97\x70\x8E\x86\x95\x9D A4");
  EXPECT_EQ(codec.fromAnsi(ansi), "用紙幅 A4");
}

TEST(AnsiCodec, WhatTheCodePageLacksBecomesAQuestionMark) {
  AnsiCodec western(1252);
  EXPECT_EQ(western.toAnsi("Größe"),
            "Gr\xF6\xDF"
            "e");
  EXPECT_EQ(western.fromAnsi("Gr\xF6\xDF"
                             "e"),
            "Größe");
  EXPECT_EQ(western.toAnsi("用紙 x"), "?? x");
  EXPECT_EQ(western.toAnsi("bad \xFF\xC3 utf8"), "bad ?? utf8");

  AnsiCodec japanese(932);
  EXPECT_EQ(japanese.fromAnsi("a\x81"), "a?");  // a lead byte without its trail byte
  EXPECT_EQ(japanese.fromAnsi("\xA0z"), "?z");  // a byte Shift-JIS does not define
  EXPECT_EQ(japanese.toAnsi("Größe"), "Gr??e");
  EXPECT_EQ(japanese.fromAnsi(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(AnsiCodec, ChineseAndKoreanCodePages) {
  EXPECT_EQ(AnsiCodec(936).toAnsi("图纸"), "\xCD\xBC\xD6\xBD");
  EXPECT_EQ(AnsiCodec(950).toAnsi("紙"), "\xAF\xC8");
  EXPECT_EQ(AnsiCodec(949).toAnsi("한"), "\xC7\xD1");
}

TEST(AnsiCodec, ReportsWhereEachCharacterStarts) {
  AnsiCodec codec(932);
  std::vector<std::size_t> starts;
  EXPECT_EQ(codec.toAnsi("aあb", &starts).size(), 4u);
  EXPECT_EQ(starts, (std::vector<std::size_t>{0, 1, 3, 4}));
}

TEST(LocaleTable, CodePagesAndDecimalSeparators) {
  struct Row {
    std::uint32_t lcid;
    std::uint32_t codePage;
    char separator;
  };
  const Row rows[] = {
      {1033, 1252, '.'},   {1031, 1252, ','}, {2055, 1252, '.'},  // German, Switzerland
      {1041, 932, '.'},    {2052, 936, '.'},  {1028, 950, '.'},  {3076, 950, '.'},
      {4100, 936, '.'},    {1042, 949, '.'},  {1036, 1252, ','}, {3084, 1252, ','},
      {1040, 1252, ','},   {3082, 1252, ','}, {2058, 1252, '.'},  // Spanish, Mexico
      {1046, 1252, ','},   {1049, 1251, ','}, {1045, 1250, ','}, {1029, 1250, ','},
      {0x10411, 932, '.'},  // sort-order bits set
  };
  for (const Row& row : rows) {
    EXPECT_EQ(localeFacts(row.lcid).ansiCodePage, row.codePage) << row.lcid;
    EXPECT_EQ(localeFacts(row.lcid).decimalSeparator, row.separator) << row.lcid;
  }
}

// A satellite library on disk, removed afterwards.
class ScriptFile {
 public:
  explicit ScriptFile(const std::string& content) {
    path_ = std::filesystem::temp_directory_path() /
            ("quadrift_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + ".dll");
    std::ofstream(path_, std::ios::binary) << content;
  }
  ~ScriptFile() { std::filesystem::remove(path_); }
  std::string path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

std::string scriptWith(const std::string& entries) {
  return "#pragma code_page(65001)\nSTRINGTABLE\nBEGIN\n" + entries + "END\n";
}

TEST(PortableModules, LoadsOnlyAsDataAndOnlyWithAStringTable) {
  PortableSystem system;
  ScriptFile good(scriptWith("  1, \"one\"\n"));
  ScriptFile none("// no strings here\n");
  EXPECT_EQ(system.LoadLibraryExA(good.path(), 0, 0), 0u);
  EXPECT_EQ(system.LoadLibraryExA(none.path(), 0, platform::kLoadLibraryAsDatafile), 0u);
  EXPECT_EQ(system.LoadLibraryExA(good.path() + ".missing", 0, platform::kLoadLibraryAsDatafile),
            0u);
  const platform::Handle module =
      system.LoadLibraryExA(good.path(), 0, platform::kLoadLibraryAsDatafile);
  ASSERT_NE(module, 0u);
  EXPECT_EQ(system.loadedModuleCount(), 1u);

  char buffer[8] = "xxxxxxx";
  EXPECT_EQ(system.LoadStringA(module, 1, buffer, 8), 3);
  EXPECT_STREQ(buffer, "one");
  EXPECT_EQ(system.LoadStringA(module, 2, buffer, 8), 0);
  EXPECT_EQ(system.LoadStringA(module, 1 + 0x10000, buffer, 8), 0);
  EXPECT_EQ(system.LoadStringA(0, 1, buffer, 8), 0);

  EXPECT_FALSE(system.FreeLibrary(0));
  EXPECT_FALSE(system.FreeLibrary(module + 1));
  EXPECT_TRUE(system.FreeLibrary(module));
  EXPECT_FALSE(system.FreeLibrary(module));
  EXPECT_EQ(system.LoadStringA(module, 1, buffer, 8), 0);
  EXPECT_EQ(system.loadedModuleCount(), 0u);
}

TEST(PortableModules, LoadStringCutsAtBufferSizeLessOneAndNeverSplitsACharacter) {
  PortableSystem system;
  std::string kana;
  for (int i = 0; i < 300; ++i) kana += "あ";
  ScriptFile file(scriptWith("  1, \"" + std::string(600, 'a') + "\"\n  2, \"" + kana +
                             "\"\n  3, \"a" + kana + "\"\n"));
  const platform::Handle module =
      system.LoadLibraryExA(file.path(), 0, platform::kLoadLibraryAsDatafile);
  ASSERT_NE(module, 0u);

  std::string buffer(500, 'z');
  EXPECT_EQ(system.LoadStringA(module, 1, buffer.data(), 500), 499);
  EXPECT_EQ(buffer[498], 'a');
  EXPECT_EQ(buffer[499], '\0');

  system.setUserLocale(1041);
  // 600 bytes of double-byte characters: the 250th would end at byte 500, so 249 fit.
  EXPECT_EQ(system.LoadStringA(module, 2, buffer.data(), 500), 498);
  EXPECT_EQ(buffer[498], '\0');
  EXPECT_EQ(system.FromAnsi(buffer.substr(0, 498)), kana.substr(0, 249 * 3));
  EXPECT_EQ(system.LoadStringA(module, 3, buffer.data(), 500), 499);  // 1 + 249 * 2

  // Under a Western locale each kana is one "?" byte.
  system.setUserLocale(1033);
  EXPECT_EQ(system.LoadStringA(module, 2, buffer.data(), 500), 300);
  EXPECT_EQ(buffer.substr(0, 300), std::string(300, '?'));

  EXPECT_EQ(system.LoadStringA(module, 1, buffer.data(), 1), 0);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(system.LoadStringA(module, 1, buffer.data(), 0), 0);
  EXPECT_EQ(system.LoadStringA(module, 1, nullptr, 500), 0);
}

}  // namespace
}  // namespace portable
