#include <gtest/gtest.h>

#include "model/model_profile.h"
#include "model/receiver_image.h"

namespace tra1 {
namespace {

class HomePreset : public ::testing::Test {
protected:
    void SetUp() override { image_.ResetToDefaults(ModelProfile{}); }
    ReceiverImage image_;
};

TEST_F(HomePreset, MemoryKeepsTheRecordsOwnEqOptionsAndReportedLevel) {
    auto rec = image_.HomePresetRecord(2);
    rec[21 + 130] = 0xA1;
    rec[21 + 131] = 0xA2;
    rec[181 + 32] = 0xA3;
    image_.EqSettings[130] = 1;
    image_.EqSettings[131] = 2;
    image_.EqSettings[0] = 20;
    image_.EqSettings[151] = 9;
    image_.SpeakerLevels[32] = 3;
    image_.SpeakerLevels[31] = 44;
    image_.SpeakerDistances[15] = 0;
    image_.SpeakerDistances[0] = 0x0102;
    image_.MainZoneState[main_zone::kNightMode] = 1;
    image_.LfeDrange[1] = 7;  // not part of a record

    ASSERT_TRUE(image_.StoreHomePreset(2));
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
    image_.SetInputProgramByte(5, 0x80 | 12);
    image_.SetDspParameter(12, 41, 77);
    image_.EqSettings[130] = 1;
    image_.SpeakerLevels[32] = 3;
    image_.SpeakerDistances[7] = -5;
    image_.ExternalInputSetting[2] = 4;
    const auto before = image_.ToBytes();
    ASSERT_TRUE(image_.StoreHomePreset(0));
    const auto stored = image_.ToBytes();
    ASSERT_TRUE(image_.RecallHomePreset(0));
    EXPECT_EQ(image_.ToBytes(), stored);
    EXPECT_EQ(image_.HomePresetRecord(0)[256], 0x80 | 12);
    EXPECT_NE(before, stored);  // only the record changed
}

TEST_F(HomePreset, RecallChangesOnlyTheMainInputsProgram) {
    auto rec = image_.HomePresetRecord(1);
    rec[256] = 0x80 | 3;
    rec[214 + 5] = 99;
    rec[21 + 130] = 0xEE;
    rec[181 + 32] = 0xEE;
    image_.MainZoneState[main_zone::kMainInput] = 2;
    ASSERT_TRUE(image_.RecallHomePreset(1));
    EXPECT_EQ(image_.InputProgramByte(2), 0x80 | 3);
    EXPECT_EQ(image_.InputProgramByte(5), 29);
    EXPECT_EQ(image_.DspParameter(3, 5), 99);
    EXPECT_EQ(image_.EqSettings[130], 12);
    EXPECT_EQ(image_.SpeakerLevels[32], 20);
}

TEST_F(HomePreset, OutOfRangeIndicesAreIgnored) {
    EXPECT_FALSE(image_.StoreHomePreset(7));
    EXPECT_FALSE(image_.RecallHomePreset(-1));

    // A main input byte and a stored program from a file that point outside their tables.
    image_.MainZoneState[main_zone::kMainInput] = 200;
    image_.HomePresetRecord(0)[256] = 0x7F;
    const auto map = image_.InputProgramMap;
    const auto dsp = image_.DspParameterTable;
    ASSERT_TRUE(image_.RecallHomePreset(0));
    EXPECT_EQ(image_.InputProgramMap, map);
    EXPECT_EQ(image_.DspParameterTable, dsp);
    ASSERT_TRUE(image_.StoreHomePreset(0));
    EXPECT_EQ(image_.HomePresetRecord(0)[256], 0);
}

}  // namespace
}  // namespace tra1
