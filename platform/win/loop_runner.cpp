#include "platform/win/loop_runner.h"

#include <algorithm>

#include "platform/win/event_loop.h"

namespace tra1::win {
namespace {

// The longest sleep between two rounds: the link's own poll period.
constexpr std::int64_t kLongestSleepMs = 10;

}  // namespace

RunOutcome RunLoopUntil(EventLoop& loop, const std::function<bool()>& done, std::int64_t limitMs,
                        const std::function<bool()>& stop) {
    const std::int64_t deadline = loop.NowMs() + limitMs;
    for (;;) {
        if (done()) {
            return RunOutcome::kDone;
        }
        if (stop && stop()) {
            return RunOutcome::kStopped;
        }
        if (loop.NowMs() > deadline) {
            return RunOutcome::kTimedOut;
        }
        loop.ProcessDue();
        if (done()) {
            return RunOutcome::kDone;
        }
        const auto next = loop.NextDueIn();
        const std::int64_t sleepMs =
            std::clamp<std::int64_t>(next.value_or(kLongestSleepMs), 0, kLongestSleepMs);
        if (sleepMs > 0) {
            loop.clock().Sleep(sleepMs);
        }
    }
}

}  // namespace tra1::win
