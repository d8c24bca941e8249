#include "app/transfer_dsp_parameters.h"

#include <array>
#include <cstdint>
#include <initializer_list>

namespace tra1 {
namespace {

using ParameterSet = std::uint64_t;

constexpr ParameterSet SetOf(std::initializer_list<int> slots) {
    ParameterSet set = 0;
    for (const int k : slots) {
        set |= ParameterSet{1} << k;
    }
    return set;
}

// The value slots each sound-field program has (the DSP PARAMETER panel lists the same).
constexpr ParameterSet kSetA = SetOf({0, 1, 2, 14, 28});
constexpr ParameterSet kSetB = SetOf({0, 2, 11, 12, 13, 14, 28});
constexpr ParameterSet kSetC = SetOf({0, 1, 2, 11, 12, 13, 14, 28});
constexpr ParameterSet kSetD = SetOf({0, 1, 4, 5, 6, 8, 9, 14, 28, 32, 33, 34, 35, 36, 37});
constexpr ParameterSet kSetE =
    SetOf({0, 1, 4, 5, 6, 8, 9, 11, 12, 13, 14, 28, 32, 33, 34, 35, 36, 37});
constexpr ParameterSet kSetF = SetOf({19, 20, 22, 23, 24, 25, 26});
constexpr ParameterSet kSetG =
    SetOf({0, 1, 4, 5, 6, 8, 9, 14, 27, 28, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40});
constexpr ParameterSet kSetH = SetOf({15, 16, 17, 18, 27, 41});
constexpr ParameterSet kSetI =
    SetOf({4, 5, 6, 7, 8, 9, 10, 14, 27, 28, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40});
constexpr ParameterSet kSetJ = SetOf({27});

constexpr std::array<ParameterSet, 38> kProgramSlots{
    kSetA, kSetA, kSetA, kSetA, kSetA, kSetA, kSetA, kSetA, kSetA,  // 0..8
    kSetB, kSetB, kSetB,                                            // 9..11
    kSetA, kSetA, kSetA,                                            // 12..14
    kSetC, kSetC, kSetC,                                            // 15..17
    kSetB, kSetB,                                                   // 18, 19
    kSetD, kSetF, kSetE, kSetD, kSetD, kSetE,                       // 20..25
    kSetC, kSetE,                                                   // 26, 27
    kSetG, kSetG, kSetG, kSetG,                                     // 28..31
    kSetH, kSetI, 0,     0,     kSetJ, 0,                           // 32..37
};

constexpr int kSlotCount = 42;

}  // namespace

bool ReceiverHasSlot(int program, int slot) {
    if (program < 0 || static_cast<std::size_t>(program) >= kProgramSlots.size() || slot < 0 ||
        slot >= kSlotCount) {
        return false;
    }
    return ((kProgramSlots.at(static_cast<std::size_t>(program)) >> slot) & 1u) != 0;
}

std::optional<DspWireParameter> WireParameterOf(int program, int slot) {
    if (program < 0 || program >= static_cast<int>(kProgramSlots.size())) {
        return std::nullopt;
    }
    // The transfers leave out the sub-field 3 of parameter 4 (slot 31), which only a change in
    // the panel sends, and carry the second decode type (slot 41) only for the one program that
    // has it; a panel change sends whatever slot it names.
    if (slot == 31 || (slot == 41 && program != kSecondDecodeTypeProgram)) {
        return std::nullopt;
    }
    const auto line = DspLineParameterOf(slot);
    if (!line) {
        return std::nullopt;
    }
    return DspWireParameter{line->parameter, line->subDigit};
}

}  // namespace tra1
