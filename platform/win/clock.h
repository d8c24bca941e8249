#pragma once
// The time source of the event loop. The program runs on the steady real clock; tests run on a
// VirtualClock that only moves when told to, so time-driven behaviour is exact and instant.

#include <cstdint>

namespace tra1::win {

class VirtualClock;

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary, fixed start.
    virtual std::int64_t NowMs() const = 0;
    // Blocks for `ms` milliseconds without dispatching anything (the toolkit's blocking pause).
    // The virtual clock just moves its time on.
    virtual void Sleep(std::int64_t ms) = 0;
    // The virtual clock, or nullptr for a real one.
    virtual VirtualClock* AsVirtual() { return nullptr; }
};

}  // namespace tra1::win
