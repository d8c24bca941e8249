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

std::int64_t TicksOfNs(std::int64_t ns) {
    return ns * serial::kLineTicksPerMs / kNsPerMs;
}

std::int64_t NsOfTicks(std::int64_t ticks) {
    return ticks * kNsPerMs / serial::kLineTicksPerMs;
}

// When byte `index` of a run that starts at `startNs` has crossed the line.
std::int64_t CrossedNs(std::int64_t startNs, std::size_t index) {
    return startNs + static_cast<std::int64_t>(index + 1) * serial::kNanosecondsPerByte;
}

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
        for (serial::TimedSegment& segment : device_.Hear(
                 std::string_view(buffer.data(), static_cast<std::size_t>(n)), TicksOfNs(nowNs))) {
            const std::int64_t start = std::max(NsOfTicks(segment.startTick), lineFreeNs_);
            lineFreeNs_ = start + static_cast<std::int64_t>(segment.bytes.size()) *
                                      serial::kNanosecondsPerByte;
            outgoing_.push_back(Outgoing{std::move(segment.bytes), start, 0});
        }
    }
}

bool PacedLine::Speak(int fd, std::int64_t nowNs) {
    while (!outgoing_.empty()) {
        Outgoing& front = outgoing_.front();
        // Every byte that has crossed by now (a late wake-up sends the backlog at once).
        std::size_t upTo = front.sent;
        while (upTo < front.bytes.size() && CrossedNs(front.startNs, upTo) <= nowNs) {
            ++upTo;
        }
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

int PacedLine::MsUntilNextWrite(std::int64_t nowNs, int idleMs) const {
    if (outgoing_.empty()) {
        return idleMs;
    }
    const Outgoing& front = outgoing_.front();
    // A slice: the bytes of about 10 ms go together, but the last byte of an answer goes the
    // moment it has crossed, so that the editor gets the whole answer on time.
    const std::int64_t nextNs = CrossedNs(front.startNs, front.sent);
    const std::int64_t endNs = CrossedNs(front.startNs, front.bytes.size() - 1);
    const std::int64_t dueNs =
        std::min(endNs, nextNs + kSliceMs * kNsPerMs - serial::kNanosecondsPerByte);
    if (dueNs <= nowNs) {
        return 0;
    }
    return static_cast<int>(
        std::min<std::int64_t>((dueNs - nowNs + kNsPerMs - 1) / kNsPerMs, idleMs));
}

void PacedLine::Clear() {
    outgoing_.clear();
    device_.Reset();
}

}  // namespace tra1::sim
