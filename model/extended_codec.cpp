#include "model/extended_codec.h"

#include "model/hex_codes.h"

namespace tra1 {
namespace {

namespace ef = extended_function;

using C = FieldCoding;
constexpr FieldPresence kWriteOnly = FieldPresence::kWriteOnly;

// The widths of the two text fields: an input name and a tuner frequency.
constexpr std::size_t kInputNameWidth = 8;
constexpr std::size_t kFrequencyWidth = 6;

// The data fields of each function in frame order; "write" marks what only a write carries.

// row, position; value
constexpr ExtendedField kIoAssignFields[] = {
    {C::kIoRowDigit, {}, 0},
    {C::kHex2, {}, 1},
    {C::kHex1, kWriteOnly, 2},
};
// "0", input, "08", the name (the same in both modes)
constexpr ExtendedField kInputNameFields[] = {
    {C::kLiteral, {}, -1, "0"},
    {C::kHex2, {}, 0},
    {C::kLiteral, {}, -1, "08"},
    {C::kText, {}, -1, {}, kInputNameWidth},
};
// input; trim
constexpr ExtendedField kInputTrimFields[] = {
    {C::kLowDigit, {}, 0},
    {C::kHex2, kWriteOnly, 1},
};
// program code, parameter, sub-digit, value (the same in both modes)
constexpr ExtendedField kDspParameterFields[] = {
    {C::kHex2, {}, 0},
    {C::kHex2, {}, 1},
    {C::kHex1, {}, 2},
    {C::kHex2, {}, 3},
};
// record, band; value
constexpr ExtendedField kEqBandFields[] = {
    {C::kHex1, {}, 0},
    {C::kHex1, {}, 1},
    {C::kHex2, kWriteOnly, 2},
};
// record; its five bytes
constexpr ExtendedField kCinemaEqFields[] = {
    {C::kHex1, {}, 0},         {C::kHex1, kWriteOnly, 1}, {C::kHex2, kWriteOnly, 2},
    {C::kHex2, kWriteOnly, 3}, {C::kHex2, kWriteOnly, 4}, {C::kHex2, kWriteOnly, 5},
};
// option; value
constexpr ExtendedField kEqOptionFields[] = {
    {C::kHex1, {}, 0},
    {C::kHex2, kWriteOnly, 1},
};
// speaker or headphone, bass or treble; selector, level
constexpr ExtendedField kToneFields[] = {
    {C::kHex1, {}, 0},
    {C::kHex1, {}, 1},
    {C::kHex1, kWriteOnly, 2},
    {C::kHex2, kWriteOnly, 3},
};
// trigger, zone row, item; value
constexpr ExtendedField kDcTriggerFields[] = {
    {C::kHex1, {}, 0},
    {C::kHex1, {}, 1},
    {C::kHex1, {}, 2},
    {C::kHex1, kWriteOnly, 3},
};
// entry; unit, distance
constexpr ExtendedField kSpeakerDistanceFields[] = {
    {C::kHex1, {}, 0},
    {C::kHex1, kWriteOnly, 1},
    {C::kHex3, kWriteOnly, 2},
};
// record; its five bytes and a zero pad
constexpr ExtendedField kPictureModeFields[] = {
    {C::kHex1, {}, 0},
    {C::kHex2, kWriteOnly, 1},
    {C::kHex2, kWriteOnly, 2},
    {C::kHex2, kWriteOnly, 3},
    {C::kHex2, kWriteOnly, 4},
    {C::kHex2, kWriteOnly, 5},
    {C::kZeroPad, kWriteOnly, -1, {}, 2},
};
// page, number, band, the frequency (the same in both modes; requests pass "xxxxxx")
constexpr ExtendedField kTunerPresetFields[] = {
    {C::kHex1, {}, 0},
    {C::kHex1, {}, 1},
    {C::kHex1, {}, 2},
    {C::kText, {}, -1, {}, kFrequencyWidth},
};

constexpr std::array<ExtendedCodec, ef::kCount> kCodecs{{
    {ef::kUnused000},
    {ef::kUnused001},
    {ef::kUnused002},
    {ef::kUnused00F},
    // The last number names how many leading fields name the item.
    {ef::kIoAssign, "IoAssignTable", kIoAssignFields, true, 0, 2},
    {ef::kInputName, "InputNames", kInputNameFields, true, 0, 2},
    {ef::kInputTrim, "InputTrims", kInputTrimFields, true, 0, 1},
    {ef::kUnused013},
    {ef::kDspParameterRequest, "DspParameterTable", kDspParameterFields, false, 0, 3},
    {ef::kDspParameter, "DspParameterTable", kDspParameterFields, true, 0, 3},
    {ef::kEqBandRequest, "EqSettings", kEqBandFields, false, 0, 2},
    {ef::kEqBand, "EqSettings", kEqBandFields, true, 0, 2},
    {ef::kCinemaEq, "EqSettings", kCinemaEqFields, true, 0, 1},
    // The receiver reports the option byte with an LL one less than its three data characters.
    {ef::kEqOption, "EqSettings", kEqOptionFields, true, -1, 1},
    {ef::kTone, "ToneSettings", kToneFields, true, 0, 2},
    {ef::kDcTrigger, "DcTrigger1 / DcTrigger2", kDcTriggerFields, true, 0, 3},
    {ef::kSpeakerDistance, "SpeakerDistances", kSpeakerDistanceFields, true, 0, 1},
    {ef::kPictureMode, "PictureModeAdjust", kPictureModeFields, true, 0, 1},
    {ef::kTunerPreset, "TunerPresets", kTunerPresetFields, true, 0, 2},
}};

constexpr bool CodecsInOrder() {
    for (std::size_t i = 0; i < kCodecs.size(); ++i) {
        if (kCodecs[i].function != ef::kFirst + static_cast<int>(i)) {
            return false;
        }
    }
    return true;
}
static_assert(CodecsInOrder(), "one codec per function, in number order");

constexpr bool DataFits() {
    for (const ExtendedCodec& codec : kCodecs) {
        if (codec.DataLength(ExtendedPart::kWrite) > kMaxExtendedData) {
            return false;
        }
    }
    return true;
}
static_assert(DataFits(), "every part's data fits ExtendedData");

// The fields that name the item are carried always, never only by a write, so that a request,
// a write and the reply all begin with them.
constexpr bool KeysLeadEveryPart() {
    for (const ExtendedCodec& codec : kCodecs) {
        if (codec.keyFields > codec.fields.size()) {
            return false;
        }
        for (std::size_t i = 0; i < codec.keyFields; ++i) {
            if (codec.fields[i].presence != FieldPresence::kAlways ||
                codec.fields[i].coding == FieldCoding::kZeroPad) {
                return false;
            }
        }
    }
    return true;
}
static_assert(KeysLeadEveryPart(), "the key fields come first in every part");

constexpr std::array<int, 4> kIoRowDigits{3, 1, 2, 0};

// 0..15 for a hexadecimal digit in either case, -1 for any other character.
constexpr int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::optional<FieldSpot> SpotOf(const ExtendedCodec& codec, ExtendedPart part, bool text,
                                int parameter) {
    std::size_t offset = 0;
    for (const ExtendedField& field : codec.fields) {
        if (!FieldIn(field, part)) {
            continue;
        }
        const bool match = text ? field.coding == FieldCoding::kText : field.parameter == parameter;
        if (match) {
            return FieldSpot{offset, FieldWidth(field)};
        }
        offset += FieldWidth(field);
    }
    return std::nullopt;
}

// Appends within the fixed data buffer; the static check above keeps every part inside it.
class DataWriter {
public:
    explicit DataWriter(ExtendedData& data) : data_(data) {}
    void Put(char c) {
        if (data_.size < data_.chars.size()) {
            data_.chars[data_.size++] = c;
        }
    }
    template <std::size_t N>
    void Put(const std::array<char, N>& chars) {
        for (const char c : chars) {
            Put(c);
        }
    }
    void Put(std::string_view s) {
        for (const char c : s) {
            Put(c);
        }
    }

private:
    ExtendedData& data_;
};

}  // namespace

const ExtendedCodec* FindExtendedCodec(int function) {
    if (function < ef::kFirst || function > ef::kLast) {
        return nullptr;
    }
    return &kCodecs[static_cast<std::size_t>(function - ef::kFirst)];
}

bool IsSentExtendedFunction(int function) {
    const ExtendedCodec* codec = FindExtendedCodec(function);
    return codec != nullptr && codec->Sent();
}

int ExtendedFrameLength(int function, int mode) {
    if (!IsSentExtendedFunction(function) || (mode != ef::kRequest && mode != ef::kWrite)) {
        return -1;
    }
    const ExtendedPart part = mode == ef::kWrite ? ExtendedPart::kWrite : ExtendedPart::kRequest;
    return extended_frame::kCodeAndModeLength +
           static_cast<int>(FindExtendedCodec(function)->DataLength(part));
}

std::size_t ExtendedKeyLength(const ExtendedCodec& codec) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < codec.keyFields && i < codec.fields.size(); ++i) {
        length += FieldWidth(codec.fields[i]);
    }
    return length;
}

int ExtendedReplyLength(const ExtendedCodec& codec) {
    return extended_frame::kCodeAndModeLength +
           static_cast<int>(codec.DataLength(ExtendedPart::kReply)) + codec.replyLengthAdjust;
}

std::optional<FieldSpot> ParameterSpot(const ExtendedCodec& codec, ExtendedPart part,
                                       int parameter) {
    return SpotOf(codec, part, false, parameter);
}

std::optional<FieldSpot> TextSpot(const ExtendedCodec& codec, ExtendedPart part) {
    return SpotOf(codec, part, true, -1);
}

ExtendedData EncodeExtendedData(const ExtendedCodec& codec, ExtendedPart part,
                                const ExtendedParameters& parameters, std::string_view text) {
    ExtendedData data;
    DataWriter out(data);
    for (const ExtendedField& field : codec.fields) {
        if (!FieldIn(field, part)) {
            continue;
        }
        const int p = field.parameter >= 0 && field.parameter < static_cast<int>(parameters.size())
                          ? parameters[static_cast<std::size_t>(field.parameter)]
                          : 0;
        switch (field.coding) {
            case FieldCoding::kHex1:
                out.Put(Hex1(p));
                break;
            case FieldCoding::kHex2:
                out.Put(Hex2(p));
                break;
            case FieldCoding::kHex3:
                out.Put(Hex3(p));
                break;
            case FieldCoding::kLowDigit:
                out.Put(HexDigit(static_cast<unsigned>(p)));
                break;
            case FieldCoding::kIoRowDigit:
                out.Put(Hex1(IoRowDigit(p)));
                break;
            case FieldCoding::kLiteral:
                out.Put(field.literal);
                break;
            case FieldCoding::kZeroPad:
                for (std::size_t i = 0; i < field.textWidth; ++i) {
                    out.Put('0');
                }
                break;
            case FieldCoding::kText: {
                std::string_view t = text.substr(0, text.find('\0'));
                t = t.substr(0, field.textWidth);
                out.Put(t);
                for (std::size_t i = t.size(); i < field.textWidth; ++i) {
                    out.Put(' ');
                }
                break;
            }
        }
    }
    return data;
}

int ExtendedChecksum(std::string_view summed) {
    unsigned sum = 0;
    for (const char c : summed) {
        sum += static_cast<unsigned char>(c);
    }
    return static_cast<int>(sum % 256);
}

bool ExtendedChecksumMatches(std::string_view body) {
    if (body.size() < extended_frame::kChecksumLength) {
        return false;
    }
    const std::size_t summedLength = body.size() - extended_frame::kChecksumLength;
    int written = 0;
    for (const char c : body.substr(summedLength)) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return false;
        }
        written = written * 16 + digit;
    }
    return written == ExtendedChecksum(body.substr(0, summedLength));
}

int IoRowDigit(int row) {
    return row >= 0 && row < static_cast<int>(kIoRowDigits.size())
               ? kIoRowDigits[static_cast<std::size_t>(row)]
               : 0;
}

std::optional<int> IoRowOfDigit(int digit) {
    if (digit < 0 || digit >= static_cast<int>(kIoRowDigits.size())) {
        return std::nullopt;
    }
    return kIoRowDigits[static_cast<std::size_t>(digit)];
}

}  // namespace tra1
