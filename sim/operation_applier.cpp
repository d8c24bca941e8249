#include "sim/operation_applier.h"

#include <algorithm>
#include <cstdint>
#include <tuple>

#include "model/model_profile.h"

namespace tra1::sim {
namespace {

constexpr std::uint8_t kMaxVolumeStep = 217;  // step + 38 must fit in two digits

std::uint8_t Byte(int v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

void StepVolume(std::uint8_t& volume, int up) {
    if (up != 0) {
        volume = volume < kMaxVolumeStep ? static_cast<std::uint8_t>(volume + 1) : volume;
    } else {
        volume = volume > 0 ? static_cast<std::uint8_t>(volume - 1) : volume;
    }
}

// The receiver keeps a program per input: selecting an input brings its program (and whether
// it plays without one) back.
void SelectInput(ReceiverImage& im, int input) {
    auto& mz = im.MainZoneState;
    mz.at(main_zone::kMainInput) = Byte(input);
    if (input >= 0 && input < static_cast<int>(im.InputProgramMap.size())) {
        mz.at(main_zone::kCurrentProgram) = im.InputProgramByte(input);
    }
}

// A home preset memory holds what the editor's PC memory holds (the record layout of
// HomePresetMemories), kept in the receiver's own copy of that block. Recalling it brings back
// the current input's program with that program's parameters, which then answer from the
// parameter table again.
void StoreHomePreset(ReceiverState& state, std::size_t slot) {
    state.image.StoreHomePreset(static_cast<int>(slot));
    state.homePresetStored.at(slot) = true;
}

void RecallHomePreset(ReceiverState& state, std::size_t slot) {
    if (!state.homePresetStored.at(slot)) {
        return;
    }
    ReceiverImage& im = state.image;
    im.RecallHomePreset(static_cast<int>(slot));
    // The record keeps the video processor switch, which is also the display's video
    // conversion.
    im.DisplaySettings.at(display_layout::kVideoConversion) =
        im.VideoSettings.at(video_layout::kProcessor);
    auto& mz = im.MainZoneState;
    mz.at(main_zone::kCurrentProgram) = im.InputProgramByte(mz.at(main_zone::kMainInput));
    const int code =
        ModelProfile::ProgramCode(ReceiverImage::ProgramOf(mz.at(main_zone::kCurrentProgram)));
    std::erase_if(state.dspParameters,
                  [code](const auto& entry) { return std::get<0>(entry.first) == code; });
}

void SetProgram(ReceiverImage& im, int program, bool effectOff) {
    auto& mz = im.MainZoneState;
    const auto byte = static_cast<std::uint8_t>((program & program_byte::kProgramMask) |
                                                (effectOff ? program_byte::kEffectOffFlag : 0));
    mz.at(4) = byte;
    im.SetInputProgramByte(mz.at(0), byte);  // the main input remembers its program
}

}  // namespace

std::optional<DecodedOperation> ResolveOperationCode(std::string_view code) {
    std::optional<DecodedOperation> op = DecodeOperationCode(code);
    // The input-mode row lists, at an odd position that no input mode ever uses, the code that
    // switches speaker A on; the receiver reads that code as the speaker switch.
    if (op && op->commandNumber == command::kInputMode && op->value % 2 != 0) {
        for (int n = command::kInputMode + 1; n < kCommandCount; ++n) {
            if (CommandGroupOf(n) != CommandGroup::kSelection) {
                continue;
            }
            for (int k = 0; k < CommandCodeCount(n); ++k) {
                if (CommandCode(n, k) == code) {
                    return DecodedOperation{n, k};
                }
            }
        }
    }
    return op;
}

int ApplyOperation(ReceiverState& state, const DecodedOperation& op) {
    ReceiverImage& im = state.image;
    auto& mz = im.MainZoneState;
    const int n = op.commandNumber;
    const int v = op.value;
    const std::size_t slot = static_cast<std::size_t>(std::clamp(v, 0, 5));

    if (n == command::kPower || n == command::kMainZonePower) {
        state.power = v != 0;
        return v;
    }
    if (!state.power) {
        return v;
    }
    switch (n) {
        case command::kMainVolumeUpDown:
            StepVolume(mz.at(12), v);
            return mz.at(12) == 0 ? 0 : mz.at(12) + kVolumeOffset;
        case command::kMainMute:
            mz.at(13) = Byte(v);
            break;
        case command::kMainInput:
            SelectInput(im, v);
            break;
        case command::kMultiChannelInput:
            mz.at(1) = Byte(v);
            break;
        case command::kInputMode:
            mz.at(2) = Byte(v / 2);
            break;
        case command::kZone2VolumeUpDown:
            StepVolume(mz.at(11), v);
            return mz.at(11) == 0 ? 0 : mz.at(11) + kVolumeOffset;
        case command::kZone2Mute:
            mz.at(14) = Byte(v);
            break;
        case command::kZone2Input:
            mz.at(3) = Byte(v);
            break;
        case command::kZone2Power:
            state.zone2Power = v != 0;
            break;
        case command::kOnScreen:
            mz.at(8) = Byte(v);
            break;
        case command::kExEs:
            mz.at(15) = Byte(v);
            break;
        case command::kNightMode:
            mz.at(25) = Byte(v);
            break;
        case command::kEffectOff:  // position 0 plays without the sound program, position 1 with it
            SetProgram(im, ReceiverImage::ProgramOf(mz.at(4)), v == 0);
            break;
        case command::kProgram:
            SetProgram(im, v, false);
            break;
        case command::kSpeakerA:
            mz.at(9) = Byte(v);
            break;
        case command::kSpeakerB:
            mz.at(10) = Byte(v);
            break;
        case command::kHomePresetMemory:
            StoreHomePreset(state, slot);
            break;
        case command::kHomePresetRecall:
            RecallHomePreset(state, slot);
            break;
        case command::kMainVolumeMemory:
            state.mainVolumeMemories.at(slot) = mz.at(12);
            break;
        case command::kMainVolumeRecall:
            if (const auto& stored = state.mainVolumeMemories.at(slot)) {
                mz.at(12) = *stored;
            }
            break;
        case command::kZone2VolumeMemory:
            state.zone2VolumeMemories.at(slot) = mz.at(11);
            break;
        case command::kZone2VolumeRecall:
            if (const auto& stored = state.zone2VolumeMemories.at(slot)) {
                mz.at(11) = *stored;
            }
            break;
        case command::kDcTrigger1Mode:
            im.DcTrigger1.at(0) = Byte(v);
            break;
        case command::kDcTrigger2Mode:
            im.DcTrigger2.at(0) = Byte(v);
            break;
        case command::kSpeakerBSet:
            im.SpeakerSetup.at(8) = Byte(v);
            break;
        case command::kZone2Amp:
            im.MultiZoneSetting.at(1) = Byte(v);
            break;
        case command::kMainVolume:
            mz.at(12) = Byte(std::min(v, static_cast<int>(kMaxVolumeStep)));
            return mz.at(12) == 0 ? 0 : mz.at(12) + kVolumeOffset;
        case command::kZone2Volume:
            mz.at(11) = Byte(std::min(v, static_cast<int>(kMaxVolumeStep)));
            return mz.at(11) == 0 ? 0 : mz.at(11) + kVolumeOffset;
        case command::kSpareVolume:
            state.volume52 = Byte(std::min(v, static_cast<int>(kMaxVolumeStep)));
            return state.volume52 == 0 ? 0 : state.volume52 + kVolumeOffset;
        case command::kFirstLfeLevel:
        case command::kFirstLfeLevel + 1:
            im.LfeDrange.at(static_cast<std::size_t>(n - command::kFirstLfeLevel)) = Byte(v);
            break;
        case command::kAudioDelay:
            im.AudioDelay.at(0) = Byte(v);
            break;
        case command::kWallPaper:
            im.DisplaySettings.at(6) = Byte(v);
            break;
        case command::kInputModeSetting:
            im.InputModeSetting.at(0) = Byte(v);
            break;
        case command::kDimmer:
            im.DisplaySettings.at(0) = Byte(v);
            break;
        case command::kOsdShift:  // two settings in one value: vertical in the high digit,
                                  // horizontal in the low
            im.DisplaySettings.at(1) = Byte(v & 0x0F);
            im.DisplaySettings.at(2) = Byte((v >> 4) & 0x0F);
            break;
        case command::kGrayBack:
            im.DisplaySettings.at(3) = Byte(v);
            break;
        case command::kFirstDynamicRange:
        case command::kFirstDynamicRange + 1:
            im.LfeDrange.at(static_cast<std::size_t>(n - command::kFirstDynamicRange + 2)) =
                Byte(v);
            break;
        case command::kZone2Out:
            im.MultiZoneSetting.at(0) = Byte(v);
            break;
        case command::kVideoConversion:  // the video processor switch doubles as the display's
                                         // video conversion
            im.DisplaySettings.at(4) = Byte(v);
            im.VideoSettings.at(0) = Byte(v);
            break;
        case command::kComponentOsd:
            im.DisplaySettings.at(5) = Byte(v);
            break;
        case command::kSubwooferConfig:  // positions 4..7 are the configurations 0..3 with a
                                         // reversed phase
            im.SpeakerSetup.at(6) = Byte(v % 4);
            if (v >= 4) {
                im.SpeakerSetup.at(11) =
                    im.SpeakerSetup.at(11) != 0 ? im.SpeakerSetup.at(11) : std::uint8_t{1};
            } else {
                im.SpeakerSetup.at(11) = 0;
            }
            break;
        case command::kCrossover:
            im.SpeakerSetup.at(9) = Byte(v);
            break;
        default:
            if (n >= command::kFirstSpeakerLevel && n <= command::kLastSpeakerLevel) {
                im.SpeakerLevels.at(static_cast<std::size_t>(n - command::kFirstSpeakerLevel)) =
                    Byte(v);
            } else if (n >= command::kFirstVideoSetting && n <= command::kLastVideoSetting) {
                // VideoSettings byte 0 is the processor switch, sent as the video conversion.
                im.VideoSettings.at(static_cast<std::size_t>(n - command::kFirstVideoSetting + 1)) =
                    Byte(v);
            } else if (n >= command::kFirstSpeakerSet && n < command::kSubwooferConfig) {
                im.SpeakerSetup.at(static_cast<std::size_t>(n - command::kFirstSpeakerSet)) =
                    Byte(v);
            } else if (n >= command::kFirstThx && n < command::kFirstThx + 3) {
                im.ThxSettings.at(static_cast<std::size_t>(n - command::kFirstThx)) = Byte(v);
            }
            // Every other command (test tone, tuner keys, zone 3 ...) is acknowledged but
            // changes nothing the receiver reports.
            break;
    }
    return v;
}

}  // namespace tra1::sim
