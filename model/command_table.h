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

// Whether the commands after this one act on what it chose: the program, effect-off and input
// mode commands act on the main input selected last. When such a command is lost on the line, the
// commands behind it change another input, whose settings were already written; so these must
// be answered before anything follows them.
bool LaterCommandsActOnItsChoice(int commandNumber);

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

}  // namespace tra1
