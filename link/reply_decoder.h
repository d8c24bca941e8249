#pragma once

#include <string>
#include <string_view>

#include "link/configuration_decoder.h"
#include "link/extended_decoder.h"
#include "link/frame_sink.h"
#include "link/report_decoder.h"

namespace tra1 {

class ConfigurationGate;
class DecoderHost;
class ReceiverImage;
struct LinkState;

// The three reply decoders behind one frame sink, so that the frame assembler can hand every
// frame it completes straight to it. A configuration frame first passes the configuration gate
// (model identification); without a gate every whole configuration frame is decoded. A
// configuration frame whose model code is not of the receiver's form is only logged: it neither
// answers the status request nor names a model. One with a proper model code but a short or
// damaged state passes the gate and is not decoded. Report frames whose code or value are not
// hexadecimal digits are dropped by the report decoder.
class ReplyDecoder : public FrameSink {
public:
    ReplyDecoder(ReceiverImage& image, LinkState& state, DecoderHost& host,
                 ConfigurationGate* gate = nullptr)
        : configuration_(image, state, host),
          report_(state, host),
          extended_(image, state, host),
          host_(host),
          gate_(gate) {}

    void SetConfigurationGate(ConfigurationGate* gate) { gate_ = gate; }

    void OnConfigurationFrame(std::string_view body) override;
    void OnReportFrame(std::string_view body) override { report_.DecodeReport(body); }
    void OnExtendedReply(std::string_view body) override { extended_.DecodeExtended(body); }

    ConfigurationOutcome DecodeConfiguration(std::string_view body) {
        return configuration_.DecodeConfiguration(body);
    }
    ReportOutcome DecodeReport(std::string_view body) { return report_.DecodeReport(body); }
    ExtendedOutcome DecodeExtended(std::string_view body) { return extended_.DecodeExtended(body); }

private:
    ConfigurationDecoder configuration_;
    ReportDecoder report_;
    ExtendedDecoder extended_;
    DecoderHost& host_;
    ConfigurationGate* gate_;
};

}  // namespace tra1
