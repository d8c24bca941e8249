#include "sim/paced_line.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>

#include "platform/serial/line_timing.h"

namespace tra1::sim {
namespace {

constexpr std::int64_t kNsPerMs = 1'000'000;

}  // namespace

std::int64_t PacedLine::NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool PacedLine::Hear(int fd, std::int64_t nowNs) {
    std::array<char, 256> buffer{};
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return true;
        }
        if (n <= 0) {
            return false;
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

bool PacedLine::Speak(int fd, std::int64_t nowNs) {
    while (!outgoing_.empty()) {
        Outgoing& front = outgoing_.front();
        if (nowNs < front.startNs) {
            return true;
        }
        // Every byte whose time has come (a late wake-up sends the backlog at once).
        const auto due =
            static_cast<std::size_t>((nowNs - front.startNs) / serial::kNanosecondsPerByte) + 1;
        const std::size_t upTo = std::min(due, front.bytes.size());
        if (upTo > front.sent) {
            const ssize_t n = ::write(fd, front.bytes.data() + front.sent, upTo - front.sent);
            if (n < 0 && errno == EINTR) {
                return true;
            }
            if (n <= 0) {
                // Nobody drains the stream: what a real line would lose is dropped, rather
                // than retried in a busy loop. Only an error other than a full stream ends it.
                const bool full = n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
                outgoing_.clear();
                return full;
            }
            front.sent += static_cast<std::size_t>(n);
        }
        if (front.sent < front.bytes.size()) {
            return true;
        }
        outgoing_.pop_front();
    }
    return true;
}

int PacedLine::MsUntilNextByte(std::int64_t nowNs, int idleMs) const {
    if (outgoing_.empty()) {
        return idleMs;
    }
    const Outgoing& front = outgoing_.front();
    const std::int64_t dueNs =
        front.startNs + static_cast<std::int64_t>(front.sent) * serial::kNanosecondsPerByte;
    if (dueNs <= nowNs) {
        return 0;
    }
    return static_cast<int>(
        std::min<std::int64_t>((dueNs - nowNs + kNsPerMs - 1) / kNsPerMs, idleMs));
}

}  // namespace tra1::sim
