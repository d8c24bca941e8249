#include "sim/tcp_server.h"

#include "sim/receiver_pacing.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace tra1::sim {
namespace {

constexpr int kIdlePollMs = 100;  // how often the stop flag is looked at when nothing happens
constexpr int kBacklog = 4;

}  // namespace

TcpServer::TcpServer(serial::FarEnd& device) : line_(device, kReceiverPacing) {}

TcpServer::~TcpServer() {
    DropClient();
    if (listener_ >= 0) {
        ::close(listener_);
    }
}

bool TcpServer::Listen(int port, std::string& error) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener_ < 0) {
        error = std::string("socket: ") + std::strerror(errno);
        return false;
    }
    const int yes = 1;
    (void)::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        error = "127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
        return false;
    }
    if (::listen(listener_, kBacklog) != 0) {
        error = std::string("listen: ") + std::strerror(errno);
        return false;
    }
    socklen_t length = sizeof address;
    if (::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        error = std::string("getsockname: ") + std::strerror(errno);
        return false;
    }
    port_ = ntohs(address.sin_port);
    return true;
}

void TcpServer::Accept() {
    for (;;) {
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            return;
        }
        if (client_ >= 0) {
            // The port has its one user already.
            ::close(fd);
            continue;
        }
        const int yes = 1;
        (void)::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
        client_ = fd;
    }
}

void TcpServer::DropClient() {
    if (client_ >= 0) {
        ::close(client_);
        client_ = -1;
    }
    line_.Clear();
}

int TcpServer::Run(const volatile std::sig_atomic_t& stop) {
    if (listener_ < 0) {
        return 1;
    }
    while (stop == 0) {
        std::array<pollfd, 2> fds{pollfd{listener_, POLLIN, 0}, pollfd{client_, POLLIN, 0}};
        const nfds_t count = client_ >= 0 ? 2 : 1;
        const int ready =
            ::poll(fds.data(), count, line_.MsUntilNextWrite(PacedLine::NowNs(), kIdlePollMs));
        if (ready < 0 && errno != EINTR) {
            return 1;
        }
        const std::int64_t now = PacedLine::NowNs();
        // The client first: one that has left makes room for the next before it is turned
        // away.
        if (client_ >= 0 && ready > 0 && count == 2 && fds[1].revents != 0 &&
            !line_.Hear(client_, now)) {
            DropClient();
        }
        if (ready > 0 && (fds[0].revents & POLLIN) != 0) {
            Accept();
        }
        if (client_ >= 0 && !line_.Speak(client_, now)) {
            DropClient();
        }
    }
    return 0;
}

}  // namespace tra1::sim
