#pragma once

#include <cstddef>
#include <string_view>

namespace tra1 {

class DecoderHost;
class ExtendedReplyData;
class ReceiverImage;
struct LinkState;

// What DecodeExtended did with a reply.
enum class ExtendedOutcome {
    kBadChecksum,      // the checksum does not match (and checking is on): logged, dropped
    kUnknownFunction,  // no extended function has the reply's code: logged only
    kEcho,             // the echo guard was set: the receiver was reset, nothing decoded
    kNotDecoded,       // neither realtime mode nor a transfer, or a non-zero status digit
    kWrongLength,      // LL or the body's length is not the function's
    kMalformed,        // a character that is not a hexadecimal digit where digits belong
    kOutOfRange,       // a record, row, band, entry, program or parameter outside its block
    kNoData,           // the function carries nothing to store (264)
    kStored,           // the value(s) went into the image
};

// Decodes the receiver's extended replies (DC4 body ETX; the layout is in model/protocol.h and
// each function's fields in its codec, model/extended_codec.h).
//
// A reply whose checksum does not match is line noise: it is logged and dropped whole, so that
// the wait for it runs out and the step that asked is repeated. Checking starts with the first
// reply of a connection whose checksum matches; until then (a receiver might compute it
// otherwise) replies are taken as they come, and the log says so once.
class ExtendedDecoder {
public:
    ExtendedDecoder(ReceiverImage& image, LinkState& state, DecoderHost& host)
        : image_(image), state_(state), host_(host) {}

    // Checks the checksum, logs the reply, ends a wait for its function, tells the host its
    // status, honours the echo guard, and in realtime mode or during a transfer stores the
    // data where the function says (only from a reply of the function's exact length whose
    // digits are digits); then the windows are refreshed.
    ExtendedOutcome DecodeExtended(std::string_view body);

private:
    // After a reply ended the wait of an upload step: a refusal repeats the step (a few times).
    void RepeatRefusedUploadStep(int function, char status);
    // False when the reply must be dropped for its checksum.
    bool PassesChecksum(std::string_view body);
    ExtendedOutcome Decode(int function, std::string_view body);
    ExtendedOutcome Store(int function, const ExtendedReplyData& data);
    ExtendedOutcome StoreIoAssign(const ExtendedReplyData& data);
    ExtendedOutcome StoreInputName(const ExtendedReplyData& data);
    ExtendedOutcome StoreInputTrim(const ExtendedReplyData& data);
    ExtendedOutcome StoreDspParameter(const ExtendedReplyData& data);
    ExtendedOutcome StoreEqBand(const ExtendedReplyData& data);
    ExtendedOutcome StoreCinemaEq(const ExtendedReplyData& data);
    ExtendedOutcome StoreEqOption(const ExtendedReplyData& data);
    ExtendedOutcome StoreTone(const ExtendedReplyData& data);
    ExtendedOutcome StoreDcTrigger(const ExtendedReplyData& data);
    ExtendedOutcome StoreSpeakerDistance(const ExtendedReplyData& data);
    ExtendedOutcome StorePictureMode(const ExtendedReplyData& data);
    ExtendedOutcome StoreTunerPreset(const ExtendedReplyData& data);

    ReceiverImage& image_;
    LinkState& state_;
    DecoderHost& host_;
};

// The extended function number 256..274 whose code equals the three characters read as a
// hexadecimal number; 0 when no function has it.
int ExtendedFunctionOf(std::string_view code);

}  // namespace tra1
