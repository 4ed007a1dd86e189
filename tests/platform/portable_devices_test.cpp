#include <gtest/gtest.h>

#include "platform/portable_system.hpp"

namespace portable {
namespace {

TEST(PortableHelpAndWindows, CallsAreRecorded) {
  PortableSystem system;
  system.setUserLocale(1041);
  EXPECT_EQ(system.HtmlHelpA(0x42, system.ToAnsi("C:\\ヘルプ\\製図.chm"), platform::kHhHelpContext,
                             61191),
            0u);
  ASSERT_EQ(system.helpCalls().size(), 1u);
  EXPECT_EQ(system.helpCalls()[0].owner, 0x42u);
  EXPECT_EQ(system.helpCalls()[0].file, "C:\\ヘルプ\\製図.chm");
  EXPECT_EQ(system.helpCalls()[0].command, 15u);
  EXPECT_EQ(system.helpCalls()[0].data, 61191u);

  EXPECT_TRUE(system.SetWindowPos(0x42, 0xFFFFFFFF, 1, 2, 3, 4, 3));
  ASSERT_EQ(system.windowPosCalls().size(), 1u);
  const WindowPosCall& call = system.windowPosCalls()[0];
  EXPECT_EQ(call.insertAfter, 0xFFFFFFFFu);
  EXPECT_EQ(call.x + call.y + call.cx + call.cy, 10);
  EXPECT_EQ(call.flags, 3u);
}

TEST(PortablePrinter, NoneByDefault) {
  PortableSystem system;
  platform::System::DevMode mode;
  EXPECT_FALSE(system.HasDefaultPrinter());
  EXPECT_FALSE(system.GetDefaultPrinterDevMode(mode));
  EXPECT_EQ(system.CreateDefaultPrinterDC(), 0u);
}

TEST(PortablePrinter, DevModeAndDeviceCapabilities) {
  PortableSystem system;
  PrinterSettings printer;
  printer.orientation = 2;
  printer.paperSize = 4;
  printer.caps.offsetX = 50;
  printer.caps.offsetY = 60;
  system.setDefaultPrinter(printer);

  platform::System::DevMode mode;
  ASSERT_TRUE(system.GetDefaultPrinterDevMode(mode));
  EXPECT_EQ(mode.orientation, 2);
  EXPECT_EQ(mode.paperSize, 4);

  const platform::Handle dc = system.CreateDefaultPrinterDC();
  ASSERT_NE(dc, 0u);
  EXPECT_EQ(system.GetDeviceCaps(dc, platform::kPhysicalOffsetX), 50);
  EXPECT_EQ(system.GetDeviceCaps(dc, platform::kPhysicalOffsetY), 60);
  EXPECT_EQ(system.GetDeviceCaps(dc, platform::kPhysicalWidth), 2480);
  EXPECT_EQ(system.GetDeviceCaps(dc, platform::kPhysicalHeight), 3508);
  EXPECT_EQ(system.GetDeviceCaps(dc, platform::kHorzSize), 197);
  EXPECT_EQ(system.GetDeviceCaps(dc, platform::kVertSize), 284);
  EXPECT_EQ(system.GetDeviceCaps(dc + 4, platform::kHorzSize), 0);
  EXPECT_TRUE(system.DeleteDC(dc));
  EXPECT_FALSE(system.DeleteDC(dc));
  EXPECT_EQ(system.liveDeviceContextCount(), 0u);

  printer.deviceContextFails = true;
  printer.devModeFails = true;
  system.setDefaultPrinter(printer);
  EXPECT_TRUE(system.HasDefaultPrinter());
  EXPECT_FALSE(system.GetDefaultPrinterDevMode(mode));
  EXPECT_EQ(system.CreateDefaultPrinterDC(), 0u);
}

TEST(PortableFonts, DefaultGuiFontFaceThroughADeviceContext) {
  PortableSystem system;
  system.setGuiFontFace("Noto Sans CJK JP");
  const platform::Handle window = 0x1000;
  const platform::Handle dc = system.GetDC(window);
  ASSERT_NE(dc, 0u);
  const platform::Handle font = system.GetStockObject(platform::kDefaultGuiFont);
  ASSERT_NE(font, 0u);
  const platform::Handle previous = system.SelectObject(dc, font);
  ASSERT_NE(previous, 0u);

  char face[80];
  EXPECT_EQ(system.GetTextFaceA(dc, 80, face), 16);
  EXPECT_STREQ(face, "Noto Sans CJK JP");
  EXPECT_EQ(system.GetTextFaceA(dc, 5, face), 4);
  EXPECT_STREQ(face, "Noto");
  EXPECT_EQ(system.GetTextFaceA(dc, 0, nullptr), 17);

  EXPECT_EQ(system.SelectObject(dc, previous), font);
  EXPECT_EQ(system.GetTextFaceA(dc, 80, face), 6);
  EXPECT_STREQ(face, "System");
  EXPECT_EQ(system.GetStockObject(9), 0u);

  EXPECT_EQ(system.ReleaseDC(window + 1, dc), 0);  // not that window's
  EXPECT_EQ(system.ReleaseDC(window, dc), 1);
  EXPECT_EQ(system.ReleaseDC(window, dc), 0);
  EXPECT_EQ(system.liveDeviceContextCount(), 0u);
}

TEST(PortableLocale, UserLocaleDrivesCodePageAndSeparator) {
  PortableSystem system;
  EXPECT_EQ(system.GetUserDefaultLCID(), 1033u);
  EXPECT_EQ(system.GetACP(), 1252u);
  system.setUserLocale(1031);
  EXPECT_EQ(system.DecimalSeparator(), ',');
  system.setUserLocale(2052);
  EXPECT_EQ(system.GetACP(), 936u);
  EXPECT_EQ(system.ToAnsi("图纸"), "\xCD\xBC\xD6\xBD");
  EXPECT_EQ(system.GetUserDefaultLCID(), 2052u);
}

}  // namespace
}  // namespace portable
