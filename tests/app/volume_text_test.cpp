#include "app/volume_text.h"

#include <gtest/gtest.h>

namespace tra1 {
namespace {

TEST(VolumeText, ReadsOutBothZonesInHalfDecibelSteps) {
    EXPECT_EQ(volume::MainReadout(0), "MUTE");
    EXPECT_EQ(volume::MainReadout(1), "-80.0 dB");
    EXPECT_EQ(volume::MainReadout(160), "-0.5 dB");
    EXPECT_EQ(volume::MainReadout(161), "0.0dB");
    EXPECT_EQ(volume::MainReadout(194), "16.5dB");
    EXPECT_EQ(volume::Zone2Readout(0), "MUTE");
    EXPECT_EQ(volume::Zone2Readout(81), "-40.0 dB");
    EXPECT_EQ(volume::Zone2Readout(161), "0.0 dB");
    EXPECT_EQ(volume::Zone2Readout(194), "16.5 dB");
    EXPECT_EQ(volume::PositionOf(81), 113);
    EXPECT_EQ(volume::StepOf(113), 81);
}

}  // namespace
}  // namespace tra1
