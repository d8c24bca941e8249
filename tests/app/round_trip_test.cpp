// The whole editor against the virtual receiver on the virtual clock, the long way round: an
// image changed in every block the panels edit (names, programs, the six presets and their
// volumes among them) is downloaded with "Current Setting" and then with "Preset Setting", the
// editor starts afresh with the default image, and an upload with "Preset Setting" brings back
// the image that was downloaded, byte for byte, except the bytes the line cannot carry. Each of
// those is named below with the reason.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/transfer_dsp_parameters.h"
#include "app/transfer_pc_memories.h"
#include "model/model_profile.h"
#include "platform/win/user_input.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace id = main_window;

constexpr std::int64_t kTransferLimitMs = 60 * 60 * 1000;

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

// One range of bytes the line cannot carry.
struct Uncarried {
    std::size_t block;
    std::size_t first;
    std::size_t last;  // inclusive
    const char* reason;
};

const Uncarried kUncarried[] = {
    {block_index::kInputNames, 14 * input_names::kEntrySize, 16 * input_names::kEntrySize - 1,
     "inputs 14 and 15 do not exist: no name is sent or asked for"},
    {block_index::kInputProgramMap, input_index::kMultiChannel, input_index::kCount - 1,
     "only the inputs 0..12 are selected and reported on the line"},
    {block_index::kEqSettings, eq_layout::kBandsPerChannel, 2 * eq_layout::kBandsPerChannel - 1,
     "the receiver reports no graphic EQ for channel record 1 (table digit 1 stores nothing)"},
    {block_index::kEqSettings, eq_layout::kOption1, eq_layout::kOption2,
     "the two GRAPHIC EQ options (function 269) are not part of the transfers"},
    {block_index::kSpeakerSetup, speaker_setup::kMainLevel, speaker_setup::kMainLevel,
     "MAIN LEVEL has no command and no place in the configuration frame"},
    {block_index::kSpeakerSetup, speaker_setup::kPresenceOrSurroundBack, speaker_setup::kPhase,
     "PR / SB has no command; the phase is only reported, and writing the subwoofer "
     "configuration (0..3) sets it to normal"},
    {block_index::kSpeakerSetup, 12, 15, "unused"},
    {block_index::kSpeakerDistances, 12 * 4, 15 * 4 - 1,
     "entry 12 is written but never asked for; entries 13 and 14 never travel"},
    {block_index::kSpeakerLevels, 11, speaker_levels::kReportedLevel,
     "11..15 are unused, the second set (16..31) has no command, byte 32 is only ever "
     "reported by the receiver"},
    {block_index::kVideoSettings, 7, 15, "unused"},
    {block_index::kPictureModeAdjust, 5, 14, "picture mode record 0 beyond its five values"},
    {block_index::kPictureModeAdjust, 20, 29, "picture mode record 1 beyond its five values"},
    {block_index::kPictureModeAdjust, 35, 44, "picture mode record 2 beyond its five values"},
    {block_index::kAudioDelay, 1, 2, "the two hidden delays have no command in the transfers"},
    {block_index::kInputTrims, 14, 15, "inputs 14 and 15 do not exist"},
    {block_index::kExternalInputSetting, 0, 3,
     "the EXTERNAL INPUT SET values are neither sent nor reported"},
    {block_index::kDisplaySettings, display_layout::kGrayBack, display_layout::kGrayBack,
     "Gray Back is reported but the download does not send it"},
    {block_index::kDisplaySettings, display_layout::kVideoConversion,
     display_layout::kVideoConversion,
     "one setting on the receiver with the video processor switch, which the download sends "
     "after it"},
    {block_index::kDcTrigger1, dc_trigger::kZone1Row + 13, dc_trigger::kZone1Row + 15,
     "inputs 13..15 of the zone 1 row are not sent"},
    {block_index::kDcTrigger1, dc_trigger::kZone2Row + 13, dc_trigger::kMultiChannel,
     "inputs 13..15 of the zone 2 row, the zone 3 row and the multi-channel byte are not sent"},
    {block_index::kDcTrigger2, dc_trigger::kZone1Row + 13, dc_trigger::kZone1Row + 15,
     "inputs 13..15 of the zone 1 row are not sent"},
    {block_index::kDcTrigger2, dc_trigger::kZone2Row + 13, dc_trigger::kMultiChannel,
     "inputs 13..15 of the zone 2 row, the zone 3 row and the multi-channel byte are not sent"},
    {block_index::kMainZoneState, main_zone::kReported5, 7,
     "byte 5 is only reported by the receiver; 6 and 7 are unused"},
    {block_index::kMainZoneState, main_zone::kReported16, main_zone::kReported16,
     "only reported by the receiver"},
    {block_index::kMainZoneState, main_zone::kPower, main_zone::kZone3Mute,
     "the power is the receiver's to report; this model has no zone 3"},
    {block_index::kMainZoneState, main_zone::kDspParameterPage, 31,
     "the DSP PARAMETER panel's page is the PC's own; 27..31 are unused"},
    {block_index::kMainVolumeMemories, kPresetEntryCount, kPresetEntryCount,
     "the seventh memory is never offered"},
    {block_index::kZone2VolumeMemories, kPresetEntryCount, kPresetEntryCount,
     "the seventh memory is never offered"},
    {block_index::kZone3VolumeMemories, 0, 6, "PC-side data"},
    {block_index::kSpareByte, 0, 0, "PC-side data"},
    {block_index::kUserMemo, 0, 499, "PC-side data"},
};

// The IoAssignTable bytes beyond each row's jacks: no jack, nothing sent.
bool IoBeyondTheJacks(std::size_t offset) {
    return offset % io_assign::kRowSize >= io_assign::kJackCount.at(offset / io_assign::kRowSize);
}

// A DSP slot the receiver has no parameter for in that program is never sent or asked for.
// Slots 5..7 go out as parameters 5..7 with sub-index 1, which are also the first sub-fields
// (slots 32, 35, 38): the receiver keeps one value for both, and its answer to parameters
// 5..7 always lands in the sub-field slots.
bool DspSlotNotCarried(std::size_t offset) {
    const auto program = static_cast<int>(offset / dsp_table::kParametersPerProgram);
    const auto slot = static_cast<int>(offset % dsp_table::kParametersPerProgram);
    return !ReceiverHasSlot(program, slot) || !WireParameterOf(program, slot) ||
           (slot >= 5 && slot <= 7);
}

// A name shorter than eight characters comes back blank-padded: the line carries eight.
bool NamePadding(const ReceiverImage& downloaded, std::size_t offset) {
    const auto entry = static_cast<int>(offset / input_names::kEntrySize);
    const std::size_t at = offset % input_names::kEntrySize;
    return at < input_names::kMaxLength && at >= downloaded.InputName(entry).size();
}

// Marks (0xFF) every byte of the image that the line cannot carry, the PC memories included.
// A home preset record is a copy of the live settings, made by StoreHomePreset: a record byte
// travels exactly when the live byte it copies does. The seventh record never travels, nor do
// the record bytes no copy writes.
ReceiverImage UncarriedMarks(const ReceiverImage& downloaded) {
    ReceiverImage marks;
    std::vector<std::uint8_t> bytes(ReceiverImage::kTotalSize, 0);
    marks.FromBytes(bytes);
    std::vector<std::uint8_t> block;
    for (std::size_t index = 0; index < ReceiverImage::kBlockCount; ++index) {
        block.assign(kImageBlocks[index].size, 0);
        for (std::size_t offset = 0; offset < block.size(); ++offset) {
            bool uncarried = false;
            for (const Uncarried& u : kUncarried) {
                uncarried =
                    uncarried || (u.block == index && offset >= u.first && offset <= u.last);
            }
            uncarried = uncarried ||
                        (index == block_index::kIoAssignTable && IoBeyondTheJacks(offset)) ||
                        (index == block_index::kDspParameterTable && DspSlotNotCarried(offset)) ||
                        (index == block_index::kInputNames && NamePadding(downloaded, offset)) ||
                        index == block_index::kHomePresetMemories;
            block[offset] = uncarried ? 0xFF : 0;
        }
        marks.WriteBlock(index, block);
    }
    for (int record = 0; record < kPresetEntryCount; ++record) {
        // The program the record carries decides which parameter row it copies.
        ReceiverImage copier = marks;
        copier.MainZoneState.at(main_zone::kMainInput) = 0;
        copier.SetInputProgramByte(0, downloaded.HomePresetRecord(record)[home_preset::kProgram]);
        copier.StoreHomePreset(record);
        const auto from = copier.HomePresetRecord(record);
        const auto to = marks.HomePresetRecord(record);
        std::copy(from.begin(), from.end(), to.begin());
        to[home_preset::kProgram] = 0;  // the program travels
    }
    return marks;
}

class RoundTripTest : public EditorFixture {
protected:
    RoundTripTest() { portSwitch.Wire(3, receiver); }

    void RunTransfer(int button, bool presetSetting) {
        ASSERT_TRUE(win::user::Click(
            Main(), presetSetting ? id::kPresetSettingRadio : id::kCurrentSettingRadio));
        ASSERT_TRUE(win::user::Click(Main(), button));
        ASSERT_TRUE(loop.AdvanceUntil(
            [this] { return State().uploadInProgress == 0 && State().downloadInProgress == 0; },
            kTransferLimitMs));
        loop.DrainPosted();
        // Every wait was answered: the receiver never fell silent.
        const std::string log = LogText();
        const auto cleared = log.find("Command Waiting Counter Cleared");
        EXPECT_EQ(cleared, std::string::npos) << log.substr(cleared > 600 ? cleared - 600 : 0, 700);
        EXPECT_TRUE(prompter.boxes().empty()) << ::testing::PrintToString(prompter.BoxTexts());
    }

    sim::VirtualReceiver receiver;
};

TEST_F(RoundTripTest, DownloadThenUploadIntoAFreshEditorBringsBackEveryByteTheLineCarries) {
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

    const ReceiverImage marks = UncarriedMarks(downloaded);
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
    // About 2,350 of the 5,394 bytes travel; most of the rest are the DSP slots that a program
    // does not have, the PC-side data and the copies of both in the presets.
    EXPECT_GT(compared, 2300);
}

}  // namespace
}  // namespace tra1::testing
