#pragma once
// Test time. It stands still until moved: EventLoop::AdvanceBy moves it timer by timer and
// dispatches on the way; Sleep (a blocking pause) moves it without dispatching anything.

#include <cstdint>

#include "platform/win/clock.h"

namespace tra1::win {

class VirtualClock final : public Clock {
public:
    explicit VirtualClock(std::int64_t startMs = 0) : nowMs_(startMs) {}
    std::int64_t NowMs() const override { return nowMs_; }
    // A blocking pause: time moves on, nothing runs. Negative values count as 0.
    void Sleep(std::int64_t ms) override;
    VirtualClock* AsVirtual() override { return this; }

    // Moves time forward to `ms`; never backwards. Used by the event loop; tests normally call
    // EventLoop::AdvanceBy instead so that timers fire on the way.
    void SetNow(std::int64_t ms);
    // Total time spent in Sleep since construction (for tests that check pauses).
    std::int64_t SleptMs() const { return sleptMs_; }
    int SleepCount() const { return sleepCount_; }

private:
    std::int64_t nowMs_;
    std::int64_t sleptMs_ = 0;
    int sleepCount_ = 0;
};

}  // namespace tra1::win
