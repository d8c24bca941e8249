#include "platform/serial/tcp_serial_port.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>

namespace tra1::serial {
namespace {

// The link's write time-out: 10 ms per byte.
constexpr int kTcpWriteMsPerByte = 10;
// A connection that stops acknowledging what is sent, or goes quiet without an answer to the
// keep-alive probes, counts as dropped after about this long.
constexpr int kUserTimeoutMs = 10'000;
constexpr int kKeepAliveIdleS = 5;
constexpr int kKeepAliveIntervalS = 2;
constexpr int kKeepAliveProbes = 3;

std::int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void SetOption(int fd, int level, int name, int value) {
    (void)::setsockopt(fd, level, name, &value, sizeof value);
}

struct AddressListDeleter {
    void operator()(addrinfo* list) const { ::freeaddrinfo(list); }
};

// Connects one socket within the time left; the connected descriptor, or -1 with errno set.
int ConnectOne(const addrinfo& address, std::int64_t deadlineMs) {
    const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                            address.ai_protocol);
    if (fd < 0) {
        return -1;
    }
    if (::connect(fd, address.ai_addr, address.ai_addrlen) == 0) {
        return fd;
    }
    if (errno != EINPROGRESS) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    for (;;) {
        const std::int64_t left = deadlineMs - NowMs();
        if (left <= 0) {
            ::close(fd);
            errno = ETIMEDOUT;
            return -1;
        }
        pollfd p{fd, POLLOUT, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            ::close(fd);
            errno = ready == 0 ? ETIMEDOUT : errno;
            return -1;
        }
        int error = 0;
        socklen_t length = sizeof error;
        if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
            error = errno;
        }
        if (error != 0) {
            ::close(fd);
            errno = error;
            return -1;
        }
        return fd;
    }
}

}  // namespace

TcpSerialPort::~TcpSerialPort() {
    Close();
}

OpenResult TcpSerialPort::Open(int /*port*/) {
    Close();
    error_ = OpenError{OpenError::Kind::kNotMapped, {}, {}};
    return OpenResult::kNotMapped;
}

OpenResult TcpSerialPort::Refuse(OpenError error) {
    error_ = std::move(error);
    return OpenResult::kRefused;
}

OpenResult TcpSerialPort::Connect(const PortTarget& target, int portNumber) {
    Close();
    hungUp_ = false;
    error_ = {};
    codec_ = TelnetComPortCodec{};
    received_.clear();
    outgoing_.clear();
    where_ = target.HostAndPort();
    if (!target.IsNetwork()) {
        return Refuse(OpenError{OpenError::Kind::kBadTarget, target.path, {}});
    }

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV | AI_ADDRCONFIG;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(target.tcpPort);
    const int rc = ::getaddrinfo(target.host.c_str(), service.c_str(), &hints, &found);
    std::unique_ptr<addrinfo, AddressListDeleter> addresses(found);
    if (rc != 0) {
        OpenError error{OpenError::Kind::kHostNotFound, where_, ::gai_strerror(rc)};
        if (rc == EAI_SYSTEM) {
            error = OpenErrorFromErrno(errno, where_);
        }
        return Refuse(std::move(error));
    }

    const std::int64_t deadline = NowMs() + kConnectTimeoutMs;
    int lastError = ECONNREFUSED;
    for (const addrinfo* a = addresses.get(); a != nullptr && fd_ < 0; a = a->ai_next) {
        const int fd = ConnectOne(*a, deadline);
        if (fd >= 0) {
            fd_ = fd;
        } else {
            lastError = errno;
        }
    }
    if (fd_ < 0) {
        return Refuse(OpenErrorFromErrno(lastError, where_));
    }
    port_ = portNumber;
    // Frames are a few bytes each and the receiver answers each one: send them at once.
    SetOption(fd_, IPPROTO_TCP, TCP_NODELAY, 1);
    // Notice a server that vanished without closing the connection (power lost, cable cut).
    SetOption(fd_, SOL_SOCKET, SO_KEEPALIVE, 1);
    SetOption(fd_, IPPROTO_TCP, TCP_KEEPIDLE, kKeepAliveIdleS);
    SetOption(fd_, IPPROTO_TCP, TCP_KEEPINTVL, kKeepAliveIntervalS);
    SetOption(fd_, IPPROTO_TCP, TCP_KEEPCNT, kKeepAliveProbes);
    SetOption(fd_, IPPROTO_TCP, TCP_USER_TIMEOUT, kUserTimeoutMs);

    telnet_ = target.kind == PortTarget::Kind::kRfc2217;
    if (telnet_ && !NegotiateTelnet()) {
        const OpenError error = error_;
        Close();
        hungUp_ = false;
        error_ = error;
        return OpenResult::kRefused;
    }
    return OpenResult::kOpened;
}

bool TcpSerialPort::NegotiateTelnet() {
    outgoing_ = codec_.Greeting();
    const std::int64_t deadline = NowMs() + kNegotiationTimeoutMs;
    while (!codec_.ServerAnswered()) {
        const std::int64_t left = deadline - NowMs();
        if (left <= 0 || !Flush(static_cast<int>(left))) {
            error_ = OpenError{
                left <= 0 ? OpenError::Kind::kNoTelnet : OpenError::Kind::kConnectionRefused,
                where_,
                {}};
            return false;
        }
        pollfd p{fd_, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(std::max<std::int64_t>(left, 0)));
        if (ready < 0 && errno != EINTR) {
            error_ = OpenErrorFromErrno(errno, where_);
            return false;
        }
        if (ready > 0 && !Pump()) {
            // The server closed the connection at once: another client has the port.
            error_ = OpenError{OpenError::Kind::kBusy, where_, {}};
            return false;
        }
    }
    // The line settings the answer released go out now.
    if (!Flush(kNegotiationTimeoutMs)) {
        error_ = OpenError{OpenError::Kind::kBusy, where_, {}};
        return false;
    }
    return true;
}

bool TcpSerialPort::Pump() {
    if (fd_ < 0) {
        return false;
    }
    std::array<char, 1024> buffer{};
    for (;;) {
        const ssize_t n = ::recv(fd_, buffer.data(), buffer.size(), MSG_DONTWAIT);
        if (n > 0) {
            const std::string_view in(buffer.data(), static_cast<std::size_t>(n));
            if (telnet_) {
                codec_.Receive(in, received_, outgoing_);
            } else {
                received_.append(in);
            }
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break;
        }
        // End of file (the server closed) or a dropped connection.
        HangUp();
        return false;
    }
    return outgoing_.empty() || Flush(0);
}

bool TcpSerialPort::Flush(int budgetMs) {
    while (!outgoing_.empty() && fd_ >= 0) {
        const ssize_t n = ::send(fd_, outgoing_.data(), outgoing_.size(), MSG_NOSIGNAL);
        if (n > 0) {
            outgoing_.erase(0, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            HangUp();
            return false;
        }
        if (budgetMs <= 0) {
            break;  // the rest goes with the next call
        }
        pollfd p{fd_, POLLOUT, 0};
        const int waitMs = std::min(budgetMs, 10);
        budgetMs -= waitMs;
        (void)::poll(&p, 1, waitMs);
    }
    return fd_ >= 0;
}

std::size_t TcpSerialPort::BytesWaiting() {
    if (fd_ < 0 || !Pump()) {
        return 0;
    }
    return received_.size();
}

std::size_t TcpSerialPort::Read(std::span<char> buffer) {
    if (fd_ < 0) {
        return 0;
    }
    if (received_.empty() && !Pump()) {
        return 0;
    }
    const std::size_t n = std::min(buffer.size(), received_.size());
    std::copy_n(received_.data(), n, buffer.data());
    received_.erase(0, n);
    return n;
}

std::size_t TcpSerialPort::Write(std::string_view bytes) {
    if (fd_ < 0 || bytes.empty()) {
        return 0;
    }
    // Bytes still queued from before go first; if they cannot, nothing new is taken.
    if (!Flush(kTcpWriteMsPerByte * static_cast<int>(outgoing_.size())) || !outgoing_.empty()) {
        return 0;
    }
    outgoing_ = telnet_ ? codec_.Encode(bytes) : std::string(bytes);
    // Whatever the budget leaves unsent stays queued and leaves with the next call: the bytes
    // are committed to the line either way.
    if (!Flush(kTcpWriteMsPerByte * static_cast<int>(bytes.size()))) {
        return 0;
    }
    return bytes.size();
}

bool TcpSerialPort::Close() {
    if (fd_ < 0) {
        return false;
    }
    const int rc = ::close(fd_);
    fd_ = -1;
    port_ = 0;
    telnet_ = false;
    received_.clear();
    outgoing_.clear();
    return rc == 0;
}

void TcpSerialPort::HangUp() {
    if (fd_ < 0) {
        return;
    }
    Close();
    hungUp_ = true;
}

bool TcpSerialPort::TakeHangUp() {
    const bool hungUp = hungUp_;
    hungUp_ = false;
    return hungUp;
}

}  // namespace tra1::serial
