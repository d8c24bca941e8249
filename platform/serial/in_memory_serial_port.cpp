#include "platform/serial/in_memory_serial_port.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/serial/line_timing.h"

namespace tra1::serial {

InMemorySerialPort::InMemorySerialPort(const LineClock& clock, FarEnd& farEnd,
                                       std::optional<FarEndPacing> pacing)
    : clock_(clock), farEnd_(farEnd) {
    outcomes_.fill(OpenResult::kOpened);
    if (pacing) {
        paced_.emplace(farEnd_, *pacing);
    }
}

std::int64_t InMemorySerialPort::NowTicks() const {
    return MsToLineTicks(clock_.NowMs());
}

void InMemorySerialPort::SetOpenOutcome(int port, OpenResult outcome, OpenError reason) {
    if (IsComPortNumber(port)) {
        outcomes_.at(static_cast<std::size_t>(port)) = outcome;
        reasons_.at(static_cast<std::size_t>(port)) = std::move(reason);
    }
}

OpenResult InMemorySerialPort::Open(int port) {
    Close();
    hungUp_ = false;
    error_ = {};
    if (!IsComPortNumber(port) || farEndGone_) {
        return OpenResult::kRefused;
    }
    const OpenResult outcome = outcomes_.at(static_cast<std::size_t>(port));
    if (outcome != OpenResult::kOpened) {
        error_ = reasons_.at(static_cast<std::size_t>(port));
        return outcome;
    }
    open_ = true;
    port_ = port;
    // Like a real port, an open starts with empty queues.
    pending_.clear();
    readable_.clear();
    if (paced_) {
        paced_->Reset();
    }
    return OpenResult::kOpened;
}

bool InMemorySerialPort::Close() {
    if (!open_ || closeFails_) {
        return false;
    }
    open_ = false;
    port_ = 0;
    pending_.clear();
    readable_.clear();
    return true;
}

void InMemorySerialPort::HangUpFarEnd() {
    farEndGone_ = true;
}

void InMemorySerialPort::Queue(std::string bytes, std::int64_t earliestTick, int gapMs) {
    if (bytes.empty()) {
        return;
    }
    const std::int64_t start =
        std::max(earliestTick, lineFreeTick_) + MsToLineTicks(std::max(gapMs, 0));
    const std::int64_t length = static_cast<std::int64_t>(bytes.size()) * kLineTicksPerByte;
    pending_.push_back(Pending{std::move(bytes), start, 0});
    lineFreeTick_ = start + length;
}

void InMemorySerialPort::InjectFromFarEnd(std::string bytes, int gapMs) {
    if (open_) {
        Queue(std::move(bytes), NowTicks(), gapMs);
    }
}

bool InMemorySerialPort::CheckHangUp() {
    if (open_ && farEndGone_) {
        Close();
        hungUp_ = true;
    }
    return hungUp_ || !open_;
}

bool InMemorySerialPort::TakeHangUp() {
    const bool hungUp = hungUp_;
    hungUp_ = false;
    return hungUp;
}

void InMemorySerialPort::Deliver() {
    const std::int64_t now = NowTicks();
    while (!pending_.empty()) {
        Pending& front = pending_.front();
        if (now <= front.startTick) {
            break;
        }
        const auto arrived = static_cast<std::size_t>((now - front.startTick) / kLineTicksPerByte);
        const std::size_t upTo = std::min(arrived, front.bytes.size());
        if (upTo > front.delivered) {
            readable_.append(front.bytes, front.delivered, upTo - front.delivered);
            front.delivered = upTo;
        }
        if (front.delivered < front.bytes.size()) {
            break;
        }
        pending_.pop_front();
    }
}

std::size_t InMemorySerialPort::BytesWaiting() {
    if (CheckHangUp()) {
        return 0;
    }
    Deliver();
    return readable_.size();
}

std::size_t InMemorySerialPort::Read(std::span<char> buffer) {
    if (CheckHangUp()) {
        return 0;
    }
    Deliver();
    const std::size_t n = std::min(buffer.size(), readable_.size());
    if (n > 0) {
        std::memcpy(buffer.data(), readable_.data(), n);
        readable_.erase(0, n);
    }
    return n;
}

std::size_t InMemorySerialPort::Write(std::string_view bytes) {
    ++writeCalls_;
    writeError_.clear();
    if (CheckHangUp() || bytes.empty()) {
        writeError_ = bytes.empty() ? "" : std::strerror(EIO);
        return 0;
    }
    if (failWrites_ > 0) {
        --failWrites_;
        writeError_ = std::strerror(EIO);
        return 0;
    }
    written_.append(bytes);
    if (paced_) {
        for (TimedSegment& segment : paced_->Hear(bytes, NowTicks())) {
            Queue(std::move(segment.bytes), segment.startTick, 0);
        }
        return bytes.size();
    }
    // The far end sees the bytes when they have crossed the line; it answers after that, and
    // each of its segments follows the previous one after the segment's own pause.
    const std::int64_t earliest =
        NowTicks() + static_cast<std::int64_t>(bytes.size()) * kLineTicksPerByte;
    for (LineSegment& segment : farEnd_.Receive(bytes)) {
        Queue(std::move(segment.bytes), earliest, segment.gapBeforeMs);
    }
    return bytes.size();
}

std::size_t InMemorySerialPort::BytesInFlight() const {
    std::size_t n = 0;
    for (const Pending& p : pending_) {
        n += p.bytes.size() - p.delivered;
    }
    return n;
}

std::optional<std::int64_t> InMemorySerialPort::NextArrivalMs() const {
    if (!open_) {
        return std::nullopt;
    }
    if (!readable_.empty() || farEndGone_) {
        return clock_.NowMs();
    }
    if (pending_.empty()) {
        return std::nullopt;
    }
    const Pending& front = pending_.front();
    const std::int64_t end =
        front.startTick + static_cast<std::int64_t>(front.bytes.size()) * kLineTicksPerByte;
    return std::max(clock_.NowMs(), (end + kLineTicksPerMs - 1) / kLineTicksPerMs);
}

std::int64_t InMemorySerialPort::LineIdleAtMs() const {
    if (pending_.empty()) {
        return clock_.NowMs();
    }
    const Pending& last = pending_.back();
    const std::int64_t end =
        last.startTick + static_cast<std::int64_t>(last.bytes.size()) * kLineTicksPerByte;
    return (end + kLineTicksPerMs - 1) / kLineTicksPerMs;
}

}  // namespace tra1::serial
