#include "dialog/caption_scan.hpp"

#include <gtest/gtest.h>

#include <string>

#include "automation/failure.hpp"

namespace dialog {
namespace {

using automation::Failure;
namespace errnum = automation::errnum;

std::int32_t failureOf(CaptionLengths (*scan)(std::string_view), const std::string& caption) {
  try {
    scan(caption);
  } catch (const Failure& f) {
    return f.number;
  }
  return 0;
}

TEST(SizeCaption, WidthAfterTheParenthesisAndHeightBeforeIt) {
  const auto a4 = scanSizeCaption("A4 (210mm x 297mm)");
  EXPECT_EQ(a4.first, "210mm");
  EXPECT_EQ(a4.second, "297mm");
  const auto japanese = scanSizeCaption("A4 横 (297mm x 210mm)");
  EXPECT_EQ(japanese.first, "297mm");
  EXPECT_EQ(japanese.second, "210mm");
  // Without "(" the width starts at the first character.
  EXPECT_EQ(scanSizeCaption("8.5in by 11in)").first, "8.5in");
  // A space right after "(" gives an empty width.
  EXPECT_EQ(scanSizeCaption("X ( 1in 2in)").first, "");
}

TEST(SizeCaption, MalformedCaptionsFailWithoutReadingOutside) {
  EXPECT_EQ(failureOf(scanSizeCaption, "A4 (210mm x 297mm"), errnum::kInvalidProcedureCall);
  EXPECT_EQ(failureOf(scanSizeCaption, "A4 (210mm"), errnum::kOverflow);
  EXPECT_EQ(failureOf(scanSizeCaption, ""), errnum::kOverflow);
  EXPECT_EQ(failureOf(scanSizeCaption, "(a )"), 0);
  EXPECT_EQ(failureOf(scanSizeCaption, "(a b)"), 0);
  EXPECT_EQ(failureOf(scanSizeCaption, "(ab c"), errnum::kInvalidProcedureCall);
  EXPECT_EQ(failureOf(scanSizeCaption, ")( a"), errnum::kInvalidProcedureCall);
  // The space the width scan needs lies beyond the last 16-bit position.
  EXPECT_EQ(failureOf(scanSizeCaption, "(" + std::string(40000, 'x') + " y)"), errnum::kOverflow);
  // A "(" beyond the last 16-bit position overflows the position variable.
  EXPECT_EQ(failureOf(scanSizeCaption, std::string(40000, 'x') + "(a b)"), errnum::kOverflow);
}

TEST(ScaleCaption, RatioFormAppendsTheRemainderToBothNumbers) {
  const auto r = scanScaleCaption("1:100 mm");
  EXPECT_EQ(r.first, "1 mm");
  EXPECT_EQ(r.second, "100 mm");
  const auto odd = scanScaleCaption("2.5:1 in extra");
  EXPECT_EQ(odd.first, "2.5 in extra");
  EXPECT_EQ(odd.second, "1 in extra");
}

TEST(ScaleCaption, PaperLengthFormTakesTheFirstWordAgainstOneFoot) {
  const auto eighth = scanScaleCaption("1/8\" = 1'-0\"");
  EXPECT_EQ(eighth.first, "1/8\"");
  EXPECT_EQ(eighth.second, "12in");
  EXPECT_EQ(scanScaleCaption("1-1/2\" = 1'-0\"").first, "1 1/2\"");
  EXPECT_EQ(scanScaleCaption("1-1-2\" x").first, "1 1-2\"");  // only the first "-"
}

TEST(ScaleCaption, CaptionWithoutTheSpaceItNeedsOverflows) {
  EXPECT_EQ(failureOf(scanScaleCaption, ""), errnum::kOverflow);
  EXPECT_EQ(failureOf(scanScaleCaption, "1:100"), errnum::kOverflow);
  EXPECT_EQ(failureOf(scanScaleCaption, "1/8\""), errnum::kOverflow);
}

}  // namespace
}  // namespace dialog
