#pragma once

#include <string_view>

namespace tra1 {

class DecoderHost;
struct LinkState;

// What DecodeReport found a report frame to answer.
struct ReportOutcome {
    int reportCode = -1;           // characters 2-3; -1 when the frame was dropped
    bool answeredQueue = false;    // the queued command at the queue index is answered
    bool answeredAwaited = false;  // the awaited function is answered
};

// Decodes the receiver's report frame (STX body ETX): characters 2-3 are the report code, 4-5
// the reported value (not stored). A report changes nothing in the image; it only ends waits.
// A frame of another length, or with anything but hexadecimal digits in its code and value, is
// line noise: it is logged and ends no wait.
class ReportDecoder {
public:
    static constexpr std::size_t kCodeAt = 2;
    static constexpr std::size_t kValueAt = 4;
    static constexpr std::size_t kBodyLength = 6;

    static bool WellFormed(std::string_view body);

    ReportDecoder(LinkState& state, DecoderHost& host) : state_(state), host_(host) {}

    // Clears the identification-pending slot; clears the waiting slot and ends the reply
    // time-out when the report answers the queued command; ends the wait for the awaited
    // function when it answers that; logs the frame.
    ReportOutcome DecodeReport(std::string_view body);

private:
    LinkState& state_;
    DecoderHost& host_;
};

}  // namespace tra1
