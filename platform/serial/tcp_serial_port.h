#pragma once

#include <string>

#include "platform/serial/port_target.h"
#include "platform/serial/serial_port.h"
#include "platform/serial/telnet_codec.h"

namespace tra1::serial {

// A serial line behind a serial server on the network (ser2net, a device server, an ESP
// bridge): a TCP connection that carries the line's bytes as they are (socket://) or inside
// Telnet with the COM-PORT-OPTION (rfc2217://), which also sets the server's port to the link's
// line settings. The connection is made without blocking for longer than its time-outs; a
// connection that the server or the network drops is a hang-up, exactly like an adapter pulled
// from the machine.
class TcpSerialPort final : public SerialPort {
public:
    static constexpr int kConnectTimeoutMs = 3000;
    // How long an rfc2217:// server has to answer the Telnet opening.
    static constexpr int kNegotiationTimeoutMs = 3000;

    TcpSerialPort() = default;
    ~TcpSerialPort() override;
    TcpSerialPort(const TcpSerialPort&) = delete;
    TcpSerialPort& operator=(const TcpSerialPort&) = delete;

    // A TCP port has no COM number of its own: Open fails as not mapped; use Connect.
    OpenResult Open(int port) override;
    // Connects to a socket:// or rfc2217:// target and reports it as COM `portNumber`.
    OpenResult Connect(const PortTarget& target, int portNumber);
    bool IsOpen() const override { return fd_ >= 0; }
    int OpenPortNumber() const override { return fd_ >= 0 ? port_ : 0; }

    std::size_t BytesWaiting() override;
    std::size_t Read(std::span<char> buffer) override;
    std::size_t Write(std::string_view bytes) override;
    bool Close() override;
    bool TakeHangUp() override;
    int ReadableDescriptor() const override { return fd_; }
    OpenError LastOpenError() const override { return error_; }

    // What an rfc2217:// server confirmed of the line settings (empty for socket://).
    const TelnetComPortCodec::ServerSettings& ServerSettings() const { return codec_.Settings(); }
    bool ComPortAccepted() const { return telnet_ && codec_.ComPortAccepted(); }

private:
    OpenResult Refuse(OpenError error);
    // Reads whatever the server has sent, decodes it and answers what Telnet asks; false when
    // the connection has gone (the port is then closed as hung up).
    bool Pump();
    // Sends what waits in the output queue, waiting for room at most `budgetMs`; false when
    // the connection has gone.
    bool Flush(int budgetMs);
    bool NegotiateTelnet();
    void HangUp();

    int fd_ = -1;
    int port_ = 0;
    bool telnet_ = false;
    bool hungUp_ = false;
    std::string where_;     // HOST:PORT
    std::string received_;  // the line's bytes, decoded, not yet read
    std::string outgoing_;  // bytes for the server not yet sent
    TelnetComPortCodec codec_;
    OpenError error_;
};

}  // namespace tra1::serial
