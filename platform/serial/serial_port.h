#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/serial/open_error.h"

namespace tra1::serial {

// The COM port numbers the editor knows.
inline constexpr int kFirstComPort = 1;
inline constexpr int kLastComPort = 8;

constexpr bool IsComPortNumber(int port) {
    return port >= kFirstComPort && port <= kLastComPort;
}

// How an attempt to open a port ended. LastOpenError() says why it failed.
enum class OpenResult {
    kOpened,          // open, 9600 8N1 raw, ready to read and write
    kRefused,         // the OS refused the device (missing, busy, no permission), the serial
                      // server could not be reached, or no such COMn
    kSettingsFailed,  // the device opened but the line settings could not be applied; closed
    kNotMapped,       // the COM number leads nowhere: nothing was tried
};

// One serial line, opened by COM port number. Everything is non-blocking from the caller's
// point of view: BytesWaiting says how much Read can take at once, and a write gives up after a
// short bounded time instead of hanging on flow control.
//
// A far end that hangs up (the device vanishes, the other side of a pseudo-terminal closes) is
// noticed by BytesWaiting or Read: the port closes itself and TakeHangUp() returns true exactly
// once, so the caller reports it once instead of looping on errors.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens COM`port` (1..8). An already open port is closed first.
    virtual OpenResult Open(int port) = 0;
    virtual bool IsOpen() const = 0;
    // The COM port number that is open, 0 when closed.
    virtual int OpenPortNumber() const = 0;

    // Bytes that a Read can take now; 0 when closed, nothing waits, or the far end hung up.
    virtual std::size_t BytesWaiting() = 0;
    // Reads up to buffer.size() bytes that are already waiting; returns the count (0 when
    // nothing waits, on an error, or when closed). Never waits for more bytes.
    virtual std::size_t Read(std::span<char> buffer) = 0;
    // Writes the bytes; returns how many were written (all of them on success). Returns 0 when
    // closed.
    virtual std::size_t Write(std::string_view bytes) = 0;
    // Why the last Write did not take all its bytes, in the system's words; empty when it did
    // or when the port cannot say.
    virtual std::string LastWriteError() const { return {}; }
    // Closes the port; true when it was open and closed cleanly.
    virtual bool Close() = 0;

    // True once after the port closed itself because the far end hung up.
    virtual bool TakeHangUp() = 0;

    // How a caller learns that bytes have arrived without asking every few milliseconds. A port
    // of the operating system names the descriptor that becomes readable (-1 while closed); a
    // line that runs on the caller's own clock (the in-memory line) says instead when its next
    // bytes will be there, in that clock's milliseconds (nullopt: none on their way).
    virtual int ReadableDescriptor() const { return -1; }
    virtual std::optional<std::int64_t> NextArrivalMs() const { return std::nullopt; }

    // Why the last Open failed; kind kNone after one that succeeded, or when the port cannot
    // say.
    virtual OpenError LastOpenError() const { return {}; }
};

}  // namespace tra1::serial
