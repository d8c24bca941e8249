#include "model/model_profile.h"

#include <algorithm>
#include <string>

#include "model/model_tables.h"
#include "model/value_format.h"
#include "model/value_names.h"

namespace tra1 {

namespace {

constexpr std::array<std::string_view, 9> kModelNames{
    "TR-E1", "TR-C1", "TR-D1", "TR-C2", "TR-A2", "TR-C3", "TR-B3", "TR-B2", "TR-A1",
};

// 15-byte slots in the receiver's tables; 13..15 are empty.
constexpr std::array<std::string_view, 16> kInputNames{
    "PHONO", "CD",   "TUNER", "CD-R", "MD/TAPE", "DVD", "DTV/LD", "CABLE",
    "SAT",   "VCR1", "VCR2",  "DVR",  "V-AUX",   "",    "",       "",
};

constexpr std::array<std::uint8_t, 16> kDefaultPrograms{
    1, 15, 13, 7, 15, 29, 29, 27, 27, 22, 22, 22, 28, 0, 0, 0,
};
constexpr int kFirstFlaggedInput = 7;

// Stored rows A, B, C, D; 255 marks an unused position.
constexpr std::array<std::array<std::uint8_t, 16>, 4> kDefaultIoAssign{{
    {5, 6, 7, 8, 9, 11, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
    {1, 3, 5, 6, 7, 8, 11, 255, 255, 255, 255, 255, 255, 255, 255, 255},
    {3, 4, 11, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
    {6, 1, 5, 11, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
}};
// Image row r takes stored row kImageRowSource[r].
constexpr std::array<int, 4> kImageRowSource{0, 2, 1, 3};

constexpr std::array<std::string_view, 16> kSetupMenuNames{
    "Speaker Set", "Low Freq. Test", "L/R Balance",   "HP Tone COntrol",
    "Center GEQ",  "Input Rename",   "I/O Assign",    "Input Mode",
    "Param. Ini.", "LFE Level",      "Dynamic Range", "SP Delay",
    "Display Set", "Mem. Guard",     "6ch Input Set", "Zone2 Set",
};

template <std::size_t N>
std::string_view Lookup(const std::array<std::string_view, N>& table, int index,
                        std::string_view fallback) {
    if (index < 0 || static_cast<std::size_t>(index) >= N) {
        return fallback;
    }
    return table[static_cast<std::size_t>(index)];
}

}  // namespace

void ModelProfile::SetModel(int code) {
    model_ = (code >= 0 && code <= kHighestModelCode) ? code : kUnknownModel;
}

std::string_view ModelProfile::ModelName(int code) {
    return Lookup(kModelNames, code, "UNKNOWN");
}

std::string_view ModelProfile::DefaultInputName(int index) {
    return Lookup(kInputNames, index, "");
}

std::string_view ModelProfile::InputName(int index) {
    return Lookup(kInputNames, index, "");
}

int ModelProfile::AssignableInput(int position) {
    // Positions below 0 would name inputs below 5: they are not part of the list either.
    if (position < 0 || position + 5 > kHighestInput) {
        return 0;
    }
    return position + 5;
}

std::string_view ModelProfile::AssignableInputName(int position) {
    return InputName(AssignableInput(position));
}

std::string_view ModelProfile::ProgramName(int index) {
    return Lookup(tables::kProgramNames, index, "");
}

std::string_view ModelProfile::ParameterName(int index) {
    return Lookup(tables::kParameterNames, index, "");
}

std::string_view ModelProfile::SetupMenuName(int index) {
    return Lookup(kSetupMenuNames, index, "");
}

int ModelProfile::DefaultProgram(int input) {
    if (input < 0 || input >= static_cast<int>(kDefaultPrograms.size())) {
        return 0;
    }
    return kDefaultPrograms[static_cast<std::size_t>(input)];
}

bool ModelProfile::InputProgramFlag(int input) {
    return input >= kFirstFlaggedInput && input < static_cast<int>(kDefaultPrograms.size());
}

std::uint8_t ModelProfile::DefaultProgramByte(int input) {
    auto value = static_cast<std::uint8_t>(DefaultProgram(input));
    if (InputProgramFlag(input)) {
        value |= 0x80;
    }
    return value;
}

std::uint8_t ModelProfile::DefaultParameter(int program, int parameter) {
    if (program < 0 || program >= kProgramCount || parameter < 0 ||
        parameter >= kParametersPerProgram) {
        return 0;
    }
    return tables::kDefaultParameters[static_cast<std::size_t>(program)]
                                     [static_cast<std::size_t>(parameter)];
}

std::uint8_t ModelProfile::DefaultIoAssign(int row, int position) {
    if (row < 0 || row >= kIoRowCount || position < 0 || position >= kIoRowSize) {
        return kIoNone;
    }
    return kDefaultIoAssign[static_cast<std::size_t>(row)][static_cast<std::size_t>(position)];
}

std::uint8_t ModelProfile::DefaultImageIoAssign(int imageRow, int position) {
    if (imageRow < 0 || imageRow >= kIoRowCount) {
        return kIoNone;
    }
    return DefaultIoAssign(kImageRowSource[static_cast<std::size_t>(imageRow)], position);
}

int ModelProfile::ProgramCode(int index) {
    if (index < 0 || index >= kProgramCount) {
        return 0;
    }
    return tables::kProgramCodes[static_cast<std::size_t>(index)];
}

int ModelProfile::ProgramIndex(int code) {
    for (std::size_t i = 0; i < tables::kProgramCodes.size(); ++i) {
        if (tables::kProgramCodes[i] == code) {
            return static_cast<int>(i);
        }
    }
    return code;
}

std::string_view ModelProfile::SpeakerSizeName(int value) {
    return value_names::kSpeakerSize.Name(value);
}

std::string_view ModelProfile::SurroundBackSizeName(int value) {
    return value_names::kSurroundBackSize.Name(value);
}

std::string_view ModelProfile::CrossoverName(int value) {
    return value_names::kCrossover.Name(value);
}

std::string_view ModelProfile::BassOutName(int value) {
    return value_names::kBassOut.Name(value);
}

std::string_view ModelProfile::DynamicRangeName(int value) {
    return value_names::kDynamicRange.Name(value);
}

std::string_view ModelProfile::TunerBandName(int value) {
    return value_names::kTunerBand.Name(value);
}

std::string_view ModelProfile::CinemaEqTypeName(int value) {
    return value_names::kPictureMode.Name(value);
}

std::string_view ModelProfile::CinemaEqFrequencyName(int value) {
    return value_names::kCinemaEqFrequency.Name(value);
}

std::string_view ModelProfile::TunerFrequencyText(int band, int step) {
    // The step comes from the image (a file or the receiver): a step beyond the band's range
    // would give a frequency the tuner cannot receive, so it is held at the band's end.
    const int s = std::clamp(step, 0, band != 0 ? kHighestFmStep : kHighestAmStep);
    std::string text;
    std::size_t width = 0;
    if (band != 0) {
        text = FormatReal(107.9 - 0.2 * s, 1);
        width = 5;
    } else {
        text = FormatReal(1710.0 - 10.0 * s, 0);
        width = 6;
    }
    if (text.size() < width) {
        text.insert(0, width - text.size(), '0');
    }
    if (band != 0) {
        text += '0';
    }
    const std::size_t length = std::min(text.size(), tunerText_.size() - 1);
    text.copy(tunerText_.data(), length);
    tunerText_[length] = '\0';
    return {tunerText_.data(), length};
}

}  // namespace tra1
