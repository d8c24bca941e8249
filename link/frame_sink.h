#pragma once

#include <string_view>

namespace tra1 {

// Receives each complete frame that the frame assembler takes from the line. The body is
// everything between the opening control byte and ETX; it stays valid for the call only.
class FrameSink {
public:
    virtual ~FrameSink() = default;

    // DC2 ... ETX: the model code and the receiver's whole operating state.
    virtual void OnConfigurationFrame(std::string_view body) = 0;
    // STX ... ETX: the acknowledgement of an operation code.
    virtual void OnReportFrame(std::string_view body) = 0;
    // DC4 ... ETX: the data of one extended function.
    virtual void OnExtendedReply(std::string_view body) = 0;
};

}  // namespace tra1
