#pragma once

#include <string>

#include "platform/serial/serial_port.h"

namespace tra1::serial {

// A serial port of the operating system, reached through the COMn mapping of
// ComPortDevicePath. The line is set to 9600 baud, 8 data bits, no parity, 1 stop bit, raw, with
// RTS/CTS hardware flow control and no software flow control. Modem-line ioctls are never used,
// so a pseudo-terminal (which refuses them) works like a real port.
class PosixSerialPort final : public SerialPort {
public:
    PosixSerialPort() = default;
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    OpenResult Open(int port) override;
    // Opens a device path directly (COMn is then reported as `portNumber`).
    OpenResult OpenDevice(const std::string& path, int portNumber);
    bool IsOpen() const override { return fd_ >= 0; }
    int OpenPortNumber() const override { return fd_ >= 0 ? port_ : 0; }

    std::size_t BytesWaiting() override;
    std::size_t Read(std::span<char> buffer) override;
    std::size_t Write(std::string_view bytes) override;
    bool Close() override;
    bool TakeHangUp() override;

    // The path of the open device; empty when closed.
    const std::string& DevicePath() const { return path_; }

private:
    bool ApplyLineSettings();
    void HangUp();

    int fd_ = -1;
    int port_ = 0;
    std::string path_;
    bool hungUp_ = false;
};

}  // namespace tra1::serial
