#pragma once
// One description per extended function: the data fields of its frames in order, the parameter
// each field carries, its coding and width, whether a request carries it or only a write, the
// LL of the frames and of the receiver's replies, and the image block the function carries. The
// frame builder, the reply decoder and the virtual receiver all read these descriptions, so a
// layout is written down once.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "model/protocol.h"

namespace tra1 {

// How one data field is written.
enum class FieldCoding : std::uint8_t {
    kHex1,        // Hex1 of the parameter
    kHex2,        // Hex2 of the parameter
    kHex3,        // Hex3 of the parameter
    kLowDigit,    // the low hexadecimal digit of the parameter, whatever its size
    kIoRowDigit,  // Hex1 of the receiver's digit for the image connector row (IoRowDigit)
    kLiteral,     // the field's fixed characters
    kZeroPad,     // zeros; written by writes only, never part of a reply
    kText,        // the text, cut at its first NUL and to the width, padded with blanks
};

// Which frames carry a field: every frame of the function, or writes (and replies) only.
enum class FieldPresence : std::uint8_t {
    kAlways,
    kWriteOnly,
};

struct ExtendedField {
    FieldCoding coding;
    FieldPresence presence = FieldPresence::kAlways;
    int parameter = -1;             // 0..5 for p1..p6; -1 for a literal, a pad or the text
    std::string_view literal = {};  // kLiteral: the characters
    std::size_t textWidth = 0;      // kText, kZeroPad: the width
};

// The width of a field in characters.
constexpr std::size_t FieldWidth(const ExtendedField& field) {
    switch (field.coding) {
        case FieldCoding::kHex1:
        case FieldCoding::kLowDigit:
        case FieldCoding::kIoRowDigit:
            return 1;
        case FieldCoding::kHex2:
            return 2;
        case FieldCoding::kHex3:
            return 3;
        case FieldCoding::kLiteral:
            return field.literal.size();
        case FieldCoding::kZeroPad:
        case FieldCoding::kText:
            return field.textWidth;
    }
    return 0;
}

// The three ways the fields are put together: a request frame (mode 0) carries the fields
// present always, a write frame (mode 1) every field, and the receiver's reply every field but
// the zero pad.
enum class ExtendedPart : std::uint8_t {
    kRequest,
    kWrite,
    kReply,
};

constexpr bool FieldIn(const ExtendedField& field, ExtendedPart part) {
    switch (part) {
        case ExtendedPart::kRequest:
            return field.presence == FieldPresence::kAlways;
        case ExtendedPart::kWrite:
            return true;
        case ExtendedPart::kReply:
            return field.coding != FieldCoding::kZeroPad;
    }
    return false;
}

struct ExtendedCodec {
    int function = 0;
    // The image block the function carries; empty for the functions the editor never sends.
    std::string_view block = {};
    std::span<const ExtendedField> fields = {};
    // Whether the editor stores what a reply carries (the requests 264 and 266 are answered
    // under their own numbers, which carry nothing the editor keeps).
    bool replyStored = false;
    // The receiver reports the LL of some replies other than it counts (269: one less).
    int replyLengthAdjust = 0;
    // How many leading fields name the item (the record, row, entry, program and parameter...):
    // an accepted reply carries them as the frame did, which pairs the reply with its frame.
    std::size_t keyFields = 0;

    bool Sent() const { return !fields.empty(); }

    // The data characters of a part.
    constexpr std::size_t DataLength(ExtendedPart part) const {
        std::size_t length = 0;
        for (const ExtendedField& field : fields) {
            if (FieldIn(field, part)) {
                length += FieldWidth(field);
            }
        }
        return length;
    }
};

// The characters at the start of the data that name the item a frame or an accepted reply is
// about (the codec's key fields); the same in a request, a write and the reply.
std::size_t ExtendedKeyLength(const ExtendedCodec& codec);

// The codec of a function 256..274; nullptr for any other number.
const ExtendedCodec* FindExtendedCodec(int function);

// Whether the editor ever sends the function (256..259 and 263 have codes but are never sent).
bool IsSentExtendedFunction(int function);

// The LL value of a sent function in mode 0 or 1; -1 for anything else.
int ExtendedFrameLength(int function, int mode);

// The LL the receiver's accepted reply of a function carries.
int ExtendedReplyLength(const ExtendedCodec& codec);

// Where a field sits in the data of a part: its offset from the first data character and its
// width. nullopt when the part does not carry the parameter (or the text).
struct FieldSpot {
    std::size_t offset;
    std::size_t width;
};
std::optional<FieldSpot> ParameterSpot(const ExtendedCodec& codec, ExtendedPart part,
                                       int parameter);
std::optional<FieldSpot> TextSpot(const ExtendedCodec& codec, ExtendedPart part);

// The parameters p1..p6 of a frame and its text.
using ExtendedParameters = std::array<int, 6>;

// The data characters of a part, at most kMaxExtendedData of them.
inline constexpr std::size_t kMaxExtendedData = 32;
struct ExtendedData {
    std::array<char, kMaxExtendedData> chars{};
    std::size_t size = 0;
    std::string_view View() const { return {chars.data(), size}; }
};
ExtendedData EncodeExtendedData(const ExtendedCodec& codec, ExtendedPart part,
                                const ExtendedParameters& parameters, std::string_view text);

// The checksum of an extended frame or reply: the sum, modulo 256, of the body characters
// (between DC4 and the checksum: "20", LL, the function code, the mode or status digit and the
// data), as written in its two characters.
int ExtendedChecksum(std::string_view summed);
// Whether the last two characters of a body (between DC4 and ETX) are the checksum of the
// characters before them, as two hexadecimal digits (of either case).
bool ExtendedChecksumMatches(std::string_view body);

// A tuner preset request carries this placeholder where a write carries the frequency.
inline constexpr std::string_view kTunerRequestText = "xxxxxx";

// The receiver numbers the four connector rows of IoAssignTable 3, 1, 2, 0 (image rows 0, 1,
// 2, 3); the numbering is its own inverse. IoRowDigit gives 0 for a row outside 0..3,
// IoRowOfDigit nullopt for a digit outside 0..3.
int IoRowDigit(int row);
std::optional<int> IoRowOfDigit(int digit);

}  // namespace tra1
