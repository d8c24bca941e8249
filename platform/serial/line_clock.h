#pragma once

#include <cstdint>
#include <functional>
#include <utility>

namespace tra1::serial {

// The time source of an in-memory line: milliseconds since an arbitrary start, never going
// back. Tests hand in the event loop's virtual clock through FunctionLineClock, so that bytes
// arrive exactly when virtual time has moved far enough.
class LineClock {
public:
    virtual ~LineClock() = default;
    virtual std::int64_t NowMs() const = 0;
};

// Adapts any "now in milliseconds" function (for example a lambda over the window system's
// virtual clock) to a LineClock.
class FunctionLineClock final : public LineClock {
public:
    explicit FunctionLineClock(std::function<std::int64_t()> now) : now_(std::move(now)) {}
    std::int64_t NowMs() const override { return now_ ? now_() : 0; }

private:
    std::function<std::int64_t()> now_;
};

// A clock that only moves when told: for tests of the line itself.
class ManualLineClock final : public LineClock {
public:
    std::int64_t NowMs() const override { return nowMs_; }
    void AdvanceBy(std::int64_t ms) { nowMs_ += ms > 0 ? ms : 0; }

private:
    std::int64_t nowMs_ = 0;
};

}  // namespace tra1::serial
