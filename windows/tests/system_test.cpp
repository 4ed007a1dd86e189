// The component's platform routines over the real Windows calls, in the process's own locale
// (the test runs once per locale).
#include <gtest/gtest.h>

#include "command/component.hpp"
#include "dialog/printer.hpp"
#include "platform/registry.hpp"
#include "platform/resource_strings.hpp"
#include "test_support.hpp"
#include "ui/headless_engine.hpp"
#include "windows/app/printer_installation.hpp"
#include "windows/automation/com_creator.hpp"
#include "windows/handles/gdi.hpp"
#include "windows/platform/win32_system.hpp"
#include "windows/server/com_host_controls.hpp"

namespace {

struct Sink final : automation::FailureSink {
  void report(const automation::Failure& failure, std::string_view ident) override {
    reports.push_back({failure.number, std::string(ident)});
  }
  std::vector<std::pair<std::int32_t, std::string>> reports;
};

struct LocaleFacts {
  std::uint32_t lcid;
  std::uint32_t codePage;
  char decimalSeparator;
  // A satellite string and what it reads as under the locale's code page.
  std::vector<std::tuple<const char*, std::int32_t, std::string>> strings;
};

const LocaleFacts kLocales[] = {
    {1033,
     1252,
     '.',
     {{"1033", 193, "Move Sheet Border"},
      {"1041", 193, "??????"},
      {"1031", 194, "Zeichnungsmaßstab"}}},
    {1031,
     1252,
     ',',
     {{"1031", 194, "Zeichnungsmaßstab"},
      {"1031", 193, "Blattrahmen verschieben"},
      {"1033", 100, "Folio (8.5in x 13in)"}}},
    {1041,
     932,
     '.',
     {{"1041", 193, "用紙枠の移動"},
      {"1041", 100, "フォリオ (8.5in x 13in)"},
      {"1033", 193, "Move Sheet Border"}}},
    {2052, 936, '.', {{"2052", 193, "移动图纸边框"}, {"2052", 108, "信封 #10 (4.125in x 9.5in)"}}},
    {1028, 950, '.', {{"1028", 193, "移動圖紙邊框"}, {"1028", 108, "信封 #10 (4.125in x 9.5in)"}}},
    {1042,
     949,
     '.',
     {{"1042", 193, "용지 테두리 이동"}, {"1042", 108, "봉투 #10 (4.125in x 9.5in)"}}},
    {1036, 1252, ',', {{"1036", 193, "Déplacer le cadre de la feuille"}}},
    {1040, 1252, ',', {{"1040", 193, "Sposta bordo del foglio"}}},
    {3082, 1252, ',', {{"3082", 195, "Tamaño &real"}}},
    {1046, 1252, ',', {{"1046", 196, "&Padrão:"}}},
    {1049, 1251, ',', {{"1049", 193, "Перемещение рамки листа"}, {"1049", 194, "Масштаб чертежа"}}},
    {1045, 1250, ',', {{"1045", 193, "Przesuń ramkę arkusza"}}},
    {1029, 1250, ',', {{"1029", 193, "Přesunout rámeček listu"}}},
};

class System : public testing::Test {
 protected:
  void SetUp() override {
    for (const LocaleFacts& l : kLocales)
      if (l.lcid == system_.GetUserDefaultLCID()) locale_ = &l;
    ASSERT_NE(locale_, nullptr) << "user locale " << system_.GetUserDefaultLCID();
  }
  platform::Handle load(const std::string& file) {
    return system_.LoadLibraryExA(wintest::besideTestsAnsi(file), 0,
                                  platform::kLoadLibraryAsDatafile);
  }
  windows::Win32System system_{wintest::component()};
  Sink sink_;
  const LocaleFacts* locale_ = nullptr;
};

TEST_F(System, LocaleCodePageAndComponentFolder) {
  EXPECT_EQ(system_.GetACP(), locale_->codePage);
  EXPECT_EQ(system_.DecimalSeparator(), locale_->decimalSeparator);
  std::string folder = wintest::besideTestsAnsi("");
  folder.pop_back();
  EXPECT_EQ(system_.ComponentFolder(), system_.FromAnsi(folder));
}

TEST_F(System, SatelliteStringsInTheLocalesCodePage) {
  for (const auto& [satellite, id, expected] : locale_->strings) {
    const platform::Handle module = load(std::string("kstQuadrift_") + satellite + ".dll");
    ASSERT_NE(module, 0u) << satellite;
    EXPECT_EQ(platform::GetResourceString(system_, sink_, module, id), expected) << satellite;
    EXPECT_EQ(platform::GetResourceString(system_, sink_, module, 206), "");  // not in the table
    EXPECT_TRUE(system_.FreeLibrary(module));
  }
  // No library at all: every string is empty.
  EXPECT_EQ(load("kstQuadrift_9999.dll"), 0u);
  EXPECT_EQ(platform::GetResourceString(system_, sink_, 0, 193), "");
  EXPECT_TRUE(sink_.reports.empty());
}

TEST_F(System, LongStringsAreCutTo499Bytes) {
  const platform::Handle module = load("quadrift_long_strings.dll");
  ASSERT_NE(module, 0u);
  std::string digits;
  while (digits.size() < 499) digits += "0123456789";
  digits.resize(499);
  EXPECT_EQ(platform::GetResourceString(system_, sink_, module, 1), digits);

  std::string japanese;
  for (int i = 0; i < 150; ++i) japanese += "日本";
  const std::string text = platform::GetResourceString(system_, sink_, module, 2);
  if (locale_->codePage == 932 || locale_->codePage == 936 || locale_->codePage == 949 ||
      locale_->codePage == 950) {
    // Two bytes a character: cut on a character boundary within 499 bytes.
    EXPECT_EQ(system_.ToAnsi(text).size(), 498u);
    EXPECT_EQ(text, japanese.substr(0, text.size()));
  } else {
    EXPECT_EQ(text, std::string(300, '?'));
  }
  system_.FreeLibrary(module);
}

TEST_F(System, HelpFileFromTheRealRegistry) {
  const wchar_t* key =
      L"Software\\Kestrova\\Applications\\QuadriftSystem.Application\\Help\\HelpFile";
  struct Case {
    std::wstring stored;
    DWORD type;
    std::string expected;
    std::size_t reports;
  };
  // Only the Western and Central European code pages hold "Ü"; the others give its best fit,
  // the lower-case letter in the simplified Chinese one, which holds only that.
  const bool umlaut = locale_->codePage == 1252 || locale_->codePage == 1250;
  const char* fit = locale_->codePage == 936 ? "C:\\Hilfe.d\\übersicht" : "C:\\Hilfe.d\\Ubersicht";
  const Case cases[] = {
      {L"C:\\Help\\quadrift", REG_SZ, "C:\\Help\\quadrift.chm", 0},
      {L"C:\\Hilfe.d\\Übersicht", REG_SZ, umlaut ? "C:\\Hilfe.d\\Übersicht" : fit, 0},
      {L"", REG_SZ, ".chm", 0},      // only the terminating NUL
      {L"", REG_BINARY, ".chm", 1},  // size 0: the routine's failure, reported
  };
  for (const Case& c : cases) {
    sink_.reports.clear();
    const DWORD bytes =
        c.type == REG_SZ ? static_cast<DWORD>((c.stored.size() + 1) * sizeof(wchar_t)) : 0;
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, nullptr, c.type, c.stored.c_str(), bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(platform::GetHelpFileNameFromRegistry(system_, sink_, "QuadriftSystem.Application"),
              c.expected);
    EXPECT_EQ(sink_.reports.size(), c.reports);
  }
  RegDeleteTreeW(HKEY_LOCAL_MACHINE,
                 L"Software\\Kestrova\\Applications\\QuadriftSystem.Application");
  EXPECT_EQ(platform::GetHelpFileNameFromRegistry(system_, sink_, "QuadriftSystem.Application"),
            ".chm");
}

TEST_F(System, HtmlHelpIsReachedInTheHelpControl) {
  EXPECT_EQ(GetModuleHandleA("hhctrl.ocx"), nullptr);
  EXPECT_EQ(system_.HtmlHelpA(0, "C:\\missing\\none.chm", platform::kHhHelpContext, 61191), 0u);
  EXPECT_NE(GetModuleHandleA("hhctrl.ocx"), nullptr);
}

TEST_F(System, StockFontFaceAndNoDefaultPrinter) {
  const platform::Handle dc = system_.GetDC(0);
  ASSERT_NE(dc, 0u);
  const platform::Handle old =
      system_.SelectObject(dc, system_.GetStockObject(platform::kDefaultGuiFont));
  char face[80] = {};
  EXPECT_GT(system_.GetTextFaceA(dc, 80, face), 0);
  EXPECT_STRNE(face, "");
  system_.SelectObject(dc, old);
  EXPECT_EQ(system_.ReleaseDC(0, dc), 1);

  // A fresh prefix has no printer.
  platform::System::DevMode mode;
  EXPECT_FALSE(system_.HasDefaultPrinter());
  EXPECT_FALSE(system_.GetDefaultPrinterDevMode(mode));
  EXPECT_EQ(system_.CreateDefaultPrinterDC(), 0u);
}

// The default printer in a prefix of its own (the other system tests expect none): added on
// first use, kept for later runs.
class SystemPrinter : public testing::Test {
 protected:
  void SetUp() override {
    if (GetEnvironmentVariableA("QUADRIFT_PRINTER_PREFIX", nullptr, 0) == 0)
      GTEST_SKIP() << "needs a prefix of its own (QUADRIFT_PRINTER_PREFIX)";
    const std::string failure = windows::installPrinter();
    ASSERT_EQ(failure, "");
  }
  windows::Win32System system_{wintest::component()};
  windows::ComCreator creator_;
  portable::HeadlessEngine engine_;
  windows::ComHostControls controls_{creator_};
  command::Component component_{command::Environment{creator_, engine_, controls_, system_}};
};

TEST_F(SystemPrinter, PaperAndOrientationSelectTheSizeEntry) {
  platform::System::DevMode mode;
  ASSERT_TRUE(system_.GetDefaultPrinterDevMode(mode));
  EXPECT_EQ(mode.paperSize, DMPAPER_A4);
  EXPECT_EQ(mode.orientation, DMORIENT_PORTRAIT);
  EXPECT_EQ(dialog::QueryPrinterDefaultPageSize(component_), 28);  // A4 portrait
}

TEST_F(SystemPrinter, MarginsFromTheDeviceCapabilities) {
  ASSERT_TRUE(system_.HasDefaultPrinter());
  const windows::UniqueDC printerDC(
      CreateDCA("WINSPOOL", windows::kInstalledPrinterName, nullptr, nullptr));
  const HDC dc = printerDC.get();
  ASSERT_NE(dc, nullptr);
  struct Axis {
    int offset, physical, size;
  };
  // Offset in device units, over device units per millimetre, in metres.
  auto margin = [dc](Axis a) {
    return GetDeviceCaps(dc, a.offset) * static_cast<double>(GetDeviceCaps(dc, a.size)) /
           GetDeviceCaps(dc, a.physical) / 1000;
  };
  const double vertical = margin({PHYSICALOFFSETY, PHYSICALHEIGHT, VERTSIZE});
  const double horizontal = margin({PHYSICALOFFSETX, PHYSICALWIDTH, HORZSIZE});
  EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETX), 75);  // a quarter inch at 300 dpi
  EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETY), 75);
  // HORZSIZE and VERTSIZE measure the printable area, so the quarter inch comes scaled by
  // printable over paper (559 of 595 points across, 806 of 842 down), within the rounding of
  // the whole millimetres.
  EXPECT_NEAR(vertical, 0.00635 * 806 / 842, 0.0001);
  EXPECT_NEAR(horizontal, 0.00635 * 559 / 595, 0.0001);

  double gotVertical = -1, gotHorizontal = -1;
  dialog::RetrievePrinterMargins(component_, gotVertical, gotHorizontal);
  EXPECT_DOUBLE_EQ(gotVertical, vertical);
  EXPECT_DOUBLE_EQ(gotHorizontal, horizontal);
}

}  // namespace
