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
};

}  // namespace tra1
