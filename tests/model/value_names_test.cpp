// The value names that panels and report share: a byte's name, the fallback of a byte without
// one, and the tuner's frequency names counted without drift.

#include "model/value_names.h"

#include <gtest/gtest.h>

namespace tra1 {
namespace {

TEST(ValueNames, ByteNamesAndFallbacks) {
    EXPECT_EQ(value_names::kToneBassFrequency.Name(1), "350Hz");
    EXPECT_EQ(value_names::kCrossColor.Name(0), "Not Supress");
    EXPECT_EQ(value_names::kSVideo.Name(0), "S");
    EXPECT_EQ(value_names::kSVideo.Count(), 3);
    EXPECT_EQ(value_names::kSVideo.Name(3), "INVALID");
    EXPECT_EQ(value_names::kSVideo.Name(-1), "INVALID");
    EXPECT_EQ(value_names::kCinemaEqFrequency.Name(16), "Through");
    EXPECT_EQ(value_names::kCinemaEqFrequency.Name(17), "");
    EXPECT_EQ(value_names::kPictureMode.Name(255), "");
}

TEST(ValueNames, TunerFrequencies) {
    EXPECT_EQ(value_names::TunerFrequencyName(1, 0), "107.9 MHz");
    EXPECT_EQ(value_names::TunerFrequencyName(1, 52), "97.5 MHz");
    EXPECT_EQ(value_names::TunerFrequencyName(1, 102), "87.5 MHz");
    EXPECT_EQ(value_names::TunerFrequencyName(7, 102), "87.5 MHz");  // any band but 0 is FM
    EXPECT_EQ(value_names::TunerFrequencyName(1, 200), "87.5 MHz");  // held at the band's end
    EXPECT_EQ(value_names::TunerFrequencyName(0, 0), "1710 kHz");
    EXPECT_EQ(value_names::TunerFrequencyName(0, 118), "530 kHz");
    EXPECT_EQ(value_names::TunerFrequencyName(0, -3), "1710 kHz");
    // Every FM step is a whole tenth: 0.2 MHz apart all the way down.
    for (int step = 0; step <= value_names::kHighestFmStep; ++step) {
        const std::string name = value_names::TunerFrequencyName(1, step);
        EXPECT_TRUE(name.ends_with(" MHz")) << name;
        EXPECT_EQ(name[name.size() - 6], '.') << name;
    }
}

}  // namespace
}  // namespace tra1
