#pragma once
// The protocol trace in the main window's log pane: multi-line edit 1015, switched on by the
// "DisplayLog" check box 1016. Every frame the link writes or receives is one line with a fixed
// prefix. The pane is trimmed by its first 30000 characters whenever it has grown beyond 30000,
// so it stays within the edit control's limit however long the program runs.
//
// The log looks its controls up by id in the window it is given on every write, so it never
// holds a control that has gone with its window; without a window (or before it exists) the
// log is simply off.

#include <cstddef>
#include <string>
#include <string_view>

namespace tra1::win {
class Dialog;
}

namespace tra1 {

class ProtocolLog {
public:
    static constexpr int kLogEditId = 1015;
    static constexpr int kDisplayLogCheckId = 1016;
    static constexpr std::size_t kTrimLength = 30000;

    // `pane` holds edit 1015 and check box 1016 (the main window); may be null. Not owned.
    explicit ProtocolLog(const win::Dialog* pane = nullptr) : pane_(pane) {}
    void SetPane(const win::Dialog* pane) { pane_ = pane; }

    // Whether "DisplayLog" is ticked (false without the check box).
    bool LogEnabled() const;
    // Trims the pane by its first 30000 characters if it holds more, then appends `text` at
    // the end. Writes whether or not the check box is ticked; callers that log only while it
    // is ticked use LogIfEnabled.
    void AppendLog(std::string_view text);
    // AppendLog(text) while "DisplayLog" is ticked.
    void LogIfEnabled(std::string_view text);
    // AppendLog(prefix + body + "\r\n") while "DisplayLog" is ticked: one frame line.
    void LogLine(std::string_view prefix, std::string_view body);

    // The pane's text ("" without the edit).
    std::string Text() const;

private:
    const win::Dialog* pane_;
};

}  // namespace tra1
