#include <gtest/gtest.h>

#include "model/model_profile.h"
#include "model/receiver_image.h"

namespace tra1 {
namespace {

class HomePreset : public ::testing::Test {
protected:
    void SetUp() override { image.ResetToDefaults(ModelProfile{}); }
    ReceiverImage image;
};

TEST_F(HomePreset, MemoryKeepsTheRecordsOwnEqOptionsAndReportedLevel) {
    auto rec = image.HomePresetRecord(2);
    rec[21 + 130] = 0xA1;
    rec[21 + 131] = 0xA2;
    rec[181 + 32] = 0xA3;
    image.EqSettings[130] = 1;
    image.EqSettings[131] = 2;
    image.EqSettings[0] = 20;
    image.EqSettings[151] = 9;
    image.SpeakerLevels[32] = 3;
    image.SpeakerLevels[31] = 44;
    image.SpeakerDistances[15] = 0;
    image.SpeakerDistances[0] = 0x0102;
    image.MainZoneState[main_zone::kNightMode] = 1;
    image.LfeDrange[1] = 7;  // not part of a record

    ASSERT_TRUE(image.StoreHomePreset(2));
    EXPECT_EQ(rec[21 + 130], 0xA1);
    EXPECT_EQ(rec[21 + 131], 0xA2);
    EXPECT_EQ(rec[181 + 32], 0xA3);
    EXPECT_EQ(rec[21], 20);
    EXPECT_EQ(rec[21 + 151], 9);
    EXPECT_EQ(rec[181 + 31], 44);
    EXPECT_EQ(rec[272], 0x02);
    EXPECT_EQ(rec[273], 0x01);
    EXPECT_EQ(rec[272 + 60], 0);
    EXPECT_EQ(rec[269], 1);
    EXPECT_EQ(rec[258], 40);  // the default row, untouched by Memory
    EXPECT_EQ(rec[256], 29);
    EXPECT_EQ(rec[214], 16);
}

TEST_F(HomePreset, MemoryThenRecallLeavesTheImageAsItWas) {
    image.SetInputProgramByte(5, 0x80 | 12);
    image.SetDspParameter(12, 41, 77);
    image.EqSettings[130] = 1;
    image.SpeakerLevels[32] = 3;
    image.SpeakerDistances[7] = -5;
    image.ExternalInputSetting[2] = 4;
    const auto before = image.ToBytes();
    ASSERT_TRUE(image.StoreHomePreset(0));
    const auto stored = image.ToBytes();
    ASSERT_TRUE(image.RecallHomePreset(0));
    EXPECT_EQ(image.ToBytes(), stored);
    EXPECT_EQ(image.HomePresetRecord(0)[256], 0x80 | 12);
    EXPECT_NE(before, stored);  // only the record changed
}

TEST_F(HomePreset, RecallChangesOnlyTheMainInputsProgram) {
    auto rec = image.HomePresetRecord(1);
    rec[256] = 0x80 | 3;
    rec[214 + 5] = 99;
    rec[21 + 130] = 0xEE;
    rec[181 + 32] = 0xEE;
    image.MainZoneState[main_zone::kMainInput] = 2;
    ASSERT_TRUE(image.RecallHomePreset(1));
    EXPECT_EQ(image.InputProgramByte(2), 0x80 | 3);
    EXPECT_EQ(image.InputProgramByte(5), 29);
    EXPECT_EQ(image.DspParameter(3, 5), 99);
    EXPECT_EQ(image.EqSettings[130], 12);
    EXPECT_EQ(image.SpeakerLevels[32], 20);
}

TEST_F(HomePreset, OutOfRangeIndicesAreIgnored) {
    EXPECT_FALSE(image.StoreHomePreset(7));
    EXPECT_FALSE(image.RecallHomePreset(-1));

    // A main input byte and a stored program from a file that point outside their tables.
    image.MainZoneState[main_zone::kMainInput] = 200;
    image.HomePresetRecord(0)[256] = 0x7F;
    const auto map = image.InputProgramMap;
    const auto dsp = image.DspParameterTable;
    ASSERT_TRUE(image.RecallHomePreset(0));
    EXPECT_EQ(image.InputProgramMap, map);
    EXPECT_EQ(image.DspParameterTable, dsp);
    ASSERT_TRUE(image.StoreHomePreset(0));
    EXPECT_EQ(image.HomePresetRecord(0)[256], 0);
}

}  // namespace
}  // namespace tra1
