#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "model/hex_codes.h"

namespace tra1 {
namespace {

template <std::size_t N>
std::string Str(const std::array<char, N>& a) {
    return std::string(a.begin(), a.end());
}

TEST(HexCodes, Hex1GivesOneDigitAndZeroOutsideItsRange) {
    EXPECT_EQ(Str(Hex1(0)), "0");
    EXPECT_EQ(Str(Hex1(9)), "9");
    EXPECT_EQ(Str(Hex1(10)), "A");
    EXPECT_EQ(Str(Hex1(15)), "F");
    EXPECT_EQ(Str(Hex1(16)), "0");
    EXPECT_EQ(Str(Hex1(-1)), "0");
    EXPECT_EQ(Str(Hex1(INT_MIN)), "0");
    EXPECT_EQ(Str(Hex1(INT_MAX)), "0");
}

TEST(HexCodes, Hex2GivesTwoDigitsAndZerosOutsideItsRange) {
    EXPECT_EQ(Str(Hex2(0)), "00");
    EXPECT_EQ(Str(Hex2(10)), "0A");
    EXPECT_EQ(Str(Hex2(0x27)), "27");
    EXPECT_EQ(Str(Hex2(255)), "FF");
    EXPECT_EQ(Str(Hex2(256)), "00");
    EXPECT_EQ(Str(Hex2(4096)), "00");
    // A negative value must not widen the field the way a plain printf would.
    EXPECT_EQ(Str(Hex2(-1)), "00");
    EXPECT_EQ(Str(Hex2(INT_MIN)), "00");
}

TEST(HexCodes, Hex3KeepsTheLowTwelveBitsOfTheMagnitude) {
    EXPECT_EQ(Str(Hex3(0)), "000");
    EXPECT_EQ(Str(Hex3(256)), "100");
    EXPECT_EQ(Str(Hex3(0x123)), "123");
    EXPECT_EQ(Str(Hex3(4095)), "FFF");
    EXPECT_EQ(Str(Hex3(4096)), "000");
    EXPECT_EQ(Str(Hex3(0x1ABC)), "ABC");
    EXPECT_EQ(Str(Hex3(0x12345)), "345");
    EXPECT_EQ(Str(Hex3(-1)), "001");
    EXPECT_EQ(Str(Hex3(-0x123)), "123");
    EXPECT_EQ(Str(Hex3(INT_MIN)), "000");  // magnitude 0x80000000
    EXPECT_EQ(Str(Hex3(INT_MAX)), "FFF");
}

static_assert(Hex2(0xC8)[0] == 'C' && Hex2(0xC8)[1] == '8', "usable at compile time");

}  // namespace
}  // namespace tra1
