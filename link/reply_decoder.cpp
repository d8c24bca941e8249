#include "link/reply_decoder.h"

#include <string>

#include "link/configuration_gate.h"
#include "link/decoder_host.h"
#include "link/link_state.h"
#include "model/protocol.h"

namespace tra1 {

void ReplyDecoder::OnConfigurationFrame(std::string_view body) {
    const ConfigurationForm form = ConfigurationDecoder::FormOf(body);
    if (form == ConfigurationForm::kNoModelCode) {
        // A stray DC2 in noise, or a frame whose model code the line damaged: it would
        // otherwise count as the receiver's answer and open the model mismatch dialog for a
        // model no one has. The user still sees it in the log.
        host_.LogReceived(std::string(log_prefix::kConfiguration) + std::string(body) + "\r\n");
        return;
    }
    // A frame cut short or with a damaged digit still answers the status request; its state is
    // decoded only as far as it can be believed (of a short frame, whether the receiver is on;
    // of a damaged one, nothing).
    const bool decode = gate_ == nullptr || gate_->OnConfigurationFrame(body);
    if (form == ConfigurationForm::kDamaged) {
        return;
    }
    if (!decode) {
        return;
    }
    configuration_.DecodeConfiguration(body);
}

}  // namespace tra1
