#pragma once

#include <cstdint>

#include "platform/serial/line_clock.h"
#include "platform/win/clock.h"

namespace tra1::sim {

// The window system's clock (the virtual clock in tests) as the time of an in-memory line, so
// that the receiver's bytes arrive as EventLoop::AdvanceBy moves time on.
class WinLineClock final : public serial::LineClock {
public:
    explicit WinLineClock(const win::Clock& clock) : clock_(clock) {}
    std::int64_t NowMs() const override { return clock_.NowMs(); }

private:
    const win::Clock& clock_;
};

}  // namespace tra1::sim
