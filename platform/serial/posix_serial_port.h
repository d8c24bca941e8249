#pragma once

#include <termios.h>

#include <string>

#include "platform/serial/device_lock.h"
#include "platform/serial/serial_port.h"

namespace tra1::serial {

// A serial port of the operating system. The line is set to 9600 baud, 8 data bits, no parity,
// 1 stop bit, raw, with RTS/CTS hardware flow control, no software flow control and DTR off;
// whatever settings the port had before are put back when it closes. The port is used by this
// program alone: the exclusive flag of the terminal, an advisory lock on the device and the lock
// file that other serial programs honour (device_lock.h). Modem-line calls that a
// pseudo-terminal refuses are skipped, so one works like a real port.
class PosixSerialPort final : public SerialPort {
public:
    PosixSerialPort() = default;
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    // Opens the device of COMn as ComPortDevicePath says (TRA1_COMn or /dev/ttyS<n-1>).
    OpenResult Open(int port) override;
    // Opens a device path directly (COMn is then reported as `portNumber`).
    OpenResult OpenDevice(const std::string& path, int portNumber);
    bool IsOpen() const override { return fd_ >= 0; }
    int OpenPortNumber() const override { return fd_ >= 0 ? port_ : 0; }

    std::size_t BytesWaiting() override;
    std::size_t Read(std::span<char> buffer) override;
    std::size_t Write(std::string_view bytes) override;
    std::string LastWriteError() const override { return writeError_; }
    bool Close() override;
    bool TakeHangUp() override;
    int ReadableDescriptor() const override { return fd_; }
    OpenError LastOpenError() const override { return error_; }

    // The path of the open device; empty when closed.
    const std::string& DevicePath() const { return path_; }
    // Where lock files are made (tests use a folder of their own).
    void SetLockFolder(std::string folder) { lockFolder_ = std::move(folder); }

private:
    OpenResult Refuse(OpenError error);
    bool ApplyLineSettings();
    void RestorePreviousSettings();
    void HangUp();

    int fd_ = -1;
    int port_ = 0;
    std::string path_;
    bool hungUp_ = false;
    OpenError error_;
    std::string lockFolder_ = DeviceLockFile::kDefaultLockFolder;
    DeviceLockFile lockFile_;
    // What the port was set to before this program opened it.
    termios previous_{};
    bool havePrevious_ = false;
    int previousModemLines_ = 0;
    bool havePreviousModemLines_ = false;
    std::string writeError_;
};

}  // namespace tra1::serial
