#include "app/line_carriage.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/transfer_dsp_parameters.h"
#include "app/transfer_pc_memories.h"

namespace tra1 {
namespace {

constexpr std::uint8_t kUncarriedMark = 0xFF;

// One range of bytes the line cannot carry, with the reason.
struct Uncarried {
    std::size_t block;
    std::size_t first;
    std::size_t last;  // inclusive
    const char* reason;
};

constexpr Uncarried kUncarried[] = {
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
    {block_index::kMainZoneState, main_zone::kReported16, main_zone::kTransferScratch19,
     "16 is only reported by the receiver; 17..19 are the transfers' own counters"},
    {block_index::kMainZoneState, main_zone::kPower, main_zone::kTransferScratch24,
     "the power is the receiver's to report; this model has no zone 3; 24 is the transfers' "
     "own"},
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
bool NamePadding(const ReceiverImage& sent, std::size_t offset) {
    const auto entry = static_cast<int>(offset / input_names::kEntrySize);
    const std::size_t at = offset % input_names::kEntrySize;
    return at < input_names::kMaxLength && at >= sent.InputName(entry).size();
}

// The preset memories travel only with "Preset Setting".
bool PresetMemory(std::size_t block, TransferScope scope) {
    return scope == TransferScope::kCurrentSetting && (block == block_index::kMainVolumeMemories ||
                                                       block == block_index::kZone2VolumeMemories);
}

bool Uncarries(const ReceiverImage& sent, std::size_t block, std::size_t offset,
               TransferScope scope) {
    const bool listed =
        std::any_of(std::begin(kUncarried), std::end(kUncarried), [&](const Uncarried& u) {
            return u.block == block && offset >= u.first && offset <= u.last;
        });
    return listed || PresetMemory(block, scope) ||
           (block == block_index::kIoAssignTable && IoBeyondTheJacks(offset)) ||
           (block == block_index::kDspParameterTable && DspSlotNotCarried(offset)) ||
           (block == block_index::kInputNames && NamePadding(sent, offset)) ||
           block == block_index::kHomePresetMemories;
}

}  // namespace

ReceiverImage UncarriedMarks(const ReceiverImage& sent, TransferScope scope) {
    ReceiverImage marks;
    marks.FromBytes(std::vector<std::uint8_t>(ReceiverImage::kTotalSize, 0));
    std::vector<std::uint8_t> block;
    for (std::size_t index = 0; index < ReceiverImage::kBlockCount; ++index) {
        block.assign(kImageBlocks[index].size, 0);
        for (std::size_t offset = 0; offset < block.size(); ++offset) {
            block[offset] = Uncarries(sent, index, offset, scope) ? kUncarriedMark : 0;
        }
        marks.WriteBlock(index, block);
    }
    if (scope == TransferScope::kCurrentSetting) {
        return marks;
    }
    // A home preset record is a copy of the live settings, made by StoreHomePreset: a record
    // byte travels exactly when the live byte it copies does. The seventh record never travels,
    // nor do the record bytes no copy writes.
    for (int record = 0; record < kPresetEntryCount; ++record) {
        // The program the record carries decides which parameter row it copies.
        ReceiverImage copier = marks;
        copier.MainZoneState.at(main_zone::kMainInput) = 0;
        copier.SetInputProgramByte(0, sent.HomePresetRecord(record)[home_preset::kProgram]);
        copier.StoreHomePreset(record);
        const auto from = copier.HomePresetRecord(record);
        const auto to = marks.HomePresetRecord(record);
        std::copy(from.begin(), from.end(), to.begin());
        to[home_preset::kProgram] = 0;  // the program travels
    }
    return marks;
}

ReceiverImage WithUncarriedFrom(const ReceiverImage& sent, const ReceiverImage& received,
                                TransferScope scope) {
    const std::vector<std::uint8_t> marks = UncarriedMarks(sent, scope).ToBytes();
    const std::vector<std::uint8_t> from = sent.ToBytes();
    std::vector<std::uint8_t> bytes = received.ToBytes();
    for (std::size_t i = 0; i < bytes.size() && i < marks.size() && i < from.size(); ++i) {
        if (marks[i] != 0) {
            bytes[i] = from[i];
        }
    }
    ReceiverImage result;
    result.FromBytes(bytes);
    return result;
}

}  // namespace tra1
