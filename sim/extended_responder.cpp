#include "sim/extended_responder.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "model/command_table.h"
#include "model/extended_codec.h"
#include "model/extended_places.h"
#include "model/hex_codes.h"
#include "model/protocol.h"

namespace tra1::sim {
namespace {

// Where the receiver keeps a parameter that has never been written over the line: the variants
// of parameters 4 to 7 that depend on the decoder mode, and parameter 27 of program 44, live in
// the spare slots at the end of the program's row.
int DefaultParameterSlot(int programCode, int parameter, int subDigit) {
    if (parameter == 4 && (subDigit == 3 || subDigit == 4)) {
        return 30;
    }
    if (parameter >= 5 && parameter <= 7 && subDigit != 0) {
        const int base = 32 + 3 * (parameter - 5);
        if (subDigit == 1) {
            return base;
        }
        if (subDigit >= 2 && subDigit <= 4) {
            return base + 1;
        }
        if (subDigit == 6 || subDigit == 7) {
            return base + 2;
        }
    }
    if (parameter == 27 && programCode == 44) {
        return 41;
    }
    return parameter;
}

namespace ef = extended_function;
namespace frame = extended_frame;

// The characters of a body before its data: "20", LL, the function code and the mode digit.
constexpr std::size_t kHeader = frame::kDataAt;

std::optional<int> HexValue(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : digits) {
        int d = 0;
        if (c >= '0' && c <= '9') {
            d = c - '0';
        } else if (c >= 'A' && c <= 'F') {
            d = c - 'A' + 10;
        } else if (c >= 'a' && c <= 'f') {
            d = c - 'a' + 10;
        } else {
            return std::nullopt;
        }
        value = value * 16 + d;
    }
    return value;
}

// A tuner frequency text to a frequency step; nullopt when it is not a frequency of the band.
std::optional<int> TunerStep(int band, std::string_view text) {
    if (text.size() != 6) {
        return std::nullopt;
    }
    int hundredths = 0;  // FM: 1/100 MHz; AM: kHz
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (band == 1 && i == 3) {
            if (c != '.') {
                return std::nullopt;
            }
            continue;
        }
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        hundredths = hundredths * 10 + (c - '0');
    }
    // FM: 107.9 MHz - 0.2 MHz x step; AM: 1710 kHz - 10 kHz x step; rounded to the nearest step.
    const int span = band == 1 ? 10790 - hundredths : 1710 - hundredths;
    const int unit = band == 1 ? 20 : 10;
    if (span < 0) {
        return std::nullopt;
    }
    const int step = (span + unit / 2) / unit;
    if (step > 255) {
        return std::nullopt;
    }
    return step;
}

std::string Padded(std::string_view name) {
    std::string out(name.substr(0, 8));
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20) {
            c = ' ';
        }
    }
    out.resize(8, ' ');
    return out;
}

// The fields of one frame as read: p1..p6 and the text.
struct FrameFields {
    ExtendedParameters p{};
    std::string text;
};

// Reads the fields of a part as the receiver does: every digit must be a hexadecimal digit, a
// literal must be there letter for letter, a row digit must name a row. nullopt otherwise.
std::optional<FrameFields> ReadFields(const ExtendedCodec& codec, ExtendedPart part,
                                      std::string_view data) {
    FrameFields fields;
    std::size_t at = 0;
    for (const ExtendedField& field : codec.fields) {
        if (!FieldIn(field, part)) {
            continue;
        }
        const std::size_t width = FieldWidth(field);
        if (at + width > data.size()) {
            return std::nullopt;
        }
        const std::string_view chars = data.substr(at, width);
        at += width;
        if (field.coding == FieldCoding::kLiteral) {
            if (chars != field.literal) {
                return std::nullopt;
            }
            continue;
        }
        if (field.coding == FieldCoding::kText) {
            fields.text = std::string(chars);
            continue;
        }
        std::optional<int> value = HexValue(chars);
        if (value && field.coding == FieldCoding::kIoRowDigit) {
            value = IoRowOfDigit(*value);
        }
        if (!value) {
            return std::nullopt;
        }
        if (field.parameter >= 0 && field.parameter < static_cast<int>(fields.p.size())) {
            fields.p.at(static_cast<std::size_t>(field.parameter)) = *value;
        }
    }
    return fields;
}

// What a handler works with: the receiver's state, the frame's fields (which it turns into the
// reply's), and whether the frame writes.
struct Exchange {
    ReceiverState& state;
    ModelProfile& profile;
    FrameFields& fields;
    bool write;

    ReceiverImage& Image() { return state.image; }
    int& P(std::size_t i) { return fields.p.at(i); }
};

std::uint8_t Byte(int v) {
    return static_cast<std::uint8_t>(v);
}

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

// Image row (the row digit was turned into it when read), position; value.
bool ServeIoAssign(Exchange& x) {
    const int row = x.P(0);
    const int position = x.P(1);
    if (!extended_place::IoAssign(row, position)) {
        return false;
    }
    if (x.write) {
        x.Image().SetIoAssign(row, position, Byte(x.P(2)));
    }
    x.P(2) = x.Image().IoAssign(row, position);
    return true;
}

// Input, the name.
bool ServeInputName(Exchange& x) {
    const int input = x.P(0);
    if (!InRange(input, 0, static_cast<int>(input_names::kEntryCount) - 1)) {
        return false;
    }
    if (x.write) {
        x.Image().SetInputName(input, Padded(x.fields.text));
    }
    x.fields.text = Padded(x.Image().InputName(input));
    return true;
}

// Input; trim.
bool ServeInputTrim(Exchange& x) {
    auto& trim = x.Image().InputTrims.at(static_cast<std::size_t>(x.P(0)));
    if (x.write) {
        trim = Byte(x.P(1));
    }
    x.P(1) = trim;
    return true;
}

// Program code, parameter, sub-digit, value.
bool ServeDspParameter(Exchange& x) {
    const int programCode = x.P(0);
    const int parameter = x.P(1);
    const int sub = x.P(2);
    const auto key = std::make_tuple(programCode, parameter, sub);
    ReceiverImage& im = x.Image();
    const int program = ModelProfile::ProgramIndex(programCode);
    const int slot = DefaultParameterSlot(programCode, parameter, sub);
    if (x.write) {
        x.state.dspParameters[key] = Byte(x.P(3));
        // The receiver holds one value per parameter field; a request with another sub-digit
        // that lands on the same field reads the new value too.
        im.SetDspParameter(program, slot, Byte(x.P(3)));
    }
    const auto stored = x.state.dspParameters.find(key);
    x.P(3) =
        stored != x.state.dspParameters.end() ? stored->second : im.DspParameter(program, slot);
    return true;
}

// Record 0..9, band; value.
bool ServeEqBand(Exchange& x) {
    const std::optional<std::size_t> at = extended_place::EqBand(x.P(0), x.P(1));
    if (!at) {
        return false;
    }
    auto& byte = x.Image().EqSettings.at(*at);
    if (x.write) {
        byte = Byte(x.P(2));
    }
    x.P(2) = byte;
    return true;
}

// Record; its five bytes.
bool ServeCinemaEq(Exchange& x) {
    const std::optional<std::size_t> base = extended_place::CinemaEqRecord(x.P(0));
    if (!base) {
        return false;
    }
    for (std::size_t j = 0; j < eq_layout::kCinemaEqRecordSize; ++j) {
        auto& byte = x.Image().EqSettings.at(*base + j);
        if (x.write) {
            byte = Byte(x.P(1 + j));
        }
        x.P(1 + j) = byte;
    }
    return true;
}

// Option; value.
bool ServeEqOption(Exchange& x) {
    const std::optional<std::size_t> at = extended_place::EqOption(x.P(0));
    if (!at) {
        return false;
    }
    auto& byte = x.Image().EqSettings.at(*at);
    if (x.write) {
        byte = Byte(x.P(1));
    }
    x.P(1) = byte;
    return true;
}

// Speaker or headphone, bass or treble; selector, level.
bool ServeTone(Exchange& x) {
    const std::optional<std::size_t> at = extended_place::TonePair(x.P(0), x.P(1));
    if (!at) {
        return false;
    }
    auto& tone = x.Image().ToneSettings;
    if (x.write) {
        tone.at(*at) = Byte(x.P(2));
        tone.at(*at + 1) = Byte(x.P(3));
    }
    x.P(2) = tone.at(*at);
    x.P(3) = tone.at(*at + 1);
    return true;
}

// Trigger, zone row, item; value.
bool ServeDcTrigger(Exchange& x) {
    const int trigger = x.P(0);
    const int zoneRow = x.P(1);
    const std::optional<std::size_t> at = extended_place::DcTriggerItem(zoneRow, x.P(2));
    if (!InRange(trigger, 0, 1) || !InRange(zoneRow, 0, extended_place::kDcTriggerZoneRows - 1) ||
        !at) {
        return false;
    }
    auto& block = trigger == 0 ? x.Image().DcTrigger1 : x.Image().DcTrigger2;
    if (x.write) {
        block.at(*at) = Byte(x.P(3));
    }
    x.P(3) = block.at(*at);
    return true;
}

// Entry 0..14; unit, distance.
bool ServeSpeakerDistance(Exchange& x) {
    const int entry = x.P(0);
    if (!InRange(entry, 0, static_cast<int>(speaker_distance::kUnit) - 1)) {
        return false;
    }
    ReceiverImage& im = x.Image();
    if (x.write) {
        im.SetSpeakerDistance(entry, x.P(2));
        im.SetSpeakerDistance(static_cast<int>(speaker_distance::kUnit), x.P(1));
    }
    x.P(1) = im.SpeakerDistance(static_cast<int>(speaker_distance::kUnit));
    x.P(2) = im.SpeakerDistance(entry);
    return true;
}

// Record; its five bytes.
bool ServePictureMode(Exchange& x) {
    const std::optional<std::size_t> base = extended_place::PictureModeRecord(x.P(0));
    if (!base) {
        return false;
    }
    for (std::size_t j = 0; j < extended_place::kPictureModeBytesCarried; ++j) {
        auto& byte = x.Image().PictureModeAdjust.at(*base + j);
        if (x.write) {
            byte = Byte(x.P(1 + j));
        }
        x.P(1 + j) = byte;
    }
    return true;
}

// Page 0..5, number 0..8 (1..8 on a preset page), band, the frequency.
bool ServeTunerPreset(Exchange& x) {
    const int page = x.P(0);
    const int number = x.P(1);
    const std::optional<int> entry = extended_place::TunerEntry(page, number);
    if (!InRange(page, 0, extended_place::kTunerPageCount) ||
        !InRange(number, 0, extended_place::kTunerPresetsPerPage) || !entry) {
        return false;
    }
    ReceiverImage& im = x.Image();
    if (x.write) {
        const int band = x.P(2);
        const auto step = (band == 0 || band == 1) ? TunerStep(band, x.fields.text) : std::nullopt;
        if (!step) {
            return false;
        }
        im.SetTunerPreset(*entry, Byte(band), Byte(*step));
    }
    const int storedBand = im.TunerBand(*entry);
    x.P(1) = page == 0 ? 0 : number;
    x.P(2) = storedBand;
    x.fields.text =
        std::string(x.profile.TunerFrequencyText(storedBand, im.TunerStep(*entry)).substr(0, 6));
    return true;
}

using Handler = bool (*)(Exchange&);

Handler HandlerOf(int function) {
    switch (function) {
        case ef::kIoAssign:
            return ServeIoAssign;
        case ef::kInputName:
            return ServeInputName;
        case ef::kInputTrim:
            return ServeInputTrim;
        case ef::kDspParameterRequest:
        case ef::kDspParameter:
            return ServeDspParameter;
        case ef::kEqBandRequest:
        case ef::kEqBand:
            return ServeEqBand;
        case ef::kCinemaEq:
            return ServeCinemaEq;
        case ef::kEqOption:
            return ServeEqOption;
        case ef::kTone:
            return ServeTone;
        case ef::kDcTrigger:
            return ServeDcTrigger;
        case ef::kSpeakerDistance:
            return ServeSpeakerDistance;
        case ef::kPictureMode:
            return ServePictureMode;
        case ef::kTunerPreset:
            return ServeTunerPreset;
        default:
            return nullptr;
    }
}

}  // namespace

std::string ExtendedResponder::BuildReply(std::string_view functionCode, char status,
                                          std::string_view data) {
    std::string body(frame::kAddress);
    int length = static_cast<int>(functionCode.size() + 1 + data.size());
    if (status == frame::kAccepted) {
        if (const ExtendedCodec* codec = FindExtendedCodec(ExtendedFunctionForCode(functionCode))) {
            length += codec->replyLengthAdjust;
        }
    }
    const auto ll = Hex2(length);
    body.append(ll.data(), ll.size());
    body += functionCode;
    body.push_back(status);
    body += data;
    std::string frame(1, control_byte::kDc4);
    frame += body;
    const auto checksum = Hex2(ExtendedChecksum(body));
    frame.append(checksum.data(), checksum.size());
    frame.push_back(control_byte::kEtx);
    return frame;
}

std::string ExtendedResponder::Answer(ReceiverState& state, std::string_view body, char refuseWith,
                                      char refuseWritesWith) {
    const std::string_view unknownCode = ExtendedFunctionCode(ef::kUnused000);
    if (body.size() < kHeader + frame::kChecksumLength) {
        return BuildReply(unknownCode, kBadLength, {});
    }
    const std::string_view code = body.substr(frame::kCodeAt, frame::kCodeLength);
    const std::string_view refuseCode = ExtendedFunctionForCode(code) >= 0 ? code : unknownCode;
    const std::size_t sumEnd = body.size() - frame::kChecksumLength;
    // The receiver reads the checksum's digits in either case.
    const auto checksum = HexValue(body.substr(sumEnd));
    if (!checksum || *checksum != ExtendedChecksum(body.substr(0, sumEnd))) {
        return BuildReply(refuseCode, kBadChecksum, {});
    }
    const auto ll = HexValue(body.substr(frame::kLengthAt, 2));
    if (!ll || static_cast<std::size_t>(*ll) != sumEnd - frame::kCodeAt) {
        return BuildReply(refuseCode, kBadLength, {});
    }
    const int function = ExtendedFunctionForCode(code);
    const char modeDigit = body[frame::kModeAt];
    const int mode = modeDigit == '0' ? ef::kRequest : (modeDigit == '1' ? ef::kWrite : -1);
    const ExtendedCodec* codec = FindExtendedCodec(function);
    const Handler handler = HandlerOf(function);
    if (codec == nullptr || !codec->Sent() || handler == nullptr || mode < 0) {
        return BuildReply(refuseCode, kUnknownFunction, {});
    }
    if (*ll != ExtendedFrameLength(function, mode)) {
        return BuildReply(code, kBadLength, {});
    }
    if (refuseWith != frame::kAccepted) {
        return BuildReply(code, refuseWith, {});
    }
    const bool write = mode == ef::kWrite;
    if (write && refuseWritesWith != frame::kAccepted) {
        return BuildReply(code, refuseWritesWith, {});
    }

    std::optional<FrameFields> fields =
        ReadFields(*codec, write ? ExtendedPart::kWrite : ExtendedPart::kRequest,
                   body.substr(kHeader, sumEnd - kHeader));
    if (!fields) {
        return BuildReply(code, kBadData, {});
    }
    Exchange exchange{state, profile_, *fields, write};
    if (!handler(exchange)) {
        return BuildReply(code, kBadData, {});
    }
    const ExtendedData reply =
        EncodeExtendedData(*codec, ExtendedPart::kReply, fields->p, fields->text);
    return BuildReply(code, frame::kAccepted, reply.View());
}

}  // namespace tra1::sim
