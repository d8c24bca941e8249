#pragma once
// The main window's log pane, where the protocol log goes: multi-line edit 1015, switched on by
// the "DisplayLog" check box 1016. The pane is trimmed by its first 30000 characters whenever it
// has grown beyond 30000, so it stays within the edit control's limit however long the program
// runs.
//
// The pane looks its controls up by id in the window it is given on every write, so it never
// holds a control that has gone with its window; without a window (or before it exists) the
// log is simply off.

#include <cstddef>
#include <string>
#include <string_view>

#include "link/log_sink.h"

namespace tra1::win {
class Dialog;
}

namespace tra1 {

class LogPane final : public LogSink {
public:
    static constexpr int kLogEditId = 1015;
    static constexpr int kDisplayLogCheckId = 1016;
    static constexpr std::size_t kTrimLength = 30000;

    // `window` holds edit 1015 and check box 1016 (the main window); may be null. Not owned.
    explicit LogPane(const win::Dialog* window = nullptr) : window_(window) {}
    void SetWindow(const win::Dialog* window) { window_ = window; }

    // Whether "DisplayLog" is ticked (false without the check box).
    bool Enabled() const override;
    // Trims the pane by its first 30000 characters if it holds more, then appends `text` at
    // the end.
    void Append(std::string_view text) override;

    // The pane's text ("" without the edit).
    std::string Text() const;

private:
    const win::Dialog* window_;
};

}  // namespace tra1
