#pragma once

#include <string_view>

namespace tra1 {

// What the reply decoders need from the main window. The decoders themselves know nothing of
// windows: they store into the image, update the shared LinkState and ask the host for the rest.
class DecoderHost {
public:
    virtual ~DecoderHost() = default;

    // The image may have changed: post 0x900F to the main window, reset each open panel's hold
    // counter and post that panel's refresh message.
    virtual void RefreshPanels() = 0;
    // A queued command has been answered: stop the reply time-out (timer 2).
    virtual void StopReplyTimeout() = 0;
    // An echo was discarded: empty the serial link's receive buffer. Only the echoed frame goes;
    // the frames after it in the same batch are still assembled and decoded (throwing them away
    // would lose the receiver's good replies that came with the echo).
    virtual void ResetReceiver() = 0;
    // One received-frame line for the log pane ("(TR-X) Report  " ..., "(TR-X) EX  " ..., with
    // its "\r\n"); written only while the "DisplayLog" check box is ticked.
    virtual void LogReceived(std::string_view line) = 0;
    // The command number of the queue entry at the queue index; -1 when none waits there.
    virtual int CurrentQueuedCommand() const = 0;
    // A line the user must be able to find in the log: written whether or not "DisplayLog" is
    // ticked.
    virtual void LogNotice(std::string_view line) { LogReceived(line); }
    // An extended reply of a known function arrived with this status digit ('0' accepted); the
    // host matches it with the writes it sent (a write the receiver refused is reported and
    // its value asked for again).
    virtual void OnExtendedStatus(int /*function*/, char /*status*/) {}
};

}  // namespace tra1
