#include "model/receiver_image.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "model/model_profile.h"

namespace tra1 {

namespace {

// The block table and the members must describe the same layout.
constexpr bool TableIsContiguous() {
    std::size_t offset = 1;  // the model byte comes first in a file
    for (const auto& block : kImageBlocks) {
        if (block.fileOffset != offset) {
            return false;
        }
        offset += block.size;
    }
    return offset == 1 + ReceiverImage::kTotalSize;
}
static_assert(TableIsContiguous());
static_assert(sizeof(ReceiverImage::SpeakerDistances) ==
              kImageBlocks[block_index::kSpeakerDistances].size);
static_assert(sizeof(ReceiverImage::HomePresetMemories) ==
              home_preset::kRecordCount * home_preset::kRecordSize);
static_assert(sizeof(ReceiverImage::DspParameterTable) ==
              dsp_table::kProgramCount * dsp_table::kParametersPerProgram);
static_assert(dsp_table::kProgramCount == ModelProfile::kProgramCount);
static_assert(dsp_table::kParametersPerProgram == ModelProfile::kParametersPerProgram);

constexpr std::array<std::uint8_t, 16> kSpeakerSetupDefaults{0, 0, 0, 0, 0, 2, 0, 0,
                                                             0, 2, 1, 0, 0, 0, 0, 0};
constexpr std::array<std::uint8_t, 3> kAudioDelayDefaults{0, 0, 6};
constexpr std::array<std::uint8_t, 4> kLfeDrangeDefaults{40, 40, 0, 0};
constexpr std::array<std::uint8_t, 7> kVideoDefaults{1, 1, 1, 0, 1, 1, 1};
constexpr std::array<std::uint8_t, 7> kDisplayDefaults{4, 5, 5, 1, 1, 1, 1};
constexpr std::array<std::uint8_t, 3> kThxDefaults{0, 0, 1};
constexpr std::array<std::uint8_t, 20> kCinemaEqDefaults{
    0, 15, 15, 11, 14,  // record 0: front / center
    0, 15, 18, 11, 15,  // record 1: presence
    0, 15, 18, 11, 15,  // record 2: surround
    0, 15, 18, 11, 15,  // record 3: surround back
};
constexpr std::array<std::array<std::uint8_t, picture_mode::kRecordSize>,
                     picture_mode::kRecordCount>
    kPictureModeDefaults{{
        {2, 0, 24, 18, 24},
        {8, 0, 24, 24, 24},
        {14, 0, 24, 30, 32},
    }};
constexpr std::uint8_t kToneSelector = 1;
constexpr std::uint8_t kToneFlat = 12;
constexpr std::int32_t kDefaultDistance = 100;
constexpr std::size_t kDistanceEntriesSet = 12;
constexpr std::uint8_t kDefaultTrim = 12;
constexpr std::uint8_t kDefaultTunerStep = 102;  // FM 87.5 MHz
constexpr std::uint8_t kReportedLevelDefault = 20;
constexpr std::uint8_t kDimmerDefault = 4;

// Fills `count` bytes of `block` from `at` with copies of `source`; the sizes are checked at
// compile time by the callers' constants, this only guards the arithmetic.
template <std::size_t N, std::size_t M>
void CopyInto(std::array<std::uint8_t, N>& block, std::size_t at,
              const std::array<std::uint8_t, M>& source) {
    static_assert(M <= N);
    if (at + M <= N) {
        std::copy(source.begin(), source.end(), block.begin() + static_cast<std::ptrdiff_t>(at));
    }
}

bool InRange(int index, std::size_t count) {
    return index >= 0 && static_cast<std::size_t>(index) < count;
}

}  // namespace

// --- Start-up initialisation ---------------------------------------------------------------

void ReceiverImage::ResetToDefaults(const ModelProfile& profile) {
    ApplyBlockDefaults(profile);
    ApplyMainWindowDefaults(profile);
}

void ReceiverImage::ApplyBlockDefaults(const ModelProfile& profile) {
    // Every receiver block starts from zero so that bytes without a stated default (unused
    // entries included) do not keep what an earlier file or receiver left there.
    InputNames.fill(0);
    const int inputCount = profile.HighestInput() + 1;
    for (int i = 0; i < inputCount && InRange(i, input_names::kEntryCount); ++i) {
        SetInputName(i, ModelProfile::DefaultInputName(i));
    }
    if (profile.HasMultiChannelInput()) {
        SetInputName(inputCount, "MULTI CH");
    }

    for (int i = 0; i < input_index::kCount; ++i) {
        InputProgramMap[static_cast<std::size_t>(i)] = ModelProfile::DefaultProgramByte(i);
    }

    EqSettings.fill(0);
    std::fill(EqSettings.begin(), EqSettings.begin() + eq_layout::kCinemaEq, eq_layout::kFlatBand);
    CopyInto(EqSettings, eq_layout::kCinemaEq, kCinemaEqDefaults);

    for (std::size_t i = 0; i < ToneSettings.size(); i += 2) {
        ToneSettings[i] = kToneSelector;
        ToneSettings[i + 1] = kToneFlat;
    }

    ThxSettings = kThxDefaults;
    SpeakerSetup = kSpeakerSetupDefaults;

    SpeakerDistances.fill(0);
    std::fill_n(SpeakerDistances.begin(), kDistanceEntriesSet, kDefaultDistance);
    SpeakerDistances[speaker_distance::kUnit] = 1;  // feet

    VideoSettings.fill(0);
    CopyInto(VideoSettings, 0, kVideoDefaults);

    PictureModeAdjust.fill(0);
    for (std::size_t r = 0; r < picture_mode::kRecordCount; ++r) {
        CopyInto(PictureModeAdjust, r * picture_mode::kRecordSize, kPictureModeDefaults[r]);
    }

    SpeakerLevels.fill(speaker_levels::kZeroDb);
    SpeakerLevels[speaker_levels::kReportedLevel] = kReportedLevelDefault;

    LfeDrange = kLfeDrangeDefaults;
    AudioDelay = kAudioDelayDefaults;

    for (int p = 0; p < ModelProfile::kProgramCount; ++p) {
        for (int k = 0; k < ModelProfile::kParametersPerProgram; ++k) {
            SetDspParameter(p, k, ModelProfile::DefaultParameter(p, k));
        }
    }

    for (int r = 0; r < ModelProfile::kIoRowCount; ++r) {
        for (int n = 0; n < ModelProfile::kIoRowSize; ++n) {
            SetIoAssign(r, n, ModelProfile::DefaultImageIoAssign(r, n));
        }
    }

    MultiZoneSetting.fill(0);
    InputModeSetting.fill(0);
    ExternalInputSetting.fill(0);
    DisplaySettings = kDisplayDefaults;
    for (std::size_t e = 0; e < tuner_presets::kEntryCount; ++e) {
        TunerPresets[e * tuner_presets::kEntrySize + tuner_presets::kBand] = tuner_presets::kBandFm;
        TunerPresets[e * tuner_presets::kEntrySize + tuner_presets::kStep] = kDefaultTunerStep;
    }
    DcTrigger1.fill(1);
    DcTrigger2.fill(1);
    InputTrims.fill(kDefaultTrim);
}

void ReceiverImage::ApplyMainWindowDefaults(const ModelProfile& profile) {
    using namespace main_zone;
    MainZoneState.fill(0);
    const int mainInput = profile.DefaultMainInput();
    const auto zoneInput = static_cast<std::uint8_t>(profile.DefaultZoneInput());
    MainZoneState[kMainInput] = static_cast<std::uint8_t>(mainInput);
    MainZoneState[kZone2Input] = zoneInput;
    MainZoneState[kCurrentProgram] = InputProgramByte(mainInput);
    MainZoneState[kOnScreenDisplay] = 1;
    MainZoneState[kZone2Volume] = kStartVolume;
    MainZoneState[kMainVolume] = kStartVolume;
    MainZoneState[kExEsDecoder] = 1;  // AUTO
    MainZoneState[kZone3Input] = zoneInput;
    MainZoneState[kZone3Volume] = kStartVolume;
    MainZoneState[kDspParameterPage] = 1;

    for (std::size_t r = 0; r < home_preset::kRecordCount; ++r) {
        ApplyHomePresetDefaults(r, profile);
    }

    MainVolumeMemories.fill(kStartVolume);
    Zone2VolumeMemories.fill(kStartVolume);
    Zone3VolumeMemories.fill(kStartVolume);
    UserMemo.fill(0);
}

void ReceiverImage::ApplyHomePresetDefaults(std::size_t record, const ModelProfile& profile) {
    using namespace home_preset;
    if (record >= kRecordCount) {
        return;
    }
    const auto bytes = HomePresetRecord(static_cast<int>(record));
    std::fill(bytes.begin(), bytes.end(), std::uint8_t{0});
    const auto put = [&bytes](std::size_t at, std::span<const std::uint8_t> source) {
        if (at + source.size() <= bytes.size()) {
            std::copy(source.begin(), source.end(),
                      bytes.begin() + static_cast<std::ptrdiff_t>(at));
        }
    };

    put(kSpeakerSetup, kSpeakerSetupDefaults);
    put(kAudioDelay, kAudioDelayDefaults);

    std::array<std::uint8_t, 152> eq{};
    eq.fill(eq_layout::kFlatBand);
    CopyInto(eq, eq_layout::kCinemaEq, kCinemaEqDefaults);
    put(kEqSettings, eq);

    std::array<std::uint8_t, 8> tone{};
    for (std::size_t i = 0; i < tone.size(); i += 2) {
        tone[i] = kToneSelector;
        tone[i + 1] = kToneFlat;
    }
    put(kToneSettings, tone);

    // The preset's level row leaves the unused bytes of each set at zero.
    std::array<std::uint8_t, 33> levels{};
    std::fill_n(levels.begin(), 11, speaker_levels::kZeroDb);
    std::fill_n(levels.begin() + speaker_levels::kSecondSet, 11, speaker_levels::kZeroDb);
    levels[speaker_levels::kReportedLevel] = kReportedLevelDefault;
    put(kSpeakerLevels, levels);

    const int mainInput = profile.DefaultMainInput();
    const int program = ModelProfile::DefaultProgram(mainInput);
    for (int k = 0; k < ModelProfile::kParametersPerProgram; ++k) {
        bytes[kDspParameters + static_cast<std::size_t>(k)] =
            ModelProfile::DefaultParameter(program, k);
    }
    bytes[kProgram] = ModelProfile::DefaultProgramByte(mainInput);

    put(kLfeSpeaker, kLfeDrangeDefaults);  // the whole default row, 257..260
    bytes[kDimmer] = kDimmerDefault;
    bytes[kOnScreenDisplay] = 1;

    for (std::size_t e = 0; e < speaker_distance::kEntryCount; ++e) {
        std::int32_t d = e < kDistanceEntriesSet ? kDefaultDistance : 0;
        if (e == speaker_distance::kUnit) {
            d = 1;
        }
        WriteLe32(bytes, kSpeakerDistances + 4 * e, d);
    }
    put(kVideoSettings, kVideoDefaults);
}

// --- Home preset records -----------------------------------------------------------------------

namespace {

// Copies `count` bytes between a live block and a record, in the direction asked for.
void Transfer(bool toRecord, std::span<std::uint8_t> live, std::size_t liveAt,
              std::span<std::uint8_t> record, std::size_t recordAt, std::size_t count) {
    if (liveAt + count > live.size() || recordAt + count > record.size()) {
        return;
    }
    auto livePart = live.subspan(liveAt, count);
    auto recordPart = record.subspan(recordAt, count);
    if (toRecord) {
        std::copy(livePart.begin(), livePart.end(), recordPart.begin());
    } else {
        std::copy(recordPart.begin(), recordPart.end(), livePart.begin());
    }
}

}  // namespace

bool ReceiverImage::StoreHomePreset(int record) {
    const auto rec = HomePresetRecord(record);
    if (rec.empty()) {
        return false;
    }
    const std::uint8_t programByte = InputProgramByte(MainZoneState[main_zone::kMainInput]);
    rec[home_preset::kProgram] = programByte;
    TransferHomePreset(PresetCopy::kToRecord, rec, programByte);
    return true;
}

bool ReceiverImage::RecallHomePreset(int record) {
    const auto rec = HomePresetRecord(record);
    if (rec.empty()) {
        return false;
    }
    // The main input comes from an image byte and the program from a file: both are checked.
    const int mainInput = MainZoneState[main_zone::kMainInput];
    const std::uint8_t programByte = rec[home_preset::kProgram];
    SetInputProgramByte(mainInput, programByte);
    TransferHomePreset(PresetCopy::kFromRecord, rec, programByte);
    return true;
}

void ReceiverImage::TransferHomePreset(PresetCopy direction, std::span<std::uint8_t> rec,
                                       std::uint8_t programByte) {
    const bool to = direction == PresetCopy::kToRecord;
    const auto copyByte = [to](std::uint8_t& live, std::uint8_t& stored) {
        if (to) {
            stored = live;
        } else {
            live = stored;
        }
    };
    using namespace home_preset;
    Transfer(to, AudioDelay, 0, rec, kAudioDelay, AudioDelay.size());
    // EQ bytes 130 and 131 belong to the live settings only.
    Transfer(to, EqSettings, 0, rec, kEqSettings, eq_layout::kOption1);
    Transfer(to, EqSettings, eq_layout::kCinemaEq, rec, kEqSettings + eq_layout::kCinemaEq,
             EqSettings.size() - eq_layout::kCinemaEq);
    Transfer(to, ToneSettings, 0, rec, kToneSettings, ToneSettings.size());
    Transfer(to, SpeakerSetup, 0, rec, kSpeakerSetup, SpeakerSetup.size());
    Transfer(to, SpeakerLevels, 0, rec, kSpeakerLevels, speaker_levels::kReportedLevel);

    // A program out of range gives an empty record, and no parameters travel.
    const auto parameters = DspRecord(ProgramOf(programByte));
    Transfer(to, parameters, 0, rec, kDspParameters, parameters.size());

    copyByte(MainZoneState[main_zone::kNightMode], rec[kNightMode]);
    copyByte(LfeDrange[lfe_drange::kLfeSpeaker], rec[kLfeSpeaker]);
    copyByte(LfeDrange[lfe_drange::kDrangeSpeaker], rec[kDrangeSpeaker]);
    copyByte(DisplaySettings[display_layout::kDimmer], rec[kDimmer]);
    copyByte(MainZoneState[main_zone::kOnScreenDisplay], rec[kOnScreenDisplay]);
    copyByte(MainZoneState[main_zone::kSpeakerA], rec[kSpeakerA]);
    copyByte(MainZoneState[main_zone::kSpeakerB], rec[kSpeakerB]);
    Transfer(to, ExternalInputSetting, 0, rec, kExternalInput, 3);

    // SpeakerDistances are 32-bit values in the image: they travel as their bytes.
    auto distances = SpeakerDistanceBytes();
    Transfer(to, distances, 0, rec, kSpeakerDistances, distances.size());
    if (!to) {
        SetSpeakerDistanceBytes(distances);
    }
    Transfer(to, VideoSettings, 0, rec, kVideoSettings, VideoSettings.size());
}

// --- Block enumeration -----------------------------------------------------------------------

namespace {

// The in-memory bytes of every block except SpeakerDistances (empty span for that one and for
// an index out of range).
template <typename Image>
auto ByteBlock(Image& image, std::size_t index) {
    using Byte = std::conditional_t<std::is_const_v<Image>, const std::uint8_t, std::uint8_t>;
    const auto span = [](auto& block) { return std::span<Byte>(block.data(), block.size()); };
    switch (index) {
        case block_index::kInputNames:
            return span(image.InputNames);
        case block_index::kInputProgramMap:
            return span(image.InputProgramMap);
        case block_index::kEqSettings:
            return span(image.EqSettings);
        case block_index::kToneSettings:
            return span(image.ToneSettings);
        case block_index::kThxSettings:
            return span(image.ThxSettings);
        case block_index::kSpeakerSetup:
            return span(image.SpeakerSetup);
        case block_index::kSpeakerLevels:
            return span(image.SpeakerLevels);
        case block_index::kVideoSettings:
            return span(image.VideoSettings);
        case block_index::kPictureModeAdjust:
            return span(image.PictureModeAdjust);
        case block_index::kLfeDrange:
            return span(image.LfeDrange);
        case block_index::kAudioDelay:
            return span(image.AudioDelay);
        case block_index::kInputTrims:
            return span(image.InputTrims);
        case block_index::kDspParameterTable:
            return span(image.DspParameterTable);
        case block_index::kIoAssignTable:
            return span(image.IoAssignTable);
        case block_index::kInputModeSetting:
            return span(image.InputModeSetting);
        case block_index::kMultiZoneSetting:
            return span(image.MultiZoneSetting);
        case block_index::kExternalInputSetting:
            return span(image.ExternalInputSetting);
        case block_index::kDisplaySettings:
            return span(image.DisplaySettings);
        case block_index::kTunerPresets:
            return span(image.TunerPresets);
        case block_index::kDcTrigger1:
            return span(image.DcTrigger1);
        case block_index::kDcTrigger2:
            return span(image.DcTrigger2);
        case block_index::kMainZoneState:
            return span(image.MainZoneState);
        case block_index::kHomePresetMemories:
            return span(image.HomePresetMemories);
        case block_index::kMainVolumeMemories:
            return span(image.MainVolumeMemories);
        case block_index::kZone2VolumeMemories:
            return span(image.Zone2VolumeMemories);
        case block_index::kZone3VolumeMemories:
            return span(image.Zone3VolumeMemories);
        case block_index::kSpareByte:
            return span(image.SpareByte);
        case block_index::kUserMemo:
            return span(image.UserMemo);
        default:
            return std::span<Byte>{};
    }
}

}  // namespace

bool ReceiverImage::ReadBlock(std::size_t index, std::span<std::uint8_t> out) const {
    if (index >= kBlockCount || out.size() != kImageBlocks[index].size) {
        return false;
    }
    if (index == block_index::kSpeakerDistances) {
        const auto bytes = SpeakerDistanceBytes();
        std::copy(bytes.begin(), bytes.end(), out.begin());
        return true;
    }
    const auto block = ByteBlock(*this, index);
    std::memcpy(out.data(), block.data(), block.size());
    return true;
}

bool ReceiverImage::WriteBlock(std::size_t index, std::span<const std::uint8_t> in) {
    if (index >= kBlockCount || in.size() != kImageBlocks[index].size) {
        return false;
    }
    if (index == block_index::kSpeakerDistances) {
        SetSpeakerDistanceBytes(in.first<64>());
        return true;
    }
    const auto block = ByteBlock(*this, index);
    std::copy(in.begin(), in.end(), block.begin());
    return true;
}

std::vector<std::uint8_t> ReceiverImage::ToBytes() const {
    std::vector<std::uint8_t> bytes(kTotalSize);
    CopyBytesTo(std::span<std::uint8_t, kTotalSize>(bytes));
    return bytes;
}

void ReceiverImage::CopyBytesTo(std::span<std::uint8_t, kTotalSize> out) const {
    std::size_t at = 0;
    for (std::size_t i = 0; i < kBlockCount; ++i) {
        const std::size_t size = kImageBlocks[i].size;
        ReadBlock(i, out.subspan(at, size));
        at += size;
    }
}

std::size_t ReceiverImage::FromBytes(std::span<const std::uint8_t> bytes) {
    std::size_t at = 0;
    std::size_t stored = 0;
    for (std::size_t i = 0; i < kBlockCount; ++i) {
        const std::size_t size = kImageBlocks[i].size;
        if (bytes.size() - at < size) {
            break;
        }
        WriteBlock(i, bytes.subspan(at, size));
        at += size;
        ++stored;
    }
    return stored;
}

// --- SpeakerDistances as bytes -----------------------------------------------------------------

std::array<std::uint8_t, 64> ReceiverImage::SpeakerDistanceBytes() const {
    std::array<std::uint8_t, 64> bytes{};
    for (std::size_t e = 0; e < SpeakerDistances.size(); ++e) {
        WriteLe32(bytes, 4 * e, SpeakerDistances[e]);
    }
    return bytes;
}

void ReceiverImage::SetSpeakerDistanceBytes(std::span<const std::uint8_t, 64> bytes) {
    for (std::size_t e = 0; e < SpeakerDistances.size(); ++e) {
        SpeakerDistances[e] = ReadLe32(bytes, 4 * e);
    }
}

std::int32_t ReadLe32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < 4) {
        return 0;
    }
    const std::uint32_t value = static_cast<std::uint32_t>(bytes[offset]) |
                                static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
                                static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
                                static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
    return static_cast<std::int32_t>(value);
}

void WriteLe32(std::span<std::uint8_t> bytes, std::size_t offset, std::int32_t value) {
    if (offset > bytes.size() || bytes.size() - offset < 4) {
        return;
    }
    const auto v = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

// --- Checked access ----------------------------------------------------------------------------

std::uint8_t ReceiverImage::InputProgramByte(int input) const {
    return InRange(input, InputProgramMap.size()) ? InputProgramMap[static_cast<std::size_t>(input)]
                                                  : 0;
}

bool ReceiverImage::SetInputProgramByte(int input, std::uint8_t value) {
    if (!InRange(input, InputProgramMap.size())) {
        return false;
    }
    InputProgramMap[static_cast<std::size_t>(input)] = value;
    return true;
}

int ReceiverImage::InputProgram(int input) const {
    return ProgramOf(InputProgramByte(input));
}

bool ReceiverImage::InputEffectOff(int input) const {
    return EffectOff(InputProgramByte(input));
}

std::string ReceiverImage::InputName(int input) const {
    if (!InRange(input, input_names::kEntryCount)) {
        return {};
    }
    const auto* first =
        InputNames.data() + static_cast<std::size_t>(input) * input_names::kEntrySize;
    // A name read from a file may lack its zero: never read past the entry's 8 characters.
    const auto* last = first + input_names::kMaxLength;
    return std::string(first, std::find(first, last, std::uint8_t{0}));
}

bool ReceiverImage::SetInputName(int input, std::string_view name) {
    if (!InRange(input, input_names::kEntryCount)) {
        return false;
    }
    auto* entry = InputNames.data() + static_cast<std::size_t>(input) * input_names::kEntrySize;
    std::fill_n(entry, input_names::kEntrySize, std::uint8_t{0});
    const std::size_t length = std::min(name.size(), input_names::kMaxLength);
    std::copy_n(name.begin(), length, entry);
    return true;
}

std::span<std::uint8_t> ReceiverImage::DspRecord(int program) {
    if (program < 0) {
        return {};
    }
    const int p = ProgramOf(static_cast<std::uint8_t>(program & 0xFF));
    if (program > 0xFF || !InRange(p, dsp_table::kProgramCount)) {
        return {};
    }
    return std::span<std::uint8_t>(DspParameterTable)
        .subspan(static_cast<std::size_t>(p) * dsp_table::kParametersPerProgram,
                 dsp_table::kParametersPerProgram);
}

std::span<const std::uint8_t> ReceiverImage::DspRecord(int program) const {
    return const_cast<ReceiverImage*>(this)->DspRecord(program);
}

std::uint8_t ReceiverImage::DspParameter(int program, int parameter) const {
    const auto record = DspRecord(program);
    return InRange(parameter, record.size()) ? record[static_cast<std::size_t>(parameter)] : 0;
}

bool ReceiverImage::SetDspParameter(int program, int parameter, std::uint8_t value) {
    const auto record = DspRecord(program);
    if (!InRange(parameter, record.size())) {
        return false;
    }
    record[static_cast<std::size_t>(parameter)] = value;
    return true;
}

std::span<std::uint8_t> ReceiverImage::HomePresetRecord(int record) {
    if (!InRange(record, home_preset::kRecordCount)) {
        return {};
    }
    return std::span<std::uint8_t>(HomePresetMemories)
        .subspan(static_cast<std::size_t>(record) * home_preset::kRecordSize,
                 home_preset::kRecordSize);
}

std::span<const std::uint8_t> ReceiverImage::HomePresetRecord(int record) const {
    return const_cast<ReceiverImage*>(this)->HomePresetRecord(record);
}

std::int32_t ReceiverImage::SpeakerDistance(int entry) const {
    return InRange(entry, SpeakerDistances.size())
               ? SpeakerDistances[static_cast<std::size_t>(entry)]
               : 0;
}

bool ReceiverImage::SetSpeakerDistance(int entry, std::int32_t value) {
    if (!InRange(entry, SpeakerDistances.size())) {
        return false;
    }
    SpeakerDistances[static_cast<std::size_t>(entry)] = value;
    return true;
}

std::uint8_t ReceiverImage::TunerBand(int entry) const {
    return InRange(entry, tuner_presets::kEntryCount)
               ? TunerPresets[static_cast<std::size_t>(entry) * tuner_presets::kEntrySize +
                              tuner_presets::kBand]
               : 0;
}

std::uint8_t ReceiverImage::TunerStep(int entry) const {
    return InRange(entry, tuner_presets::kEntryCount)
               ? TunerPresets[static_cast<std::size_t>(entry) * tuner_presets::kEntrySize +
                              tuner_presets::kStep]
               : 0;
}

bool ReceiverImage::SetTunerPreset(int entry, std::uint8_t band, std::uint8_t step) {
    if (!InRange(entry, tuner_presets::kEntryCount)) {
        return false;
    }
    const std::size_t at = static_cast<std::size_t>(entry) * tuner_presets::kEntrySize;
    TunerPresets[at + tuner_presets::kBand] = band;
    TunerPresets[at + tuner_presets::kStep] = step;
    return true;
}

std::uint8_t ReceiverImage::IoAssign(int row, int position) const {
    if (!InRange(row, io_assign::kRowCount) || !InRange(position, io_assign::kRowSize)) {
        return io_assign::kNone;
    }
    return IoAssignTable[static_cast<std::size_t>(row) * io_assign::kRowSize +
                         static_cast<std::size_t>(position)];
}

bool ReceiverImage::SetIoAssign(int row, int position, std::uint8_t input) {
    if (!InRange(row, io_assign::kRowCount) || !InRange(position, io_assign::kRowSize)) {
        return false;
    }
    IoAssignTable[static_cast<std::size_t>(row) * io_assign::kRowSize +
                  static_cast<std::size_t>(position)] = input;
    return true;
}

std::string ReceiverImage::UserMemoText() const {
    const auto end = std::find(UserMemo.begin(), UserMemo.end(), std::uint8_t{0});
    return std::string(UserMemo.begin(), end);
}

void ReceiverImage::SetUserMemoText(std::string_view text) {
    UserMemo.fill(0);
    const std::size_t length = std::min(text.size(), UserMemo.size());
    std::copy_n(text.begin(), length, UserMemo.begin());
}

}  // namespace tra1
