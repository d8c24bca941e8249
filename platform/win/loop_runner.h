#pragma once
// Running the loop on the real clock without a front end, as a program without windows does:
// what is due is processed, and in between the thread sleeps until the next timer falls due
// (never longer than one poll period, so that a stop request is seen soon).

#include <cstdint>
#include <functional>

namespace tra1::win {

class EventLoop;

enum class RunOutcome {
    kDone,      // done() became true
    kTimedOut,  // `limitMs` passed first
    kStopped,   // stop() became true first
};

// Runs `loop` until done() holds (checked before each round and after each), `limitMs` of the
// loop's clock have passed or stop() (may be empty) holds.
RunOutcome RunLoopUntil(EventLoop& loop, const std::function<bool()>& done, std::int64_t limitMs,
                        const std::function<bool()>& stop = {});

}  // namespace tra1::win
