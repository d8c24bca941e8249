#pragma once
// Every frame the editor writes goes through one SendWindow, which knows what is on its way to
// the receiver and what the receiver still owes an answer for.
//
// The receiver reads what it hears into a small input buffer and takes one frame at a time out
// of it, each once its answer to the frame before is out; bytes that overrun the buffer are lost.
// So the frames of a transfer and of the realtime poll wait in a queue here and go out only
// while the frames in flight (written, not yet answered) leave room for them in that buffer; the
// poll leaves room besides for a change the user makes. The user's own frames go out at once,
// ahead of whatever waits, and count in flight like the rest.
//
// Each answer is paired with its frame: the receiver answers in order, so a reply belongs to the
// oldest frame in flight that it can answer (a report to its command, a configuration frame to
// the status request, an extended reply to the frame with its function and the characters that
// name the item). A frame passed over that way, or one that got no answer at all within
// kReplyLimitMs, lost its answer; a reply that answers no frame in flight is unexpected. Either
// marks a transfer's stream as broken, with the tag of its oldest frame concerned, so that the
// transfer can go back to taking one step at a time.
//
// Time comes from the clock given; nothing here sleeps. The owner calls Pump after replies and
// at NextWakeMs (a pause between a transfer's frames, an answer overdue).

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "link/frame_sink.h"
#include "model/protocol.h"

namespace tra1 {

enum class FrameKind : int;

// Which stream a frame belongs to.
enum class SendLane : std::uint8_t {
    kAtOnce,    // the user's changes, the queued commands: written at once
    kTransfer,  // upload and download: as the receiver's buffer leaves room
    kPoll,      // the realtime poll: as the buffer leaves room beside a change of the user's
};

// What answers a frame, as far as the receiver's answers can be told apart.
struct ExpectedReply {
    enum class Kind : std::uint8_t {
        kNothing,                  // the receiver acknowledges nothing for it
        kReport,                   // a report frame with one of the command's codes
        kConfiguration,            // a configuration frame (the status request)
        kReportThenConfiguration,  // a report, then the receiver's fresh state (8, 28)
        kExtended,                 // an extended reply of the function, naming the same item
    };
    Kind kind = Kind::kNothing;
    int number = -1;  // the command number, or the extended function
    std::string key;  // kExtended: the data characters that name the item

    static ExpectedReply ForCommand(int commandNumber);
    // `frame` is the extended frame as built (DC4 ... ETX).
    static ExpectedReply ForExtended(int function, std::string_view frame);
};

class SendWindow {
public:
    // What the realtime poll leaves free of it: the longest frame a change of the user's sends.
    static constexpr std::size_t kRoomForAChange = 25;
    // Frames remembered in flight at most; the oldest is forgotten beyond.
    static constexpr std::size_t kMaxInFlight = 32;
    // An answer not in by then after its frame crossed the line is lost.
    static constexpr std::int64_t kReplyLimitMs = 2000;

    // Writes one frame to the port and logs it with the prefix (none when empty); false when it
    // did not go out.
    using Writer = std::function<bool(std::string_view frame, std::string_view logPrefix)>;
    // Milliseconds on the loop's clock.
    using Clock = std::function<std::int64_t()>;

    SendWindow(Writer writer, Clock clock);

    // Writes the frame now (kAtOnce) or queues it behind the lane's other frames. `tag` names the
    // sender's step, for TakeBrokenTag.
    void Send(std::string_view frame, SendLane lane, ExpectedReply reply,
              std::string_view logPrefix, int tag = -1);
    // The lane's next frame goes out no sooner than `ms` after the one queued before it went.
    void Hold(SendLane lane, int ms);
    // Writes what waits, as far as the room and the holds allow; forgets what is overdue.
    void Pump();
    // A frame came from the receiver (body between the opening byte and ETX).
    void OnReceived(FrameKind kind, std::string_view body);

    // Forgets the frames of a lane that have not gone out yet; returns how many were forgotten
    // (holds not counted).
    std::size_t DropQueued(SendLane lane);
    // The line starts afresh (opened, closed, reset): nothing queued, nothing in flight.
    void Clear();

    // Whether frames of the lane wait to go out.
    bool HasQueued(SendLane lane) const;
    // Whether frames of the lane are in flight and owed an answer.
    bool AwaitsReplies(SendLane lane) const;
    // The same for the frames that carry a tag (a pipelined transfer's back-to-back steps).
    bool AwaitsTaggedReplies(SendLane lane) const;
    // The tag of the oldest tagged transfer frame whose answer was lost or came unexpected since
    // the last call; nullopt when none. Untagged frames (-1) are never named.
    std::optional<int> TakeBrokenTag();
    // When Pump has something to do that no reply will bring about (a hold ends, an answer is
    // overdue, a frame that gets no answer has crossed); nullopt when nothing waits.
    std::optional<std::int64_t> NextWakeMs() const;

    // Every hold asked for since the start, in ms: the pauses the receiver needs, which no
    // transfer can do without.
    std::int64_t HeldMsTotal() const { return heldMsTotal_; }
    std::size_t BytesInFlight() const { return bytesInFlight_; }
    std::size_t FramesInFlight() const { return inFlight_.size(); }
    // Room the lane's frames may fill.
    static std::size_t RoomOf(SendLane lane);

private:
    struct Queued {
        std::string frame;  // empty for a hold
        ExpectedReply reply;
        std::string_view logPrefix;
        int tag = -1;
        int holdMs = 0;
    };
    struct InFlight {
        std::size_t size = 0;
        ExpectedReply reply;
        SendLane lane = SendLane::kAtOnce;
        int tag = -1;
        std::int64_t crossedMs = 0;  // when its last byte has crossed the line
    };
    struct Reply;

    bool Write(Queued& item, SendLane lane);
    bool PumpLane(SendLane lane);
    static bool Answers(const Reply& reply, const InFlight& frame);
    void Forget(std::size_t count, bool answered);
    void NoteBroken(const InFlight& frame);
    void ForgetOverdue(std::int64_t now);
    std::deque<Queued>& QueueOf(SendLane lane);
    const std::deque<Queued>& QueueOf(SendLane lane) const;

    Writer writer_;
    Clock clock_;
    std::deque<Queued> transfer_;
    std::deque<Queued> poll_;
    std::deque<InFlight> inFlight_;
    std::size_t bytesInFlight_ = 0;
    // The line from the editor is busy until then (line ticks of 1/24 ms).
    std::int64_t lineFreeTick_ = 0;
    // When the last frame of each bulk lane went out, for its holds.
    std::int64_t transferWrittenMs_ = 0;
    std::int64_t pollWrittenMs_ = 0;
    std::optional<int> brokenTag_;
    std::int64_t heldMsTotal_ = 0;
};

// Shows every frame the receiver sends to the send window before the decoders take it, so that
// the window knows what has been answered by the time the decoded reply moves anything on.
class SendWindowTap final : public FrameSink {
public:
    explicit SendWindowTap(FrameSink& decoders) : decoders_(decoders) {}
    // The window that sees the frames (none: they only reach the decoders).
    void SetWindow(SendWindow* window) { window_ = window; }

    void OnConfigurationFrame(std::string_view body) override;
    void OnReportFrame(std::string_view body) override;
    void OnExtendedReply(std::string_view body) override;

private:
    SendWindow* window_ = nullptr;
    FrameSink& decoders_;
};

}  // namespace tra1
