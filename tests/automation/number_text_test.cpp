#include "automation/number_text.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "automation/failure.hpp"

namespace automation {
namespace {

struct Case {
  double value;
  char separator;
  const char* text;
};

TEST(NumberText, ShortestFormWithAtMostFifteenDigits) {
  const Case cases[] = {
      {0.297 * 1000, '.', "297"},
      {(0.297 * 100) / 2.54, '.', "11.6929133858268"},
      {(0.2794 * 100) / 2.54, '.', "11"},  // the division's rounding error is absorbed
      {0.0254 * 1000, ',', "25,4"},
      {0.0254 * 100, '.', "2.54"},
      {0.297 * 100, '.', "29.7"},
      {-12.5, '.', "-12.5"},
      {0.0, '.', "0"},
      {-0.0, '.', "0"},
      {1.0 / 3.0, '.', "0.333333333333333"},
      {0.0001, '.', "0.0001"},
      {0.00001, '.', "0.00001"},
      {123456789012345.0, '.', "123456789012345"},
      {100000, '.', "100000"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(numberText(c.value, c.separator), c.text) << c.value;
  }
}

TEST(NumberText, ExponentOnlyForVeryLargeOrSmallMagnitudes) {
  EXPECT_EQ(numberText(1e15), "1E+15");
  EXPECT_EQ(numberText(-1.5e20), "-1.5E+20");
  EXPECT_EQ(numberText(2e-7), "2E-07");
  EXPECT_EQ(numberText(1.25e-300, ','), "1,25E-300");
  EXPECT_EQ(numberText(std::numeric_limits<double>::max()), "1.79769313486232E+308");
}

TEST(NumberText, NonFiniteValueIsAnOverflow) {
  for (double v : {std::numeric_limits<double>::infinity(), std::nan("")}) {
    try {
      numberText(v);
      FAIL() << "no failure for " << v;
    } catch (const Failure& f) {
      EXPECT_EQ(f.number, errnum::kOverflow);
    }
  }
}

}  // namespace
}  // namespace automation
