#include "platform/resource_script.hpp"

#include <gtest/gtest.h>

namespace portable {
namespace {

TEST(ResourceScript, ReadsEntriesWithTheCompilersEscapes) {
  const auto table = parseResourceScript(
      "#pragma code_page(65001)\n"
      "#include \"resource.h\"\n"
      "// a comment naming STRINGTABLE must not open one\n"
      "LANGUAGE 0x11, 0x01\n"
      "STRINGTABLE\n"
      "LANGUAGE 9, 1\n"
      "BEGIN\n"
      "  100, \"say \"\"hi\"\"\"\n"
      "  101 \"tab\\there\\nnext \\\\ end\"\n"
      "  0x66, \"\\x41\\101 \\q\"  /* unknown escapes stay as written */\n"
      "  103, L\"wide \\x00e9\"\n"
      "  104, \"joined \" \"text\"\n"
      "  105, \"用紙サイズ\"\n"
      "  106, \"\"\n"
      "END\n");
  ASSERT_TRUE(table.has_value());
  EXPECT_EQ(table->size(), 7u);
  EXPECT_EQ(table->at(100), "say \"hi\"");
  EXPECT_EQ(table->at(101), "tab\there\nnext \\ end");
  EXPECT_EQ(table->at(102), "AA \\q");
  EXPECT_EQ(table->at(103), "wide \xC3\xA9");
  EXPECT_EQ(table->at(104), "joined text");
  EXPECT_EQ(table->at(105), "用紙サイズ");
  EXPECT_EQ(table->at(106), "");
}

TEST(ResourceScript, MergesBlocksAndAcceptsBracesAndOtherResources) {
  const auto table = parseResourceScript(
      "1 VERSIONINFO { BLOCK \"x\" { VALUE \"a\", \"b\" } }\n"
      "stringtable { 1 \"one\" }\n"
      "STRINGTABLE BEGIN 65535, \"last\" END\n");
  ASSERT_TRUE(table.has_value());
  EXPECT_EQ(table->at(1), "one");
  EXPECT_EQ(table->at(65535), "last");
}

TEST(ResourceScript, RejectsWhatTheCompilerWouldReject) {
  EXPECT_FALSE(parseResourceScript(""));
  EXPECT_FALSE(parseResourceScript("// STRINGTABLE BEGIN 1 \"a\" END\n"));
  EXPECT_FALSE(parseResourceScript("1 RCDATA { \"STRINGTABLE\" }"));
  EXPECT_FALSE(parseResourceScript("STRINGTABLE BEGIN 1, \"open"));
  EXPECT_FALSE(parseResourceScript("STRINGTABLE BEGIN 1, \"line\nbreak\" END"));
  EXPECT_FALSE(parseResourceScript("STRINGTABLE BEGIN 1, \"a\""));  // no END
  EXPECT_FALSE(parseResourceScript("STRINGTABLE"));
  EXPECT_FALSE(parseResourceScript("STRINGTABLE BEGIN 1, \"a\" 1, \"b\" END"));  // duplicate
  EXPECT_FALSE(parseResourceScript("STRINGTABLE BEGIN 65536, \"a\" END"));
  EXPECT_FALSE(parseResourceScript("STRINGTABLE BEGIN IDS_NAME, \"a\" END"));
  EXPECT_FALSE(parseResourceScript("STRINGTABLE BEGIN 1, END"));
  EXPECT_FALSE(parseResourceScript("STRINGTABLE BEGIN 1, \"a\" END /* open comment"));
  EXPECT_FALSE(parseResourceScript("STRINGTABLE BEGIN 1, \"ends in escape\\"));
}

}  // namespace
}  // namespace portable
