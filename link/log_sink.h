#pragma once
// Where the protocol log goes. The editor's main window shows it in its log pane (switched on by
// its "DisplayLog" check box); a program without windows may print it or drop it.

#include <string_view>

namespace tra1 {

class LogSink {
public:
    virtual ~LogSink() = default;
    // Whether the user wants the trace now.
    virtual bool Enabled() const = 0;
    // Appends `text` as it is (line ends included), whether or not the trace is enabled.
    virtual void Append(std::string_view text) = 0;
};

}  // namespace tra1
