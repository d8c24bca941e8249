#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "platform/serial/far_end.h"
#include "platform/serial/paced_far_end.h"

namespace tra1::sim {

// The far end's side of a real byte stream (a pseudo-terminal or a TCP connection) in real
// time. The stream passes bytes at any speed, so the line's pace is kept here: the editor's
// bytes are heard as they would cross a 9600-baud line, frame by frame, by a device paced as
// FarEndPacing says (PacedFarEnd), and the device's answers go out at 9600 baud, written in
// slices of about 10 ms as a serial driver hands them on, the last byte of each answer exactly
// when it would have crossed.
class PacedLine {
public:
    static constexpr int kSliceMs = 10;

    PacedLine(serial::FarEnd& device, serial::FarEndPacing pacing) : device_(device, pacing) {}

    // Reads what waits on `fd` (non-blocking) and hands it to the far end; the far end's
    // answers are queued to go out at line speed. False when the stream has ended (end of file
    // or an error other than "nothing yet").
    bool Hear(int fd, std::int64_t nowNs);
    // Writes every queued byte that has crossed the line by now. When the stream takes no more,
    // what was queued is dropped, as a line nobody listens to loses it; false when the stream
    // failed for good (its reader has gone).
    bool Speak(int fd, std::int64_t nowNs);
    // Milliseconds until the next slice is due, at most `idleMs`.
    int MsUntilNextWrite(std::int64_t nowNs, int idleMs) const;
    // Forgets what is queued and what the far end was hearing (the listener went away).
    void Clear();
    // Bytes the far end lost to its full input buffer.
    std::size_t LostBytes() const { return device_.LostBytes(); }

    static std::int64_t NowNs();

private:
    struct Outgoing {
        std::string bytes;
        std::int64_t startNs = 0;  // when its first byte starts
        std::size_t sent = 0;
    };

    serial::PacedFarEnd device_;
    std::deque<Outgoing> outgoing_;
    std::int64_t lineFreeNs_ = 0;
};

}  // namespace tra1::sim
