#include "model/dsp_parameter_sets.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "model/model_profile.h"
#include "model/value_format.h"

namespace tra1 {
namespace {

using ParameterSet = std::uint64_t;

constexpr ParameterSet SetOf(std::initializer_list<int> parameters) {
    ParameterSet set = 0;
    for (const int k : parameters) {
        set |= ParameterSet{1} << k;
    }
    return set;
}

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

constexpr std::array<ParameterSet, ModelProfile::kProgramCount> kProgramParameters{
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

constexpr std::array<SlotRange, ModelProfile::kParametersPerProgram> kSlotRanges{{
    {1, 99},  {1, 20},  {0, 10},  {10, 25}, {0, 15},  {1, 49},  {1, 20},  {0, 10},   // 0..7
    {1, 49},  {1, 20},  {0, 10},  {10, 50}, {0, 250}, {0, 100}, {0, 9},   {0, 1},    // 8..15
    {0, 6},   {0, 7},   {0, 10},  {0, 100}, {0, 100}, {0, 100}, {0, 100}, {0, 100},  // 16..23
    {0, 100}, {0, 100}, {0, 100}, {0, 3},   {0, 5},   {0, 0},   {0, 15},  {0, 15},   // 24..31
    {1, 49},  {1, 49},  {1, 49},  {1, 20},  {1, 20},  {1, 20},  {0, 10},  {0, 10},   // 32..39
    {0, 10},  {0, 8},                                                                // 40, 41
}};

// Slot 3 of the game and music programs takes the wider range of an initial delay.
constexpr bool WideSurroundDelay(int program) {
    return program == 20 || (program >= 22 && program <= 27);
}

constexpr std::array<std::string_view, 4> kDecodeTypes{"Pro Logic", "Pro Logic II", "Neo:6",
                                                       "Pro Logic IIx"};
constexpr std::array<std::string_view, 9> kDecodeModes{"Pro Logic",   "PLII Movie",   "PLII Music",
                                                       "PLII Game",   "Neo:6 Cinema", "Neo:6 Music",
                                                       "PLIIx Movie", "PLIIx Music",  "PLIIx Game"};

template <std::size_t N>
std::string NameAt(const std::array<std::string_view, N>& names, int value) {
    if (value < 0 || static_cast<std::size_t>(value) >= N) {
        return {};
    }
    return std::string(names.at(static_cast<std::size_t>(value)));
}

bool ValidSlot(int slot) {
    return slot >= 0 && slot < ModelProfile::kParametersPerProgram;
}

}  // namespace

bool ProgramHasParameter(int program, int parameter) {
    if (program < 0 || program >= ModelProfile::kProgramCount || !ValidSlot(parameter)) {
        return false;
    }
    return ((kProgramParameters.at(static_cast<std::size_t>(program)) >> parameter) & 1u) != 0;
}

SlotRange DspSlotRange(int program, int slot) {
    if (!ValidSlot(slot)) {
        return {};
    }
    if (slot == 3 && WideSurroundDelay(program)) {
        return {1, 49};
    }
    return kSlotRanges.at(static_cast<std::size_t>(slot));
}

bool ListsParameter(int program, int sourceType, int parameter, bool dialogLift) {
    if (!ProgramHasParameter(program, parameter)) {
        return false;
    }
    if (parameter == 3 && sourceType != source_type::kDualField) {
        return false;
    }
    if (parameter == 4 && sourceType == source_type::kDualField) {
        return false;
    }
    if (parameter >= 8 && parameter <= 10 && sourceType != source_type::kQuadField) {
        return false;
    }
    if (parameter == 27 && program == 32) {
        return false;  // "Standard" shows its decoder as parameter 41
    }
    if (parameter == 28 && !dialogLift) {
        return false;
    }
    // The per-source-type alternatives of parameters 4..7 appear only in their rows.
    return parameter < 30 || parameter > 40;
}

int RowSlot(int parameter, int sourceType) {
    if (sourceType < 0 || sourceType >= source_type::kCount) {
        sourceType = source_type::kDualField;
    }
    switch (parameter) {
        case 4:
            return 30;
        case 5:
            return 32 + sourceType;
        case 6:
            return 35 + sourceType;
        case 7:
            return 38 + sourceType;
        default:
            return parameter;
    }
}

std::string DspValueText(int slot, int value) {
    switch (slot) {
        case 1:
        case 6:
        case 9:
        case 11:
        case 18:
        case 35:
        case 36:
        case 37:
            return FormatReal(value / 10.0, 1);
        case 14:
            return FormatInteger(value - 6);
        case 15:
            return value != 0 ? "ON" : "OFF";
        case 16:
            return value == 3 ? "STD" : FormatInteger(value - 3);
        case 27:
            return NameAt(kDecodeTypes, value);
        case 41:
            return NameAt(kDecodeModes, value);
        default:
            return FormatInteger(value);
    }
}

}  // namespace tra1
