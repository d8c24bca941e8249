#include "sim/operation_applier.h"

#include <algorithm>
#include <cstdint>

namespace tra1::sim {
namespace {

constexpr int kInputModeCommand = 4;
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
    if (op && op->commandNumber == kInputModeCommand && op->value % 2 != 0) {
        for (int n = kInputModeCommand + 1; n < kCommandCount; ++n) {
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

    if (n == 8 || n == 9) {
        state.power = v != 0;
        return v;
    }
    if (!state.power) {
        return v;
    }
    switch (n) {
        case 0:
            StepVolume(mz.at(12), v);
            return mz.at(12) == 0 ? 0 : mz.at(12) + 38;
        case 1:
            mz.at(13) = Byte(v);
            break;
        case 2:
            mz.at(0) = Byte(v);
            break;
        case 3:
            mz.at(1) = Byte(v);
            break;
        case kInputModeCommand:
            mz.at(2) = Byte(v / 2);
            break;
        case 5:
            StepVolume(mz.at(11), v);
            return mz.at(11) == 0 ? 0 : mz.at(11) + 38;
        case 6:
            mz.at(14) = Byte(v);
            break;
        case 7:
            mz.at(3) = Byte(v);
            break;
        case 10:
            state.zone2Power = v != 0;
            break;
        case 15:
            mz.at(8) = Byte(v);
            break;
        case 17:
            mz.at(15) = Byte(v);
            break;
        case 18:
            mz.at(25) = Byte(v);
            break;
        case 19:  // position 0 plays without the sound program, position 1 with it
            SetProgram(im, ReceiverImage::ProgramOf(mz.at(4)), v == 0);
            break;
        case 20:
            SetProgram(im, v, false);
            break;
        case 25:
            mz.at(9) = Byte(v);
            break;
        case 26:
            mz.at(10) = Byte(v);
            break;
        case 27:
            state.homePresets.at(slot) = im;
            break;
        case 28:
            if (const auto& stored = state.homePresets.at(slot)) {
                im = *stored;
            }
            break;
        case 29:
            state.mainVolumeMemories.at(slot) = mz.at(12);
            break;
        case 30:
            if (const auto& stored = state.mainVolumeMemories.at(slot)) {
                mz.at(12) = *stored;
            }
            break;
        case 31:
            state.zone2VolumeMemories.at(slot) = mz.at(11);
            break;
        case 32:
            if (const auto& stored = state.zone2VolumeMemories.at(slot)) {
                mz.at(11) = *stored;
            }
            break;
        case 35:
            im.DcTrigger1.at(0) = Byte(v);
            break;
        case 40:
            im.DcTrigger2.at(0) = Byte(v);
            break;
        case 44:
            im.SpeakerSetup.at(8) = Byte(v);
            break;
        case 45:
            im.MultiZoneSetting.at(1) = Byte(v);
            break;
        case 48:
            mz.at(12) = Byte(std::min(v, static_cast<int>(kMaxVolumeStep)));
            return mz.at(12) == 0 ? 0 : mz.at(12) + 38;
        case 49:
            mz.at(11) = Byte(std::min(v, static_cast<int>(kMaxVolumeStep)));
            return mz.at(11) == 0 ? 0 : mz.at(11) + 38;
        case 52:
            state.volume52 = Byte(std::min(v, static_cast<int>(kMaxVolumeStep)));
            return state.volume52 == 0 ? 0 : state.volume52 + 38;
        case 64:
        case 65:
            im.LfeDrange.at(static_cast<std::size_t>(n - 64)) = Byte(v);
            break;
        case 66:
            im.AudioDelay.at(0) = Byte(v);
            break;
        case 70:
            im.DisplaySettings.at(6) = Byte(v);
            break;
        case 77:
            im.InputModeSetting.at(0) = Byte(v);
            break;
        case 78:
            im.DisplaySettings.at(0) = Byte(v);
            break;
        case 79:  // two settings in one value: vertical in the high digit, horizontal in the low
            im.DisplaySettings.at(1) = Byte(v & 0x0F);
            im.DisplaySettings.at(2) = Byte((v >> 4) & 0x0F);
            break;
        case 80:
            im.DisplaySettings.at(3) = Byte(v);
            break;
        case 81:
        case 82:
            im.LfeDrange.at(static_cast<std::size_t>(n - 81 + 2)) = Byte(v);
            break;
        case 83:
            im.MultiZoneSetting.at(0) = Byte(v);
            break;
        case 86:  // the video processor switch doubles as the display's video conversion
            im.DisplaySettings.at(4) = Byte(v);
            im.VideoSettings.at(0) = Byte(v);
            break;
        case 87:
            im.DisplaySettings.at(5) = Byte(v);
            break;
        case 96:  // positions 4..7 are the configurations 0..3 with a reversed phase
            im.SpeakerSetup.at(6) = Byte(v % 4);
            if (v >= 4) {
                im.SpeakerSetup.at(11) =
                    im.SpeakerSetup.at(11) != 0 ? im.SpeakerSetup.at(11) : std::uint8_t{1};
            } else {
                im.SpeakerSetup.at(11) = 0;
            }
            break;
        case 97:
            im.SpeakerSetup.at(9) = Byte(v);
            break;
        default:
            if (n >= 53 && n <= 63) {
                im.SpeakerLevels.at(static_cast<std::size_t>(n - 53)) = Byte(v);
            } else if (n >= 71 && n <= 76) {
                im.VideoSettings.at(static_cast<std::size_t>(n - 70)) = Byte(v);
            } else if (n >= 90 && n <= 95) {
                im.SpeakerSetup.at(static_cast<std::size_t>(n - 90)) = Byte(v);
            } else if (n >= 101 && n <= 103) {
                im.ThxSettings.at(static_cast<std::size_t>(n - 101)) = Byte(v);
            }
            // Every other command (test tone, tuner keys, zone 3 ...) is acknowledged but
            // changes nothing the receiver reports.
            break;
    }
    return v;
}

}  // namespace tra1::sim
