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
// A write of a transfer is the exception: it stores a value, so sending it again is harmless,
// and a noisy line spoils one in three at 1 % of bytes damaged. A transfer write whose answer
// is lost, refused or damaged goes out again instead of breaking the stream, and so do the
// writes sent after it that are still on their way, in their order: two writes can land in the
// same place in the receiver, and the later one must stay last. The pauses that were kept
// between them are kept again. Up to kMaxWriteSends sends; a write the receiver refuses every
// time was its verdict, and the refusal is reported; one that never gets a sound answer is given
// up, and the transfer is told.
//
// So is an untagged request of a transfer (a stepwise upload step asks for many items at once,
// and waits for the answer to its last): one whose answer is lost or damaged goes out again by
// itself, up to kMaxRequestSends sends, so that no item of the step is left unread. Its answer
// names its item, so it is decoded the same whenever it comes. A refusal answers its first send
// (the step that waits for it asks again) and sends a request already sent again once more.
// Only a request whose first send simply got no answer, passed over by none, is left to its
// step, which gives up its wait and runs again. A tagged request (a pipelined step) breaks the
// stream instead, when its answer is lost and when it is refused: no step waits for it.
//
// Time comes from the clock given; nothing here sleeps. The owner calls Pump after replies and
// at NextWakeMs (a pause between a transfer's frames, an answer overdue).

#include <array>
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
    // kExtended: a write (mode 1), whose refusal the user is told of, and what the request for
    // the item's value again is built from.
    bool write = false;
    std::array<int, 6> parameters{};
    std::string text;
    // A command: whether what the frames after it do rests on what it did (the input it
    // selected, the state it brought back). With one command at a time, such a command is
    // answered before anything after it goes out; the others go back to back. So unless
    // ForCommand knows better.
    bool laterFramesRestOnIt = true;

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
    // How often a transfer write goes out at most before it is given up; and how many of those
    // sends in a row may meet a receiver that sent nothing at all before it is taken as silent.
    static constexpr int kMaxWriteSends = 16;
    static constexpr int kSilentWriteSends = 5;
    // The same for an untagged transfer request: as many as the runs of an upload step, whose
    // status step asks twice per run.
    static constexpr int kMaxRequestSends = 2 * kMaxWriteSends;

    // Why a transfer write or request was given up.
    enum class WriteGivenUp : std::uint8_t {
        kSilent,   // nothing came from the receiver for its last sends
        kDamaged,  // answers came, but never a sound one for this write
    };

    // Writes one frame to the port and logs it with the prefix (none when empty); false when it
    // did not go out.
    using Writer = std::function<bool(std::string_view frame, std::string_view logPrefix)>;
    // Milliseconds on the loop's clock.
    using Clock = std::function<std::int64_t()>;

    SendWindow(Writer writer, Clock clock);

    // Whether extended replies are checked against their checksum (once one of the connection
    // has matched): a reply that fails answers nothing. Unchecked when not set.
    void SetChecksumsChecked(std::function<bool()> checked) {
        checksumsChecked_ = std::move(checked);
    }

    // Writes the frame now (kAtOnce) or queues it behind the lane's other frames. `tag` names the
    // sender's step, for TakeBrokenTag. False when a frame for at once did not go out (nothing
    // then waits for its answer); a queued frame that does not go out later is dropped likewise.
    bool Send(std::string_view frame, SendLane lane, ExpectedReply reply,
              std::string_view logPrefix, int tag = -1);
    // The lane's next frame goes out no sooner than `ms` after the one queued before it went.
    void Hold(SendLane lane, int ms);
    // Writes what waits, as far as the room and the holds allow; forgets what is overdue.
    void Pump();
    // A frame came from the receiver (body between the opening byte and ETX).
    void OnReceived(FrameKind kind, std::string_view body);

    // What a command does can depend on the commands before it (a program is set for the input
    // selected last): with this on, the lane's next frame waits until the receiver has answered
    // each command before it that later frames rest on (ExpectedReply::laterFramesRestOnIt); the
    // other commands go back to back, each paired with its answer. When a command's answer is
    // lost, the lane's waiting frames are dropped so that the step can be run again from its
    // start, which sends every command of the step again, in order. Off by default.
    void SetOneCommandAtATime(SendLane lane, bool on);
    // Forgets the frames of a lane that have not gone out yet; of its frames on their way, none
    // goes out again and none breaks the stream.
    // Returns how many frames were forgotten (holds not counted).
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
    // The write of `function` that the reply just received refused (what was expected of it);
    // nullopt when that reply was no refusal of a write of the function, or when the write goes
    // out again. Taken once.
    std::optional<ExpectedReply> TakeRefusedWrite(int function);
    // A transfer write or request given up since the last call, and why; nullopt when none.
    std::optional<WriteGivenUp> TakeWriteGivenUp();
    // Transfer writes sent again since the start.
    int WritesRepeated() const { return writesRepeated_; }
    // Transfer requests sent again since the start.
    int RequestsRepeated() const { return requestsRepeated_; }
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
    // How a transfer write has fared so far.
    struct Sends {
        int count = 0;   // times it went out
        int silent = 0;  // of the last of them in a row, those that met a receiver sending nothing
    };
    struct Queued {
        std::string frame;  // empty for a hold
        ExpectedReply reply;
        std::string_view logPrefix;
        int tag = -1;
        int holdMs = 0;
        Sends sends;
        int holdBeforeMs = 0;  // the pause kept before this frame
    };
    struct InFlight {
        std::size_t size = 0;
        ExpectedReply reply;
        SendLane lane = SendLane::kAtOnce;
        int tag = -1;
        std::int64_t writtenMs = 0;
        std::int64_t crossedMs = 0;  // when its last byte has crossed the line
        // A transfer write, and an untagged transfer request, keep what they sent, to send it
        // again (KeepsItsFrame).
        std::string frame;
        std::string_view logPrefix;
        Sends sends;
        int holdBeforeMs = 0;
        // Sent again behind a write before it: what becomes of this send no longer matters.
        bool superseded = false;
    };
    struct Reply;
    // What became of a frame that leaves the window.
    enum class Fate : std::uint8_t { kAnswered, kPassedOver, kOverdue, kRefused };

    bool Write(Queued& item, SendLane lane);
    bool PumpLane(SendLane lane);
    static bool Answers(const Reply& reply, const InFlight& frame);
    static bool SentAgainWhenSpoilt(const InFlight& frame);
    // Whether a frame written to the lane keeps what it sent, to send it again when its answer
    // is spoilt.
    static bool KeepsItsFrame(SendLane lane, const ExpectedReply& reply, int tag);
    void Forget(std::size_t count, Fate fate);
    // A transfer write whose answer did not come back sound: queued again with the writes on
    // their way after it, or given up; a transfer request likewise, by itself.
    void SendAgain(InFlight& frame, Fate fate);
    // Whether a transfer request whose answer did not come is left to its step to ask again.
    static bool LeftToItsStep(const InFlight& frame, Fate fate);
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
    std::optional<ExpectedReply> refusedWrite_;
    std::optional<WriteGivenUp> writeGivenUp_;
    std::function<bool()> checksumsChecked_;
    bool transferCommandsOneByOne_ = false;
    // When the last frame came from the receiver (any frame, sound or not).
    std::int64_t lastHeardMs_ = -1;
    int writesRepeated_ = 0;
    int requestsRepeated_ = 0;
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
