#include "length_parser.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "automation/number_text.hpp"
#include "length_format.hpp"

namespace refhost {
namespace {

constexpr double kInch = 0.0254;

struct Accepted {
  const char* text;
  double metres;
};

TEST(LengthParser, AcceptsTheUsualWaysOfWritingALength) {
  const Accepted cases[] = {
      {"12", 0.012},  // no unit: the document's unit, millimetres here
      {"12.5", 0.0125},
      {".5", 0.0005},
      {"5.", 0.005},
      {"-3", -0.003},
      {"+3", 0.003},
      {"  297mm  ", 0.297},
      {"297 mm", 0.297},
      {"29.7cm", 0.297},
      {"0.297 m", 0.297},
      {"2 M", 2.0},
      {"1 in", kInch},
      {"1in", kInch},
      {"1 inch", kInch},
      {"2 inches", 2 * kInch},
      {"3/4", 0.00075},
      {"3/4 in", 0.75 * kInch},
      {"1 1/2\"", 1.5 * kInch},
      {"6\"", 6 * kInch},
      {"1'", 12 * kInch},
      {"1 ft", 12 * kInch},
      {"2 feet", 24 * kInch},
      {"1 foot", 12 * kInch},
      {"1'-6\"", 18 * kInch},
      {"1' 6\"", 18 * kInch},
      {"1'6\"", 18 * kInch},
      {"1' - 6\"", 18 * kInch},
      {"-1'-6\"", -18 * kInch},
      {"2 ft 3 1/2 in", 27.5 * kInch},
      {"1'-0\"", 12 * kInch},
      {"12in", 12 * kInch},
      {"8.5in", 8.5 * kInch},
      {"1e3 mm", 1.0},  // exponents, as the locale's number text writes extreme magnitudes
      {"1E-06 m", 1e-6},
      {"2.5e+2mm", 0.25},
      {".5E1", 0.005},
      {"-1.5E+15 m", -1.5e15},
  };
  for (const Accepted& c : cases) {
    const LengthParse p = parseLength(c.text, LengthUnit::Millimetre);
    ASSERT_TRUE(p.metres.has_value()) << c.text << ": " << p.error;
    EXPECT_NEAR(*p.metres, c.metres, 1e-15) << c.text;
  }
}

TEST(LengthParser, OneInchIsExactAndMetricLengthsAreTheirDecimalValue) {
  EXPECT_EQ(parseLength("1 in", LengthUnit::Millimetre).metres, 0.0254);
  EXPECT_EQ(parseLength("1\"", LengthUnit::Millimetre).metres, 0.0254);
  EXPECT_EQ(parseLength("297mm", LengthUnit::Inch).metres, 0.297);
  EXPECT_EQ(parseLength("210mm", LengthUnit::Inch).metres, 0.21);
  EXPECT_EQ(parseLength("1", LengthUnit::Inch).metres, 0.0254);
}

TEST(LengthParser, RefusesWhatIsNotALength) {
  const char* cases[] = {
      "",      "   ",     "abc",    "twelve mm", "mm",      "12 furlongs", "12 mmm",  "12 mm x",
      "12..5", "1/0",     "1/",     "/2",        "1 2",     "1 1/",        "--1",     "-",
      ".",     "1e",      "1,5",    "12 mm 3",   "1' 6 mm", "1 ft 2 ft",   "1'-",     "3/4/5",
      "1.5/2", "12 in.",  "1 in 1", "0x10",      "1 1/0",   "\"",          "1'-6\"x", "12\t\t;",
      "٣",     "1-1/2\"", "1e+",    "1E3/4",     "1ee3",    "e3",          "1e400",   "1e3 1/2",
  };
  for (const char* text : cases) {
    const LengthParse p = parseLength(text, LengthUnit::Millimetre);
    EXPECT_FALSE(p.metres.has_value()) << "\"" << text << "\" gave " << p.metres.value_or(0);
    EXPECT_FALSE(p.error.empty()) << text;
  }
  EXPECT_FALSE(parseLength(std::string(400, '9'), LengthUnit::Metre).metres.has_value())
      << "a number too large for a double";
  EXPECT_FALSE(parseLength(std::string("1\0 mm", 5), LengthUnit::Metre).metres.has_value());
}

TEST(LengthParser, TheDecimalPointIsTheLocalesSeparatorAndNothingElse) {
  struct Case {
    const char* text;
    char separator;
    std::optional<double> metres;
  };
  const Case cases[] = {
      {"25,4 mm", ',', 0.0254},          {"25.4 mm", ',', std::nullopt},
      {"1.500 mm", ',', std::nullopt},  // a thousands separator, not 1.5 mm
      {"1.500,5 mm", ',', std::nullopt}, {"1,5E-06 m", ',', 1.5e-6},
      {"1.5E-06 m", ',', std::nullopt},  {"1'-,5\"", ',', 12.5 * kInch},
      {"1'-.5\"", ',', std::nullopt},    {"25,4 mm", '.', std::nullopt},
      {"25.4 mm", '.', 0.0254},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(parseLength(c.text, LengthUnit::Millimetre, c.separator).metres, c.metres)
        << c.text << " with '" << c.separator << "'";
  }
}

TEST(LengthParser, ReadsBackTheLocalesNumberTextAtEveryMagnitude) {
  const double values[] = {1e-7, -2.5e-12, 1.5e15, 123456789012345e10, 4.9e-324, 1e-5, 0.1};
  for (const char separator : {'.', ','}) {
    for (const double value : values) {
      const std::string text = automation::numberText(value, separator);
      const auto read = parseLength(text, LengthUnit::Metre, separator).metres;
      ASSERT_TRUE(read.has_value()) << text;
      EXPECT_NEAR(*read, value, std::abs(value) * 1e-14) << text;
    }
  }
}

TEST(LengthFormat, WritesTheDocumentsUnitAndDecimals) {
  EXPECT_EQ(formatLength(0.297, {LengthUnit::Millimetre, 2, '.'}), "297 mm");
  EXPECT_EQ(formatLength(0.0254, {LengthUnit::Millimetre, 2, ','}), "25,4 mm");
  EXPECT_EQ(formatLength(0.0254, {LengthUnit::Inch, 3, '.'}), "1 in");
  EXPECT_EQ(formatLength(0.3048 * 1.5, {LengthUnit::Foot, 2, '.'}), "1.5 ft");
  EXPECT_EQ(formatLength(0.12345, {LengthUnit::Centimetre, 2, '.'}), "12.35 cm");
  EXPECT_EQ(formatLength(-12.5, {LengthUnit::Metre, 0, '.'}), "-12 m");
  EXPECT_EQ(formatLength(-0.000001, {LengthUnit::Millimetre, 2, '.'}), "0 mm");
  EXPECT_EQ(formatLength(0, {LengthUnit::Inch, 4, '.'}), "0 in");
  EXPECT_EQ(formatLength(1e306, {LengthUnit::Millimetre, 2, '.'}), std::nullopt);
  EXPECT_EQ(formatLength(std::nan(""), {LengthUnit::Millimetre, 2, '.'}), std::nullopt);
  EXPECT_TRUE(formatLength(1e250, {LengthUnit::Millimetre, 2, '.'}).has_value());
}

TEST(LengthFormat, ParseFormatParseReturnsTheSameLengthWithinThePrecision) {
  const char* inputs[] = {"1 in",    "297mm",    "3/4",           "1'-6\"", "-12.3456 m",
                          "1 1/2\"", "0.001 mm", "123456.789 cm", "8.5in",  "2 ft 3 1/2 in"};
  const LengthUnit units[] = {LengthUnit::Millimetre, LengthUnit::Inch, LengthUnit::Foot,
                              LengthUnit::Centimetre, LengthUnit::Metre};
  for (const LengthUnit unit : units) {
    for (int decimals : {0, 2, 4}) {
      for (char separator : {'.', ','}) {
        const LengthFormat format{unit, decimals, separator};
        for (std::string input : inputs) {
          std::replace(input.begin(), input.end(), '.', separator);
          const auto first = parseLength(input, unit, separator).metres;
          ASSERT_TRUE(first.has_value()) << input;
          const auto text = formatLength(*first, format);
          ASSERT_TRUE(text.has_value());
          const auto second = parseLength(*text, unit, separator).metres;
          ASSERT_TRUE(second.has_value()) << *text;
          const double halfStep = toMetres(0.5 * std::pow(10.0, -decimals), unit);
          EXPECT_LE(std::abs(*second - *first), halfStep * (1 + 1e-9)) << input << " -> " << *text;
        }
      }
    }
  }
}

}  // namespace
}  // namespace refhost
