#include "link/command_sender.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "link/crs232c_dlg.h"
#include "link/frame_assembler.h"
#include "link/link_state.h"
#include "link/protocol_log.h"
#include "model/command_frame_builder.h"
#include "model/command_table.h"
#include "model/extended_codec.h"
#include "model/hex_codes.h"
#include "model/protocol.h"
#include "platform/win/event_loop.h"
#include "platform/win/window.h"

namespace tra1 {
namespace {

constexpr std::string_view kWaitingClearedText = "Command Waiting Counter Cleared";

// Four upper-case hex digits of |value|; "0000" when the magnitude needs more than four.
std::string FourHexDigits(int value) {
    const std::uint32_t magnitude =
        value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    if (magnitude > 0xFFFFu) {
        return "0000";
    }
    return {HexDigit(magnitude >> 12), HexDigit(magnitude >> 8), HexDigit(magnitude >> 4),
            HexDigit(magnitude)};
}

}  // namespace

bool CommandSender::PassesInAsynchronousMode(int commandNumber) {
    return commandNumber == command::kPower || (commandNumber >= command::kHomePresetMemory &&
                                                commandNumber <= command::kZone2VolumeRecall);
}

CommandSender::CommandSender(win::Window& timerWindow, CRS232CDlg& link,
                             CommandFrameBuilder& frames, LinkState& state, ProtocolLog& log,
                             FrameAssembler& assembler, CommandSenderHost& host)
    : timerWindow_(timerWindow),
      link_(link),
      frames_(frames),
      state_(state),
      log_(log),
      assembler_(assembler),
      host_(host),
      window_(
          [this](std::string_view frame, std::string_view logPrefix) {
              if (!PortOpen()) {
                  return false;
              }
              const FrameWrite write = link_.WriteFrame(frame);
              if (write.Failed() || !logPrefix.empty()) {
                  LogWrite(logPrefix, frame, write);
              }
              return write.Written();
          },
          [this] { return timerWindow_.Loop().NowMs(); }) {
    // The decoders drop an extended reply whose checksum fails once one has matched; it answers
    // no frame either.
    window_.SetChecksumsChecked([this] { return state_.checksumsMatched; });
}

bool CommandSender::PortOpen() const {
    return state_.openPort != 0;
}

// Realtime mode, or a transfer that talks to the receiver right now.
bool CommandSender::SendingAllowed() const {
    return state_.realtimeMode || state_.uploadInProgress != 0 || state_.downloadInProgress != 0;
}

void CommandSender::SendCommand(int commandNumber, int value, SendLane lane) {
    if (!PortOpen()) {
        return;
    }
    if (!SendingAllowed() && !PassesInAsynchronousMode(commandNumber)) {
        return;
    }
    const std::string_view frame = frames_.BuildCommandFrame(commandNumber, value);
    if (frame.empty()) {
        // A command outside the table builds nothing; the log still shows the prefix.
        log_.LogLine(log_prefix::kSent, frame);
        return;
    }
    window_.Send(frame, lane, ExpectedReply::ForCommand(commandNumber), log_prefix::kSent,
                 sendTag_);
}

void CommandSender::SendExtended(int function, int mode, int p1, int p2, int p3, int p4, int p5,
                                 int p6, std::string_view text, SendLane lane) {
    if (!PortOpen() || !SendingAllowed()) {
        return;
    }
    if (mode == extended_function::kWrite) {
        state_.echoGuard = true;
    }
    const std::string_view frame =
        frames_.BuildExtendedFrame(function, mode, p1, p2, p3, p4, p5, p6, text);
    if (frame.empty()) {
        log_.LogLine(log_prefix::kSent, frame);
        return;
    }
    ExpectedReply reply = ExpectedReply::ForExtended(function, frame);
    if (mode == extended_function::kWrite) {
        reply.write = true;
        reply.parameters = {p1, p2, p3, p4, p5, p6};
        reply.text = std::string(text);
    }
    window_.Send(frame, lane, std::move(reply), log_prefix::kSent, sendTag_);
}

void CommandSender::OnExtendedStatus(int function, char status) {
    if (status == extended_frame::kAccepted) {
        return;
    }
    const std::optional<ExpectedReply> write = window_.TakeRefusedWrite(function);
    if (!write) {
        return;
    }
    // The receiver kept its own value. Outside a transfer the editor asks for it, so that the
    // image and the panel show what the receiver really holds.
    const bool askAgain =
        state_.realtimeMode && state_.uploadInProgress == 0 && state_.downloadInProgress == 0;
    std::string line = "Refused by the receiver: function " + std::to_string(function) + " (" +
                       std::string(ExtendedFunctionCode(function)) + "), status " + status +
                       ". The change was not made";
    line += askAgain ? "; its value is asked for again.\r\n" : ".\r\n";
    log_.AppendLog(line);
    host_.ChangeRefused(function);
    if (askAgain) {
        const auto& p = write->parameters;
        const std::string_view text =
            function == extended_function::kTunerPreset ? kTunerRequestText : write->text;
        SendExtended(function, extended_function::kRequest, p[0], p[1], p[2], p[3], p[4], p[5],
                     text);
    }
}

bool CommandSender::EnqueueCommand(int commandNumber, int value) {
    if (queueCount_ >= kQueueSize) {
        return false;
    }
    for (int i = queueIndex_; i < queueCount_; ++i) {
        auto& entry = queue_.at(static_cast<std::size_t>(i));
        if (entry.commandNumber == commandNumber) {
            // Still waiting to be sent: it goes once, with the latest value.
            entry.value = value;
            return true;
        }
    }
    queue_.at(static_cast<std::size_t>(queueCount_)) = {commandNumber, value};
    ++queueCount_;
    return true;
}

bool CommandSender::SendNextQueued() {
    if (queueCount_ == 0) {
        return false;
    }
    if (queueIndex_ >= queueCount_) {
        // Every entry has been answered.
        ResetQueue();
        return false;
    }
    const QueuedCommand entry = queue_.at(static_cast<std::size_t>(queueIndex_));
    if (entry.commandNumber < 0) {
        return false;
    }
    state_.identificationPending = 1;
    const std::string_view frame = frames_.BuildCommandFrame(entry.commandNumber, entry.value);
    state_.waiting = 1;
    if (frame.empty()) {
        log_.LogLine(log_prefix::kQueuedSent, frame);
        return true;
    }
    if (!window_.Send(frame, SendLane::kAtOnce, ExpectedReply::ForCommand(entry.commandNumber),
                      log_prefix::kQueuedSent)) {
        // Nothing went out, so nothing can answer: the entry is not waiting, and the pump
        // tries it again.
        state_.waiting = 0;
        return false;
    }
    return true;
}

void CommandSender::LogWrite(std::string_view prefix, std::string_view frame,
                             const FrameWrite& write) {
    if (write.Failed()) {
        // A frame that did not go out is always logged, with the system's reason.
        log_.AppendLog(FrameLogLine(prefix, frame, write));
        return;
    }
    log_.LogLine(prefix, frame);
}

void CommandSender::ResetQueue() {
    queueIndex_ = 0;
    queueCount_ = 0;
    state_.retryCount = 0;
    state_.identificationPending = 0;
    state_.waiting = 0;
}

void CommandSender::ResetReceiver() {
    link_.EmptyReceiveBuffer();
    assembler_.Reset();
}

void CommandSender::QueueOnlyStatusRequest() {
    queue_.at(0) = {command::kStatusRequest, 0};
    queueIndex_ = 0;
    queueCount_ = 1;
}

int CommandSender::CurrentQueuedCommand() const {
    if (queueIndex_ < 0 || queueIndex_ >= queueCount_) {
        return -1;
    }
    return queue_.at(static_cast<std::size_t>(queueIndex_)).commandNumber;
}

void CommandSender::AdvanceQueueIndex() {
    if (queueIndex_ < queueCount_) {
        ++queueIndex_;
    }
}

QueuedCommand CommandSender::QueueEntry(int i) const {
    if (i < 0 || i >= kQueueSize) {
        return {};
    }
    return queue_.at(static_cast<std::size_t>(i));
}

void CommandSender::StartTimers() {
    timerWindow_.SetTimer(kQueuePumpTimerId, kQueuePumpMs);
    timerWindow_.SetTimer(kStatusRequestTimerId, kStatusRequestMs);
}

void CommandSender::StartReplyTimeout() {
    timerWindow_.SetTimer(kReplyTimeoutTimerId, kReplyTimeoutMs);
}

void CommandSender::StopReplyTimeout() {
    timerWindow_.KillTimer(kReplyTimeoutTimerId);
}

bool CommandSender::OnTimer(win::TimerId id) {
    switch (id) {
        case kReplyTimeoutTimerId:
            OnReplyTimeout();
            return true;
        case kQueuePumpTimerId:
            OnQueuePump();
            return true;
        case kSendWindowWakeTimerId:
            wakeAtMs_.reset();  // a one-shot: it is gone
            RunStepNow();
            return true;
        case kStatusRequestTimerId:
            OnStatusRequestTimer();
            if (state_.realtimeMode) {
                // The 10 ms tick empties the queue in realtime mode, so the status request goes
                // out at once instead of waiting for the pump: the receiver's state still
                // arrives every second.
                OnQueuePump();
            }
            return true;
        default:
            return false;
    }
}

void CommandSender::OnReplyTimeout() {
    StopReplyTimeout();
    if (state_.waiting == 0) {
        state_.linkBusy = false;
        return;
    }
    if (state_.retryCount >= kMaxRetries) {
        ResetQueue();
        if (state_.searchPort != 0) {
            host_.SearchPort(state_.searchPort + 1);
            return;
        }
        // The receiver is gone; the port stays open so that a later status request finds it.
        ResetReceiver();
        state_.retryCount = 0;
        state_.waiting = 0;
        state_.searchPort = 0;
        state_.identificationPending = 0;
        if (!state_.realtimeMode) {
            ResetQueue();
        }
        // Last: the host may show a message box, and the link must be settled while it is open.
        host_.ShowReceiverGone();
        return;
    }
    state_.linkBusy = false;
    ++state_.retryCount;
    if (SendNextQueued()) {
        StartReplyTimeout();
    }
}

void CommandSender::OnQueuePump() {
    if (PortOpen() && state_.waiting == 0 && SendNextQueued()) {
        StartReplyTimeout();
    }
}

void CommandSender::OnStatusRequestTimer() {
    if (PortOpen() && state_.waiting == 0 && !state_.transferBusy) {
        EnqueueCommand(command::kStatusRequest, 0);
    }
}

bool CommandSender::StepsMayRun() const {
    return PortOpen() && state_.waiting == 0 && !state_.linkBusy;
}

void CommandSender::OnAuxTick() {
    window_.Pump();
    if (StepsMayRun()) {
        if (!state_.realtimeMode) {
            CountWaiting(kAsyncWaitLimit, true);
            RunTransferStep();
        } else {
            RunTransferStep();
            CountWaiting(kRealtimeWaitLimit, false);
        }
    }
    ScheduleWake();
}

void CommandSender::RunStepNow() {
    window_.Pump();
    if (StepsMayRun()) {
        RunTransferStep();
    }
    ScheduleWake();
}

void CommandSender::ScheduleWake() {
    std::optional<std::int64_t> at = window_.NextWakeMs();
    if (at) {
        // Never at a time already gone: what was due then has just been done.
        at = std::max(*at, timerWindow_.Loop().NowMs() + 1);
    }
    if (at == wakeAtMs_) {
        return;
    }
    wakeAtMs_ = at;
    if (at) {
        timerWindow_.SetOneShotTimer(kSendWindowWakeTimerId, *at);
    } else {
        timerWindow_.KillTimer(kSendWindowWakeTimerId);
    }
}

void CommandSender::RunTransferStep() {
    if (state_.realtimeMode) {
        ResetQueue();
        host_.RealtimeStep();
        return;
    }
    if (state_.uploadInProgress > 0) {
        ResetQueue();
        state_.transferBusy = true;
        host_.UploadStep();
    } else if (state_.downloadInProgress > 0) {
        ResetQueue();
        state_.transferBusy = true;
        host_.DownloadStep();
    }
}

void CommandSender::CountWaiting(int limit, bool countsUpload) {
    if (state_.waitingCounter == 0) {
        state_.previousAwaitedFunction = state_.awaitedFunction;
        state_.waitingCounter = 1;
        state_.heardDuringWait = false;
        return;
    }
    // ">=": a counter left above the realtime limit by asynchronous mode must still run out.
    if (state_.waitingCounter >= limit) {
        std::string line(kWaitingClearedText);
        line.append(log_prefix::kCommandWaiting)
            .append(FourHexDigits(state_.awaitedFunction))
            .append(log_prefix::kLineEnd);
        log_.AppendLog(line);
        const bool awaited = state_.awaitedFunction != LinkState::kNone;
        state_.waitingCounter = 0;
        state_.awaitedFunction = LinkState::kNone;
        state_.previousAwaitedFunction = LinkState::kNone;
        if (countsUpload && state_.uploadInProgress > 0) {
            --state_.uploadInProgress;
        }
        if (countsUpload && awaited) {
            host_.ReplyGivenUp();
        }
        return;
    }
    ++state_.waitingCounter;
}

}  // namespace tra1
