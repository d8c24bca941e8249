#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "model/value_format.h"

namespace tra1 {
namespace {

TEST(FormatInteger, SignAndNoFill) {
    EXPECT_EQ(FormatInteger(0), "0");
    EXPECT_EQ(FormatInteger(7), "7");
    EXPECT_EQ(FormatInteger(-12), "-12");
    EXPECT_EQ(FormatInteger(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

TEST(FormatReal, RoundingPointAndSign) {
    EXPECT_EQ(FormatReal(2.5, 1), "2.5");
    EXPECT_EQ(FormatReal(0.1, 1), "0.1");
    EXPECT_EQ(FormatReal(-0.5, 1), "-0.5");
    EXPECT_EQ(FormatReal(-6.0, 1), "-6.0");
    EXPECT_EQ(FormatReal(1710.0, 0), "1710");
    EXPECT_EQ(FormatReal(87.49999999, 1), "87.5");
    EXPECT_EQ(FormatReal(0.96, 1), "1.0");
    EXPECT_EQ(FormatReal(3.14159, 3), "3.142");
    // A value that rounds to zero carries no sign.
    EXPECT_EQ(FormatReal(-0.04, 1), "0.0");
    EXPECT_EQ(FormatReal(-0.4, 0), "0");
    // Decimal counts outside 0..9 are clamped.
    EXPECT_EQ(FormatReal(1.25, -3), "1");
    EXPECT_EQ(FormatReal(1.0, 40), "1.000000000");
    EXPECT_EQ(FormatReal(1e300, 2).size(), 304u);
}

TEST(LetterFor, BToZElseA) {
    EXPECT_EQ(LetterFor(2), "B");
    EXPECT_EQ(LetterFor(26), "Z");
    EXPECT_EQ(LetterFor(1), "A");
    EXPECT_EQ(LetterFor(0), "A");
    EXPECT_EQ(LetterFor(27), "A");
    EXPECT_EQ(LetterFor(-3), "A");
}

}  // namespace
}  // namespace tra1
