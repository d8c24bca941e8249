// The whole editor against the virtual receiver on the virtual clock, the long way round: an
// image changed in every block the panels edit (names, programs, the six presets and their
// volumes among them) is downloaded with "Current Setting" and then with "Preset Setting", the
// editor starts afresh with the default image, and an upload with "Preset Setting" brings back
// the image that was downloaded, byte for byte, except the bytes the line cannot carry
// (UncarriedMarks names each with the reason).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/configuration_compare.h"
#include "app/line_carriage.h"
#include "app/transfer_pc_memories.h"
#include "model/model_profile.h"
#include "platform/win/user_input.h"
#include "sim/receiver_pacing.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace id = main_window;

constexpr std::int64_t kRoundTripLimitMs = 60 * 60 * 1000;

std::uint8_t Byte(int value) {
    return static_cast<std::uint8_t>(value);
}

// The settings the panels and the main window edit, each set to a value of its range that
// depends on `v`, so that every variant differs from the defaults and from the others.
void ChangeSettings(ReceiverImage& im, int v) {
    for (int input = 0; input <= input_index::kMultiChannel; ++input) {
        const int program = (3 * input + 5 * v + 1) % (ModelProfile::kHighestProgram + 1);
        const bool effectOff = (input + v) % 4 == 0;
        im.SetInputProgramByte(input,
                               Byte(program | (effectOff ? program_byte::kEffectOffFlag : 0)));
    }
    for (std::size_t i = 0; i < eq_layout::kGraphicEqEnd; ++i) {
        im.EqSettings.at(i) = Byte((static_cast<int>(i) + 3 * v) % 25);
    }
    im.EqSettings.at(eq_layout::kOption1) = Byte(5 + v);
    im.EqSettings.at(eq_layout::kOption2) = Byte(20 - v);
    for (std::size_t r = 0; r < eq_layout::kCinemaEqRecordCount; ++r) {
        const std::size_t base = eq_layout::kCinemaEq + eq_layout::kCinemaEqRecordSize * r;
        const int k = static_cast<int>(r) + v;
        im.EqSettings.at(base + eq_layout::kCinemaOnOff) = Byte(k % 2);
        im.EqSettings.at(base + eq_layout::kCinemaHighFrequency) = Byte((k * 3) % 16);
        im.EqSettings.at(base + eq_layout::kCinemaHighGain) = Byte((k * 5) % 37);
        im.EqSettings.at(base + eq_layout::kCinemaPeqFrequency) = Byte((k * 7 + 2) % 16);
        im.EqSettings.at(base + eq_layout::kCinemaPeqGain) = Byte((k * 11 + 3) % 37);
    }
    for (std::size_t pair = 0; pair < 4; ++pair) {
        im.ToneSettings.at(2 * pair) = Byte((static_cast<int>(pair) + v) % 3);
        im.ToneSettings.at(2 * pair + 1) = Byte((static_cast<int>(pair) * 5 + v * 3 + 1) % 25);
    }
    im.ThxSettings = {Byte(v % 2), Byte((v + 1) % 2), Byte(v % 3)};
    auto& setup = im.SpeakerSetup;
    setup.at(speaker_setup::kCenter) = Byte(v % 3);
    setup.at(speaker_setup::kFront) = Byte((v + 1) % 2);
    setup.at(speaker_setup::kSurround) = Byte((v + 2) % 3);
    setup.at(speaker_setup::kSurroundBack) = Byte(v % 5);
    setup.at(speaker_setup::kPresence) = Byte(v % 2);
    setup.at(speaker_setup::kBassOut) = Byte((v + 1) % 3);
    setup.at(speaker_setup::kSubwooferConfig) = Byte((v + 2) % 4);
    setup.at(speaker_setup::kMainLevel) = Byte(v % 2);
    setup.at(speaker_setup::kSpeakerBSet) = Byte((v + 1) % 2);
    setup.at(speaker_setup::kCrossover) = Byte((v * 2 + 1) % 9);
    setup.at(speaker_setup::kPresenceOrSurroundBack) = Byte(v % 2);
    setup.at(speaker_setup::kPhase) = Byte((v + 1) % 4);
    for (int entry = 0; entry < 15; ++entry) {
        im.SetSpeakerDistance(entry, 60 + entry * 7 + v * 3);
    }
    im.SetSpeakerDistance(static_cast<int>(speaker_distance::kUnit), v % 2);
    for (std::size_t k = 0; k < speaker_levels::kReportedLevel; ++k) {
        im.SpeakerLevels.at(k) = Byte(20 + (static_cast<int>(k) * 3 + v * 2) % 41);
    }
    im.SpeakerLevels.at(speaker_levels::kReportedLevel) = Byte(30 + v);
    // Each video setting within its choices: processor, picture mode, resolution, aspect, cross
    // color, TV format, S-video.
    constexpr int kVideoChoices[] = {2, 3, 4, 4, 2, 2, 3};
    for (std::size_t k = 0; k < std::size(kVideoChoices); ++k) {
        im.VideoSettings.at(k) = Byte((static_cast<int>(k) + v) % kVideoChoices[k]);
    }
    for (std::size_t i = 0; i < im.PictureModeAdjust.size(); ++i) {
        im.PictureModeAdjust.at(i) = Byte((static_cast<int>(i) * 3 + v) % 48);
    }
    im.LfeDrange = {Byte(20 + v), Byte(30 + v), Byte(v % 3), Byte((v + 1) % 3)};
    im.AudioDelay = {Byte(10 * v + 5), Byte(v), Byte(7 + v)};
    for (int program = 0; program <= ModelProfile::kHighestProgram; ++program) {
        for (int slot = 0; slot < ModelProfile::kParametersPerProgram; ++slot) {
            // The decode type (27) reads back in four groups, 0..3 each one value.
            const int value = slot == 27 ? (program + v) % 4 : (program + slot + v) % 10 + 1;
            im.SetDspParameter(program, slot, Byte(value));
        }
    }
    im.ExternalInputSetting = {Byte(v % 2), Byte((v + 1) % 2), Byte(v % 2), Byte(v % 3)};
    auto& display = im.DisplaySettings;
    display.at(display_layout::kDimmer) = Byte(v % 5);
    display.at(display_layout::kOsdShiftH) = Byte((v + 2) % 11);
    display.at(display_layout::kOsdShiftV) = Byte((v + 3) % 11);
    display.at(display_layout::kGrayBack) = Byte(v % 2);
    display.at(display_layout::kVideoConversion) = Byte((v + 1) % 2);
    display.at(display_layout::kComponentOsd) = Byte(v % 2);
    display.at(display_layout::kWallPaper) = Byte((v + 1) % 2);
    auto& zone = im.MainZoneState;
    zone.at(main_zone::kOnScreenDisplay) = Byte(v % 2);
    zone.at(main_zone::kSpeakerA) = Byte((v + 1) % 2);
    zone.at(main_zone::kSpeakerB) = Byte(v % 2);
    zone.at(main_zone::kNightMode) = Byte((v + 1) % 2);
    zone.at(main_zone::kMainVolume) = Byte(90 + 5 * v);
    zone.at(main_zone::kZone2Volume) = Byte(50 + 3 * v);
}

// What only the first pass of a transfer carries (the receiver keeps it once, not per preset),
// the main window's own state, and the PC-side data.
void ChangeTheRest(ReceiverImage& im) {
    const char* names[] = {"TURNTBL1", "COMPACT2", "RADIO",    "RECORDR4", "TAPEDECK", "DISCPLYR",
                           "TV SET 7", "CABLE  8", "SATELITE", "VCR NO10", "VCR NO11", "DVR   12",
                           "FRONT 13", "MULTI 14", "SPARE 15", "SPARE 16"};
    for (int input = 0; input < static_cast<int>(input_names::kEntryCount); ++input) {
        im.SetInputName(input, names[input]);
    }
    for (int input = 0; input < input_index::kCount; ++input) {
        im.InputTrims.at(static_cast<std::size_t>(input)) = Byte((input * 5 + 3) % 25);
    }
    for (std::size_t row = 0; row < io_assign::kRowCount; ++row) {
        for (std::size_t jack = 0; jack < io_assign::kRowSize; ++jack) {
            im.IoAssignTable.at(io_assign::kRowSize * row + jack) =
                Byte((jack + 3 * row + 1) % (ModelProfile::kHighestInput + 1));
        }
    }
    im.InputModeSetting.at(0) = 1;
    im.MultiZoneSetting = {1, 1};
    for (std::size_t entry = 0; entry < tuner_presets::kEntryCount; ++entry) {
        const int e = static_cast<int>(entry);
        const bool fm = e % 3 != 0;
        im.SetTunerPreset(e, fm ? tuner_presets::kBandFm : tuner_presets::kBandAm,
                          Byte(fm ? (e * 7) % (ModelProfile::kHighestFmStep + 1)
                                  : (e * 11) % (ModelProfile::kHighestAmStep + 1)));
    }
    for (auto* trigger : {&im.DcTrigger1, &im.DcTrigger2}) {
        for (std::size_t i = 0; i < trigger->size(); ++i) {
            trigger->at(i) = Byte((i + (trigger == &im.DcTrigger1 ? 0 : 1)) % 2);
        }
    }
    im.DcTrigger1.at(dc_trigger::kMode) = 2;
    im.DcTrigger2.at(dc_trigger::kMode) = 3;
    auto& zone = im.MainZoneState;
    zone.at(main_zone::kMainInput) = input_index::kDtvLd;
    zone.at(main_zone::kCurrentProgram) = im.InputProgramByte(input_index::kDtvLd);
    zone.at(main_zone::kInputMode) = 1;
    zone.at(main_zone::kZone2Input) = input_index::kCdr;
    zone.at(main_zone::kMainMute) = 1;
    zone.at(main_zone::kZone2Mute) = 1;
    zone.at(main_zone::kExEsDecoder) = 3;
    zone.at(main_zone::kZone3Input) = 7;
    zone.at(main_zone::kZone3Volume) = 44;
    zone.at(main_zone::kZone3Mute) = 1;
    zone.at(main_zone::kDspParameterPage) = 2;
    for (std::size_t slot = 0; slot < im.Zone3VolumeMemories.size(); ++slot) {
        im.Zone3VolumeMemories.at(slot) = Byte(70 + slot);
    }
    im.MainVolumeMemories.at(kPresetEntryCount) = 33;
    im.Zone2VolumeMemories.at(kPresetEntryCount) = 34;
    im.HomePresetRecord(kPresetEntryCount)[0] = 2;
    im.SpareByte.at(0) = 0x5A;
    im.SetUserMemoText("front room, after the new speakers");
}

// How the virtual receiver takes what it hears: each write whole at once, or paced as the
// receiver is, frame by frame from its 64-byte input buffer, which loses what overruns it; and
// whether the transfers run stepwise or pipelined (Configuration > "Fast Transfer").
enum class Line { kWhole, kPaced, kPacedPipelined };

class RoundTripTest : public EditorFixture, public ::testing::WithParamInterface<Line> {
protected:
    RoundTripTest()
        : EditorFixture(GetParam() != Line::kWhole
                            ? std::optional<serial::FarEndPacing>(sim::kReceiverPacing)
                            : std::nullopt) {
        portSwitch_.Wire(3, receiver_);
    }

    void RunTransfer(int button, bool presetSetting) {
        ASSERT_TRUE(win::user::Click(
            Main(), presetSetting ? id::kPresetSettingRadio : id::kCurrentSettingRadio));
        const bool pipelined = GetParam() == Line::kPacedPipelined;
        if (Main().Transfer().Pipelined() != pipelined) {
            ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuFastTransfer));
        }
        ASSERT_TRUE(win::user::Click(Main(), button));
        bool fellBack = false;
        ASSERT_TRUE(loop_.AdvanceUntil(
            [&] {
                const bool running =
                    State().uploadInProgress != 0 || State().downloadInProgress != 0;
                fellBack = fellBack || (running && Main().Transfer().RunningAhead() != pipelined);
                return !running;
            },
            kRoundTripLimitMs));
        // No answer went missing: a pipelined transfer stayed pipelined to its end.
        EXPECT_FALSE(fellBack);
        loop_.DrainPosted();
        // Every wait was answered: the receiver never fell silent.
        const std::string log = LogText();
        const auto cleared = log.find("Command Waiting Counter Cleared");
        EXPECT_EQ(cleared, std::string::npos) << log.substr(cleared > 600 ? cleared - 600 : 0, 700);
        EXPECT_TRUE(prompter_.Boxes().empty()) << ::testing::PrintToString(prompter_.BoxTexts());
        // The editor never sent more than the receiver's buffer holds.
        EXPECT_EQ(port_->BytesLostByFarEnd(), 0u);
    }

    sim::VirtualReceiver receiver_;
};

TEST_P(RoundTripTest, DownloadThenUploadIntoAFreshEditorBringsBackEveryByteTheLineCarries) {
    Start();
    TickDisplayLog();
    ConnectTo(3);
    ReceiverImage& image = EditorImage();
    // Six presets, each its own variant of every setting, then the current settings.
    for (int entry = 0; entry < kPresetEntryCount; ++entry) {
        ChangeSettings(image, entry + 1);
        image.MainZoneState.at(main_zone::kMainInput) = input_index::kDtvLd;
        StorePcMemories(image, entry);
    }
    ChangeSettings(image, 0);
    ChangeTheRest(image);
    Main().RefreshPanels();

    RunTransfer(id::kDownloadButton, false);
    RunTransfer(id::kDownloadButton, true);
    const ReceiverImage downloaded = image;

    RestartEditor();
    TickDisplayLog();
    ConnectTo(3);
    ASSERT_NE(EditorImage().ToBytes(), downloaded.ToBytes());
    RunTransfer(id::kUploadButton, true);

    const ReceiverImage marks = UncarriedMarks(downloaded, TransferScope::kPresetSetting);
    std::string differences;
    std::vector<std::uint8_t> want;
    std::vector<std::uint8_t> got;
    std::vector<std::uint8_t> mark;
    int compared = 0;
    for (std::size_t index = 0; index < ReceiverImage::kBlockCount; ++index) {
        const std::size_t size = kImageBlocks[index].size;
        want.assign(size, 0);
        got.assign(size, 0);
        mark.assign(size, 0);
        downloaded.ReadBlock(index, want);
        EditorImage().ReadBlock(index, got);
        marks.ReadBlock(index, mark);
        for (std::size_t offset = 0; offset < size; ++offset) {
            if (mark[offset] != 0) {
                continue;
            }
            ++compared;
            if (want[offset] != got[offset]) {
                differences += std::string(kImageBlocks[index].name) + "[" +
                               std::to_string(offset) + "]: " + std::to_string(want[offset]) +
                               " came back as " + std::to_string(got[offset]) + "\n";
            }
        }
    }
    EXPECT_EQ(differences, "");
    // The compare engine, told what the transfer carried, agrees.
    const auto settings =
        CompareImages(downloaded, EditorImage(), EditorProfile(), TransferScope::kPresetSetting);
    EXPECT_TRUE(settings.empty()) << settings.front().Text();
    // About 2,350 of the 5,394 bytes travel; most of the rest are the DSP slots that a program
    // does not have, the PC-side data and the copies of both in the presets.
    EXPECT_GT(compared, 2300);
}

INSTANTIATE_TEST_SUITE_P(Lines, RoundTripTest,
                         ::testing::Values(Line::kWhole, Line::kPaced, Line::kPacedPipelined),
                         [](const ::testing::TestParamInfo<Line>& info) {
                             switch (info.param) {
                                 case Line::kWhole:
                                     return "Whole";
                                 case Line::kPaced:
                                     return "Paced";
                                 case Line::kPacedPipelined:
                                     break;
                             }
                             return "PacedPipelined";
                         });

}  // namespace
}  // namespace tra1::testing
