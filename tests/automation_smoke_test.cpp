#include <gtest/gtest.h>
#include "automation/number_text.hpp"
TEST(Smoke, Builds) { EXPECT_EQ(automation::numberText(297), "297"); }
