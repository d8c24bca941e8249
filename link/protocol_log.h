#pragma once
// The protocol trace: every frame the link writes or receives is one line with a fixed prefix
// (model/protocol.h names them), written through a LogSink while the sink is enabled. Without a
// sink the log is simply off.

#include <string_view>

namespace tra1 {

class LogSink;

class ProtocolLog {
public:
    // `sink` may be null. Not owned.
    explicit ProtocolLog(LogSink* sink = nullptr) : sink_(sink) {}
    void SetSink(LogSink* sink) { sink_ = sink; }

    // Whether the sink wants the trace now (false without a sink).
    bool LogEnabled() const;
    // Appends `text` to the sink whether or not it is enabled; callers that log only while it
    // is enabled use LogIfEnabled.
    void AppendLog(std::string_view text);
    // AppendLog(text) while the sink is enabled.
    void LogIfEnabled(std::string_view text);
    // AppendLog(prefix + body + "\r\n") while the sink is enabled: one frame line.
    void LogLine(std::string_view prefix, std::string_view body);

private:
    LogSink* sink_;
};

}  // namespace tra1
