#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "platform/serial/far_end.h"

namespace tra1::serial {

// How a device at the far end of the line takes what it hears: it reads one frame (the bytes up
// to and including `frameEnd`) at a time out of an input buffer of `inputBuffer` bytes, and
// only once it has finished sending its answer to the frame before. Bytes that arrive while the
// buffer is full are lost, as a small receiver's serial input loses them when overrun.
struct FarEndPacing {
    char frameEnd = '\0';
    std::size_t inputBuffer = 0;
};

// An answer of the far end, with the time its first byte starts on the line.
struct TimedSegment {
    std::string bytes;
    std::int64_t startTick = 0;  // line ticks, see line_timing.h
};

// The far end of a 9600-baud line, paced as FarEndPacing says. Its own clock is whatever the
// caller passes in (virtual or real time, in line ticks): the bytes the other end writes cross
// the line one after the other, the time carried from one write to the next, so a frame is heard
// when its own last byte has crossed, not when a whole read has; each frame is answered as soon
// as it is heard and the answer before it is out. Nothing here sleeps or reads a clock.
class PacedFarEnd {
public:
    PacedFarEnd(FarEnd& device, FarEndPacing pacing) : device_(device), pacing_(pacing) {}

    // `bytes` were put on the line at `tick`. Returns the device's answers to the frames they
    // complete, each with the tick at which it starts; answers follow one another on the line.
    std::vector<TimedSegment> Hear(std::string_view bytes, std::int64_t tick);

    // The line starts afresh (a port opened again): nothing on its way, nothing buffered.
    void Reset();

    // Bytes lost to a full input buffer since the start.
    std::size_t LostBytes() const { return lost_; }
    // Bytes heard but not yet taken by the device at `tick` (frames waiting for their turn, and
    // the frame being received).
    std::size_t BufferedAt(std::int64_t tick);
    // When the device has finished its last answer.
    std::int64_t DeviceFreeTick() const { return deviceFreeTick_; }

private:
    struct WaitingFrame {
        std::size_t size = 0;
        std::int64_t takenAtTick = 0;
    };

    void TakeFramesDueBy(std::int64_t tick);
    void Answer(std::string frame, std::int64_t heardAtTick, std::vector<TimedSegment>& out);

    FarEnd& device_;
    FarEndPacing pacing_;
    std::int64_t lineFreeTick_ = 0;     // the last byte from the other end has crossed by then
    std::int64_t deviceFreeTick_ = 0;   // the device's last answer is out by then
    std::deque<WaitingFrame> waiting_;  // heard, not yet taken, oldest first
    std::string partial_;               // the frame being received
    std::size_t waitingBytes_ = 0;
    std::size_t lost_ = 0;
};

}  // namespace tra1::serial
