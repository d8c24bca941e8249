#pragma once

#include "platform/serial/com_port_map.h"
#include "platform/serial/posix_serial_port.h"
#include "platform/serial/serial_port.h"
#include "platform/serial/tcp_serial_port.h"

namespace tra1::serial {

// The program's serial line: opens COMn wherever the port map leads it, a device of this
// machine through the POSIX port or a serial server through the TCP port, and from then on
// passes every call to the one that is open. A number mapped to nothing is not tried.
class MappedSerialPort final : public SerialPort {
public:
    // `map` must outlive the port; changes to it count from the next Open.
    explicit MappedSerialPort(const ComPortMap& map) : map_(map) {}

    OpenResult Open(int port) override;
    bool IsOpen() const override { return active_ != nullptr && active_->IsOpen(); }
    int OpenPortNumber() const override { return IsOpen() ? active_->OpenPortNumber() : 0; }
    std::size_t BytesWaiting() override { return active_ ? active_->BytesWaiting() : 0; }
    std::size_t Read(std::span<char> buffer) override {
        return active_ ? active_->Read(buffer) : 0;
    }
    std::size_t Write(std::string_view bytes) override {
        return active_ ? active_->Write(bytes) : 0;
    }
    bool Close() override { return active_ != nullptr && active_->Close(); }
    bool TakeHangUp() override { return active_ != nullptr && active_->TakeHangUp(); }
    int ReadableDescriptor() const override {
        return IsOpen() ? active_->ReadableDescriptor() : -1;
    }
    OpenError LastOpenError() const override { return error_; }

    // The target of the port that is open (or was tried last).
    const std::string& Target() const { return target_; }
    void SetLockFolder(std::string folder) { device_.SetLockFolder(std::move(folder)); }

private:
    const ComPortMap& map_;
    PosixSerialPort device_;
    TcpSerialPort network_;
    SerialPort* active_ = nullptr;
    std::string target_;
    OpenError error_;
};

}  // namespace tra1::serial
