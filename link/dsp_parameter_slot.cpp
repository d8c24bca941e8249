#include "link/dsp_parameter_slot.h"

#include <array>
#include <cstddef>

#include "model/model_profile.h"

namespace tra1 {
namespace {

// Parameters 5, 6 and 7 have three sub-fields each: two-channel (w = 1), multi-channel
// (w = 2..4) and EX/ES (w = 6..7), in consecutive slots starting at `firstSlot`.
std::optional<int> SubFieldSlot(int firstSlot, int subDigit) {
    if (subDigit == 1) {
        return firstSlot;
    }
    if (subDigit >= 2 && subDigit <= 4) {
        return firstSlot + 1;
    }
    if (subDigit >= 6 && subDigit <= 7) {
        return firstSlot + 2;
    }
    return std::nullopt;
}

// The receiver's decode type 0..8 folded onto the editor's four choices.
int FoldedDecodeType(int value) {
    if (value == 0) {
        return 0;
    }
    if (value <= 3) {
        return 1;
    }
    if (value <= 5) {
        return 2;
    }
    if (value <= 8) {
        return 3;
    }
    return value;
}

constexpr int kProgramCodeWithSecondDecodeType = 44;  // "Standard"

constexpr int kFirstSubFieldSlot = 30;
// The sub-digits under which the three sub-fields of parameters 5..7 are written: two-channel,
// multi-channel, EX/ES.
constexpr std::array<int, 3> kSubFieldDigit{1, 4, 7};

}  // namespace

int DerivedSubDigit(int decoderState, int inputMode) {
    switch (decoderState) {
        case 3:
        case 5:
            return 4;
        case 6:
            return 7;
        case 7:
            return 3;
        case 8:
        case 11:
            return 6;
        case 9:
        case 10:
            return inputMode == 1 ? 3 : 1;
        case 12:
            return 2;
        default:
            return decoderState >= 0 && decoderState <= 13 ? 1 : 0;
    }
}

std::optional<DspParameterTarget> DspParameterSlot(int programCode, int parameter, int subDigit,
                                                   int value) {
    std::optional<int> slot;
    switch (parameter) {
        case 4:
            slot = (subDigit == 3 || subDigit == 4) ? 30 : 4;
            break;
        case 5:
            slot = SubFieldSlot(32, subDigit);
            break;
        case 6:
            slot = SubFieldSlot(35, subDigit);
            break;
        case 7:
            slot = SubFieldSlot(38, subDigit);
            break;
        case 27:
            if (programCode == kProgramCodeWithSecondDecodeType) {
                return DspParameterTarget{41, value};
            }
            return DspParameterTarget{27, FoldedDecodeType(value)};
        default:
            slot = parameter;
            break;
    }
    if (!slot || *slot < 0 || *slot >= ModelProfile::kParametersPerProgram) {
        return std::nullopt;
    }
    return DspParameterTarget{*slot, value};
}

std::optional<DspLineParameter> DspLineParameterOf(int slot) {
    if (slot < 0 || slot >= ModelProfile::kParametersPerProgram) {
        return std::nullopt;
    }
    if (slot < kFirstSubFieldSlot) {
        return DspLineParameter{slot, slot >= 8 && slot <= 10 ? 7 : 1};
    }
    switch (slot) {
        case 30:
            return DspLineParameter{4, 4};
        case 31:
            return DspLineParameter{4, 3};
        case 41:
            return DspLineParameter{27, 1};
        default:
            break;
    }
    // Slots 32..40: three sub-fields each of parameters 5, 6 and 7.
    const int field = (slot - 32) % 3;
    return DspLineParameter{5 + (slot - 32) / 3,
                            kSubFieldDigit.at(static_cast<std::size_t>(field))};
}

int DspLineValueOf(int slot, int value) {
    if (slot == 27) {
        // The receiver has nine decode types where the editor has four groups; each group is
        // sent as its first member (the groups are folded back in FoldedDecodeType).
        if (value == 2) {
            return 4;
        }
        if (value == 3) {
            return 6;
        }
    }
    return value;
}

}  // namespace tra1
