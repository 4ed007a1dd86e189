#include "platform/i18n_font.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "../ui/fake_host_controls.hpp"
#include "dialog/layout.hpp"
#include "recording_sink.hpp"
#include "support/satellites.hpp"
#include "ui/headless_engine.hpp"

namespace {

// The font calls of the platform, recorded; everything else is unused here.
class FontSystem final : public platform::System {
 public:
  std::string face = "Liberation Sans";
  bool unterminated = false;  // a misbehaving call that fills the whole buffer
  std::uint32_t lcid = 1033;
  std::vector<std::string> calls;

  std::int32_t RegOpenKeyExA(platform::Handle, const std::string&, std::uint32_t, std::uint32_t,
                             platform::Handle&) override {
    return 2;
  }
  std::int32_t RegQueryValueExA(platform::Handle, const std::string&, std::uint32_t*, std::uint8_t*,
                                std::uint32_t&) override {
    return 2;
  }
  std::int32_t RegCloseKey(platform::Handle) override { return 0; }
  platform::Handle LoadLibraryExA(const std::string&, platform::Handle, std::uint32_t) override {
    return 0;
  }
  bool FreeLibrary(platform::Handle) override { return false; }
  std::int32_t LoadStringA(platform::Handle, std::uint32_t, char*, std::int32_t) override {
    return 0;
  }
  std::string ComponentFolder() override { return {}; }
  platform::Handle HtmlHelpA(platform::Handle, const std::string&, std::uint32_t,
                             std::uint32_t) override {
    return 0;
  }
  bool HasDefaultPrinter() override { return false; }
  bool GetDefaultPrinterDevMode(DevMode&) override { return false; }
  platform::Handle CreateDefaultPrinterDC() override { return 0; }
  bool DeleteDC(platform::Handle) override { return false; }
  std::int32_t GetDeviceCaps(platform::Handle, int) override { return 0; }
  bool SetWindowPos(platform::Handle, platform::Handle, int, int, int, int,
                    std::uint32_t) override {
    return false;
  }
  platform::Handle GetDC(platform::Handle window) override {
    calls.push_back("GetDC " + std::to_string(window));
    return 0xDC;
  }
  int ReleaseDC(platform::Handle window, platform::Handle dc) override {
    calls.push_back("ReleaseDC " + std::to_string(window) + " " + std::to_string(dc));
    return 1;
  }
  platform::Handle GetStockObject(int object) override {
    calls.push_back("GetStockObject " + std::to_string(object));
    return 0x17;
  }
  platform::Handle SelectObject(platform::Handle dc, platform::Handle object) override {
    calls.push_back("SelectObject " + std::to_string(dc) + " " + std::to_string(object));
    return object == 0x17 ? 0x01D : 0x17;
  }
  int GetTextFaceA(platform::Handle, int count, char* faceName) override {
    calls.push_back("GetTextFaceA " + std::to_string(count));
    // Writes the face and fills the rest of the buffer with garbage after the NUL.
    std::memset(faceName, 'Z', static_cast<std::size_t>(count));
    if (unterminated) return count;
    std::memcpy(faceName, face.c_str(), face.size() + 1);
    return static_cast<int>(face.size());
  }
  std::uint32_t GetUserDefaultLCID() override { return lcid; }
  std::uint32_t GetACP() override { return 1252; }
  std::string ToAnsi(const std::string& s) override { return s; }
  std::string FromAnsi(const std::string& s) override { return s; }
  char DecimalSeparator() override { return '.'; }
};

class I18nFontTest : public ::testing::Test {
 protected:
  I18nFontTest() : form(dialog::layout::buildMainForm(engine, hostControls)) {}

  void run() { platform::SetInternationalizeFont(*form, system, sink); }

  portable::HeadlessEngine engine;
  ui_test::FakeHostControls hostControls;
  std::unique_ptr<ui::Form> form;
  FontSystem system;
  platform_test::RecordingSink sink;
};

TEST_F(I18nFontTest, JapaneseLocaleGivesEveryControlTheFaceCharsetAndSize) {
  system.lcid = 1041;
  run();
  EXPECT_EQ(form->font().name, "Liberation Sans");
  EXPECT_EQ(form->font().size, 8);
  EXPECT_EQ(form->font().charset, 0);  // the dialog's own charset is left alone
  int withFont = 0;
  for (ui::Control* c : form->controls()) {
    if (!c->hasFont()) continue;
    ++withFont;
    EXPECT_EQ(c->font(), (ui::Font{"Liberation Sans", 9, 128})) << c->qualifiedName();
  }
  EXPECT_EQ(withFont, 30);
  // Host controls have no font: skipped without a report.
  EXPECT_TRUE(sink.reports.empty());
  const std::string window = std::to_string(form->hWnd());
  EXPECT_THAT(system.calls,
              ::testing::ElementsAre("GetDC " + window, "GetStockObject 17", "SelectObject 220 23",
                                     "GetTextFaceA 80", "SelectObject 220 29",
                                     "ReleaseDC " + window + " 220"));
}

TEST_F(I18nFontTest, OtherLocalesTakeTheDefaultCharsetAndKeepSizes) {
  form->textBox("txtSOLX").font().size = 12;
  system.lcid = 1033;
  run();
  EXPECT_EQ(form->textBox("txtSOLX").font(), (ui::Font{"Liberation Sans", 12, 1}));
  EXPECT_EQ(form->button("cmdOK").font(), (ui::Font{"Liberation Sans", 8.25, 1}));
  EXPECT_EQ(form->font().size, 8);
}

TEST_F(I18nFontTest, TheFullLocaleIdIsCompared) {
  system.lcid = 0x00010411;  // Japanese with another sort order
  run();
  EXPECT_EQ(form->button("cmdOK").font().charset, 1);
  EXPECT_EQ(form->button("cmdOK").font().size, 8.25);
}

TEST(LocaleFonts, Table) {
  const std::pair<std::uint32_t, std::int16_t> rows[] = {
      {1028, 136}, {1041, 128}, {1042, 129}, {2052, 134}, {2066, 130}, {3076, 136}, {4100, 136}};
  for (const auto& [lcid, charset] : rows) {
    const auto font = platform::localeFontFor(lcid);
    ASSERT_TRUE(font.has_value()) << lcid;
    EXPECT_EQ(font->charset, charset) << lcid;
    EXPECT_EQ(font->size, 9) << lcid;
  }
  // Every other locale with a satellite keeps the design sizes: Western and Cyrillic scripts.
  for (std::uint32_t lcid : satellites::kLocales) {
    const bool listed = std::any_of(std::begin(rows), std::end(rows),
                                    [lcid](const auto& row) { return row.first == lcid; });
    EXPECT_EQ(platform::localeFontFor(lcid).has_value(), listed) << lcid;
  }
  EXPECT_FALSE(platform::localeFontFor(0x0804 | 0x10000).has_value());
}

TEST_F(I18nFontTest, TheFaceNeverRunsPastTheBuffer) {
  system.unterminated = true;
  run();
  EXPECT_EQ(form->font().name, std::string(80, 'Z'));
}

TEST_F(I18nFontTest, AFailureIsReportedOnceAndNothingIsLeftAcquired) {
  hostControls.failNext = true;  // loading the dialog for its window handle fails
  run();
  ASSERT_EQ(sink.reports.size(), 1u);
  EXPECT_EQ(sink.reports[0].ident, "MI18NUtilities:SetInternationalizeFont()");
  EXPECT_EQ(sink.reports[0].failure.number, 429);
  EXPECT_TRUE(system.calls.empty());
  EXPECT_EQ(form->font().name, "MS Sans Serif");
}

}  // namespace
