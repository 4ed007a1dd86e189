#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>

#include "dialog/caption_scan.hpp"
#include "length_parser.hpp"
#include "platform/locale_table.hpp"
#include "platform/portable_system.hpp"
#include "platform/resource_script.hpp"
#include "standard_sheets.hpp"
#include "support/satellites.hpp"

namespace {

using portable::StringTable;
using satellites::kLocales;

StringTable tableOf(std::uint32_t lcid) {
  EXPECT_TRUE(satellites::scriptOf(lcid).starts_with("#pragma code_page(65001)\n")) << lcid;
  return satellites::tableOf(lcid);
}

// The locale's decimal separator, as its captions write their numbers.
char separatorOf(std::uint32_t lcid) {
  return portable::localeFacts(lcid).decimalSeparator;
}

// `text` with its decimal points written as `separator`.
std::string localNumbers(std::string_view text, char separator) {
  std::string out(text);
  for (std::size_t i = 1; i + 1 < out.size(); ++i) {
    const auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    if (out[i] == '.' && digit(out[i - 1]) && digit(out[i + 1])) out[i] = separator;
  }
  return out;
}

// A caption's length as the host of the locale reads it.
double hostReads(const std::string& text, std::uint32_t lcid) {
  const auto read = refhost::parseLength(text, refhost::LengthUnit::Millimetre, separatorOf(lcid));
  EXPECT_TRUE(read.metres.has_value()) << lcid << " \"" << text << "\": " << read.error;
  return read.metres.value_or(0);
}

TEST(SatelliteTables, EveryLocaleHasEveryIdentifierTheCommandReads) {
  for (std::uint32_t lcid : kLocales) {
    const StringTable table = tableOf(lcid);
    for (std::uint16_t id = 100; id <= 214; ++id) {
      if (id == 206) continue;
      ASSERT_TRUE(table.contains(id)) << lcid << " lacks " << id;
      EXPECT_FALSE(table.at(id).empty()) << lcid << " " << id;
    }
    EXPECT_EQ(table.size(), 114u) << lcid << " holds identifiers the command never reads";
  }
}

// The LANGUAGE statement names the table's own locale: the primary language in the low ten bits
// of the identifier, the sub-language above them.
TEST(SatelliteTables, EachScriptIsInTheLanguageOfItsFileAndEveryScriptIsListed) {
  for (std::uint32_t lcid : kLocales) {
    const std::string script = satellites::scriptOf(lcid);
    unsigned primary = 0, sub = 0;
    const std::size_t at = script.find("\nLANGUAGE ");
    ASSERT_NE(at, std::string::npos) << lcid;
    ASSERT_EQ(std::sscanf(script.c_str() + at, "\nLANGUAGE %x, %x", &primary, &sub), 2) << lcid;
    EXPECT_EQ(sub << 10 | primary, lcid);
  }
  std::set<std::string> listed, found;
  for (std::uint32_t lcid : kLocales) listed.insert("kstQuadrift_" + std::to_string(lcid) + ".rc");
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(QUADRIFT_SOURCE_DIR) + "/resources")) {
    found.insert(entry.path().filename().string());
  }
  EXPECT_EQ(found, listed);
  // The README names each library a host installs.
  std::ifstream in(std::string(QUADRIFT_SOURCE_DIR) + "/README.md");
  const std::string readme{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  for (std::uint32_t lcid : kLocales) {
    EXPECT_NE(readme.find("`kstQuadrift_" + std::to_string(lcid) + ".dll`"), std::string::npos)
        << lcid;
  }
}

TEST(SatelliteTables, SizeCaptionsGiveTheSizeTheirEntrySelects) {
  for (std::uint32_t lcid : kLocales) {
    const StringTable table = tableOf(lcid);
    for (int i = 0; i < refhost::kStandardSizeCount; ++i) {
      const std::string& caption = table.at(static_cast<std::uint16_t>(100 + i));
      const refhost::StandardPaper& paper =
          refhost::kStandardPapers[static_cast<std::size_t>(i / 2)];
      const bool portrait = i % 2 == 0;
      const std::string width =
          localNumbers(portrait ? paper.widthText : paper.heightText, separatorOf(lcid));
      const std::string height =
          localNumbers(portrait ? paper.heightText : paper.widthText, separatorOf(lcid));
      const dialog::CaptionLengths lengths = dialog::scanSizeCaption(caption);
      EXPECT_EQ(lengths.first, width) << lcid << " entry " << i << ": " << caption;
      EXPECT_EQ(lengths.second, height) << lcid << " entry " << i << ": " << caption;
      // The host of the locale reads them back as the entry's size.
      EXPECT_NEAR(hostReads(lengths.first, lcid), refhost::standardSizeWidth(i), 1e-12) << caption;
      EXPECT_NEAR(hostReads(lengths.second, lcid), refhost::standardSizeHeight(i), 1e-12)
          << caption;
      // The only "(" is the size's, and the caption ends with the size.
      EXPECT_TRUE(caption.ends_with(" (" + width + " x " + height + ")")) << caption;
      EXPECT_EQ(caption.find('('), caption.rfind('(')) << caption;
      if (lcid == 1033) {
        EXPECT_TRUE(caption.starts_with(std::string(paper.name) + " ")) << caption;
      }
    }
  }
}

TEST(SatelliteTables, ScaleCaptionsGiveTheScaleTheirEntrySelects) {
  for (std::uint32_t lcid : kLocales) {
    const StringTable table = tableOf(lcid);
    for (int j = 0; j < refhost::kStandardScaleCount; ++j) {
      const std::string& caption = table.at(static_cast<std::uint16_t>(148 + j));
      const refhost::StandardScale& scale = refhost::kStandardScales[static_cast<std::size_t>(j)];
      EXPECT_EQ(caption, localNumbers(scale.caption, separatorOf(lcid))) << lcid << " entry " << j;
      const dialog::CaptionLengths lengths = dialog::scanScaleCaption(caption);
      EXPECT_NEAR(hostReads(lengths.first, lcid) / scale.paper, 1.0, 1e-12) << caption;
      EXPECT_NEAR(hostReads(lengths.second, lcid) / scale.model, 1.0, 1e-12) << caption;
    }
  }
}

// The character after a caption's "&", in lower case: ASCII, Latin-1 and Latin Extended-A, and
// Cyrillic, which is what the tables use.
char32_t accessKeyOf(const std::string& caption, std::size_t amp) {
  const auto byte = [&](std::size_t i) {
    return i < caption.size() ? static_cast<unsigned char>(caption[i]) : 0u;
  };
  char32_t c = byte(amp + 1);
  if (c >= 0xC0 && c < 0xE0) c = (c & 0x1F) << 6 | (byte(amp + 2) & 0x3F);
  if (c < 0x80) return static_cast<char32_t>(std::tolower(static_cast<int>(c)));
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c >= 0x100 && c < 0x180) return c | 1;  // most pairs (Š/š, Ř/ř) differ in the lowest bit
  if (c >= 0x410 && c < 0x430) return c + 0x20;
  if (c >= 0x400 && c < 0x410) return c + 0x50;
  return c;
}

TEST(SatelliteTables, AccessKeysAreUniqueInEachLocale) {
  const std::uint16_t withKey[] = {195, 196, 197, 200, 201, 202, 203, 204, 205, 207, 208};
  for (std::uint32_t lcid : kLocales) {
    const StringTable table = tableOf(lcid);
    std::set<char32_t> keys = {U'x', U'y'};  // the origin labels keep &X: and &Y:
    for (std::uint16_t id : withKey) {
      const std::string& caption = table.at(id);
      const std::size_t amp = caption.find('&');
      ASSERT_NE(amp, std::string::npos) << lcid << " " << id;
      ASSERT_EQ(caption.find('&', amp + 1), std::string::npos) << lcid << " " << id;
      const char32_t key = accessKeyOf(caption, amp);
      EXPECT_NE(key, U' ') << lcid << " " << id;
      EXPECT_TRUE(keys.insert(key).second)
          << lcid << " " << id << " repeats the key of " << caption;
    }
    EXPECT_EQ(table.at(193).find('&'), std::string::npos);
  }
}

// The libraries the build places beside the programs, read through the ANSI call in the
// locale's code page and converted back, give exactly the script's text.
TEST(SatelliteTables, StringsSurviveLoadStringInTheirOwnCodePage) {
  for (std::uint32_t lcid : kLocales) {
    portable::PortableSystem system;
    system.setUserLocale(lcid);
    const StringTable table = tableOf(lcid);
    const std::string library =
        std::string(QUADRIFT_BINARY_DIR) + "/kstQuadrift_" + std::to_string(lcid) + ".dll";
    const platform::Handle module =
        system.LoadLibraryExA(system.ToAnsi(library), 0, platform::kLoadLibraryAsDatafile);
    ASSERT_NE(module, 0u) << library;
    for (const auto& [id, text] : table) {
      char buffer[500];
      const std::int32_t count = system.LoadStringA(module, id, buffer, 500);
      ASSERT_GT(count, 0) << lcid << " " << id;
      EXPECT_EQ(system.FromAnsi(std::string(buffer, static_cast<std::size_t>(count))), text)
          << lcid << " " << id;
    }
    system.FreeLibrary(module);
  }
}

TEST(SatelliteTables, JapaneseCaptionsAreShiftJisUnderCodePage932) {
  portable::PortableSystem system;
  system.setUserLocale(1041);
  const platform::Handle module =
      system.LoadLibraryExA(std::string(QUADRIFT_BINARY_DIR) + "/kstQuadrift_1041.dll", 0,
                            platform::kLoadLibraryAsDatafile);
  ASSERT_NE(module, 0u);
  char buffer[500];
  const std::int32_t count = system.LoadStringA(module, 199, buffer, 500);  // 用紙サイズ
  ASSERT_EQ(count, 10);
  EXPECT_EQ(std::string(buffer, 4), "\x97\x70\x8E\x86");  // 用紙

  // A Western user's code page has none of these characters.
  system.setUserLocale(1033);
  EXPECT_EQ(system.LoadStringA(module, 199, buffer, 500), 5);
  EXPECT_STREQ(buffer, "?????");
  system.FreeLibrary(module);
}

}  // namespace
