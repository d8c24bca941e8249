#pragma once
// The sending side of the main window: the two immediate sends every change goes through, the
// small queue of commands that each wait for the receiver's answer, the reply time-out with its
// resends, the pump and status-request timers, and the 10 ms tick with its waiting counter.
//
// The main window owns one CommandSender and wires it:
//   - constructs it with itself (as the window whose timers 2, 3 and 7 run), its CRS232CDlg,
//     the frame builder (the ModelProfile), the shared LinkState, the ProtocolLog, the frame
//     assembler and a CommandSenderHost for what lies outside the link;
//   - starts timers 3 and 7 (StartTimers) when it initialises;
//   - forwards WM_TIMER 2, 3 and 7 to OnTimer and message 0xA500 to OnAuxTick.
//
// Single-threaded: every call comes from the main window's message loop.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "link/frame_write.h"
#include "link/send_window.h"
#include "platform/win/message.h"

namespace tra1 {

namespace win {
class Window;
}
class CRS232CDlg;
class CommandFrameBuilder;
class FrameAssembler;
class ProtocolLog;
struct LinkState;

// What the sender hands on to the rest of the main window.
class CommandSenderHost {
public:
    virtual ~CommandSenderHost() = default;
    // The reply time-out gave up on the status request of a device search: try COM `port`
    // (the search port plus 1; beyond 8 the search has failed).
    virtual void SearchPort(int port) = 0;
    // The receiver stopped answering: the connection is told (no reply) and the transfer
    // controls (1200, 1201, 1233, 1234) disabled. The sender has reset the link state before it
    // calls; the port stays open.
    virtual void ShowReceiverGone() = 0;
    // In asynchronous mode the waiting counter ran out while a reply was awaited: the awaited
    // function has been given up (and an upload step counted back for its repeat).
    virtual void ReplyGivenUp() = 0;
    // One step of the configuration upload, the download, or the realtime poll.
    virtual void UploadStep() = 0;
    virtual void DownloadStep() = 0;
    virtual void RealtimeStep() = 0;
    // The receiver refused an extended write of `function`: tell the user the change was not
    // made (the log already names the function and the status).
    virtual void ChangeRefused(int /*function*/) {}
};

// One queued command.
struct QueuedCommand {
    int commandNumber = 0;
    int value = 0;
};

class CommandSender {
public:
    static constexpr int kQueueSize = 256;

    // Timers of the main window that belong to sending.
    static constexpr win::TimerId kReplyTimeoutTimerId = 2;
    static constexpr win::TimerId kQueuePumpTimerId = 3;
    static constexpr win::TimerId kStatusRequestTimerId = 7;
    // A one-shot at the moment the send window next has something to do that no reply brings
    // about (a pause between a transfer's frames ends, an answer falls overdue), so that it is
    // done then and not at the next 10 ms tick.
    static constexpr win::TimerId kSendWindowWakeTimerId = 9;
    static constexpr std::uint32_t kReplyTimeoutMs = 1000;
    static constexpr std::uint32_t kQueuePumpMs = 150;
    static constexpr std::uint32_t kStatusRequestMs = 1000;

    // A queued command is sent at most 1 + kMaxRetries times.
    static constexpr int kMaxRetries = 4;
    // Ticks of 10 ms without an accepted reply before the awaited function is given up.
    static constexpr int kAsyncWaitLimit = 200;
    static constexpr int kRealtimeWaitLimit = 100;

    // Command numbers that pass in asynchronous mode without a transfer: power (8) and the
    // main-zone memory buttons (27..32).
    static bool PassesInAsynchronousMode(int commandNumber);

    // Nothing is owned; everything must outlive the sender.
    CommandSender(win::Window& timerWindow, CRS232CDlg& link, CommandFrameBuilder& frames,
                  LinkState& state, ProtocolLog& log, FrameAssembler& assembler,
                  CommandSenderHost& host);

    // --- the two immediate sends ----------------------------------------------------------
    // Builds the operation frame and writes it at once; logs "(PC) EX  " + frame as it goes
    // out. Nothing is awaited. Without an open port, or in asynchronous mode without a transfer
    // for any command but 8 and 27..32, nothing is sent or logged. A transfer's and the realtime
    // poll's frames name their lane: they queue in the send window until the receiver has room.
    void SendCommand(int commandNumber, int value, SendLane lane = SendLane::kAtOnce);
    // Likewise for an extended frame; in asynchronous mode without a transfer nothing passes.
    // A write (mode 1) sets the echo guard first, so the receiver's echo is not decoded.
    void SendExtended(int function, int mode, int p1 = 0, int p2 = 0, int p3 = 0, int p4 = 0,
                      int p5 = 0, int p6 = 0, std::string_view text = {},
                      SendLane lane = SendLane::kAtOnce);
    // The next frame of the lane goes out no sooner than `ms` after the one before it (the
    // receiver's time to take a setting in); nothing blocks meanwhile.
    void Hold(SendLane lane, int ms) { window_.Hold(lane, ms); }
    // The tag the frames sent from now on carry (a transfer's step).
    void SetSendTag(int tag) { sendTag_ = tag; }
    SendWindow& Window() { return window_; }
    const SendWindow& Window() const { return window_; }

    // An extended reply of `function` arrived with this status digit (the send window has
    // paired it with its frame already). When it refuses a write, the refusal is logged with the
    // function and the status, reported to the host, and in realtime mode the value is asked for
    // again.
    void OnExtendedStatus(int function, char status);

    // --- the queue ------------------------------------------------------------------------
    // Adds a command that will wait for its answer. An entry of the same command that has not
    // been answered yet only takes the new value. False when the queue is full.
    bool EnqueueCommand(int commandNumber, int value);
    // Sends the entry at the queue index and marks it waiting; logs "(PC)--> " + frame. When
    // every entry has been answered the queue is emptied instead. True when a frame was sent;
    // a frame the port would not take is logged as not sent and leaves nothing waiting.
    bool SendNextQueued();
    // Empty queue; retry count, identification pending and waiting back to 0.
    void ResetQueue();
    // Empties CRS232CDlg's receive buffer, the copy of the last batch and the frame assembler.
    void ResetReceiver();

    // For the connector and the decoders: the queue holds only the status request (255, 0),
    // not yet sent; the command at the queue index (-1 when none); the entry at the queue
    // index has been answered, so the index moves on (never beyond the count).
    void QueueOnlyStatusRequest();
    int CurrentQueuedCommand() const;
    void AdvanceQueueIndex();
    int QueueIndex() const { return queueIndex_; }
    int QueueCount() const { return queueCount_; }
    // The entry at `i` (0..255); a default entry outside the queue.
    QueuedCommand QueueEntry(int i) const;

    // --- the timers and the tick -----------------------------------------------------------
    // Starts the pump (timer 3, 150 ms) and the status request (timer 7, 1000 ms).
    void StartTimers();
    // The reply time-out, timer 2 (1000 ms): started after each queued send.
    void StartReplyTimeout();
    void StopReplyTimeout();
    // Handles WM_TIMER 2, 3, 7 and the send window's wake-up of the main window; false for any
    // other id. In realtime mode timer 7 also sends the status request at once.
    bool OnTimer(win::TimerId id);
    // Timer 2: the entry got no answer within a second: send it again, or give up after five.
    void OnReplyTimeout();
    // Timer 3: while nothing waits, send the next queued entry and start the time-out.
    void OnQueuePump();
    // Timer 7: while nothing waits and no transfer runs, queue the status request.
    void OnStatusRequestTimer();
    // Message 0xA500 from CAUXTIMERDlg: the waiting counter and one transfer or realtime step.
    void OnAuxTick();
    // A reply was just taken apart: the next transfer or realtime step runs now instead of at
    // the next tick (it does nothing while a reply is still awaited), and the send window
    // writes what the answered frames made room for.
    void RunStepNow();

private:
    bool PortOpen() const;
    bool SendingAllowed() const;
    // The log line of a written frame; one that could not be written whole is logged always,
    // with the reason.
    void LogWrite(std::string_view prefix, std::string_view frame, const FrameWrite& write);
    // Whether the tick's steps may run: a port is open, no queued command waits, the link is
    // not held.
    bool StepsMayRun() const;
    void RunTransferStep();
    // Sets the send window's wake-up for when it next has something to do (or stops it).
    void ScheduleWake();
    // Counts one tick of silence; at `limit` the awaited function is given up and logged.
    void CountWaiting(int limit, bool countsUpload);

    win::Window& timerWindow_;
    CRS232CDlg& link_;
    CommandFrameBuilder& frames_;
    LinkState& state_;
    ProtocolLog& log_;
    FrameAssembler& assembler_;
    CommandSenderHost& host_;

    SendWindow window_;
    int sendTag_ = -1;
    // When the wake-up is set for; nullopt when none is.
    std::optional<std::int64_t> wakeAtMs_;
    std::array<QueuedCommand, kQueueSize> queue_{};
    int queueIndex_ = 0;
    int queueCount_ = 0;
};

}  // namespace tra1
