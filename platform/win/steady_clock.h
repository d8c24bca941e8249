#pragma once
// The real clock of the program: std::chrono::steady_clock, and a real thread sleep for pauses.

#include "platform/win/clock.h"

namespace tra1::win {

class SteadyClock final : public Clock {
public:
    SteadyClock();
    std::int64_t NowMs() const override;
    void Sleep(std::int64_t ms) override;

private:
    std::int64_t originNs_;
};

}  // namespace tra1::win
