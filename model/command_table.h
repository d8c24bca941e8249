#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "model/protocol.h"

namespace tra1 {

// The receiver's operation codes. A command number 0..105 selects one row of five-character
// codes stored back to back; 255 is the status request. Extended function numbers 256..274
// select the three-character codes of the extended frames.

// How BuildCommandFrame turns a command number and a value into the five frame characters.
enum class CommandGroup {
    kInvalid,        // not a command number: nothing is built
    kStatusRequest,  // 255: DC1 "000" ETX, value ignored
    kVolume,         // 48, 49, 52: three code characters + "00" or Hex2(value + 38)
    kParameter,      // 50, 53..66, 78, 79: three code characters + Hex2(value)
    kSelection,      // every other row: the code at position `value`
};

// One row of the command table.
struct CommandRow {
    std::string_view codes;    // five-character codes back to back
    std::string_view sentFor;  // what sends the row in realtime mode and transfers; empty: never
    bool sentByDownload;       // the configuration download (image to receiver) sends it
    bool sentByUpload;         // the configuration upload (receiver to image) sends it
};

constexpr bool IsCommandNumber(int n) {
    return n >= 0 && n < kCommandCount;
}

CommandGroup CommandGroupOf(int commandNumber);

// The whole row, or nullopt for a number outside 0..105.
std::optional<CommandRow> CommandTableRow(int commandNumber);

// The row's codes back to back; empty for a number outside 0..105.
std::string_view CommandRowCodes(int commandNumber);

// The number of codes in the row; 0 for a number outside 0..105.
int CommandCodeCount(int commandNumber);

// The five-character code at `position` of the row; empty when the number or the position is
// out of range.
std::string_view CommandCode(int commandNumber, int position);

// What an operation frame's five characters mean: the command number and the value that
// BuildCommandFrame would have been given (the position for the selection group, the level for
// the parameter group, the volume step for the volume group). A code that appears in more than
// one place resolves to the lowest command number and position. nullopt for an unknown code or a
// volume byte that no volume step produces.
struct DecodedOperation {
    int commandNumber;
    int value;
};
std::optional<DecodedOperation> DecodeOperationCode(std::string_view code);

// Extended functions.

// The nineteen function codes, number 256 first.
inline constexpr std::string_view kExtendedFunctionCodes =
    "00000100200F010011012013020021022030031032033040041042050";

constexpr bool IsExtendedFunction(int function) {
    return function >= extended_function::kFirst && function <= extended_function::kLast;
}

// The LL field per function: the characters from the function code to the end of the data, for
// mode 0 (request) and mode 1 (write). 0 marks the functions the editor never sends.
struct ExtendedLengths {
    int request;
    int write;
};
inline constexpr std::array<ExtendedLengths,
                            extended_function::kLast - extended_function::kFirst + 1>
    kExtendedLengths{{
        {0, 0},        // 256 "000"
        {0, 0},        // 257 "001"
        {0, 0},        // 258 "002"
        {0, 0},        // 259 "00F"
        {0x07, 0x08},  // 260 "010" IoAssignTable
        {0x11, 0x11},  // 261 "011" InputNames
        {0x05, 0x07},  // 262 "012" InputTrims
        {0, 0},        // 263 "013"
        {0x0B, 0x0B},  // 264 "020" DspParameterTable (request)
        {0x0B, 0x0B},  // 265 "021" DspParameterTable (write)
        {0x06, 0x08},  // 266 "022" EqSettings band record (request)
        {0x06, 0x08},  // 267 "030" EqSettings band record (write)
        {0x05, 0x0E},  // 268 "031" EqSettings CINEMA EQ record
        {0x05, 0x07},  // 269 "032" EqSettings option byte
        {0x06, 0x09},  // 270 "033" ToneSettings
        {0x07, 0x08},  // 271 "040" DcTrigger1 / DcTrigger2
        {0x05, 0x09},  // 272 "041" SpeakerDistances
        {0x05, 0x11},  // 273 "042" PictureModeAdjust
        {0x0D, 0x0D},  // 274 "050" TunerPresets
    }};

// The three-character code of a function 256..274; empty for any other number.
constexpr std::string_view ExtendedFunctionCode(int function) {
    if (!IsExtendedFunction(function)) {
        return {};
    }
    return kExtendedFunctionCodes.substr(
        static_cast<std::size_t>(function - extended_function::kFirst) *
            extended_frame::kCodeLength,
        extended_frame::kCodeLength);
}

// The function number of a three-character code, or -1 when the code is unknown.
constexpr int ExtendedFunctionForCode(std::string_view code) {
    if (code.size() != extended_frame::kCodeLength) {
        return -1;
    }
    for (int f = extended_function::kFirst; f <= extended_function::kLast; ++f) {
        if (ExtendedFunctionCode(f) == code) {
            return f;
        }
    }
    return -1;
}

// Whether the editor ever sends the function (256..259 and 263 have codes but are never sent).
constexpr bool IsSentExtendedFunction(int function) {
    return IsExtendedFunction(function) &&
           kExtendedLengths[static_cast<std::size_t>(function - extended_function::kFirst)]
                   .request != 0;
}

// The LL value of a sent function in mode 0 or 1; -1 for anything else.
constexpr int ExtendedFrameLength(int function, int mode) {
    if (!IsSentExtendedFunction(function) || (mode != 0 && mode != 1)) {
        return -1;
    }
    const ExtendedLengths& ll =
        kExtendedLengths[static_cast<std::size_t>(function - extended_function::kFirst)];
    return mode == 0 ? ll.request : ll.write;
}

}  // namespace tra1
