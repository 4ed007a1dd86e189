#include "automation/convert.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "automation/checked.hpp"
#include "automation/failure.hpp"

namespace automation {
namespace {

template <class F>
std::int32_t failureNumber(F&& f) {
  try {
    f();
  } catch (const Failure& failure) {
    return failure.number;
  }
  return 0;
}

TEST(Convert, SixteenBitConversionRoundsHalfToEvenAndOverflowsOutsideTheRange) {
  EXPECT_EQ(toInt16(Variant(2.5)), 2);
  EXPECT_EQ(toInt16(Variant(3.5)), 4);
  EXPECT_EQ(toInt16(Variant(-32768.4)), -32768);
  EXPECT_EQ(toInt16(Variant(std::int32_t{32767})), 32767);
  EXPECT_EQ(toInt16(Variant("  12 ")), 12);
  EXPECT_EQ(toInt16(Variant(Bool16::of(true))), -1);
  EXPECT_EQ(toInt16(Variant()), 0);
  EXPECT_EQ(failureNumber([] { toInt16(Variant(std::int32_t{32768})); }), errnum::kOverflow);
  EXPECT_EQ(failureNumber([] { toInt16(Variant(32767.5)); }), errnum::kOverflow);
  EXPECT_EQ(failureNumber([] { toInt16(Variant(std::int32_t{-32769})); }), errnum::kOverflow);
  EXPECT_EQ(failureNumber([] { toInt16(Variant(1e300)); }), errnum::kOverflow);
}

TEST(Convert, ThirtyTwoBitAndDoubleConversions) {
  EXPECT_EQ(toInt32(Variant(std::int16_t{-2})), -2);
  EXPECT_EQ(toInt32(Variant("-2")), -2);
  EXPECT_EQ(failureNumber([] { toInt32(Variant(3e9)); }), errnum::kOverflow);
  EXPECT_DOUBLE_EQ(toDouble(Variant("0.25")), 0.25);
  EXPECT_DOUBLE_EQ(toDouble(Variant("1e3")), 1000.0);
  double slot = 4.5;
  EXPECT_DOUBLE_EQ(toDouble(Variant::byRef(slot)), 4.5);
  EXPECT_DOUBLE_EQ(parseNumber("2,5", ','), 2.5);
}

TEST(Convert, TextThatIsNotANumberIsATypeMismatch) {
  for (const char* text :
       {"", " ", "abc", "12mm", "1.2.3", "--1", "+-1", "1e", "0x10", "nan", "inf"}) {
    EXPECT_EQ(failureNumber([text] { toDouble(Variant(text)); }), errnum::kTypeMismatch) << text;
  }
  EXPECT_EQ(failureNumber([] { parseNumber("2.5", ','); }), errnum::kTypeMismatch);
  EXPECT_EQ(failureNumber([] { toDouble(Variant(Object())); }), errnum::kTypeMismatch);
  EXPECT_EQ(failureNumber([] { toString(Variant(Object())); }), errnum::kTypeMismatch);
}

TEST(Convert, StringsAndBooleans) {
  EXPECT_EQ(toString(Variant(std::int32_t{-7})), "-7");
  EXPECT_EQ(toString(Variant(25.4), ','), "25,4");
  EXPECT_EQ(toString(Variant(Bool16::of(false))), "False");
  EXPECT_EQ(toString(Variant()), "");
  EXPECT_TRUE(toBool(Variant("TRUE")));
  EXPECT_FALSE(toBool(Variant("0")));
  EXPECT_TRUE(toBool(Variant(std::int16_t{-1})));
  EXPECT_EQ(failureNumber([] { toBool(Variant("maybe")); }), errnum::kTypeMismatch);
}

TEST(Checked, ArithmeticFailsInsteadOfProducingInfinityOrNaN) {
  const double big = std::numeric_limits<double>::max();
  EXPECT_EQ(failureNumber([] { checkedDiv(1, 0); }), errnum::kDivisionByZero);
  EXPECT_EQ(failureNumber([] { checkedDiv(0, 0); }), errnum::kOverflow);
  EXPECT_EQ(failureNumber([big] { checkedMul(big, 2); }), errnum::kOverflow);
  EXPECT_EQ(failureNumber([big] { checkedAdd(big, big); }), errnum::kOverflow);
  EXPECT_EQ(failureNumber([big] { checkedSub(-big, big); }), errnum::kOverflow);
  EXPECT_EQ(failureNumber([] { checkedMul(std::nan(""), 1); }), errnum::kInvalidProcedureCall);
  EXPECT_DOUBLE_EQ(checkedDiv(1, 4), 0.25);
}

TEST(Checked, SixteenBitCounterOverflows) {
  EXPECT_EQ(checkedAdd16(32766, 1), 32767);
  EXPECT_EQ(failureNumber([] { checkedAdd16(32767, 1); }), errnum::kOverflow);
  EXPECT_EQ(failureNumber([] { checkedAdd16(-32768, -1); }), errnum::kOverflow);
  EXPECT_EQ(checkedAdd16(1, -1), 0);
}

}  // namespace
}  // namespace automation
