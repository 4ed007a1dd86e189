#include <gtest/gtest.h>

#include "automation/failure.hpp"
#include "platform/portable_system.hpp"
#include "platform/registry.hpp"
#include "recording_sink.hpp"

namespace platform {
namespace {

using platform_test::RecordingSink;

constexpr const char* kKey =
    "Software\\Kestrova\\Applications\\Planorix.Application\\Help\\HelpFile";

class RegistryRoutines : public ::testing::Test {
 protected:
  std::string read(const automation::Variant& name) {
    return GetRegistryValueString(system, sink, kHKeyLocalMachine, kKey, name);
  }
  portable::PortableSystem system;
  RecordingSink sink;
};

TEST_F(RegistryRoutines, ReadsStringValuesWithoutTheirNul) {
  system.setRegistryString(kHKeyLocalMachine, kKey, "", "C:\\Help\\planorix.chm");
  system.setRegistryString(kHKeyLocalMachine, kKey, "5", "five");
  EXPECT_EQ(read(automation::Variant(std::string())), "C:\\Help\\planorix.chm");
  EXPECT_EQ(read(automation::Variant()), "C:\\Help\\planorix.chm");  // empty: the default value
  EXPECT_EQ(read(automation::Variant(std::int32_t{5})), "five");     // a number names "5"
  EXPECT_TRUE(sink.reports.empty());
  EXPECT_EQ(system.openRegistryKeyCount(), 0u);
}

TEST_F(RegistryRoutines, NonStringValuesYieldTheirBytesLessTheLast) {
  system.setRegistryDword(kHKeyLocalMachine, kKey, "Depth", 0x00434241u);
  system.setRegistryValue(kHKeyLocalMachine, kKey, "Only", portable::kRegSz, std::string(1, '\0'));
  EXPECT_EQ(read("Depth"), "ABC");
  EXPECT_EQ(read("Only"), "");  // size 1: just the NUL
  EXPECT_TRUE(sink.reports.empty());
}

TEST_F(RegistryRoutines, MissingKeyOrValueGivesEmptyWithoutReport) {
  EXPECT_EQ(read("HelpFile"), "");
  system.setRegistryString(kHKeyLocalMachine, kKey, "Other", "x");
  EXPECT_EQ(read("HelpFile"), "");
  EXPECT_TRUE(sink.reports.empty());
  EXPECT_EQ(system.openRegistryKeyCount(), 0u);
}

TEST_F(RegistryRoutines, SizeZeroIsAReportedFailureAndTheKeyIsStillClosed) {
  system.setRegistryValue(kHKeyLocalMachine, kKey, "", portable::kRegBinary, "");
  EXPECT_EQ(read(""), "");
  ASSERT_EQ(sink.reports.size(), 1u);
  EXPECT_EQ(sink.reports[0].ident, "MRegistry::GetRegistryValueString()");
  EXPECT_EQ(sink.reports[0].failure.number, automation::errnum::kInvalidProcedureCall);
  EXPECT_EQ(system.openRegistryKeyCount(), 0u);
}

TEST_F(RegistryRoutines, ValueNameThatIsNotTextIsAReportedTypeMismatch) {
  EXPECT_EQ(read(automation::Variant(automation::Object())), "");
  ASSERT_EQ(sink.reports.size(), 1u);
  EXPECT_EQ(sink.reports[0].failure.number, automation::errnum::kTypeMismatch);
}

TEST_F(RegistryRoutines, HelpFileNameAppendsChmOnlyWhenThereIsNoDot) {
  const std::string appKey = "Software\\Kestrova\\Applications\\Draft.App\\Help\\HelpFile";
  system.setRegistryString(kHKeyLocalMachine, appKey, "", "C:\\Help\\draft");
  EXPECT_EQ(GetHelpFileNameFromRegistry(system, sink, "Draft.App"), "C:\\Help\\draft.chm");

  system.setRegistryString(kHKeyLocalMachine, appKey, "", "C:\\Help.d\\draft");
  EXPECT_EQ(GetHelpFileNameFromRegistry(system, sink, "Draft.App"), "C:\\Help.d\\draft");

  // An empty name reads the fixed key; a missing key gives just the extension.
  system.setRegistryString(kHKeyLocalMachine, kKey, "", "C:\\Help\\planorix.chm");
  EXPECT_EQ(GetHelpFileNameFromRegistry(system, sink, ""), "C:\\Help\\planorix.chm");
  EXPECT_EQ(GetHelpFileNameFromRegistry(system, sink, "Unknown.App"), ".chm");
  EXPECT_TRUE(sink.reports.empty());
}

TEST_F(RegistryRoutines, HelpFileNameWithASizeZeroValueReportsOnceAndGivesChm) {
  system.setRegistryValue(kHKeyLocalMachine, kKey, "", portable::kRegSz, "");
  EXPECT_EQ(GetHelpFileNameFromRegistry(system, sink, ""), ".chm");
  ASSERT_EQ(sink.reports.size(), 1u);
  EXPECT_EQ(sink.reports[0].ident, "MRegistry::GetRegistryValueString()");
}

TEST_F(RegistryRoutines, JapanesePathsSurviveTheAnsiCalls) {
  system.setUserLocale(1041);
  system.setRegistryString(kHKeyLocalMachine, kKey, "", "C:\\ヘルプ\\製図");
  EXPECT_EQ(GetHelpFileNameFromRegistry(system, sink, ""), "C:\\ヘルプ\\製図.chm");
  system.setUserLocale(1033);  // the same value read by a Western user
  EXPECT_EQ(GetHelpFileNameFromRegistry(system, sink, ""), "C:\\???\\??.chm");
}

}  // namespace
}  // namespace platform
