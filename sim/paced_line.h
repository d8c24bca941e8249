#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "platform/serial/far_end.h"

namespace tra1::sim {

// The far end's side of a real byte stream (a pseudo-terminal or a TCP connection) in real
// time. The stream passes bytes at any speed, so what the far end sends is paced at 9600 baud
// here; bytes from the editor are handed over as they arrive.
class PacedLine {
public:
    explicit PacedLine(serial::FarEnd& device) : device_(device) {}

    // Reads what waits on `fd` (non-blocking) and hands it to the far end; the far end's
    // answers are queued to go out at line speed. False when the stream has ended (end of file
    // or an error other than "nothing yet").
    bool Hear(int fd, std::int64_t nowNs);
    // Writes every queued byte whose time has come. When the stream takes no more, what was
    // queued is dropped, as a line nobody listens to loses it; false when the stream failed
    // for good (its reader has gone).
    bool Speak(int fd, std::int64_t nowNs);
    // Milliseconds until the next byte is due, at most `idleMs`.
    int MsUntilNextByte(std::int64_t nowNs, int idleMs) const;
    // Forgets what is queued (the listener went away).
    void Clear() { outgoing_.clear(); }

    static std::int64_t NowNs();

private:
    struct Outgoing {
        std::string bytes;
        std::int64_t startNs = 0;  // when its first byte is due
        std::size_t sent = 0;
    };

    serial::FarEnd& device_;
    std::deque<Outgoing> outgoing_;
    std::int64_t lineFreeNs_ = 0;
};

}  // namespace tra1::sim
