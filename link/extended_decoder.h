#pragma once

#include <cstddef>
#include <string_view>

namespace tra1 {

class DecoderHost;
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

// Decodes the receiver's extended replies (DC4 body ETX). Body characters 2-3 are LL (the
// characters from the function code to the end of the data), 4-6 the function code, 7 the
// status digit ("0" = accepted), data from character 8; the checksum is not checked.
class ExtendedDecoder {
public:
    static constexpr std::size_t kLengthAt = 2;
    static constexpr std::size_t kFunctionAt = 4;
    static constexpr std::size_t kStatusAt = 7;
    static constexpr std::size_t kDataAt = 8;

    ExtendedDecoder(ReceiverImage& image, LinkState& state, DecoderHost& host)
        : image_(image), state_(state), host_(host) {}

    // Logs the reply, ends a wait for its function, honours the echo guard, and in realtime
    // mode or during a transfer stores the data where the function says; then the windows are
    // refreshed.
    ExtendedOutcome DecodeExtended(std::string_view body);

private:
    ExtendedOutcome Store(int function, std::string_view body);
    ExtendedOutcome StoreIoAssign(std::string_view body);
    ExtendedOutcome StoreInputName(std::string_view body);
    ExtendedOutcome StoreInputTrim(std::string_view body);
    ExtendedOutcome StoreDspParameter(std::string_view body);
    ExtendedOutcome StoreEqBand(std::string_view body);
    ExtendedOutcome StoreCinemaEq(std::string_view body);
    ExtendedOutcome StoreEqOption(std::string_view body);
    ExtendedOutcome StoreTone(std::string_view body);
    ExtendedOutcome StoreDcTrigger(std::string_view body);
    ExtendedOutcome StoreSpeakerDistance(std::string_view body);
    ExtendedOutcome StorePictureMode(std::string_view body);
    ExtendedOutcome StoreTunerPreset(std::string_view body);

    ReceiverImage& image_;
    LinkState& state_;
    DecoderHost& host_;
};

// The extended function number 256..274 whose code equals the three characters read as a
// hexadecimal number; 0 when no function has it.
int ExtendedFunctionOf(std::string_view code);

// The LL a reply of the function must carry to be decoded; -1 for any LL (264) and 0 for a
// function whose replies carry nothing the editor stores.
int ExpectedReplyLength(int function);

}  // namespace tra1
