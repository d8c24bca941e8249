#pragma once
// The protocol log on a terminal: every line the link logs, as the editor's log pane shows it,
// with the time of day in front; the frames' control bytes written by name (<STX>, <ETX>, ...)
// so that the terminal shows them.

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

#include "link/log_sink.h"

namespace tra1::programs {

class MonitorLog final : public LogSink {
public:
    MonitorLog(std::ostream& out, std::function<std::string()> timeStamp)
        : out_(out), timeStamp_(std::move(timeStamp)) {}

    bool Enabled() const override { return true; }
    // Pieces are gathered until a line is complete; each complete line is written at once.
    void Append(std::string_view text) override;

    // `line` with its control bytes by name.
    static std::string Visible(std::string_view line);

private:
    std::ostream& out_;
    std::function<std::string()> timeStamp_;
    std::string pending_;
};

}  // namespace tra1::programs
