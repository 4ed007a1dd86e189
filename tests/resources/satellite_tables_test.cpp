#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

#include "dialog/caption_scan.hpp"
#include "length_parser.hpp"
#include "platform/locale_table.hpp"
#include "platform/portable_system.hpp"
#include "platform/resource_script.hpp"
#include "standard_sheets.hpp"

namespace {

using portable::StringTable;

const std::uint32_t kLocales[] = {1033, 1031, 1041, 2052};

std::string satelliteSource(std::uint32_t lcid) {
  return std::string(QUADRIFT_SOURCE_DIR) + "/resources/kstQuadrift_" + std::to_string(lcid) +
         ".rc";
}

StringTable tableOf(std::uint32_t lcid) {
  std::ifstream in(satelliteSource(lcid), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  EXPECT_TRUE(text.str().starts_with("#pragma code_page(65001)\n")) << lcid;
  const auto table = portable::parseResourceScript(text.str());
  EXPECT_TRUE(table.has_value()) << lcid;
  return table.value_or(StringTable{});
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

TEST(SatelliteTables, AccessKeysAreUniqueInEachLocale) {
  const std::uint16_t withKey[] = {195, 196, 197, 200, 201, 202, 203, 204, 205, 207, 208};
  for (std::uint32_t lcid : kLocales) {
    const StringTable table = tableOf(lcid);
    std::set<char> keys = {'x', 'y'};  // the origin labels keep &X: and &Y:
    for (std::uint16_t id : withKey) {
      const std::string& caption = table.at(id);
      const std::size_t amp = caption.find('&');
      ASSERT_NE(amp, std::string::npos) << lcid << " " << id;
      ASSERT_EQ(caption.find('&', amp + 1), std::string::npos) << lcid << " " << id;
      const auto key =
          static_cast<char>(std::tolower(static_cast<unsigned char>(caption[amp + 1])));
      EXPECT_TRUE(keys.insert(key).second) << lcid << " " << id << " repeats &" << key;
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
