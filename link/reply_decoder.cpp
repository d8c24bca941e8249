#include "link/reply_decoder.h"

#include "link/configuration_gate.h"

namespace tra1 {

void ReplyDecoder::OnConfigurationFrame(std::string_view body) {
    if (gate_ == nullptr || gate_->OnConfigurationFrame(body)) {
        configuration_.DecodeConfiguration(body);
    }
}

}  // namespace tra1
