// The compare engine on crafted image pairs: one difference in each kind of block, named and
// valued as the configuration report prints it; identical images give nothing; against the
// receiver, what the line cannot carry never shows.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/configuration_compare.h"
#include "app/report_settings.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"

namespace tra1 {
namespace {

class ConfigurationCompareTest : public ::testing::Test {
protected:
    ConfigurationCompareTest() {
        profile_.SetModel(ModelProfile::kTrA1);
        mine_.ResetToDefaults(profile_);
        other_ = mine_;
    }

    std::vector<std::string> Texts(std::optional<TransferScope> scope = {}) {
        std::vector<std::string> texts;
        for (const SettingDifference& d : CompareImages(mine_, other_, profile_, scope)) {
            texts.push_back(d.Text());
        }
        return texts;
    }

    static ReceiverImage RandomImage(unsigned seed) {
        std::mt19937 random(seed);
        std::vector<std::uint8_t> bytes(ReceiverImage::kTotalSize);
        for (auto& b : bytes) {
            b = static_cast<std::uint8_t>(random());
        }
        ReceiverImage image;
        image.FromBytes(bytes);
        return image;
    }

    ModelProfile profile_;
    ReceiverImage mine_;
    ReceiverImage other_;
};

struct OneChange {
    const char* block;
    std::function<void(ReceiverImage&)> change;
    std::string expected;
};

std::size_t CinemaByte(std::size_t record, std::size_t field) {
    return eq_layout::kCinemaEq + eq_layout::kCinemaEqRecordSize * record + field;
}

TEST_F(ConfigurationCompareTest, OneDifferenceInEachBlockIsNamedAndValuedAsTheReportPrintsIt) {
    const std::vector<OneChange> changes = {
        {"SpeakerLevels", [](ReceiverImage& im) { im.SpeakerLevels.at(speaker_levels::kFL) = 35; },
         "Speaker Level / FRONT L: 0.0 dB -> -2.5 dB"},
        {"EqSettings (graphic EQ)",
         [](ReceiverImage& im) {
             im.EqSettings.at(eq_layout::kFrontL * eq_layout::kBandsPerChannel +
                              eq_layout::kShownBands.at(0)) = 14;
         },
         "Graphic EQ / FRONT L / 63Hz: 0.0 dB -> 1.0 dB"},
        {"EqSettings (CINEMA EQ)",
         [](ReceiverImage& im) { im.EqSettings.at(CinemaByte(1, eq_layout::kCinemaPeqGain)) = 20; },
         "Cinema EQ / Presence / PEQ Gain: -1.5 dB -> 1.0 dB"},
        {"ToneSettings",
         [](ReceiverImage& im) { im.ToneSettings.at(tone_layout::kHeadphoneBass + 1) = 16; },
         "TONE CONTROL / Headphone / Bass Gain: 0.0 dB -> 2.0 dB"},
        {"LfeDrange", [](ReceiverImage& im) { im.LfeDrange.at(lfe_drange::kLfeHeadphone) = 15; },
         "LFE Level / Headphone: 0.0 dB -> -12.5 dB"},
        {"AudioDelay", [](ReceiverImage& im) { im.AudioDelay.at(0) = 5; },
         "Delay / Audio Delay: 0 msec -> 5 msec"},
        {"TunerPresets",
         [](ReceiverImage& im) { im.SetTunerPreset(9, tuner_presets::kBandFm, 20); },
         "Tuner Information / Preset Stations / B-1: FM - 87.5 MHz -> FM - 103.9 MHz"},
        {"SpeakerDistances",
         [](ReceiverImage& im) { im.SetSpeakerDistance(speaker_distance::kFrontL, 123); },
         "Speaker Distance / Front L: 10.0 -> 12.3"},
        {"VideoSettings", [](ReceiverImage& im) { im.VideoSettings.at(video_layout::kAspect) = 2; },
         "Video Processor / Aspect: Through -> 16:9 Normal"},
        {"PictureModeAdjust",
         [](ReceiverImage& im) {
             im.PictureModeAdjust.at(picture_mode::kRecordSize + picture_mode::kBrightness) = 27;
         },
         "Video Processor / Picture Mode Parameter / Brightness: 0 -> 3"},
        {"InputModeSetting", [](ReceiverImage& im) { im.InputModeSetting.at(0) = 1; },
         "Input Mode: AUTO -> LAST"},
        {"DisplaySettings",
         [](ReceiverImage& im) { im.DisplaySettings.at(display_layout::kComponentOsd) = 0; },
         "Display Set / Component OSD: ON -> OFF"},
        {"InputTrims", [](ReceiverImage& im) { im.InputTrims.at(input_index::kCd) = 16; },
         "Input Trim / CD: 0.0 -> 4.0"},
        {"MultiZoneSetting",
         [](ReceiverImage& im) { im.MultiZoneSetting.at(multi_zone::kZone2Amp) = 1; },
         "Zone2 Set / ZONE2 SP AMP: Internal -> External"},
        {"DspParameterTable", [](ReceiverImage& im) { im.SetDspParameter(0, 2, 9); },
         "DSP Parameters / Munich A / (P.)Liveness: 5 -> 9"},
        {"DcTrigger2",
         [](ReceiverImage& im) { im.DcTrigger2.at(dc_trigger::kZone2Row + input_index::kDvd) = 0; },
         "DC Trigge Information / Trigger 2 / DVD: ZONE1 = ON,  ZONE2 = ON, -> ZONE1 = ON,  "
         "ZONE2 = OFF,"},
        {"MainZoneState",
         [](ReceiverImage& im) { im.MainZoneState.at(main_zone::kOnScreenDisplay) = 0; },
         "Other Current Setting / On Screen Display: ON -> OFF"},
        {"InputNames", [](ReceiverImage& im) { im.SetInputName(input_index::kCd, "COMPACT"); },
         "Input Information / CD / Name: CD -> COMPACT"},
        {"InputProgramMap",
         [](ReceiverImage& im) {
             im.SetInputProgramByte(input_index::kPhono, im.InputProgramByte(input_index::kPhono) |
                                                             program_byte::kEffectOffFlag);
         },
         "Input Information / PHONO / DSP Program: Munich B -> Straight (Munich B)"},
        {"IoAssignTable",
         [](ReceiverImage& im) {
             im.IoAssignTable.at(io_assign::kRowSize * io_assign::kOpticalOut + 1) =
                 input_index::kCd;
         },
         "Input Information / CD / Assigned I/O: Optical IN 1, Coaxial IN 2, -> Optical OUT 2, "
         "Optical IN 1, Coaxial IN 2,"},
        {"SpeakerSetup",
         [](ReceiverImage& im) { im.SpeakerSetup.at(speaker_setup::kSpeakerBSet) = 1; },
         "SP SET Information / Speaker B Set: ZONE 1 -> ZONE B"},
        {"ThxSettings", [](ReceiverImage& im) { im.ThxSettings.at(0) = 1; },
         "THX SET / THX Ultra2 Subwoofer: No -> Yes"},
        {"HomePresetMemories",
         [](ReceiverImage& im) {
             im.HomePresetRecord(
                 1)[home_preset::kEqSettings + CinemaByte(3, eq_layout::kCinemaHighGain)] = 22;
         },
         "Home Preset B / Cinema EQ / Surround Back / HIGH Gain: 0.0 dB -> 2.0 dB"},
        {"UserMemo", [](ReceiverImage& im) { im.SetUserMemoText("front room\r\nnew speakers"); },
         "User Memo: No Data. -> front room | new speakers"},
        {"ExternalInputSetting (not in the report)",
         [](ReceiverImage& im) { im.ExternalInputSetting.at(2) = 1; },
         "Not in the report / ExternalInputSetting byte 2: 0 -> 1"},
    };
    for (const OneChange& c : changes) {
        SCOPED_TRACE(c.block);
        other_ = mine_;
        c.change(other_);
        const std::vector<std::string> texts = Texts();
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.front(), c.expected);
        // A jack moves from one input to another: both inputs' lines change.
        EXPECT_EQ(texts.size(), c.block == std::string("IoAssignTable") ? 2U : 1U)
            << ::testing::PrintToString(texts);
    }
    other_ = mine_;
    other_.IoAssignTable.at(io_assign::kRowSize * io_assign::kOpticalOut + 1) = input_index::kCd;
    EXPECT_EQ(Texts().back(),
              "Input Information / MD/TAPE / Assigned I/O: Optical OUT 2, -> (none)");

    // The on-screen line's label has a spelling for OFF and another for the other values: the
    // setting reads the same whichever way round it changed.
    other_ = mine_;
    mine_.MainZoneState.at(main_zone::kOnScreenDisplay) = 0;
    EXPECT_EQ(Texts(),
              std::vector<std::string>{"Other Current Setting / On Screen Display: OFF -> ON"});
}

TEST_F(ConfigurationCompareTest, IdenticalImagesGiveNothing) {
    EXPECT_TRUE(Texts().empty());
    EXPECT_TRUE(Texts(TransferScope::kPresetSetting).empty());
    // Bytes out of every range, as a damaged file holds them.
    mine_ = RandomImage(7);
    other_ = mine_;
    EXPECT_TRUE(Texts().empty());
}

TEST_F(ConfigurationCompareTest, EverySettingOfTheReportHasItsOwnKey) {
    for (const ReceiverImage& image : {mine_, RandomImage(11)}) {
        const std::vector<ReportSetting> settings = ReportSettings(image, profile_);
        std::set<std::string> keys;
        for (const ReportSetting& s : settings) {
            EXPECT_TRUE(keys.insert(s.key).second) << s.key;
        }
        EXPECT_GT(settings.size(), 1000U);
    }
}

TEST_F(ConfigurationCompareTest, ARenamedInputChangesItsNameOnlyNotTheRowsNamedAfterIt) {
    // The DC trigger rows carry the input's name as their label; they still match.
    other_.SetInputName(input_index::kDvd, "BLU-RAY");
    const auto differences = CompareImages(mine_, other_, profile_);
    ASSERT_EQ(differences.size(), 2U);
    EXPECT_EQ(differences[0].Text(), "Input Information / DVD / Name: DVD -> BLU-RAY");
    EXPECT_EQ(differences[1].Text(), "Other Current Setting / Input: DVD -> BLU-RAY");
}

TEST_F(ConfigurationCompareTest, AHomePresetOnAnotherProgramShowsParametersOnlyOneSideHas) {
    other_.HomePresetRecord(0)[home_preset::kProgram] = 0;  // Munich A
    const auto differences = CompareImages(mine_, other_, profile_);
    ASSERT_FALSE(differences.empty());
    EXPECT_EQ(differences[0].Name(), "Home Preset A / DSP Program");
    bool onlyMine = false;
    bool onlyOther = false;
    for (const SettingDifference& d : differences) {
        EXPECT_EQ(d.section, "Home Preset A") << d.Text();
        onlyMine =
            onlyMine || (!d.inOther && d.Text().ends_with(" -> " + std::string(kNotShownText)));
        onlyOther = onlyOther || !d.inThis;
    }
    EXPECT_TRUE(onlyMine);
    EXPECT_TRUE(onlyOther);
}

TEST_F(ConfigurationCompareTest, AgainstTheReceiverWhatTheLineCannotCarryNeverShows) {
    other_.SetUserMemoText("the PC's own");
    other_.SpeakerSetup.at(speaker_setup::kMainLevel) = 1;
    other_.ExternalInputSetting.at(0) = 1;
    other_.EqSettings.at(eq_layout::kOption1) = 3;
    other_.MainZoneState.at(main_zone::kDspParameterPage) = 2;
    other_.MainZoneState.at(main_zone::kPresetPass) = 4;
    other_.HomePresetRecord(0)[home_preset::kLfeSpeaker] = 30;
    other_.MainVolumeMemories.at(0) = 99;
    // A name comes back padded to eight characters.
    other_.SetInputName(input_index::kCd, "CD      ");
    EXPECT_TRUE(Texts(TransferScope::kCurrentSetting).empty())
        << ::testing::PrintToString(Texts(TransferScope::kCurrentSetting));
    EXPECT_FALSE(Texts().empty());

    // With the presets, the preset memories count.
    EXPECT_EQ(Texts(TransferScope::kPresetSetting),
              std::vector<std::string>{"Home Preset A / LFE Level(SP): 0.0 dB -> -5.0 dB"});

    // What travels still shows.
    other_.SpeakerLevels.at(speaker_levels::kSW) = 44;
    EXPECT_EQ(Texts(TransferScope::kCurrentSetting),
              std::vector<std::string>{"Speaker Level / SW1: 0.0 dB -> 2.0 dB"});
}

TEST_F(ConfigurationCompareTest, ImagesFullOfNonsenseCompareWithoutHarm) {
    mine_ = RandomImage(1);
    other_ = RandomImage(2);
    const auto differences = CompareImages(mine_, other_, profile_, TransferScope::kPresetSetting);
    EXPECT_GT(differences.size(), 100U);
    for (const SettingDifference& d : differences) {
        EXPECT_NE(d.thisValue, d.otherValue) << d.Text();
    }
}

}  // namespace
}  // namespace tra1
