#include "link/frames_in_flight.h"

#include <utility>

namespace tra1 {

void FramesInFlight::Add(Write write) {
    if (count_ == kCapacity) {
        RemoveAt(0);
    }
    writes_[count_] = std::move(write);
    ++count_;
}

std::optional<FramesInFlight::Write> FramesInFlight::Take(int function, bool write,
                                                          std::int64_t nowMs) {
    Forget(nowMs);
    for (const bool kind : {write, !write}) {
        for (std::size_t i = 0; i < count_; ++i) {
            if (writes_[i].function == function && writes_[i].write == kind) {
                Write found = std::move(writes_[i]);
                RemoveAt(i);
                return found;
            }
        }
    }
    return std::nullopt;
}

void FramesInFlight::Forget(std::int64_t nowMs) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count_; ++i) {
        if (nowMs - writes_[i].sentAtMs <= kForgetAfterMs) {
            if (kept != i) {
                writes_[kept] = std::move(writes_[i]);
            }
            ++kept;
        }
    }
    count_ = kept;
}

void FramesInFlight::RemoveAt(std::size_t index) {
    for (std::size_t i = index; i + 1 < count_; ++i) {
        writes_[i] = std::move(writes_[i + 1]);
    }
    --count_;
}

}  // namespace tra1
