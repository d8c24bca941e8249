#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "model/model_profile.h"
#include "model/receiver_image.h"

namespace tra1 {
namespace {

class ImageDefaults : public ::testing::Test {
protected:
    void SetUp() override {
        profile_.SetModel(ModelProfile::kTrA1);
        image_.ResetToDefaults(profile_);
    }

    template <std::size_t N>
    static std::vector<int> Bytes(const std::array<std::uint8_t, N>& block, std::size_t from,
                                  std::size_t count) {
        return std::vector<int>(block.begin() + static_cast<std::ptrdiff_t>(from),
                                block.begin() + static_cast<std::ptrdiff_t>(from + count));
    }
    static std::vector<int> Bytes(std::span<const std::uint8_t> s, std::size_t from,
                                  std::size_t count) {
        return std::vector<int>(s.begin() + static_cast<std::ptrdiff_t>(from),
                                s.begin() + static_cast<std::ptrdiff_t>(from + count));
    }

    ModelProfile profile_;
    ReceiverImage image_;
};

TEST_F(ImageDefaults, MainInputAndItsProgram) {
    EXPECT_EQ(image_.MainZoneState[main_zone::kMainInput], 5);
    EXPECT_EQ(image_.MainZoneState[main_zone::kCurrentProgram], image_.InputProgramMap[5]);
    EXPECT_EQ(image_.MainZoneState[main_zone::kCurrentProgram], 29);
}

TEST_F(ImageDefaults, InputProgramMapFlagsInputsFromSeven) {
    const std::array<int, 16> programs{1, 15, 13, 7, 15, 29, 29, 27, 27, 22, 22, 22, 28, 0, 0, 0};
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(image_.InputProgramMap[static_cast<std::size_t>(i)] & 0x7F, programs[i]);
        EXPECT_EQ(image_.InputEffectOff(i), i >= 7);
        EXPECT_EQ(image_.InputProgram(i), programs[i]);
    }
    EXPECT_EQ(image_.InputProgramMap[7], 0x80 | 27);
    EXPECT_EQ(image_.InputProgramMap[15], 0x80);
}

TEST_F(ImageDefaults, InputNamesEndWithMultiChannel) {
    EXPECT_EQ(image_.InputName(0), "PHONO");
    EXPECT_EQ(image_.InputName(4), "MD/TAPE");
    EXPECT_EQ(image_.InputName(12), "V-AUX");
    EXPECT_EQ(image_.InputName(13), "MULTI CH");
    EXPECT_EQ(image_.InputNames[13 * 9 + 8], 0);
    EXPECT_EQ(image_.InputName(14), "");
    EXPECT_EQ(image_.InputName(15), "");
}

TEST_F(ImageDefaults, ReceiverBlocks) {
    EXPECT_TRUE(std::all_of(image_.EqSettings.begin(), image_.EqSettings.begin() + 132,
                            [](std::uint8_t v) { return v == 12; }));
    EXPECT_EQ(Bytes(image_.EqSettings, 132, 20),
              (std::vector<int>{0, 15, 15, 11, 14, 0, 15, 18, 11, 15,
                                0, 15, 18, 11, 15, 0, 15, 18, 11, 15}));
    EXPECT_EQ(Bytes(image_.ToneSettings, 0, 8), (std::vector<int>{1, 12, 1, 12, 1, 12, 1, 12}));
    EXPECT_EQ(Bytes(image_.ThxSettings, 0, 3), (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(Bytes(image_.SpeakerSetup, 0, 16),
              (std::vector<int>{0, 0, 0, 0, 0, 2, 0, 0, 0, 2, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(image_.SpeakerDistances,
              (std::array<std::int32_t, 16>{100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100,
                                            100, 0, 0, 0, 1}));
    EXPECT_EQ(image_.SpeakerLevels[0], 40);
    EXPECT_EQ(image_.SpeakerLevels[31], 40);
    EXPECT_EQ(image_.SpeakerLevels[32], 20);
    EXPECT_EQ(Bytes(image_.VideoSettings, 0, 16),
              (std::vector<int>{1, 1, 1, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(image_.PictureModeAdjust, 0, 6), (std::vector<int>{2, 0, 24, 18, 24, 0}));
    EXPECT_EQ(Bytes(image_.PictureModeAdjust, 15, 5), (std::vector<int>{8, 0, 24, 24, 24}));
    EXPECT_EQ(Bytes(image_.PictureModeAdjust, 30, 5), (std::vector<int>{14, 0, 24, 30, 32}));
    EXPECT_EQ(Bytes(image_.LfeDrange, 0, 4), (std::vector<int>{40, 40, 0, 0}));
    EXPECT_EQ(Bytes(image_.AudioDelay, 0, 3), (std::vector<int>{0, 0, 6}));
    EXPECT_EQ(image_.InputTrims,
              (ImageBytes<16>{12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12}));
    EXPECT_EQ(Bytes(image_.DisplaySettings, 0, 7), (std::vector<int>{4, 5, 5, 1, 1, 1, 1}));
    EXPECT_EQ(image_.TunerBand(0), 1);
    EXPECT_EQ(image_.TunerStep(40), 102);
    EXPECT_TRUE(std::all_of(image_.DcTrigger2.begin(), image_.DcTrigger2.end(),
                            [](std::uint8_t v) { return v == 1; }));
}

TEST_F(ImageDefaults, DspTableAndIoRowsReordered) {
    EXPECT_EQ(image_.DspParameter(9, 12), 122);         // Tokyo, REV.Delay
    EXPECT_EQ(image_.DspParameter(21, 19), 100);        // 9ch Stereo, CT.Level
    EXPECT_EQ(image_.DspParameter(37, 29), 1);          // THX Music
    EXPECT_EQ(image_.DspParameter(0x80 | 9, 12), 122);  // the flag bit is masked off
    // Image rows 0..3 take the stored rows A, C, B, D.
    EXPECT_EQ(Bytes(image_.IoAssignTable, 0, 7), (std::vector<int>{5, 6, 7, 8, 9, 11, 255}));
    EXPECT_EQ(Bytes(image_.IoAssignTable, 16, 4), (std::vector<int>{3, 4, 11, 255}));
    EXPECT_EQ(Bytes(image_.IoAssignTable, 32, 8), (std::vector<int>{1, 3, 5, 6, 7, 8, 11, 255}));
    EXPECT_EQ(Bytes(image_.IoAssignTable, 48, 5), (std::vector<int>{6, 1, 5, 11, 255}));
    EXPECT_EQ(image_.IoAssignTable[63], 255);
}

TEST_F(ImageDefaults, MainZoneStateAndMemories) {
    const ImageBytes<32> expected{5, 0, 0, 4, 29, 0, 0,  0, 1, 0, 0, 81, 81, 0, 0, 1,
                                  0, 0, 0, 0, 0,  4, 81, 0, 0, 0, 1, 0,  0,  0, 0, 0};
    EXPECT_EQ(image_.MainZoneState, expected);
    EXPECT_TRUE(std::all_of(image_.MainVolumeMemories.begin(), image_.MainVolumeMemories.end(),
                            [](std::uint8_t v) { return v == 81; }));
    EXPECT_EQ(image_.Zone3VolumeMemories[6], 81);
    EXPECT_EQ(image_.UserMemoText(), "");
}

TEST_F(ImageDefaults, HomePresetRecords) {
    for (int r = 0; r < 7; ++r) {
        SCOPED_TRACE(r);
        const auto rec = image_.HomePresetRecord(r);
        ASSERT_EQ(rec.size(), 352u);
        EXPECT_EQ(Bytes(rec, 0, 21), (std::vector<int>{0, 0, 0, 0, 0, 2, 0, 0, 0, 2, 1,
                                                       0, 0, 0, 0, 0, 0, 0, 0, 0, 6}));
        EXPECT_EQ(rec[21 + 130], 12);
        EXPECT_EQ(rec[21 + 131], 12);
        EXPECT_EQ(Bytes(rec, 21 + 132, 5), (std::vector<int>{0, 15, 15, 11, 14}));
        EXPECT_EQ(Bytes(rec, 173, 8), (std::vector<int>{1, 12, 1, 12, 1, 12, 1, 12}));
        EXPECT_EQ(Bytes(rec, 181 + 9, 8), (std::vector<int>{40, 40, 0, 0, 0, 0, 0, 40}));
        EXPECT_EQ(rec[181 + 32], 20);
        // Parameters of Sci-Fi (29), the main input's default program.
        EXPECT_EQ(Bytes(rec, 214, 6), (std::vector<int>{16, 10, 0, 20, 15, 2}));
        EXPECT_EQ(rec[256], 29);
        EXPECT_EQ(Bytes(rec, 257, 15),
                  (std::vector<int>{40, 40, 0, 0, 4, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
        EXPECT_EQ(ReadLe32(rec, 272), 100);
        EXPECT_EQ(ReadLe32(rec, 272 + 4 * 11), 100);
        EXPECT_EQ(ReadLe32(rec, 272 + 4 * 12), 0);
        EXPECT_EQ(ReadLe32(rec, 272 + 4 * 15), 1);
        EXPECT_EQ(Bytes(rec, 336, 8), (std::vector<int>{1, 1, 1, 0, 1, 1, 1, 0}));
    }
}

TEST_F(ImageDefaults, ResetRestoresEverythingButTheSpareByte) {
    const auto fresh = image_.ToBytes();
    image_.SpareByte[0] = 9;
    image_.InputNames[15 * 9] = 'Z';
    image_.SpeakerDistances[13] = 55;
    image_.VideoSettings[10] = 3;
    image_.MainZoneState[30] = 7;
    image_.HomePresetMemories[2463] = 1;
    image_.SetUserMemoText("old");
    image_.ResetToDefaults(profile_);
    EXPECT_EQ(image_.SpareByte[0], 9);
    image_.SpareByte[0] = 0;
    EXPECT_EQ(image_.ToBytes(), fresh);
}

TEST(ImageAccess, OutsideIndicesAreRejected) {
    ReceiverImage image;
    image.ResetToDefaults(ModelProfile{});
    const auto before = image.ToBytes();

    EXPECT_FALSE(image.SetInputProgramByte(16, 1));
    EXPECT_FALSE(image.SetInputProgramByte(-1, 1));
    EXPECT_EQ(image.InputProgramByte(200), 0);
    EXPECT_FALSE(image.SetInputName(16, "X"));
    EXPECT_EQ(image.InputName(-3), "");
    EXPECT_FALSE(image.SetDspParameter(38, 0, 1));
    EXPECT_FALSE(image.SetDspParameter(0x80 | 38, 0, 1));
    EXPECT_FALSE(image.SetDspParameter(0, 42, 1));
    EXPECT_FALSE(image.SetDspParameter(256, 0, 1));
    EXPECT_FALSE(image.SetDspParameter(-1, 0, 1));
    EXPECT_EQ(image.DspParameter(0, -1), 0);
    EXPECT_TRUE(image.DspRecord(38).empty());
    EXPECT_TRUE(image.HomePresetRecord(7).empty());
    EXPECT_FALSE(image.SetSpeakerDistance(16, 1));
    EXPECT_EQ(image.SpeakerDistance(-1), 0);
    EXPECT_FALSE(image.SetTunerPreset(41, 0, 0));
    EXPECT_EQ(image.TunerStep(41), 0);
    EXPECT_FALSE(image.SetIoAssign(4, 0, 1));
    EXPECT_FALSE(image.SetIoAssign(0, 16, 1));
    EXPECT_EQ(image.IoAssign(0, 16), 255);
    image.ApplyHomePresetDefaults(7, ModelProfile{});
    EXPECT_EQ(image.ToBytes(), before);
}

TEST(ImageAccess, NamesAndMemoStayInsideTheirBlocks) {
    ReceiverImage image;
    EXPECT_TRUE(image.SetInputName(15, "ABCDEFGHIJK"));
    EXPECT_EQ(image.InputName(15), "ABCDEFGH");
    EXPECT_EQ(image.InputNames[143], 0);
    // A name from a file without its terminating zero is read as at most 8 characters.
    std::fill(image.InputNames.begin(), image.InputNames.end(), std::uint8_t{'Q'});
    EXPECT_EQ(image.InputName(0), "QQQQQQQQ");

    const std::string memo(700, 'm');
    image.SetUserMemoText(memo);
    EXPECT_EQ(image.UserMemo[499], 'm');
    EXPECT_EQ(image.UserMemoText(), memo.substr(0, 500));
    image.SetUserMemoText("ab");
    EXPECT_EQ(image.UserMemoText(), "ab");
    EXPECT_EQ(image.UserMemo[3], 0);
}

TEST(ImageAccess, ProgramByteMasking) {
    EXPECT_EQ(ReceiverImage::ProgramOf(0x80 | 27), 27);
    EXPECT_TRUE(ReceiverImage::EffectOff(0x80 | 27));
    EXPECT_FALSE(ReceiverImage::EffectOff(27));
    ReceiverImage image;
    ASSERT_TRUE(image.SetInputProgramByte(3, 0xFF));
    EXPECT_EQ(image.InputProgram(3), 127);  // out of the table: DspRecord rejects it
    EXPECT_TRUE(image.DspRecord(image.InputProgram(3)).empty());
}

TEST(ImageOwnership, ImagesAndProfilesShareNothing) {
    // Whoever owns an image or a profile owns all of it: a change to one leaves every other
    // untouched.
    ModelProfile profile;
    ModelProfile other;
    profile.SetModel(ModelProfile::kTrA1);
    EXPECT_EQ(other.Model(), ModelProfile::kUnknownModel);
    ReceiverImage image;
    const ReceiverImage untouched;
    image.ResetToDefaults(profile);
    EXPECT_NE(image.ToBytes(), untouched.ToBytes());
    EXPECT_EQ(untouched.ToBytes(), ReceiverImage{}.ToBytes());
}

}  // namespace
}  // namespace tra1
