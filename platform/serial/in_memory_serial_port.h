#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "platform/serial/far_end.h"
#include "platform/serial/line_clock.h"
#include "platform/serial/paced_far_end.h"
#include "platform/serial/serial_port.h"

namespace tra1::serial {

// The editor's end of an in-memory serial line whose other end is a FarEnd (the virtual
// receiver), on the given clock; nothing here sleeps or looks at the wall clock. The far end's
// answers arrive at 9600 baud: after t ms of an answer, floor(t * 24 / 25) of its bytes can be
// read.
//
// With a FarEndPacing the far end is paced as a receiver is (PacedFarEnd): the editor's bytes
// cross the line one after another, each frame is heard when its last byte has crossed and
// answered once the answer before it is out, and bytes that overrun its input buffer are lost.
// Without one, each write reaches the far end whole, and the answer starts once the written
// bytes would have crossed the line.
//
// Tests can make a port number refuse to open or refuse its settings, and can make the far end
// hang up.
class InMemorySerialPort final : public SerialPort {
public:
    InMemorySerialPort(const LineClock& clock, FarEnd& farEnd,
                       std::optional<FarEndPacing> pacing = std::nullopt);

    OpenResult Open(int port) override;
    bool IsOpen() const override { return open_; }
    int OpenPortNumber() const override { return open_ ? port_ : 0; }
    std::size_t BytesWaiting() override;
    std::size_t Read(std::span<char> buffer) override;
    std::size_t Write(std::string_view bytes) override;
    std::string LastWriteError() const override { return writeError_; }
    bool Close() override;
    bool TakeHangUp() override;
    OpenError LastOpenError() const override { return error_; }

    // What Open(port) answers for a port number 1..8 (every port opens by default), and the
    // reason a failed open gives.
    void SetOpenOutcome(int port, OpenResult outcome, OpenError reason = {});
    // The far end goes away: the next BytesWaiting or Read reports the hang-up.
    void HangUpFarEnd();
    // Puts bytes on the line as if the far end had sent them, after `gapMs` of silence behind
    // whatever is already on its way (for batches no receiver would send, such as a leading NUL).
    void InjectFromFarEnd(std::string bytes, int gapMs = 0);
    // The next `count` writes fail (write nothing and return 0, with an I/O error as reason).
    void FailNextWrites(int count) { failWrites_ = count > 0 ? count : 0; }
    // Whether Close reports a failure (the port then stays open).
    void SetCloseFails(bool fails) { closeFails_ = fails; }
    // How many Write calls there were, failed ones included.
    int WriteCalls() const { return writeCalls_; }
    // Every byte the editor has written, in order (for tests).
    const std::string& Written() const { return written_; }
    // Bytes the far end has queued that have not yet crossed the line.
    std::size_t BytesInFlight() const;
    // The virtual time (ms, rounded up) at which the last queued byte will have arrived.
    std::int64_t LineIdleAtMs() const;
    // When bytes will next be ready to read, in the clock's ms: now when some wait, else when the
    // answer now on its way has arrived whole; nullopt when nothing is on its way or the port is
    // closed.
    std::optional<std::int64_t> NextArrivalMs() const override;
    // Bytes the paced far end lost to its full input buffer (0 without pacing).
    std::size_t BytesLostByFarEnd() const { return paced_ ? paced_->LostBytes() : 0; }

private:
    struct Pending {
        std::string bytes;
        std::int64_t startTick = 0;  // when its first byte starts, in line ticks
        std::size_t delivered = 0;
    };

    void Deliver();
    void Queue(std::string bytes, std::int64_t earliestTick, int gapMs);
    bool CheckHangUp();
    std::int64_t NowTicks() const;

    const LineClock& clock_;
    FarEnd& farEnd_;
    std::optional<PacedFarEnd> paced_;
    std::array<OpenResult, kLastComPort + 1> outcomes_{};
    std::array<OpenError, kLastComPort + 1> reasons_{};
    OpenError error_;
    bool open_ = false;
    int port_ = 0;
    bool farEndGone_ = false;
    bool hungUp_ = false;
    std::deque<Pending> pending_;
    std::string readable_;
    std::string written_;
    std::int64_t lineFreeTick_ = 0;  // the far end's transmitter is busy until then
    int failWrites_ = 0;
    bool closeFails_ = false;
    int writeCalls_ = 0;
    std::string writeError_;
};

}  // namespace tra1::serial
