#include "link/extended_decoder.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "link/decoder_host.h"
#include "link/dsp_parameter_slot.h"
#include "link/link_state.h"
#include "link/reply_digits.h"
#include "model/command_table.h"
#include "model/model_profile.h"
#include "model/protocol.h"
#include "model/receiver_image.h"

namespace tra1 {
namespace {

// The data characters of a reply, by their index after the status digit.
class ReplyData {
public:
    explicit ReplyData(std::string_view body) : body_(body) {}

    int Digit(std::size_t index) const {
        return ReplyDigitAt(body_, ExtendedDecoder::kDataAt + index);
    }
    int Number(std::size_t index, std::size_t count) const {
        return ReplyNumberAt(body_, ExtendedDecoder::kDataAt + index, count);
    }
    std::string_view Text(std::size_t index, std::size_t count) const {
        const std::size_t at = ExtendedDecoder::kDataAt + index;
        return at < body_.size() ? body_.substr(at, count) : std::string_view{};
    }

private:
    std::string_view body_;
};

// Stores a byte at an offset of a block; false, and nothing stored, outside the block.
bool Put(std::span<std::uint8_t> block, std::size_t offset, int value) {
    if (offset >= block.size()) {
        return false;
    }
    block[offset] = static_cast<std::uint8_t>(value);
    return true;
}

std::size_t At(int index) {
    return static_cast<std::size_t>(index);
}

bool IsKnownProgramCode(int code) {
    const int index = ModelProfile::ProgramIndex(code);
    return index >= 0 && index <= ModelProfile::kHighestProgram &&
           ModelProfile::ProgramCode(index) == code;
}

// Decimal digits only; nullopt for any other character or an empty text.
std::optional<int> DecimalValue(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// The frequency step of a tuner reply: AM as six decimal kHz digits, FM as "ddd.dd" MHz. The
// divisions are done in double precision and truncated toward zero, as the receiver's own
// steps are counted. nullopt for a text of another shape or a step that is not a byte.
std::optional<int> TunerStep(int band, std::string_view text) {
    if (text.size() != 6) {
        return std::nullopt;
    }
    double step = 0.0;
    if (band == tuner_presets::kBandAm) {
        const std::optional<int> kHz = DecimalValue(text);
        if (!kHz) {
            return std::nullopt;
        }
        step = (1710.0 - static_cast<double>(*kHz)) / 10.0;
    } else {
        const std::optional<int> whole = DecimalValue(text.substr(0, 3));
        const std::optional<int> hundredths = DecimalValue(text.substr(4, 2));
        if (text[3] != '.' || !whole || !hundredths) {
            return std::nullopt;
        }
        // N / 100 is the double nearest to the decimal text, as parsing it would give.
        const double mHz = static_cast<double>(*whole * 100 + *hundredths) / 100.0;
        step = (107.9 - mHz) / 0.2;
    }
    // Both texts bound the step well inside int, so the truncating conversion is defined.
    const int truncated = static_cast<int>(step);
    if (truncated < 0 || truncated > 255) {
        return std::nullopt;
    }
    return truncated;
}

ExtendedOutcome Stored(bool ok) {
    return ok ? ExtendedOutcome::kStored : ExtendedOutcome::kOutOfRange;
}

}  // namespace

int ExtendedFunctionOf(std::string_view code) {
    if (code.size() != extended_frame::kCodeLength) {
        return 0;
    }
    const int value = ReplyNumberAt(code, 0, extended_frame::kCodeLength);
    for (int function = extended_function::kFirst; function <= extended_function::kLast;
         ++function) {
        const std::size_t at =
            At(function - extended_function::kFirst) * extended_frame::kCodeLength;
        if (ReplyNumberAt(kExtendedFunctionCodes, at, extended_frame::kCodeLength) == value) {
            return function;
        }
    }
    return 0;
}

namespace {

// The data characters a reply of the function carries from character 8 on.
std::size_t DataLength(int function) {
    // The receiver reports the EQ option with LL 6, one less than its three data characters.
    return function == extended_function::kEqOption ? 3 : At(ExpectedReplyLength(function)) - 4;
}

}  // namespace

int ExpectedReplyLength(int function) {
    switch (function) {
        case extended_function::kIoAssign:
            return 8;
        case extended_function::kInputName:
            return 17;
        case extended_function::kInputTrim:
            return 7;
        case extended_function::kDspParameterRequest:
            return -1;
        case extended_function::kDspParameter:
            return 11;
        case extended_function::kEqBand:
            return 8;
        case extended_function::kCinemaEq:
            return 14;
        case extended_function::kEqOption:
            return 6;
        case extended_function::kTone:
            return 9;
        case extended_function::kDcTrigger:
            return 8;
        case extended_function::kSpeakerDistance:
            return 9;
        case extended_function::kPictureMode:
            return 15;
        case extended_function::kTunerPreset:
            return 13;
        default:
            return 0;
    }
}

ExtendedOutcome ExtendedDecoder::DecodeExtended(std::string_view body) {
    host_.LogReceived(std::string(log_prefix::kExtended) + std::string(body) + "\r\n");

    // A body too short to hold its function code and status digit names no function.
    const int function =
        body.size() > kStatusAt ? ExtendedFunctionOf(body.substr(kFunctionAt, 3)) : 0;
    if (function == 0) {
        return ExtendedOutcome::kUnknownFunction;
    }
    const int length = ReplyNumberAt(body, kLengthAt, 2);
    const bool accepted = body[kStatusAt] == '0';

    if (state_.awaitedFunction == function) {
        // A graphic EQ reply in realtime mode ends the poll's wait only when it is the record
        // the poll asked for (or the receiver refused the request).
        const bool endsWait = function != extended_function::kEqBand || !state_.realtimeMode ||
                              !accepted ||
                              state_.realtimeExpectedTable == ReplyDigitAt(body, kDataAt) + 1;
        if (endsWait) {
            state_.awaitedFunction = LinkState::kNone;
            state_.previousAwaitedFunction = LinkState::kNone;
            state_.waitingCounter = 0;
        }
    }

    if (state_.echoGuard != 0) {
        host_.ResetReceiver();
        state_.echoGuard = 0;
        return ExtendedOutcome::kEcho;
    }
    const bool transfer = state_.uploadInProgress != 0 || state_.downloadInProgress != 0;
    if ((!state_.realtimeMode && !transfer) || !accepted) {
        return ExtendedOutcome::kNotDecoded;
    }

    ExtendedOutcome outcome = ExtendedOutcome::kNoData;
    const int expected = ExpectedReplyLength(function);
    if (expected > 0) {
        // The data must also really be there, whatever LL claims.
        const bool complete = body.size() >= kDataAt + DataLength(function);
        outcome = (length == expected && complete) ? Store(function, body)
                                                   : ExtendedOutcome::kWrongLength;
    }
    host_.RefreshPanels();
    return outcome;
}

ExtendedOutcome ExtendedDecoder::Store(int function, std::string_view body) {
    switch (function) {
        case extended_function::kIoAssign:
            return StoreIoAssign(body);
        case extended_function::kInputName:
            return StoreInputName(body);
        case extended_function::kInputTrim:
            return StoreInputTrim(body);
        case extended_function::kDspParameter:
            return StoreDspParameter(body);
        case extended_function::kEqBand:
            return StoreEqBand(body);
        case extended_function::kCinemaEq:
            return StoreCinemaEq(body);
        case extended_function::kEqOption:
            return StoreEqOption(body);
        case extended_function::kTone:
            return StoreTone(body);
        case extended_function::kDcTrigger:
            return StoreDcTrigger(body);
        case extended_function::kSpeakerDistance:
            return StoreSpeakerDistance(body);
        case extended_function::kPictureMode:
            return StorePictureMode(body);
        case extended_function::kTunerPreset:
            return StoreTunerPreset(body);
        default:
            return ExtendedOutcome::kNoData;
    }
}

// Row digit, position (two), value digit. The receiver numbers the connector rows 3, 1, 2, 0.
// Value 13 stands for "as the row's first jack".
ExtendedOutcome ExtendedDecoder::StoreIoAssign(std::string_view body) {
    const ReplyData data(body);
    static constexpr std::array<std::size_t, 4> kImageRow{3, 1, 2, 0};
    const int reportedRow = data.Digit(0);
    const int position = data.Number(1, 2);
    const int value = data.Digit(3);
    if (reportedRow >= static_cast<int>(kImageRow.size()) ||
        position >= static_cast<int>(io_assign::kRowSize)) {
        return ExtendedOutcome::kOutOfRange;
    }
    const std::size_t row = kImageRow[At(reportedRow)] * io_assign::kRowSize;
    const int entry = value == 13 ? image_.IoAssignTable[row] : value;
    return Stored(Put(image_.IoAssignTable, row + At(position), entry));
}

// Input digit at data index 2, eight name characters at 5..12. An input beyond the named inputs
// is the multi-channel input's entry.
ExtendedOutcome ExtendedDecoder::StoreInputName(std::string_view body) {
    const ReplyData data(body);
    int input = data.Digit(2);
    if (input > ModelProfile::kHighestInput) {
        input = ModelProfile::kHighestInput + 1;
    }
    const std::string_view name = data.Text(5, input_names::kMaxLength);
    const std::size_t entry = At(input) * input_names::kEntrySize;
    if (name.size() != input_names::kMaxLength ||
        entry + input_names::kEntrySize > image_.InputNames.size()) {
        return ExtendedOutcome::kOutOfRange;
    }
    for (std::size_t i = 0; i < input_names::kMaxLength; ++i) {
        image_.InputNames[entry + i] = static_cast<std::uint8_t>(name[i]);
    }
    image_.InputNames[entry + input_names::kMaxLength] = 0;
    return ExtendedOutcome::kStored;
}

// Input digit, trim (two).
ExtendedOutcome ExtendedDecoder::StoreInputTrim(std::string_view body) {
    const ReplyData data(body);
    return Stored(Put(image_.InputTrims, At(data.Digit(0)), data.Number(1, 2)));
}

// Program code (two), parameter N (two), sub-digit w, value (two).
ExtendedOutcome ExtendedDecoder::StoreDspParameter(std::string_view body) {
    const ReplyData data(body);
    const int programCode = data.Number(0, 2);
    if (!IsKnownProgramCode(programCode)) {
        return ExtendedOutcome::kOutOfRange;
    }
    int subDigit = data.Digit(4);
    if (subDigit == 0) {
        subDigit = DerivedSubDigit(image_.MainZoneState[main_zone::kReported16],
                                   image_.MainZoneState[main_zone::kInputMode]);
    }
    const std::optional<DspParameterTarget> target =
        DspParameterSlot(programCode, data.Number(2, 2), subDigit, data.Number(5, 2));
    if (!target) {
        return ExtendedOutcome::kOutOfRange;
    }
    const std::size_t record =
        At(ModelProfile::ProgramIndex(programCode)) * dsp_table::kParametersPerProgram;
    return Stored(Put(image_.DspParameterTable, record + At(target->slot), target->value));
}

// Table digit (channel record 0 or 2..9), band digit, value (two).
ExtendedOutcome ExtendedDecoder::StoreEqBand(std::string_view body) {
    const ReplyData data(body);
    const int record = data.Digit(0);
    const int band = data.Digit(1);
    const bool knownRecord =
        record == 0 || (record >= 2 && record < static_cast<int>(eq_layout::kChannelCount));
    if (!knownRecord || band >= static_cast<int>(eq_layout::kBandsPerChannel)) {
        return ExtendedOutcome::kOutOfRange;
    }
    return Stored(Put(image_.EqSettings, At(record) * eq_layout::kBandsPerChannel + At(band),
                      data.Number(2, 2)));
}

// Record digit 0..3, then on/off (one digit) and four values of two digits.
ExtendedOutcome ExtendedDecoder::StoreCinemaEq(std::string_view body) {
    const ReplyData data(body);
    const int record = data.Digit(0);
    if (record >= static_cast<int>(eq_layout::kCinemaEqRecordCount)) {
        return ExtendedOutcome::kOutOfRange;
    }
    const std::size_t base = eq_layout::kCinemaEq + At(record) * eq_layout::kCinemaEqRecordSize;
    const std::array<int, eq_layout::kCinemaEqRecordSize> values{
        data.Digit(1), data.Number(2, 2), data.Number(4, 2), data.Number(6, 2), data.Number(8, 2)};
    for (std::size_t i = 0; i < values.size(); ++i) {
        Put(image_.EqSettings, base + i, values[i]);
    }
    return ExtendedOutcome::kStored;
}

// Option digit 0..1 (EQ bytes 130 and 131), value (two). Higher digits would land in the CINEMA
// EQ records.
ExtendedOutcome ExtendedDecoder::StoreEqOption(std::string_view body) {
    const ReplyData data(body);
    const int option = data.Digit(0);
    if (option > 1) {
        return ExtendedOutcome::kOutOfRange;
    }
    return Stored(Put(image_.EqSettings, eq_layout::kOption1 + At(option), data.Number(1, 2)));
}

// Digit a (speaker 0 / headphone 1), digit b (bass 0 / treble 1), selector digit, level (two).
ExtendedOutcome ExtendedDecoder::StoreTone(std::string_view body) {
    const ReplyData data(body);
    const int a = data.Digit(0);
    const int b = data.Digit(1);
    if (a > 1 || b > 1) {
        return ExtendedOutcome::kOutOfRange;
    }
    const std::size_t pair = At(4 * a + 2 * b);
    Put(image_.ToneSettings, pair, data.Digit(2));
    Put(image_.ToneSettings, pair + 1, data.Number(3, 2));
    return ExtendedOutcome::kStored;
}

// Trigger digit (0 left, 1 right), zone row digit 0..2, item digit (13: the multi-channel
// input's byte 49), value digit.
ExtendedOutcome ExtendedDecoder::StoreDcTrigger(std::string_view body) {
    const ReplyData data(body);
    const int trigger = data.Digit(0);
    const int zone = data.Digit(1);
    const int item = data.Digit(2);
    if (trigger > 1) {
        return ExtendedOutcome::kOutOfRange;
    }
    std::span<std::uint8_t> block =
        trigger == 0 ? std::span<std::uint8_t>(image_.DcTrigger1) : image_.DcTrigger2;
    if (item == 13) {
        return Stored(Put(block, dc_trigger::kMultiChannel, data.Digit(3)));
    }
    if (zone > 2) {
        return ExtendedOutcome::kOutOfRange;
    }
    const std::size_t offset = dc_trigger::kZone1Row + At(zone) * dc_trigger::kRowSize + At(item);
    return Stored(Put(block, offset, data.Digit(3)));
}

// Entry digit, unit digit, distance (three digits).
ExtendedOutcome ExtendedDecoder::StoreSpeakerDistance(std::string_view body) {
    const ReplyData data(body);
    const std::size_t entry = At(data.Digit(0));
    if (entry >= image_.SpeakerDistances.size()) {
        return ExtendedOutcome::kOutOfRange;
    }
    image_.SpeakerDistances[entry] = data.Number(2, 3);
    image_.SpeakerDistances[speaker_distance::kUnit] = data.Digit(1);
    return ExtendedOutcome::kStored;
}

// Record digit 0..2, then five values of two digits.
ExtendedOutcome ExtendedDecoder::StorePictureMode(std::string_view body) {
    const ReplyData data(body);
    const int record = data.Digit(0);
    if (record >= static_cast<int>(picture_mode::kRecordCount)) {
        return ExtendedOutcome::kOutOfRange;
    }
    const std::size_t base = At(record) * picture_mode::kRecordSize;
    for (std::size_t i = 0; i < 5; ++i) {
        Put(image_.PictureModeAdjust, base + i, data.Number(1 + 2 * i, 2));
    }
    return ExtendedOutcome::kStored;
}

// Page digit (0 the current station, 1..5 the preset pages), number digit 1..8, band digit,
// six frequency characters.
ExtendedOutcome ExtendedDecoder::StoreTunerPreset(std::string_view body) {
    const ReplyData data(body);
    const int page = data.Digit(0);
    const int number = data.Digit(1);
    const int band = data.Digit(2);
    if (page > 5 || (page > 0 && (number < 1 || number > 8))) {
        return ExtendedOutcome::kOutOfRange;
    }
    if (band != tuner_presets::kBandAm && band != tuner_presets::kBandFm) {
        return ExtendedOutcome::kOutOfRange;
    }
    const std::optional<int> step = TunerStep(band, data.Text(3, 6));
    if (!step) {
        return ExtendedOutcome::kOutOfRange;
    }
    const int entry = page == 0 ? 0 : 8 * (page - 1) + number;
    const std::size_t offset = At(entry) * tuner_presets::kEntrySize;
    if (offset + tuner_presets::kEntrySize > image_.TunerPresets.size()) {
        return ExtendedOutcome::kOutOfRange;
    }
    image_.TunerPresets[offset + tuner_presets::kBand] = static_cast<std::uint8_t>(band);
    image_.TunerPresets[offset + tuner_presets::kStep] = static_cast<std::uint8_t>(*step);
    return ExtendedOutcome::kStored;
}

}  // namespace tra1
