#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tra1 {

class ModelProfile;

// Inner layouts of the image blocks. Offsets are byte offsets within their block.

namespace input_names {
inline constexpr std::size_t kEntryCount = 16;
inline constexpr std::size_t kEntrySize = 9;  // 8 characters and a terminating zero
inline constexpr std::size_t kMaxLength = 8;
}  // namespace input_names

// Per-input arrays are indexed by the receiver's input number.
namespace input_index {
inline constexpr int kPhono = 0;
inline constexpr int kCd = 1;
inline constexpr int kTuner = 2;
inline constexpr int kCdr = 3;
inline constexpr int kMdTape = 4;
inline constexpr int kDvd = 5;
inline constexpr int kDtvLd = 6;
inline constexpr int kCable = 7;
inline constexpr int kSat = 8;
inline constexpr int kVcr1 = 9;
inline constexpr int kVcr2 = 10;
inline constexpr int kDvr = 11;
inline constexpr int kVaux = 12;
inline constexpr int kMultiChannel = 13;
inline constexpr int kCount = 16;  // 14 and 15 are unused but keep their bytes
}  // namespace input_index

namespace program_byte {
inline constexpr std::uint8_t kEffectOffFlag = 0x80;  // bit 7: play without sound program
inline constexpr std::uint8_t kProgramMask = 0x7F;
}  // namespace program_byte

namespace eq_layout {
inline constexpr std::size_t kChannelCount = 10;
inline constexpr std::size_t kBandsPerChannel = 13;
inline constexpr std::size_t kGraphicEqEnd = 130;  // records 0..9 at 13k
inline constexpr std::size_t kOption1 = 130;       // GRAPHIC EQ control 1055
inline constexpr std::size_t kOption2 = 131;       // GRAPHIC EQ control 1056
inline constexpr std::size_t kCinemaEq = 132;      // 4 records of 5 bytes
inline constexpr std::size_t kCinemaEqRecordCount = 4;
inline constexpr std::size_t kCinemaEqRecordSize = 5;
inline constexpr std::uint8_t kFlatBand = 12;
// Channel records.
inline constexpr std::size_t kCenter = 0;
inline constexpr std::size_t kFrontL = 2;
inline constexpr std::size_t kFrontR = 3;
inline constexpr std::size_t kSurroundL = 4;
inline constexpr std::size_t kSurroundR = 5;
inline constexpr std::size_t kSurroundBackL = 6;
inline constexpr std::size_t kSurroundBackR = 7;
inline constexpr std::size_t kPresenceL = 8;
inline constexpr std::size_t kPresenceR = 9;
// Band offsets that panels show (2, 4, 8 and 10 are kept untouched).
inline constexpr std::array<std::size_t, 9> kShownBands{0, 1, 3, 5, 6, 7, 9, 11, 12};
// Cinema EQ records: the receiver keeps the presence group before the surround groups.
inline constexpr std::size_t kCinemaFrontCenter = 0;
inline constexpr std::size_t kCinemaPresence = 1;
inline constexpr std::size_t kCinemaSurround = 2;
inline constexpr std::size_t kCinemaSurroundBack = 3;
// Cinema EQ record bytes.
inline constexpr std::size_t kCinemaOnOff = 0;
inline constexpr std::size_t kCinemaHighFrequency = 1;
inline constexpr std::size_t kCinemaHighGain = 2;
inline constexpr std::size_t kCinemaPeqFrequency = 3;
inline constexpr std::size_t kCinemaPeqGain = 4;
}  // namespace eq_layout

namespace tone_layout {
inline constexpr std::size_t kSpeakerBass = 0;  // pair (selector, gain)
inline constexpr std::size_t kSpeakerTreble = 2;
inline constexpr std::size_t kHeadphoneBass = 4;
inline constexpr std::size_t kHeadphoneTreble = 6;
}  // namespace tone_layout

namespace speaker_setup {
inline constexpr std::size_t kCenter = 0;
inline constexpr std::size_t kFront = 1;
inline constexpr std::size_t kSurround = 2;
inline constexpr std::size_t kSurroundBack = 3;
inline constexpr std::size_t kPresence = 4;
inline constexpr std::size_t kBassOut = 5;
inline constexpr std::size_t kSubwooferConfig = 6;
inline constexpr std::size_t kMainLevel = 7;
inline constexpr std::size_t kSpeakerBSet = 8;
inline constexpr std::size_t kCrossover = 9;
inline constexpr std::size_t kPresenceOrSurroundBack = 10;
inline constexpr std::size_t kPhase = 11;
}  // namespace speaker_setup

namespace speaker_distance {
inline constexpr std::size_t kEntryCount = 16;
inline constexpr std::size_t kCenter = 0;
inline constexpr std::size_t kFrontL = 2;
inline constexpr std::size_t kFrontR = 3;
inline constexpr std::size_t kSurroundL = 4;
inline constexpr std::size_t kSurroundR = 5;
inline constexpr std::size_t kSurroundBackL = 6;
inline constexpr std::size_t kSurroundBackR = 7;
inline constexpr std::size_t kPresenceL = 8;
inline constexpr std::size_t kPresenceR = 9;
inline constexpr std::size_t kSubwooferL = 10;
inline constexpr std::size_t kSubwooferR = 11;
inline constexpr std::size_t kUnit = 15;  // non-zero: feet (d x 0.1 ft); zero: metres (d x 0.01 m)
}  // namespace speaker_distance

namespace speaker_levels {
// Main channel levels, bytes 0..10.
inline constexpr std::size_t kFR = 0;
inline constexpr std::size_t kFL = 1;
inline constexpr std::size_t kCT = 2;
inline constexpr std::size_t kSR = 3;
inline constexpr std::size_t kSL = 4;
inline constexpr std::size_t kPRR = 5;
inline constexpr std::size_t kPRL = 6;
inline constexpr std::size_t kSBR = 7;
inline constexpr std::size_t kSBL = 8;
inline constexpr std::size_t kSW = 9;
inline constexpr std::size_t kSW2 = 10;
inline constexpr std::size_t kSecondSet = 16;      // bytes 16..31, same layout
inline constexpr std::size_t kReportedLevel = 32;  // written only by the reply decoder
inline constexpr std::uint8_t kZeroDb = 40;
}  // namespace speaker_levels

namespace video_layout {
inline constexpr std::size_t kProcessor = 0;
inline constexpr std::size_t kPictureMode = 1;
inline constexpr std::size_t kResolution = 2;
inline constexpr std::size_t kAspect = 3;
inline constexpr std::size_t kCrossColor = 4;
inline constexpr std::size_t kTvFormat = 5;
inline constexpr std::size_t kSVideo = 6;
}  // namespace video_layout

namespace picture_mode {
inline constexpr std::size_t kRecordCount = 3;
inline constexpr std::size_t kRecordSize = 15;
inline constexpr std::size_t kEnhancer = 0;
inline constexpr std::size_t kNoiseReduction3d = 1;
inline constexpr std::size_t kBrightness = 2;
inline constexpr std::size_t kContrast = 3;
inline constexpr std::size_t kSaturation = 4;
}  // namespace picture_mode

namespace lfe_drange {
inline constexpr std::size_t kLfeSpeaker = 0;
inline constexpr std::size_t kLfeHeadphone = 1;
inline constexpr std::size_t kDrangeSpeaker = 2;
inline constexpr std::size_t kDrangeHeadphone = 3;
}  // namespace lfe_drange

namespace dsp_table {
inline constexpr std::size_t kProgramCount = 38;
inline constexpr std::size_t kParametersPerProgram = 42;
}  // namespace dsp_table

namespace io_assign {
inline constexpr std::size_t kRowCount = 4;
inline constexpr std::size_t kRowSize = 16;
inline constexpr std::size_t kComponentVideo = 0;  // jacks 1..6
inline constexpr std::size_t kOpticalOut = 1;      // jacks 1..3
inline constexpr std::size_t kOpticalIn = 2;       // jacks 1..7
inline constexpr std::size_t kCoaxialIn = 3;       // jacks 1..4
inline constexpr std::array<std::size_t, 4> kJackCount{6, 3, 7, 4};
inline constexpr std::uint8_t kNone = 255;
}  // namespace io_assign

namespace multi_zone {
inline constexpr std::size_t kZone2Out = 0;  // 0 VAR, 1 FIX
inline constexpr std::size_t kZone2Amp = 1;  // 0 INT, 1 EXT
}  // namespace multi_zone

namespace display_layout {
inline constexpr std::size_t kDimmer = 0;
inline constexpr std::size_t kOsdShiftH = 1;
inline constexpr std::size_t kOsdShiftV = 2;
inline constexpr std::size_t kGrayBack = 3;
inline constexpr std::size_t kVideoConversion = 4;
inline constexpr std::size_t kComponentOsd = 5;
inline constexpr std::size_t kWallPaper = 6;
}  // namespace display_layout

namespace tuner_presets {
inline constexpr std::size_t kEntryCount = 41;  // entry 0: current station, 1..40: presets
inline constexpr std::size_t kEntrySize = 2;
inline constexpr std::size_t kBand = 0;  // 0 AM, 1 FM
inline constexpr std::size_t kStep = 1;
inline constexpr std::uint8_t kBandAm = 0;
inline constexpr std::uint8_t kBandFm = 1;
}  // namespace tuner_presets

namespace dc_trigger {
inline constexpr std::size_t kMode = 0;
inline constexpr std::size_t kZone1Row = 1;
inline constexpr std::size_t kZone2Row = 17;
inline constexpr std::size_t kZone3Row = 33;
inline constexpr std::size_t kRowSize = 16;
inline constexpr std::size_t kMultiChannel = 49;
}  // namespace dc_trigger

namespace main_zone {
inline constexpr std::size_t kMainInput = 0;
inline constexpr std::size_t kMultiChannelInput = 1;
inline constexpr std::size_t kInputMode = 2;
inline constexpr std::size_t kZone2Input = 3;
inline constexpr std::size_t kCurrentProgram = 4;
inline constexpr std::size_t kReported5 = 5;
inline constexpr std::size_t kOnScreenDisplay = 8;
inline constexpr std::size_t kSpeakerA = 9;
inline constexpr std::size_t kSpeakerB = 10;
inline constexpr std::size_t kZone2Volume = 11;
inline constexpr std::size_t kMainVolume = 12;
inline constexpr std::size_t kMainMute = 13;
inline constexpr std::size_t kZone2Mute = 14;
inline constexpr std::size_t kExEsDecoder = 15;
inline constexpr std::size_t kReported16 = 16;
inline constexpr std::size_t kPresetPass = 17;
inline constexpr std::size_t kTransferScratch18 = 18;
inline constexpr std::size_t kTransferScratch19 = 19;
inline constexpr std::size_t kPower = 20;
inline constexpr std::size_t kZone3Input = 21;
inline constexpr std::size_t kZone3Volume = 22;
inline constexpr std::size_t kZone3Mute = 23;
inline constexpr std::size_t kTransferScratch24 = 24;
inline constexpr std::size_t kNightMode = 25;
inline constexpr std::size_t kDspParameterPage = 26;
inline constexpr std::uint8_t kStartVolume = 81;
}  // namespace main_zone

namespace home_preset {
inline constexpr std::size_t kRecordCount = 7;
inline constexpr std::size_t kRecordSize = 352;
inline constexpr std::size_t kSpeakerSetup = 0;     // 16
inline constexpr std::size_t kAudioDelay = 18;      // 3
inline constexpr std::size_t kEqSettings = 21;      // 152 (EQ bytes 130, 131 not copied)
inline constexpr std::size_t kToneSettings = 173;   // 8
inline constexpr std::size_t kSpeakerLevels = 181;  // 33 (byte 32 not copied)
inline constexpr std::size_t kDspParameters = 214;  // 42, record of the current program
inline constexpr std::size_t kProgram = 256;        // program byte with its flag bit
inline constexpr std::size_t kLfeSpeaker = 257;
inline constexpr std::size_t kDrangeSpeaker = 259;
inline constexpr std::size_t kDimmer = 261;
inline constexpr std::size_t kOnScreenDisplay = 262;
inline constexpr std::size_t kSpeakerA = 263;
inline constexpr std::size_t kSpeakerB = 264;
inline constexpr std::size_t kExternalInput = 265;  // 3
inline constexpr std::size_t kNightMode = 269;
inline constexpr std::size_t kSpeakerDistances = 272;  // 64, 16 little-endian int32
inline constexpr std::size_t kVideoSettings = 336;     // 16
}  // namespace home_preset

namespace volume_memories {
inline constexpr std::size_t kSlotCount = 7;
}

namespace user_memo {
inline constexpr std::size_t kSize = 500;
}

template <std::size_t N>
using ImageBytes = std::array<std::uint8_t, N>;

// The editor's one copy of every receiver setting. The members are the image blocks in the
// order of the configuration file; their sizes and inner layouts are a file format, unused
// bytes included. Storing into the image never sends anything: the storing code announces it.
class ReceiverImage {
public:
    ImageBytes<144> InputNames{};
    ImageBytes<16> InputProgramMap{};
    ImageBytes<152> EqSettings{};
    ImageBytes<8> ToneSettings{};
    ImageBytes<3> ThxSettings{};
    ImageBytes<16> SpeakerSetup{};
    std::array<std::int32_t, 16> SpeakerDistances{};  // stored little-endian in files
    ImageBytes<33> SpeakerLevels{};
    ImageBytes<16> VideoSettings{};
    ImageBytes<45> PictureModeAdjust{};
    ImageBytes<4> LfeDrange{};
    ImageBytes<3> AudioDelay{};
    ImageBytes<16> InputTrims{};
    ImageBytes<1596> DspParameterTable{};
    ImageBytes<64> IoAssignTable{};
    ImageBytes<1> InputModeSetting{};
    ImageBytes<2> MultiZoneSetting{};
    ImageBytes<4> ExternalInputSetting{};
    ImageBytes<7> DisplaySettings{};
    ImageBytes<82> TunerPresets{};
    ImageBytes<50> DcTrigger1{};
    ImageBytes<50> DcTrigger2{};
    ImageBytes<32> MainZoneState{};
    ImageBytes<2464> HomePresetMemories{};
    ImageBytes<7> MainVolumeMemories{};
    ImageBytes<7> Zone2VolumeMemories{};
    ImageBytes<7> Zone3VolumeMemories{};
    ImageBytes<1> SpareByte{};
    ImageBytes<500> UserMemo{};

    static constexpr std::size_t kBlockCount = 29;
    static constexpr std::size_t kTotalSize = 5394;

    // --- Start-up initialisation -----------------------------------------------------------

    // The image part of the start-up initialisation: block defaults, then the main window state
    // and the PC-side data (which copy values the first step set). SpareByte is left as it is.
    // The caller refills the main window and refreshes the open panels afterwards.
    void ResetToDefaults(const ModelProfile& profile);
    // The two steps on their own, in the order ResetToDefaults runs them.
    void ApplyBlockDefaults(const ModelProfile& profile);
    void ApplyMainWindowDefaults(const ModelProfile& profile);
    // One home preset record (0..6) set to its defaults; an index out of range does nothing.
    void ApplyHomePresetDefaults(std::size_t record, const ModelProfile& profile);

    // --- Home preset records (PC memories) ----------------------------------------------------

    // Copies the live settings into home preset record 0..6 using the record layout: EQ bytes
    // 130 and 131 and the SpeakerLevels byte 32 are not copied, and the record keeps its old
    // bytes there. The program is the main input's (MainZoneState byte 0) program byte with its
    // flag, with that program's 42 parameters. False, nothing copied, for a record out of range.
    bool StoreHomePreset(int record);
    // The reverse copy, with the same exceptions. The program byte goes to the current main
    // input's InputProgramMap entry and the parameters to that program's record; a main input or
    // stored program out of range skips that part. Nothing is sent or refreshed here.
    bool RecallHomePreset(int record);

    // --- Block enumeration -----------------------------------------------------------------

    // Copies block `index` (0..28) into `out` as its file bytes (SpeakerDistances
    // little-endian). False, and nothing written, when the index is out of range or `out` is
    // not exactly the block's size.
    bool ReadBlock(std::size_t index, std::span<std::uint8_t> out) const;
    // Stores file bytes into block `index`; the same checks as ReadBlock.
    bool WriteBlock(std::size_t index, std::span<const std::uint8_t> in);
    // All 29 blocks back to back, 5,394 bytes, as the configuration file holds them after its
    // model byte.
    std::vector<std::uint8_t> ToBytes() const;
    // The same bytes into `out`, which holds exactly 5,394 (no allocation: for callers that
    // look at the whole image often).
    void CopyBytesTo(std::span<std::uint8_t, kTotalSize> out) const;
    // Stores as many whole blocks as `bytes` holds, in file order; returns how many blocks
    // were stored (29 when the input holds all 5,394 bytes).
    std::size_t FromBytes(std::span<const std::uint8_t> bytes);

    // --- SpeakerDistances as bytes -----------------------------------------------------------

    std::array<std::uint8_t, 64> SpeakerDistanceBytes() const;
    void SetSpeakerDistanceBytes(std::span<const std::uint8_t, 64> bytes);

    // --- Checked access for indices that come from outside ------------------------------------

    // The program byte of an input (with its flag bit); 0 when the input is out of range.
    std::uint8_t InputProgramByte(int input) const;
    bool SetInputProgramByte(int input, std::uint8_t value);
    // The program index (flag masked off) of an input; 0 when the input is out of range.
    int InputProgram(int input) const;
    bool InputEffectOff(int input) const;

    // The name of an input entry (up to its zero, at most 8 characters); empty when out of
    // range.
    std::string InputName(int input) const;
    // Stores up to 8 characters and a terminating zero; false when the input is out of range.
    bool SetInputName(int input, std::string_view name);

    // A DSP parameter of a program (the program may carry the flag bit: it is masked off).
    // 0 / false when program or parameter is out of range.
    std::uint8_t DspParameter(int program, int parameter) const;
    bool SetDspParameter(int program, int parameter, std::uint8_t value);
    // The 42-byte record of a program (masked); empty span when out of range.
    std::span<std::uint8_t> DspRecord(int program);
    std::span<const std::uint8_t> DspRecord(int program) const;

    // One 352-byte home preset record; empty span when out of range.
    std::span<std::uint8_t> HomePresetRecord(int record);
    std::span<const std::uint8_t> HomePresetRecord(int record) const;

    // A speaker distance entry; 0 / false when out of range.
    std::int32_t SpeakerDistance(int entry) const;
    bool SetSpeakerDistance(int entry, std::int32_t value);

    // A tuner preset entry (0 current station, 1..40 presets); band 0 AM, 1 FM.
    std::uint8_t TunerBand(int entry) const;
    std::uint8_t TunerStep(int entry) const;
    bool SetTunerPreset(int entry, std::uint8_t band, std::uint8_t step);

    // I/O assignment of a connector kind (row 0..3) and jack position (0..15); 255 when out of
    // range.
    std::uint8_t IoAssign(int row, int position) const;
    bool SetIoAssign(int row, int position, std::uint8_t input);

    // The memo text: the block up to its first zero byte, at most 500 characters.
    std::string UserMemoText() const;
    // Stores the first 500 bytes of the text; a shorter text is zero-terminated and the rest of
    // the block cleared.
    void SetUserMemoText(std::string_view text);

    // The program index in a program byte: bit 7 (the effect-off flag) masked off.
    static constexpr int ProgramOf(std::uint8_t programByte) {
        return programByte & program_byte::kProgramMask;
    }
    static constexpr bool EffectOff(std::uint8_t programByte) {
        return (programByte & program_byte::kEffectOffFlag) != 0;
    }

private:
    // Which way a home preset copy runs.
    enum class PresetCopy { kToRecord, kFromRecord };
    // The copies StoreHomePreset and RecallHomePreset share (all but the program byte), with
    // their exceptions; `programByte` names the program whose parameters travel with the record.
    void TransferHomePreset(PresetCopy direction, std::span<std::uint8_t> rec,
                            std::uint8_t programByte);
};

// One row of the block table: name, file offset (the model byte sits at offset 0) and size.
// The block's bytes are reached by its table index through ReceiverImage::ReadBlock and
// WriteBlock, which keep SpeakerDistances little-endian whatever the host.
struct ImageBlockInfo {
    std::string_view name;
    std::size_t fileOffset;
    std::size_t size;
};

// The 29 blocks in file order.
inline constexpr std::array<ImageBlockInfo, ReceiverImage::kBlockCount> kImageBlocks{{
    ImageBlockInfo{"InputNames", 1, 144},
    ImageBlockInfo{"InputProgramMap", 145, 16},
    ImageBlockInfo{"EqSettings", 161, 152},
    ImageBlockInfo{"ToneSettings", 313, 8},
    ImageBlockInfo{"ThxSettings", 321, 3},
    ImageBlockInfo{"SpeakerSetup", 324, 16},
    ImageBlockInfo{"SpeakerDistances", 340, 64},
    ImageBlockInfo{"SpeakerLevels", 404, 33},
    ImageBlockInfo{"VideoSettings", 437, 16},
    ImageBlockInfo{"PictureModeAdjust", 453, 45},
    ImageBlockInfo{"LfeDrange", 498, 4},
    ImageBlockInfo{"AudioDelay", 502, 3},
    ImageBlockInfo{"InputTrims", 505, 16},
    ImageBlockInfo{"DspParameterTable", 521, 1596},
    ImageBlockInfo{"IoAssignTable", 2117, 64},
    ImageBlockInfo{"InputModeSetting", 2181, 1},
    ImageBlockInfo{"MultiZoneSetting", 2182, 2},
    ImageBlockInfo{"ExternalInputSetting", 2184, 4},
    ImageBlockInfo{"DisplaySettings", 2188, 7},
    ImageBlockInfo{"TunerPresets", 2195, 82},
    ImageBlockInfo{"DcTrigger1", 2277, 50},
    ImageBlockInfo{"DcTrigger2", 2327, 50},
    ImageBlockInfo{"MainZoneState", 2377, 32},
    ImageBlockInfo{"HomePresetMemories", 2409, 2464},
    ImageBlockInfo{"MainVolumeMemories", 4873, 7},
    ImageBlockInfo{"Zone2VolumeMemories", 4880, 7},
    ImageBlockInfo{"Zone3VolumeMemories", 4887, 7},
    ImageBlockInfo{"SpareByte", 4894, 1},
    ImageBlockInfo{"UserMemo", 4895, 500},
}};

namespace block_index {
inline constexpr std::size_t kInputNames = 0;
inline constexpr std::size_t kInputProgramMap = 1;
inline constexpr std::size_t kEqSettings = 2;
inline constexpr std::size_t kToneSettings = 3;
inline constexpr std::size_t kThxSettings = 4;
inline constexpr std::size_t kSpeakerSetup = 5;
inline constexpr std::size_t kSpeakerDistances = 6;
inline constexpr std::size_t kSpeakerLevels = 7;
inline constexpr std::size_t kVideoSettings = 8;
inline constexpr std::size_t kPictureModeAdjust = 9;
inline constexpr std::size_t kLfeDrange = 10;
inline constexpr std::size_t kAudioDelay = 11;
inline constexpr std::size_t kInputTrims = 12;
inline constexpr std::size_t kDspParameterTable = 13;
inline constexpr std::size_t kIoAssignTable = 14;
inline constexpr std::size_t kInputModeSetting = 15;
inline constexpr std::size_t kMultiZoneSetting = 16;
inline constexpr std::size_t kExternalInputSetting = 17;
inline constexpr std::size_t kDisplaySettings = 18;
inline constexpr std::size_t kTunerPresets = 19;
inline constexpr std::size_t kDcTrigger1 = 20;
inline constexpr std::size_t kDcTrigger2 = 21;
inline constexpr std::size_t kMainZoneState = 22;
inline constexpr std::size_t kHomePresetMemories = 23;
inline constexpr std::size_t kMainVolumeMemories = 24;
inline constexpr std::size_t kZone2VolumeMemories = 25;
inline constexpr std::size_t kZone3VolumeMemories = 26;
inline constexpr std::size_t kSpareByte = 27;
inline constexpr std::size_t kUserMemo = 28;
}  // namespace block_index

// Little-endian 32-bit helpers for byte copies of SpeakerDistances (home preset records). The
// offset must leave four bytes in the span; otherwise the read gives 0 and the write does
// nothing.
std::int32_t ReadLe32(std::span<const std::uint8_t> bytes, std::size_t offset);
void WriteLe32(std::span<std::uint8_t> bytes, std::size_t offset, std::int32_t value);

}  // namespace tra1
