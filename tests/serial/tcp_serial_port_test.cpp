// The TCP port against a serial server played by the test on 127.0.0.1: bytes both ways (255
// included), the Telnet opening and the line settings of rfc2217://, and a server that drops
// the connection, which is a hang-up reported once.

#include "platform/serial/tcp_serial_port.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <functional>
#include <string>
#include <thread>

#include "platform/serial/telnet_codec.h"
#include "tests/support/child_process.h"

namespace tra1::serial {
namespace {

using namespace telnet;

// Accepts one client on a thread of its own and runs `serve` with the connected socket.
class FakeServer {
public:
    explicit FakeServer(std::function<void(int)> serve) {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 1);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this, serve = std::move(serve)] {
            pollfd p{listener_, POLLIN, 0};
            if (::poll(&p, 1, 30'000) != 1) {
                return;
            }
            const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0) {
                serve(client);
                ::close(client);
            }
        });
    }
    ~FakeServer() {
        thread_.join();
        ::close(listener_);
    }
    PortTarget Target(PortTarget::Kind kind) const {
        return PortTarget{kind, "", "127.0.0.1", port_};
    }

private:
    int listener_ = -1;
    int port_ = 0;
    std::thread thread_;
};

// Reads from the socket until `done` holds for what came, or the time-out; what came.
std::string ReceiveUntil(int fd, const std::function<bool(const std::string&)>& done) {
    std::string got;
    const std::int64_t deadline = testing::SteadyNowMs() + 30'000;
    while (!done(got) && testing::SteadyNowMs() < deadline) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 100) == 1) {
            std::array<char, 512> buffer{};
            const ssize_t n = ::recv(fd, buffer.data(), buffer.size(), 0);
            if (n <= 0) {
                break;
            }
            got.append(buffer.data(), static_cast<std::size_t>(n));
        }
    }
    return got;
}

// What the port has to read, gathered until `count` bytes came or the time-out.
std::string ReadFromPort(TcpSerialPort& port, std::size_t count) {
    std::string got;
    const std::int64_t deadline = testing::SteadyNowMs() + 30'000;
    while (got.size() < count && port.IsOpen() && testing::SteadyNowMs() < deadline) {
        std::array<char, 256> buffer{};
        if (port.BytesWaiting() == 0) {
            ::poll(nullptr, 0, 5);
            continue;
        }
        got.append(buffer.data(), port.Read(buffer));
    }
    return got;
}

const std::string kFrameWith255 = std::string("\x12R3109\xff", 7) + "\x03";

TEST(TcpSerialPort, RawBytesPassUnchangedAndADroppedConnectionIsOneHangUp) {
    FakeServer server([](int client) {
        const std::string heard =
            ReceiveUntil(client, [](const std::string& s) { return s.size() >= 6; });
        if (heard == std::string("\x11"
                                 "000\x03\xff",
                                 6)) {
            ::send(client, kFrameWith255.data(), kFrameWith255.size(), MSG_NOSIGNAL);
        }
        // Waits for the client's go-ahead byte, then drops the connection.
        ReceiveUntil(client, [](const std::string& s) { return !s.empty(); });
    });
    TcpSerialPort port;
    ASSERT_EQ(port.Connect(server.Target(PortTarget::Kind::kRawTcp), 2), OpenResult::kOpened);
    EXPECT_EQ(port.OpenPortNumber(), 2);
    EXPECT_FALSE(port.ComPortAccepted());
    EXPECT_EQ(port.Write(std::string("\x11"
                                     "000\x03\xff",
                                     6)),
              6u);
    EXPECT_EQ(ReadFromPort(port, kFrameWith255.size()), kFrameWith255);

    EXPECT_EQ(port.Write("!"), 1u);
    int reports = 0;
    const std::int64_t deadline = testing::SteadyNowMs() + 30'000;
    while (port.IsOpen() && testing::SteadyNowMs() < deadline) {
        port.BytesWaiting();
        reports += port.TakeHangUp() ? 1 : 0;
        ::poll(nullptr, 0, 5);
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(port.BytesWaiting(), 0u);
        std::array<char, 8> b{};
        EXPECT_EQ(port.Read(b), 0u);
        EXPECT_EQ(port.Write("x"), 0u);
        reports += port.TakeHangUp() ? 1 : 0;
    }
    EXPECT_EQ(reports, 1);
    EXPECT_FALSE(port.IsOpen());
}

TEST(TcpSerialPort, Rfc2217SetsTheServersLineAndEscapesBothWays) {
    std::string settingsHeard;
    std::string dataHeard;
    FakeServer server([&](int client) {
        TelnetComPortCodec expected;
        const std::string greeting = expected.Greeting();
        ReceiveUntil(client, [&](const std::string& s) { return s.size() >= greeting.size(); });
        const std::string answer = std::string{char(kIac), char(kDo),   char(kComPortOption),
                                               char(kIac), char(kWill), char(kBinary),
                                               char(kIac), char(kDo),   char(kBinary)};
        ::send(client, answer.data(), answer.size(), MSG_NOSIGNAL);
        // The line settings: seven subnegotiations, each ending IAC SE.
        settingsHeard = ReceiveUntil(client, [](const std::string& s) {
            int ends = 0;
            for (std::size_t i = 0; i + 1 < s.size(); ++i) {
                ends += s[i] == char(kIac) && s[i + 1] == char(kSe) ? 1 : 0;
            }
            return ends >= 7;
        });
        const std::string baudAck = std::string{char(kIac),
                                                char(kSb),
                                                char(kComPortOption),
                                                char(kServerOffset + kSetBaudRate),
                                                0,
                                                0,
                                                0x25,
                                                char(0x80),
                                                char(kIac),
                                                char(kSe)};
        const std::string frame = std::string("\x12R3109") + char(kIac) + char(kIac) + "\x03";
        ::send(client, (baudAck + frame).data(), baudAck.size() + frame.size(), MSG_NOSIGNAL);
        dataHeard = ReceiveUntil(client, [](const std::string& s) { return s.size() >= 6; });
    });
    TcpSerialPort port;
    ASSERT_EQ(port.Connect(server.Target(PortTarget::Kind::kRfc2217), 5), OpenResult::kOpened);
    EXPECT_TRUE(port.ComPortAccepted());
    EXPECT_EQ(ReadFromPort(port, kFrameWith255.size()), kFrameWith255);
    EXPECT_EQ(port.ServerSettings().baudRate, 9600u);
    EXPECT_EQ(port.Write(std::string("\x11\xff"
                                     "00\x03",
                                     5)),
              5u);
    port.BytesWaiting();
    while (port.IsOpen()) {
        port.BytesWaiting();  // until the server has heard it all and gone
        ::poll(nullptr, 0, 5);
    }
    EXPECT_EQ(dataHeard, std::string("\x11\xff\xff"
                                     "00\x03",
                                     6));
    // 9600 baud, 8 data bits, no parity, 1 stop bit, hardware flow both ways, DTR off.
    const std::string settings =
        std::string{char(kIac), char(kSb), char(kComPortOption), char(kSetBaudRate), 0,
                    0,          0x25,      char(0x80),           char(kIac),         char(kSe)};
    EXPECT_EQ(settingsHeard.substr(0, settings.size()), settings);
    for (const int control : {kControlOutboundHardware, kControlInboundHardware, kControlDtrOff}) {
        const std::string set{char(kSb), char(kComPortOption), char(kSetControl), char(control)};
        EXPECT_NE(settingsHeard.find(set), std::string::npos) << control;
    }
}

}  // namespace
}  // namespace tra1::serial
