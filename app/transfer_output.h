#pragma once

#include <string>
#include <string_view>

#include "model/protocol.h"

namespace tra1 {

class TransferHost;

// The sends of one transfer or poll step. It remembers the last command or extended function
// that the receiver answers, which is what the step then waits for.
class TransferOutput {
public:
    static constexpr int kNothing = -1;

    explicit TransferOutput(TransferHost& host) : host_(host) {}

    void Command(int commandNumber, int value);
    // A command no step waits for (the receiver's power around a transfer): sent and counted.
    void CommandUnawaited(int commandNumber, int value);
    // The status request (255), answered by a configuration frame.
    void StatusRequest() { Command(command::kStatusRequest, 0); }
    void Request(int function, int p1 = 0, int p2 = 0, int p3 = 0, int p4 = 0,
                 std::string_view text = {});
    void Write(int function, int p1 = 0, int p2 = 0, int p3 = 0, int p4 = 0, int p5 = 0, int p6 = 0,
               std::string_view text = {});
    void Pause(int ms);

    // What the receiver's answer to the last answered send will end: a command or function
    // number, or kNothing when the step sent nothing the receiver acknowledges.
    int Awaited() const { return awaited_; }
    // For an awaited extended function: the characters that name the item asked for.
    const std::string& AwaitedItem() const { return awaitedItem_; }
    void BeginStep() {
        awaited_ = kNothing;
        awaitedItem_.clear();
    }

    // Frames sent (commands and extended frames) since the count was last reset.
    int FramesSent() const { return framesSent_; }
    void ResetFramesSent() { framesSent_ = 0; }
    // Frames counted above that waited in the send window and were dropped there unsent.
    void ForgetUnsent(int frames) { framesSent_ -= frames; }

    // Whether the receiver acknowledges a command number with a report frame (or, for the status
    // request, with a configuration frame).
    static bool IsAcknowledged(int commandNumber);

private:
    // Sends a command; false when its row has no such position and nothing went on the line.
    bool SendCommand(int commandNumber, int value);
    void Extended(int function, int mode, int p1, int p2, int p3, int p4, int p5, int p6,
                  std::string_view text);

    TransferHost& host_;
    int awaited_ = kNothing;
    std::string awaitedItem_;
    int framesSent_ = 0;
};

}  // namespace tra1
