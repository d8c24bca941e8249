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
#include "model/extended_codec.h"
#include "model/extended_places.h"
#include "model/model_profile.h"
#include "model/protocol.h"
#include "model/receiver_image.h"

namespace tra1 {

// The fields of an accepted reply, read where the function's codec puts them. Every field is
// there: the decoder checks the body's length against the codec before it reads.
class ExtendedReplyData {
public:
    ExtendedReplyData(const ExtendedCodec& codec, std::string_view body)
        : codec_(codec), body_(body) {}

    // Parameter p1..p6 (0..5) as the reply carries it; 0 for one the reply does not carry.
    int Parameter(int parameter) const {
        const std::optional<FieldSpot> spot =
            ParameterSpot(codec_, ExtendedPart::kReply, parameter);
        return spot ? ReplyNumberAt(body_, extended_frame::kDataAt + spot->offset, spot->width) : 0;
    }
    // Whether every numeric field holds hexadecimal digits only (a text may hold anything).
    bool DigitsAreDigits() const {
        std::size_t offset = extended_frame::kDataAt;
        for (const ExtendedField& field : codec_.fields) {
            if (!FieldIn(field, ExtendedPart::kReply)) {
                continue;
            }
            const std::size_t width = FieldWidth(field);
            if (field.coding != FieldCoding::kText && !AreReplyDigits(body_, offset, width)) {
                return false;
            }
            offset += width;
        }
        return true;
    }
    std::string_view Text() const {
        const std::optional<FieldSpot> spot = TextSpot(codec_, ExtendedPart::kReply);
        const std::size_t at = extended_frame::kDataAt + (spot ? spot->offset : 0);
        return spot && at < body_.size() ? body_.substr(at, spot->width) : std::string_view{};
    }

private:
    const ExtendedCodec& codec_;
    std::string_view body_;
};

namespace {

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

// An I/O assignment value that stands for "as the row's first jack".
constexpr int kAsFirstJack = 13;
// The channel record for which the receiver keeps no graphic EQ.
constexpr int kRecordWithoutEq = 1;

}  // namespace

int ExtendedFunctionOf(std::string_view code) {
    if (code.size() != extended_frame::kCodeLength) {
        return 0;
    }
    const int value = ReplyNumberAt(code, 0, extended_frame::kCodeLength);
    for (int function = extended_function::kFirst; function <= extended_function::kLast;
         ++function) {
        if (ReplyNumberAt(ExtendedFunctionCode(function), 0, extended_frame::kCodeLength) ==
            value) {
            return function;
        }
    }
    return 0;
}

void ExtendedDecoder::RepeatRefusedUploadStep(int function, char status) {
    if (status == extended_frame::kAccepted || state_.realtimeMode ||
        state_.uploadInProgress <= 0) {
        state_.uploadRefusals = 0;
        return;
    }
    // A request damaged on its way is refused by the receiver: the upload asks again at once,
    // as it does when a reply does not come, a few times before it goes on without the value
    // (the receiver may refuse an item for good). The image then keeps the value it had, and
    // the user can find out which.
    if (state_.uploadRefusals < LinkState::kUploadRefusalRepeats) {
        ++state_.uploadRefusals;
        --state_.uploadInProgress;
    } else {
        state_.uploadRefusals = 0;
        ++state_.uploadValuesNotRead;
        host_.LogNotice("Refused by the receiver: function " + std::to_string(function) + " (" +
                        std::string(ExtendedFunctionCode(function)) + "), status " + status + ", " +
                        std::to_string(LinkState::kUploadRefusalRepeats + 1) +
                        " times in a row. The Upload goes on without that value; the PC image "
                        "keeps the one it had.\r\n");
    }
}

bool ExtendedDecoder::PassesChecksum(std::string_view body) {
    if (ExtendedChecksumMatches(body)) {
        state_.checksumsMatched = true;
        return true;
    }
    if (state_.checksumsMatched) {
        host_.LogReceived(std::string(log_prefix::kExtended) + std::string(body) +
                          "  -- checksum wrong, dropped\r\n");
        return false;
    }
    if (!state_.checksumNoticeLogged) {
        state_.checksumNoticeLogged = true;
        host_.LogNotice(
            "Extended replies: no checksum has matched yet on this connection; replies are "
            "taken unchecked until one does.\r\n");
    }
    return true;
}

ExtendedOutcome ExtendedDecoder::DecodeExtended(std::string_view body) {
    if (!PassesChecksum(body)) {
        return ExtendedOutcome::kBadChecksum;
    }
    host_.LogReceived(std::string(log_prefix::kExtended) + std::string(body) + "\r\n");

    // A body too short to hold its function code and status digit names no function and has
    // no status; it still counts as an extended reply for the echo guard.
    const bool hasStatus = body.size() > extended_frame::kModeAt;
    const int function =
        hasStatus
            ? ExtendedFunctionOf(body.substr(extended_frame::kCodeAt, extended_frame::kCodeLength))
            : 0;
    const char status = hasStatus ? body[extended_frame::kModeAt] : '\0';
    const bool accepted = status == extended_frame::kAccepted;

    // Outside realtime mode an accepted reply ends the wait only when it is about the item the
    // step asked for; a refusal carries no item and ends it as before.
    const bool awaitedItem = !accepted || state_.realtimeMode || state_.awaitedItem.empty() ||
                             body.substr(extended_frame::kDataAt).starts_with(state_.awaitedItem);
    if (function != 0 && state_.awaitedFunction == function && awaitedItem) {
        // A graphic EQ reply in realtime mode ends the poll's wait only when it is the record
        // the poll asked for (or the receiver refused the request).
        const bool endsWait =
            function != extended_function::kEqBand || !state_.realtimeMode || !accepted ||
            state_.realtimeExpectedTable == ReplyDigitAt(body, extended_frame::kDataAt) + 1;
        if (endsWait) {
            state_.awaitedFunction = LinkState::kNone;
            state_.previousAwaitedFunction = LinkState::kNone;
            state_.waitingCounter = 0;
            RepeatRefusedUploadStep(function, status);
        }
    }
    if (function != 0) {
        host_.OnExtendedStatus(function, status);
    }

    if (state_.echoGuard) {
        host_.ResetReceiver();
        state_.echoGuard = false;
        return ExtendedOutcome::kEcho;
    }
    // A download only writes: what the receiver answers to its writes (the names blank-padded,
    // for one) must not find its way back into the image being written.
    const bool upload = state_.uploadInProgress != 0;
    if ((!state_.realtimeMode && !upload) || !accepted) {
        return function == 0 ? ExtendedOutcome::kUnknownFunction : ExtendedOutcome::kNotDecoded;
    }
    const ExtendedOutcome outcome =
        function == 0 ? ExtendedOutcome::kUnknownFunction : Decode(function, body);
    // The windows are refreshed after every reply that got this far, stored or not.
    host_.RefreshPanels();
    return outcome;
}

ExtendedOutcome ExtendedDecoder::Decode(int function, std::string_view body) {
    const ExtendedCodec* codec = FindExtendedCodec(function);
    if (codec == nullptr || !codec->replyStored) {
        return ExtendedOutcome::kNoData;
    }
    // The body must be exactly the function's reply, whatever LL claims: a longer one ran into
    // line noise, a shorter one lost characters.
    const std::size_t replyLength = extended_frame::kDataAt +
                                    codec->DataLength(ExtendedPart::kReply) +
                                    extended_frame::kChecksumLength;
    const int length = ReplyNumberAt(body, extended_frame::kLengthAt, 2);
    if (length != ExtendedReplyLength(*codec) || body.size() != replyLength) {
        return ExtendedOutcome::kWrongLength;
    }
    const ExtendedReplyData data(*codec, body);
    if (!data.DigitsAreDigits()) {
        return ExtendedOutcome::kMalformed;
    }
    return Store(function, data);
}

ExtendedOutcome ExtendedDecoder::Store(int function, const ExtendedReplyData& data) {
    namespace ef = extended_function;
    switch (function) {
        case ef::kIoAssign:
            return StoreIoAssign(data);
        case ef::kInputName:
            return StoreInputName(data);
        case ef::kInputTrim:
            return StoreInputTrim(data);
        case ef::kDspParameter:
            return StoreDspParameter(data);
        case ef::kEqBand:
            return StoreEqBand(data);
        case ef::kCinemaEq:
            return StoreCinemaEq(data);
        case ef::kEqOption:
            return StoreEqOption(data);
        case ef::kTone:
            return StoreTone(data);
        case ef::kDcTrigger:
            return StoreDcTrigger(data);
        case ef::kSpeakerDistance:
            return StoreSpeakerDistance(data);
        case ef::kPictureMode:
            return StorePictureMode(data);
        case ef::kTunerPreset:
            return StoreTunerPreset(data);
        default:
            return ExtendedOutcome::kNoData;
    }
}

// Row digit, position, value digit. Value 13 stands for "as the row's first jack".
ExtendedOutcome ExtendedDecoder::StoreIoAssign(const ExtendedReplyData& data) {
    const std::optional<int> row = IoRowOfDigit(data.Parameter(0));
    const std::optional<std::size_t> entry =
        row ? extended_place::IoAssign(*row, data.Parameter(1)) : std::nullopt;
    if (!entry) {
        return ExtendedOutcome::kOutOfRange;
    }
    const int value = data.Parameter(2);
    const int stored =
        value == kAsFirstJack ? image_.IoAssignTable[*extended_place::IoAssign(*row, 0)] : value;
    return Stored(Put(image_.IoAssignTable, *entry, stored));
}

// The input (only its low digit counts) and the eight name characters. An input beyond the
// named inputs is the multi-channel input's entry.
ExtendedOutcome ExtendedDecoder::StoreInputName(const ExtendedReplyData& data) {
    int input = data.Parameter(0) & 0xF;
    if (input > ModelProfile::kHighestInput) {
        input = ModelProfile::kHighestInput + 1;
    }
    const std::string_view name = data.Text();
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

// Input digit, trim.
ExtendedOutcome ExtendedDecoder::StoreInputTrim(const ExtendedReplyData& data) {
    return Stored(Put(image_.InputTrims, At(data.Parameter(0)), data.Parameter(1)));
}

// Program code, parameter N, sub-digit w, value.
ExtendedOutcome ExtendedDecoder::StoreDspParameter(const ExtendedReplyData& data) {
    const int programCode = data.Parameter(0);
    if (!IsKnownProgramCode(programCode)) {
        return ExtendedOutcome::kOutOfRange;
    }
    int subDigit = data.Parameter(2);
    if (subDigit == 0) {
        subDigit = DerivedSubDigit(image_.MainZoneState[main_zone::kReported16],
                                   image_.MainZoneState[main_zone::kInputMode]);
    }
    const std::optional<DspParameterTarget> target =
        DspParameterSlot(programCode, data.Parameter(1), subDigit, data.Parameter(3));
    if (!target) {
        return ExtendedOutcome::kOutOfRange;
    }
    const std::size_t record =
        At(ModelProfile::ProgramIndex(programCode)) * dsp_table::kParametersPerProgram;
    return Stored(Put(image_.DspParameterTable, record + At(target->slot), target->value));
}

// Record digit (channel record 0 or 2..9), band digit, value. The receiver keeps no graphic EQ
// for record 1.
ExtendedOutcome ExtendedDecoder::StoreEqBand(const ExtendedReplyData& data) {
    const int record = data.Parameter(0);
    const std::optional<std::size_t> at = extended_place::EqBand(record, data.Parameter(1));
    if (record == kRecordWithoutEq || !at) {
        return ExtendedOutcome::kOutOfRange;
    }
    return Stored(Put(image_.EqSettings, *at, data.Parameter(2)));
}

// Record digit 0..3, then its five bytes.
ExtendedOutcome ExtendedDecoder::StoreCinemaEq(const ExtendedReplyData& data) {
    const std::optional<std::size_t> base = extended_place::CinemaEqRecord(data.Parameter(0));
    if (!base) {
        return ExtendedOutcome::kOutOfRange;
    }
    for (std::size_t i = 0; i < eq_layout::kCinemaEqRecordSize; ++i) {
        Put(image_.EqSettings, *base + i, data.Parameter(1 + static_cast<int>(i)));
    }
    return ExtendedOutcome::kStored;
}

// Option digit 0..1, value.
ExtendedOutcome ExtendedDecoder::StoreEqOption(const ExtendedReplyData& data) {
    const std::optional<std::size_t> at = extended_place::EqOption(data.Parameter(0));
    if (!at) {
        return ExtendedOutcome::kOutOfRange;
    }
    return Stored(Put(image_.EqSettings, *at, data.Parameter(1)));
}

// Digit a (speaker 0 / headphone 1), digit b (bass 0 / treble 1), selector digit, level.
ExtendedOutcome ExtendedDecoder::StoreTone(const ExtendedReplyData& data) {
    const std::optional<std::size_t> pair =
        extended_place::TonePair(data.Parameter(0), data.Parameter(1));
    if (!pair) {
        return ExtendedOutcome::kOutOfRange;
    }
    Put(image_.ToneSettings, *pair, data.Parameter(2));
    Put(image_.ToneSettings, *pair + 1, data.Parameter(3));
    return ExtendedOutcome::kStored;
}

// Trigger digit (0 left, 1 right), zone row digit 0..2, item digit, value digit.
ExtendedOutcome ExtendedDecoder::StoreDcTrigger(const ExtendedReplyData& data) {
    const int trigger = data.Parameter(0);
    const std::optional<std::size_t> at =
        extended_place::DcTriggerItem(data.Parameter(1), data.Parameter(2));
    if (trigger > 1 || !at) {
        return ExtendedOutcome::kOutOfRange;
    }
    std::span<std::uint8_t> block =
        trigger == 0 ? std::span<std::uint8_t>(image_.DcTrigger1) : image_.DcTrigger2;
    return Stored(Put(block, *at, data.Parameter(3)));
}

// Entry digit, unit digit, distance.
ExtendedOutcome ExtendedDecoder::StoreSpeakerDistance(const ExtendedReplyData& data) {
    const std::size_t entry = At(data.Parameter(0));
    if (entry >= image_.SpeakerDistances.size()) {
        return ExtendedOutcome::kOutOfRange;
    }
    image_.SpeakerDistances[entry] = data.Parameter(2);
    image_.SpeakerDistances[speaker_distance::kUnit] = data.Parameter(1);
    return ExtendedOutcome::kStored;
}

// Record digit 0..2, then its five bytes.
ExtendedOutcome ExtendedDecoder::StorePictureMode(const ExtendedReplyData& data) {
    const std::optional<std::size_t> base = extended_place::PictureModeRecord(data.Parameter(0));
    if (!base) {
        return ExtendedOutcome::kOutOfRange;
    }
    for (std::size_t i = 0; i < extended_place::kPictureModeBytesCarried; ++i) {
        Put(image_.PictureModeAdjust, *base + i, data.Parameter(1 + static_cast<int>(i)));
    }
    return ExtendedOutcome::kStored;
}

// Page digit (0 the current station, 1..5 the preset pages), number digit 1..8, band digit,
// six frequency characters.
ExtendedOutcome ExtendedDecoder::StoreTunerPreset(const ExtendedReplyData& data) {
    const std::optional<int> entry =
        extended_place::TunerEntry(data.Parameter(0), data.Parameter(1));
    const int band = data.Parameter(2);
    if (!entry || (band != tuner_presets::kBandAm && band != tuner_presets::kBandFm)) {
        return ExtendedOutcome::kOutOfRange;
    }
    const std::optional<int> step = TunerStep(band, data.Text());
    if (!step) {
        return ExtendedOutcome::kOutOfRange;
    }
    const std::size_t offset = At(*entry) * tuner_presets::kEntrySize;
    if (offset + tuner_presets::kEntrySize > image_.TunerPresets.size()) {
        return ExtendedOutcome::kOutOfRange;
    }
    image_.TunerPresets[offset + tuner_presets::kBand] = static_cast<std::uint8_t>(band);
    image_.TunerPresets[offset + tuner_presets::kStep] = static_cast<std::uint8_t>(*step);
    return ExtendedOutcome::kStored;
}

}  // namespace tra1
