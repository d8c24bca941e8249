#pragma once
// Test time. It stands still until moved: EventLoop::AdvanceBy moves it timer by timer and
// dispatches on the way; Sleep (a blocking pause) moves it without dispatching anything.

#include <cstdint>

#include "platform/win/clock.h"

namespace tra1::win {

class VirtualClock final : public Clock {
public:
    explicit VirtualClock(std::int64_t start_ms = 0) : now_ms_(start_ms) {}
    std::int64_t NowMs() const override { return now_ms_; }
    // A blocking pause: time moves on, nothing runs. Negative values count as 0.
    void Sleep(std::int64_t ms) override;
    VirtualClock* AsVirtual() override { return this; }

    // Moves time forward to `ms`; never backwards. Used by the event loop; tests normally call
    // EventLoop::AdvanceBy instead so that timers fire on the way.
    void SetNow(std::int64_t ms);
    // Total time spent in Sleep since construction (for tests that check pauses).
    std::int64_t SleptMs() const { return slept_ms_; }
    int SleepCount() const { return sleep_count_; }

private:
    std::int64_t now_ms_;
    std::int64_t slept_ms_ = 0;
    int sleep_count_ = 0;
};

}  // namespace tra1::win
