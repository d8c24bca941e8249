#include "sim/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "platform/serial/line_timing.h"

namespace tra1::sim {
namespace {

std::int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

constexpr int kIdlePollMs = 100;  // how often the stop flag is looked at when nothing happens
constexpr std::int64_t kNsPerMs = 1'000'000;

}  // namespace

PtyServer::PtyServer(serial::FarEnd& device) : device_(device) {}

PtyServer::~PtyServer() {
    if (keepOpen_ >= 0) {
        ::close(keepOpen_);
    }
    if (master_ >= 0) {
        ::close(master_);
    }
}

bool PtyServer::Open(std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) {
        error = std::string("posix_openpt: ") + std::strerror(errno);
        return false;
    }
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = std::string("grantpt/unlockpt: ") + std::strerror(errno);
        return false;
    }
    const char* name = ::ptsname(master_);
    if (name == nullptr) {
        error = std::string("ptsname: ") + std::strerror(errno);
        return false;
    }
    devicePath_ = name;
    // Hold the terminal side open: without it the master reports a hang-up whenever the editor
    // is not connected, and the settings below would be lost between connections.
    keepOpen_ = ::open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (keepOpen_ < 0) {
        error = "open " + devicePath_ + ": " + std::strerror(errno);
        return false;
    }
    // Raw from the start: a terminal in its default mode would echo the receiver's own answers
    // back to it and translate line ends.
    termios tio{};
    if (::tcgetattr(keepOpen_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B9600);
        ::cfsetospeed(&tio, B9600);
        ::tcsetattr(keepOpen_, TCSANOW, &tio);
    }
    const int flags = ::fcntl(master_, F_GETFL);
    ::fcntl(master_, F_SETFL, flags | O_NONBLOCK);
    return true;
}

void PtyServer::Hear(std::int64_t nowNs) {
    std::array<char, 256> buffer{};
    for (;;) {
        const ssize_t n = ::read(master_, buffer.data(), buffer.size());
        if (n <= 0) {
            return;
        }
        // The far end has heard the bytes once they have crossed the line.
        const std::int64_t heard = nowNs + n * serial::kNanosecondsPerByte;
        std::int64_t start = std::max(heard, lineFreeNs_);
        for (serial::LineSegment& segment :
             device_.Receive(std::string_view(buffer.data(), static_cast<std::size_t>(n)))) {
            start += std::max(segment.gapBeforeMs, 0) * kNsPerMs;
            if (segment.bytes.empty()) {
                continue;
            }
            const auto length =
                static_cast<std::int64_t>(segment.bytes.size()) * serial::kNanosecondsPerByte;
            outgoing_.push_back(Outgoing{std::move(segment.bytes), start, 0});
            start += length;
            lineFreeNs_ = start;
        }
    }
}

void PtyServer::Speak(std::int64_t nowNs) {
    while (!outgoing_.empty()) {
        Outgoing& front = outgoing_.front();
        if (nowNs < front.startNs) {
            return;
        }
        // Every byte whose time has come (a late wake-up sends the backlog at once).
        const auto due =
            static_cast<std::size_t>((nowNs - front.startNs) / serial::kNanosecondsPerByte) + 1;
        const std::size_t upTo = std::min(due, front.bytes.size());
        if (upTo > front.sent) {
            const ssize_t n = ::write(master_, front.bytes.data() + front.sent, upTo - front.sent);
            if (n < 0 && errno == EINTR) {
                return;
            }
            if (n <= 0) {
                // Nobody drains the terminal (the editor is not connected): what a real line
                // would lose is dropped, rather than retried in a busy loop.
                outgoing_.clear();
                return;
            }
            front.sent += static_cast<std::size_t>(n);
        }
        if (front.sent < front.bytes.size()) {
            return;
        }
        outgoing_.pop_front();
    }
}

int PtyServer::MsUntilNextByte(std::int64_t nowNs) const {
    if (outgoing_.empty()) {
        return kIdlePollMs;
    }
    const Outgoing& front = outgoing_.front();
    const std::int64_t dueNs =
        front.startNs + static_cast<std::int64_t>(front.sent) * serial::kNanosecondsPerByte;
    if (dueNs <= nowNs) {
        return 0;
    }
    return static_cast<int>(
        std::min<std::int64_t>((dueNs - nowNs + kNsPerMs - 1) / kNsPerMs, kIdlePollMs));
}

int PtyServer::Run(const volatile std::sig_atomic_t& stop) {
    if (master_ < 0) {
        return 1;
    }
    while (stop == 0) {
        pollfd p{master_, POLLIN, 0};
        const int ready = ::poll(&p, 1, MsUntilNextByte(NowNs()));
        if (ready < 0 && errno != EINTR) {
            return 1;
        }
        const std::int64_t now = NowNs();
        if (ready > 0 && (p.revents & POLLIN) != 0) {
            Hear(now);
        } else if (ready > 0) {
            // A hang-up or error without data: do not spin on it.
            ::poll(nullptr, 0, kIdlePollMs);
        }
        Speak(now);
    }
    return 0;
}

}  // namespace tra1::sim
