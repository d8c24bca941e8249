// The sound-field parameter tables that the DSP PARAMETER panel and the configuration report
// share: value texts, slot ranges and look-ups out of range.

#include "model/dsp_parameter_sets.h"

#include <gtest/gtest.h>

namespace tra1 {
namespace {

TEST(DspParameterSetsTest, ValueTexts) {
    EXPECT_EQ(DspValueText(14, 6), "0");
    EXPECT_EQ(DspValueText(14, 0), "-6");
    EXPECT_EQ(DspValueText(16, 3), "STD");
    EXPECT_EQ(DspValueText(1, 15), "1.5");
    EXPECT_EQ(DspValueText(27, 3), "Pro Logic IIx");
    EXPECT_EQ(DspValueText(41, 8), "PLIIx Game");
    // Names past their tables read as nothing.
    EXPECT_EQ(DspValueText(27, 4), "");
    EXPECT_EQ(DspValueText(41, 200), "");

    EXPECT_EQ(DspSlotRange(0, 3).max, 25);
    EXPECT_EQ(DspSlotRange(22, 3).max, 49);
    EXPECT_EQ(DspSlotRange(0, 42).max, 0);
    EXPECT_FALSE(ProgramHasParameter(38, 0));
}

}  // namespace
}  // namespace tra1
