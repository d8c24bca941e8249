#include "link/reply_decoder.h"

#include <string>

#include "link/configuration_gate.h"
#include "link/decoder_host.h"
#include "model/protocol.h"

namespace tra1 {

void ReplyDecoder::OnConfigurationFrame(std::string_view body) {
    if (!ConfigurationDecoder::CarriesItsPositions(body)) {
        // Bytes lost on the line, or a stray DC2 in noise: such a fragment would otherwise
        // count as the receiver's answer and, its model code being garbage, open the model
        // mismatch dialog. The user still sees it in the log.
        host_.LogReceived(std::string(log_prefix::kConfiguration) + std::string(body) + "\r\n");
        return;
    }
    if (gate_ == nullptr || gate_->OnConfigurationFrame(body)) {
        configuration_.DecodeConfiguration(body);
    }
}

}  // namespace tra1
