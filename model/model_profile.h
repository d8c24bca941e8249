#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "model/value_names.h"

namespace tra1 {

// Everything fixed that depends on the receiver model: model names, counts, name tables,
// default tables, the program index/code mapping and the names of enumerated values. The
// application owns one and hands it to whoever needs it. Every look-up is a constant-time table
// read that never fails: an index out of range gives "INVALID", the empty text, 0, 255 (no I/O
// assignment) or, for ProgramIndex, the code itself.
class ModelProfile {
public:
    static constexpr int kUnknownModel = -1;
    static constexpr int kTrA1 = 8;
    static constexpr int kHighestModelCode = 8;

    static constexpr int kHighestInput = 12;  // 13 named inputs
    static constexpr int kInputCount = 13;
    static constexpr int kHighestProgram = 37;  // 38 sound-field programs
    static constexpr int kProgramCount = 38;
    static constexpr int kParametersPerProgram = 42;
    static constexpr int kDefaultMainInput = 5;
    static constexpr int kDefaultZoneInput = 4;  // zone 2 and zone 3
    static constexpr bool kHasMultiChannelInput = true;
    static constexpr int kIoRowCount = 4;
    static constexpr int kIoRowSize = 16;
    static constexpr std::uint8_t kIoNone = 255;

    // --- Model code ---------------------------------------------------------------------------
    // Any code outside 0..8 stores -1 (unknown).
    void SetModel(int code);
    int Model() const { return model_; }
    // "UNKNOWN" for -1 and for any code outside 0..8.
    static std::string_view ModelName(int code);
    std::string_view ModelName() const { return ModelName(model_); }

    // --- Counts ------------------------------------------------------------------------------
    int HighestInput() const { return kHighestInput; }
    int HighestProgram() const { return kHighestProgram; }
    int ParameterCount() const { return kParametersPerProgram; }
    bool HasMultiChannelInput() const { return kHasMultiChannelInput; }
    int DefaultMainInput() const { return kDefaultMainInput; }
    int DefaultZoneInput() const { return kDefaultZoneInput; }

    // --- Names -------------------------------------------------------------------------------
    // Default name of an input slot (0..15; 13..15 empty) as copied into InputNames.
    static std::string_view DefaultInputName(int index);
    // Fixed name of an input by index (0..15; 13..15 and out of range: empty).
    static std::string_view InputName(int index);
    // I/O ASSIGN list position k names input k + 5 while that is at most 12, else input 0.
    static std::string_view AssignableInputName(int position);
    static int AssignableInput(int position);
    // Program names 0..37; empty out of range.
    static std::string_view ProgramName(int index);
    // Parameter names 0..41; empty out of range.
    static std::string_view ParameterName(int index);
    // Set-up menu item names 0..15 (used by the configuration report); empty out of range.
    static std::string_view SetupMenuName(int index);
    static constexpr int kSetupMenuCount = 16;

    // --- Default tables ----------------------------------------------------------------------
    // Default program of an input 0..15 (0 out of range).
    static int DefaultProgram(int input);
    // Whether the input's default program byte carries the effect-off flag (inputs 7..15).
    static bool InputProgramFlag(int input);
    // The program byte that start-up stores for an input: program plus flag bit.
    static std::uint8_t DefaultProgramByte(int input);
    // Default parameter of a program (0..37) and parameter (0..41); 0 out of range.
    static std::uint8_t DefaultParameter(int program, int parameter);
    // Default I/O assignment in the table's stored row order (A, B, C, D), positions 0..15;
    // 255 out of range.
    static std::uint8_t DefaultIoAssign(int row, int position);
    // The same table in the image's row order: image rows 0, 1, 2, 3 take stored rows A, C, B, D.
    static std::uint8_t DefaultImageIoAssign(int imageRow, int position);

    // --- Program index and receiver program code ----------------------------------------------
    // Receiver code of a program index; 0 for an index outside 0..37.
    static int ProgramCode(int index);
    // Program index of a receiver code; a code that no index maps to is returned unchanged.
    static int ProgramIndex(int code);

    // --- Enumerated value names ("INVALID" for an index not listed, unless stated) ------------
    // The lists themselves are value_names (model/value_names.h), which the panels share.
    static std::string_view SpeakerSizeName(int value);        // LARGE, SMALL, NONE
    static std::string_view SurroundBackSizeName(int value);   // also presence size
    static std::string_view CrossoverName(int value);          // 40Hz..200Hz
    static std::string_view BassOutName(int value);            // SWFR, FRONT, BOTH
    static std::string_view DynamicRangeName(int value);       // MAX, STANDARD, MIN
    static std::string_view TunerBandName(int value);          // AM, FM
    static std::string_view CinemaEqTypeName(int value);       // empty for other values
    static std::string_view CinemaEqFrequencyName(int value);  // empty for other values

    // --- Tuner frequency text -----------------------------------------------------------------
    // FM (band non-zero): 107.9 - 0.2 x step MHz, one decimal, left-padded with "0" to five
    // characters, then "0" (step 102 gives "087.50"). AM (band 0): 1710 - 10 x step kHz, no
    // decimals, left-padded with "0" to six characters (step 118 gives "000530"). The text lives
    // in a buffer of the profile and stays valid until the next call.
    // A step outside the band's range (FM 0..102, AM 0..118) is held at the nearer end.
    std::string_view TunerFrequencyText(int band, int step);
    static constexpr int kHighestFmStep = value_names::kHighestFmStep;  // 87.5 MHz
    static constexpr int kHighestAmStep = value_names::kHighestAmStep;  // 530 kHz

private:
    int model_ = kUnknownModel;  // start-up sets the TR-A1
    std::array<char, 32> tunerText_{};
};

}  // namespace tra1
