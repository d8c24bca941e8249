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
    kUnknownFunction,  // no extended function has the reply's code: logged only
    kEcho,             // the echo guard was set: the receiver was reset, nothing decoded
    kNotDecoded,       // neither realtime mode nor a transfer, or a non-zero status digit
    kWrongLength,      // LL is not the function's, or the body is shorter than LL says
    kOutOfRange,       // a record, row, band, entry, program or parameter outside its block
    kNoData,           // the function carries nothing to store (264)
    kStored,           // the value(s) went into the image
};

// Decodes the receiver's extended replies (DC4 body ETX; the layout is in model/protocol.h and
// each function's fields in its codec, model/extended_codec.h); the checksum is not checked.
class ExtendedDecoder {
public:
    ExtendedDecoder(ReceiverImage& image, LinkState& state, DecoderHost& host)
        : image_(image), state_(state), host_(host) {}

    // Logs the reply, ends a wait for its function, honours the echo guard, and in realtime
    // mode or during a transfer stores the data where the function says; then the windows are
    // refreshed.
    ExtendedOutcome DecodeExtended(std::string_view body);

private:
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
