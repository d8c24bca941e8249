#include "platform/serial/paced_far_end.h"

#include <algorithm>
#include <utility>

#include "platform/serial/line_timing.h"

namespace tra1::serial {

std::vector<TimedSegment> PacedFarEnd::Hear(std::string_view bytes, std::int64_t tick) {
    std::vector<TimedSegment> out;
    for (const char c : bytes) {
        const std::int64_t arrival = std::max(tick, lineFreeTick_) + kLineTicksPerByte;
        lineFreeTick_ = arrival;
        TakeFramesDueBy(arrival);
        if (waitingBytes_ + partial_.size() >= pacing_.inputBuffer) {
            ++lost_;
            continue;
        }
        partial_.push_back(c);
        if (c == pacing_.frameEnd) {
            Answer(std::exchange(partial_, {}), arrival, out);
        } else if (partial_.size() >= pacing_.inputBuffer) {
            // No frame is that long: it can only be noise, and the device throws it away
            // rather than stop listening.
            lost_ += partial_.size();
            partial_.clear();
        }
    }
    return out;
}

void PacedFarEnd::Reset() {
    lineFreeTick_ = 0;
    deviceFreeTick_ = 0;
    waiting_.clear();
    partial_.clear();
    waitingBytes_ = 0;
}

std::size_t PacedFarEnd::BufferedAt(std::int64_t tick) {
    TakeFramesDueBy(tick);
    return waitingBytes_ + partial_.size();
}

void PacedFarEnd::TakeFramesDueBy(std::int64_t tick) {
    while (!waiting_.empty() && waiting_.front().takenAtTick <= tick) {
        waitingBytes_ -= waiting_.front().size;
        waiting_.pop_front();
    }
}

void PacedFarEnd::Answer(std::string frame, std::int64_t heardAtTick,
                         std::vector<TimedSegment>& out) {
    // The frame waits in the buffer until the device has sent its answer to the one before.
    const std::int64_t taken = std::max(heardAtTick, deviceFreeTick_);
    waiting_.push_back(WaitingFrame{frame.size(), taken});
    waitingBytes_ += frame.size();
    std::int64_t start = taken;
    for (LineSegment& segment : device_.Receive(frame)) {
        start += MsToLineTicks(std::max(segment.gapBeforeMs, 0));
        if (segment.bytes.empty()) {
            continue;
        }
        const std::int64_t length =
            static_cast<std::int64_t>(segment.bytes.size()) * kLineTicksPerByte;
        out.push_back(TimedSegment{std::move(segment.bytes), start});
        start += length;
    }
    deviceFreeTick_ = start;
}

}  // namespace tra1::serial
