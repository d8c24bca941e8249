#include "link/send_window.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "link/extended_decoder.h"
#include "link/frame_assembler.h"
#include "link/reply_digits.h"
#include "link/report_answers.h"
#include "model/command_table.h"
#include "model/extended_codec.h"
#include "model/protocol.h"
#include "model/report_codes.h"
#include "platform/serial/line_timing.h"

namespace tra1 {
namespace {

// A report frame's code: characters 2-3 of its body.
constexpr std::size_t kReportCodeAt = 2;

// Whether some command is acknowledged with this report code at all.
bool AcknowledgesSomeCommand(int reportCode) {
    for (int command = 0; command < kCommandCount; ++command) {
        if (ReportAnswers(reportCode, command)) {
            return true;
        }
    }
    return false;
}

std::int64_t TicksToMs(std::int64_t ticks) {
    return (ticks + serial::kLineTicksPerMs - 1) / serial::kLineTicksPerMs;
}

}  // namespace

// A frame from the receiver, read as far as pairing it needs.
struct SendWindow::Reply {
    FrameKind kind = FrameKind::kNone;
    int reportCode = -1;
    int function = 0;
    bool accepted = false;
    std::string_view key;
};

ExpectedReply ExpectedReply::ForCommand(int commandNumber) {
    ExpectedReply reply;
    reply.number = commandNumber;
    const bool acknowledged = ReportCodesOf(commandNumber).code >= 0;
    // A command that brings back the receiver's whole state counts like one that chooses what
    // the next commands act on.
    reply.laterFramesRestOnIt =
        LaterCommandsActOnItsChoice(commandNumber) || AnsweredWithConfiguration(commandNumber);
    if (AnsweredWithConfiguration(commandNumber)) {
        reply.kind = acknowledged ? Kind::kReportThenConfiguration : Kind::kConfiguration;
    } else if (acknowledged) {
        reply.kind = Kind::kReport;
    }
    return reply;
}

ExpectedReply ExpectedReply::ForExtended(int function, std::string_view frame) {
    ExpectedReply reply;
    const ExtendedCodec* codec = FindExtendedCodec(function);
    if (codec == nullptr || !codec->Sent() || frame.empty()) {
        return reply;
    }
    reply.kind = Kind::kExtended;
    reply.number = function;
    // The frame is DC4, the body, ETX: the key starts where the body's data does.
    const std::size_t at = 1 + extended_frame::kDataAt;
    reply.key = std::string(frame.substr(std::min(at, frame.size()), ExtendedKeyLength(*codec)));
    return reply;
}

SendWindow::SendWindow(Writer writer, Clock clock)
    : writer_(std::move(writer)), clock_(std::move(clock)) {}

std::size_t SendWindow::RoomOf(SendLane lane) {
    return lane == SendLane::kPoll ? kReceiverInputBuffer - kRoomForAChange : kReceiverInputBuffer;
}

std::deque<SendWindow::Queued>& SendWindow::QueueOf(SendLane lane) {
    return lane == SendLane::kPoll ? poll_ : transfer_;
}

const std::deque<SendWindow::Queued>& SendWindow::QueueOf(SendLane lane) const {
    return lane == SendLane::kPoll ? poll_ : transfer_;
}

bool SendWindow::Send(std::string_view frame, SendLane lane, ExpectedReply reply,
                      std::string_view logPrefix, int tag) {
    if (frame.empty()) {
        return false;
    }
    Queued item{std::string(frame), std::move(reply), logPrefix, tag, 0, {}, 0};
    if (lane == SendLane::kAtOnce) {
        return Write(item, lane);
    }
    QueueOf(lane).push_back(std::move(item));
    PumpLane(lane);
    return true;
}

void SendWindow::Hold(SendLane lane, int ms) {
    if (lane == SendLane::kAtOnce || ms <= 0) {
        return;
    }
    heldMsTotal_ += ms;
    Queued hold;
    hold.holdMs = ms;
    QueueOf(lane).push_back(std::move(hold));
}

bool SendWindow::Write(Queued& item, SendLane lane) {
    if (!writer_(item.frame, item.logPrefix)) {
        return false;
    }
    const std::int64_t now = clock_();
    const std::int64_t start = std::max(serial::MsToLineTicks(now), lineFreeTick_);
    lineFreeTick_ =
        start + static_cast<std::int64_t>(item.frame.size()) * serial::kLineTicksPerByte;
    if (inFlight_.size() == kMaxInFlight) {
        Forget(1, Fate::kPassedOver);
    }
    InFlight flight;
    flight.size = item.frame.size();
    flight.reply = std::move(item.reply);
    flight.lane = lane;
    flight.tag = item.tag;
    flight.writtenMs = now;
    flight.crossedMs = TicksToMs(lineFreeTick_);
    flight.sends = item.sends;
    flight.holdBeforeMs = item.holdBeforeMs;
    ++flight.sends.count;
    if (KeepsItsFrame(lane, flight.reply, flight.tag)) {
        flight.frame = std::move(item.frame);
        flight.logPrefix = item.logPrefix;
    }
    bytesInFlight_ += flight.size;
    inFlight_.push_back(std::move(flight));
    if (lane == SendLane::kTransfer) {
        transferWrittenMs_ = now;
    } else if (lane == SendLane::kPoll) {
        pollWrittenMs_ = now;
    }
    return true;
}

bool SendWindow::PumpLane(SendLane lane) {
    std::deque<Queued>& queue = QueueOf(lane);
    bool wrote = false;
    while (!queue.empty()) {
        Queued& head = queue.front();
        if (head.frame.empty()) {
            const std::int64_t written =
                lane == SendLane::kPoll ? pollWrittenMs_ : transferWrittenMs_;
            if (clock_() < written + head.holdMs) {
                break;
            }
            const int holdMs = head.holdMs;
            queue.pop_front();
            // The frame it kept waiting remembers the pause, should it go out again.
            const auto next = std::find_if(queue.begin(), queue.end(),
                                           [](const Queued& q) { return !q.frame.empty(); });
            if (next != queue.end()) {
                next->holdBeforeMs = std::max(next->holdBeforeMs, holdMs);
            }
            continue;
        }
        if (lane == SendLane::kTransfer && transferCommandsOneByOne_ &&
            std::any_of(inFlight_.begin(), inFlight_.end(), [](const InFlight& f) {
                return f.lane == SendLane::kTransfer && !f.superseded &&
                       f.reply.kind != ExpectedReply::Kind::kNothing &&
                       f.reply.kind != ExpectedReply::Kind::kExtended &&
                       f.reply.laterFramesRestOnIt;
            })) {
            break;
        }
        const bool fits =
            inFlight_.empty() ||
            (bytesInFlight_ + head.frame.size() <= RoomOf(lane) && inFlight_.size() < kMaxInFlight);
        if (!fits) {
            break;
        }
        Queued item = std::move(head);
        queue.pop_front();
        wrote = Write(item, lane) || wrote;
    }
    return wrote;
}

void SendWindow::Pump() {
    ForgetOverdue(clock_());
    PumpLane(SendLane::kTransfer);
    PumpLane(SendLane::kPoll);
}

void SendWindow::ForgetOverdue(std::int64_t now) {
    // A frame that gets no answer has left the receiver's buffer once it has crossed the line and
    // every frame before it is answered: the receiver takes it at once.
    while (!inFlight_.empty() && inFlight_.front().reply.kind == ExpectedReply::Kind::kNothing &&
           inFlight_.front().crossedMs <= now) {
        Forget(1, Fate::kAnswered);
    }
    // An answer this late will not come.
    while (!inFlight_.empty() && inFlight_.front().crossedMs + kReplyLimitMs <= now) {
        Forget(1, Fate::kOverdue);
    }
}

bool SendWindow::Answers(const Reply& reply, const InFlight& frame) {
    using Kind = ExpectedReply::Kind;
    switch (frame.reply.kind) {
        case Kind::kNothing:
            return false;
        case Kind::kReport:
        case Kind::kReportThenConfiguration:
            return reply.kind == FrameKind::kReport &&
                   ReportAnswers(reply.reportCode, frame.reply.number);
        case Kind::kConfiguration:
            return reply.kind == FrameKind::kConfiguration;
        case Kind::kExtended:
            // A refusal carries no data: it goes to the oldest frame of its function.
            return reply.kind == FrameKind::kExtended && reply.function == frame.reply.number &&
                   (!reply.accepted || reply.key == frame.reply.key);
    }
    return false;
}

bool SendWindow::KeepsItsFrame(SendLane lane, const ExpectedReply& reply, int tag) {
    return lane == SendLane::kTransfer && reply.kind == ExpectedReply::Kind::kExtended &&
           (reply.write || tag < 0);
}

bool SendWindow::SentAgainWhenSpoilt(const InFlight& frame) {
    // Only a transfer's write keeps its frame, and only until the transfer drops what it has
    // not sent.
    return !frame.frame.empty() && !frame.superseded;
}

void SendWindow::OnReceived(FrameKind kind, std::string_view body) {
    refusedWrite_.reset();
    lastHeardMs_ = clock_();
    if (kind == FrameKind::kExtended && checksumsChecked_ && checksumsChecked_() &&
        !ExtendedChecksumMatches(body)) {
        // Damaged on its way: it says nothing for sure about any frame. The frame it answered
        // is passed over by the next answer, or its answer is overdue.
        Pump();
        return;
    }
    Reply reply;
    reply.kind = kind;
    if (kind == FrameKind::kReport) {
        reply.reportCode =
            body.size() >= kReportCodeAt + 2 ? ReplyNumberAt(body, kReportCodeAt, 2) : -1;
    } else if (kind == FrameKind::kExtended && body.size() > extended_frame::kModeAt) {
        reply.function =
            ExtendedFunctionOf(body.substr(extended_frame::kCodeAt, extended_frame::kCodeLength));
        reply.accepted = body[extended_frame::kModeAt] == extended_frame::kAccepted;
        if (const ExtendedCodec* codec = FindExtendedCodec(reply.function)) {
            reply.key = body.substr(std::min(extended_frame::kDataAt, body.size()),
                                    ExtendedKeyLength(*codec));
        }
    }

    std::size_t at = 0;
    while (at < inFlight_.size() && !Answers(reply, inFlight_[at])) {
        ++at;
    }
    if (at == inFlight_.size()) {
        // An answer to nothing in flight. A configuration frame or a report that acknowledges no
        // command can come on its own; anything else was meant for a frame it no longer matches.
        const bool meantForAFrame =
            (kind == FrameKind::kReport && AcknowledgesSomeCommand(reply.reportCode)) ||
            (kind == FrameKind::kExtended && reply.function != 0);
        if (meantForAFrame) {
            for (const InFlight& frame : inFlight_) {
                if (frame.lane == SendLane::kTransfer && frame.tag >= 0 &&
                    frame.reply.kind != ExpectedReply::Kind::kNothing) {
                    // A write goes out again once its own answer is known lost.
                    if (!SentAgainWhenSpoilt(frame)) {
                        NoteBroken(frame);
                    }
                    break;
                }
            }
        }
        Pump();
        return;
    }
    // The frames before it were passed over: their answers are lost.
    Forget(at, Fate::kPassedOver);
    InFlight& answered = inFlight_.front();
    if (kind == FrameKind::kExtended && !reply.accepted && answered.reply.write) {
        if (answered.superseded) {
            Forget(1, Fate::kAnswered);  // its write is on its way again
            Pump();
            return;
        }
        if (SentAgainWhenSpoilt(answered)) {
            // The line may have damaged the write: it goes out again, and only a write refused
            // every time is reported.
            Forget(1, Fate::kRefused);
            Pump();
            return;
        }
        refusedWrite_ = answered.reply;
    }
    if (kind == FrameKind::kExtended && !reply.accepted && !answered.reply.write &&
        answered.lane == SendLane::kTransfer && !answered.superseded) {
        // A transfer's request refused, which no step waits for: a request sent back to back
        // (tagged), or one sent again by itself after its step's wait ended. The line may have
        // damaged it. The first sends the transfer back to its step, which asks again and counts
        // refusals; the second goes out again, a bounded number of times.
        if (answered.tag >= 0) {
            NoteBroken(answered);
        } else if (answered.sends.count > 1) {
            Forget(1, Fate::kRefused);
            Pump();
            return;
        }
    }
    if (answered.reply.kind == ExpectedReply::Kind::kReportThenConfiguration) {
        answered.reply.kind = ExpectedReply::Kind::kConfiguration;  // its fresh state follows
    } else {
        Forget(1, Fate::kAnswered);
    }
    Pump();
}

void SendWindow::Forget(std::size_t count, Fate fate) {
    for (std::size_t i = 0; i < count && !inFlight_.empty(); ++i) {
        InFlight frame = std::move(inFlight_.front());
        bytesInFlight_ -= frame.size;
        inFlight_.pop_front();
        if (fate == Fate::kAnswered || frame.reply.kind == ExpectedReply::Kind::kNothing ||
            frame.superseded) {
            continue;
        }
        if (SentAgainWhenSpoilt(frame) && !LeftToItsStep(frame, fate)) {
            SendAgain(frame, fate);
        } else {
            NoteBroken(frame);
        }
    }
}

bool SendWindow::LeftToItsStep(const InFlight& frame, Fate fate) {
    // A request whose answer did not come, first time out, and that no later answer passed over:
    // the answers after it did not come either, the last of them the one its step waits for.
    // The step's wait started no later than the request went out and runs out first, and the
    // step runs again, asking for this item too; sending it here as well would ask twice. So a
    // receiver's silence is still told by the step's waits. A request already sent again is the
    // window's alone, until its sends run out.
    return !frame.reply.write && fate == Fate::kOverdue && frame.sends.count == 1;
}

void SendWindow::SendAgain(InFlight& frame, Fate fate) {
    // Nothing at all came from the receiver since the write went out: that is silence, not a
    // damaged answer.
    const bool silent = fate == Fate::kOverdue && lastHeardMs_ < frame.writtenMs;
    frame.sends.silent = silent ? frame.sends.silent + 1 : 0;
    const int maxSends = frame.reply.write ? kMaxWriteSends : kMaxRequestSends;
    if (frame.sends.count >= maxSends || frame.sends.silent >= kSilentWriteSends) {
        if (fate == Fate::kRefused && frame.reply.write) {
            refusedWrite_ = frame.reply;
        } else if (!writeGivenUp_) {
            writeGivenUp_ = silent ? WriteGivenUp::kSilent : WriteGivenUp::kDamaged;
        }
        return;
    }
    const auto toQueue = [](InFlight& f) {
        return Queued{std::move(f.frame), f.reply, f.logPrefix, f.tag, 0, f.sends, f.holdBeforeMs};
    };
    // A request goes again by itself: what the receiver answers it does not rest on the frames
    // around it.
    const bool write = frame.reply.write;
    std::vector<Queued> again{toQueue(frame)};
    for (InFlight& later : inFlight_) {
        if (write && later.lane == frame.lane && later.reply.write && SentAgainWhenSpoilt(later)) {
            again.push_back(toQueue(later));
            later.superseded = true;  // its answer is still paired with it
        }
    }
    // They go where the lane's next frame would: behind the pause that runs after the frame
    // written last, each behind the pause it had, and that pause follows them as well.
    std::deque<Queued>& queue = QueueOf(frame.lane);
    auto at = queue.begin();
    int pauseAfterMs = 0;
    while (at != queue.end() && at->frame.empty()) {
        pauseAfterMs = std::max(pauseAfterMs, at->holdMs);
        ++at;
    }
    if (at != queue.end()) {
        pauseAfterMs = std::max(pauseAfterMs, at->holdBeforeMs);
    }
    const auto hold = [](int ms) {
        Queued pause;
        pause.holdMs = ms;
        return pause;
    };
    std::vector<Queued> block;
    for (Queued& q : again) {
        if (q.holdBeforeMs > 0) {
            block.push_back(hold(q.holdBeforeMs));
        }
        block.push_back(std::move(q));
    }
    if (pauseAfterMs > 0) {
        block.push_back(hold(pauseAfterMs));
    }
    queue.insert(at, std::make_move_iterator(block.begin()), std::make_move_iterator(block.end()));
    (write ? writesRepeated_ : requestsRepeated_) += static_cast<int>(again.size());
}

void SendWindow::NoteBroken(const InFlight& frame) {
    if (frame.lane == SendLane::kTransfer && frame.tag >= 0 && !brokenTag_) {
        brokenTag_ = frame.tag;
    }
    if (frame.lane == SendLane::kTransfer && transferCommandsOneByOne_) {
        // What follows may rely on what this frame did: the step runs again from its start.
        DropQueued(SendLane::kTransfer);
    }
}

void SendWindow::SetOneCommandAtATime(SendLane lane, bool on) {
    if (lane == SendLane::kTransfer) {
        transferCommandsOneByOne_ = on;
    }
}

std::size_t SendWindow::DropQueued(SendLane lane) {
    if (lane == SendLane::kAtOnce) {
        return 0;
    }
    auto& queue = QueueOf(lane);
    const auto frames = static_cast<std::size_t>(std::count_if(
        queue.begin(), queue.end(), [](const Queued& item) { return !item.frame.empty(); }));
    queue.clear();
    // Nor is a write on its way sent again, or a lost answer of the lane noted.
    for (InFlight& frame : inFlight_) {
        if (frame.lane == lane) {
            frame.superseded = true;
        }
    }
    return frames;
}

void SendWindow::Clear() {
    transfer_.clear();
    poll_.clear();
    inFlight_.clear();
    bytesInFlight_ = 0;
    brokenTag_.reset();
    refusedWrite_.reset();
    writeGivenUp_.reset();
}

bool SendWindow::HasQueued(SendLane lane) const {
    return lane != SendLane::kAtOnce && !QueueOf(lane).empty();
}

bool SendWindow::AwaitsReplies(SendLane lane) const {
    return std::any_of(inFlight_.begin(), inFlight_.end(), [lane](const InFlight& frame) {
        return frame.lane == lane && frame.reply.kind != ExpectedReply::Kind::kNothing;
    });
}

bool SendWindow::AwaitsTaggedReplies(SendLane lane) const {
    return std::any_of(inFlight_.begin(), inFlight_.end(), [lane](const InFlight& frame) {
        return frame.lane == lane && frame.tag >= 0 &&
               frame.reply.kind != ExpectedReply::Kind::kNothing;
    });
}

std::optional<SendWindow::WriteGivenUp> SendWindow::TakeWriteGivenUp() {
    return std::exchange(writeGivenUp_, std::nullopt);
}

std::optional<int> SendWindow::TakeBrokenTag() {
    return std::exchange(brokenTag_, std::nullopt);
}

std::optional<ExpectedReply> SendWindow::TakeRefusedWrite(int function) {
    if (!refusedWrite_ || refusedWrite_->number != function) {
        return std::nullopt;
    }
    return std::exchange(refusedWrite_, std::nullopt);
}

std::optional<std::int64_t> SendWindow::NextWakeMs() const {
    std::optional<std::int64_t> wake;
    const auto consider = [&wake](std::int64_t at) { wake = wake ? std::min(*wake, at) : at; };
    if (!inFlight_.empty()) {
        const InFlight& front = inFlight_.front();
        consider(front.reply.kind == ExpectedReply::Kind::kNothing
                     ? front.crossedMs
                     : front.crossedMs + kReplyLimitMs);
    }
    for (const SendLane lane : {SendLane::kTransfer, SendLane::kPoll}) {
        const std::deque<Queued>& queue = QueueOf(lane);
        if (!queue.empty() && queue.front().frame.empty()) {
            consider((lane == SendLane::kPoll ? pollWrittenMs_ : transferWrittenMs_) +
                     queue.front().holdMs);
        }
    }
    return wake;
}

void SendWindowTap::OnConfigurationFrame(std::string_view body) {
    if (window_ != nullptr) {
        window_->OnReceived(FrameKind::kConfiguration, body);
    }
    decoders_.OnConfigurationFrame(body);
}

void SendWindowTap::OnReportFrame(std::string_view body) {
    if (window_ != nullptr) {
        window_->OnReceived(FrameKind::kReport, body);
    }
    decoders_.OnReportFrame(body);
}

void SendWindowTap::OnExtendedReply(std::string_view body) {
    if (window_ != nullptr) {
        window_->OnReceived(FrameKind::kExtended, body);
    }
    decoders_.OnExtendedReply(body);
}

}  // namespace tra1
