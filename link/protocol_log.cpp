#include "link/protocol_log.h"

#include <string>

#include "link/log_sink.h"
#include "model/protocol.h"

namespace tra1 {

bool ProtocolLog::LogEnabled() const {
    return sink_ != nullptr && sink_->Enabled();
}

void ProtocolLog::AppendLog(std::string_view text) {
    if (sink_ != nullptr) {
        sink_->Append(text);
    }
}

void ProtocolLog::LogIfEnabled(std::string_view text) {
    if (LogEnabled()) {
        AppendLog(text);
    }
}

void ProtocolLog::LogLine(std::string_view prefix, std::string_view body) {
    if (!LogEnabled()) {
        return;
    }
    std::string line;
    line.reserve(prefix.size() + body.size() + log_prefix::kLineEnd.size());
    line.append(prefix).append(body).append(log_prefix::kLineEnd);
    AppendLog(line);
}

}  // namespace tra1
