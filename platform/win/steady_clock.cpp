#include "platform/win/steady_clock.h"

#include <chrono>
#include <thread>

namespace tra1::win {

namespace {
std::int64_t SteadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
}  // namespace

SteadyClock::SteadyClock() : originNs_(SteadyNs()) {}

std::int64_t SteadyClock::NowMs() const {
    return (SteadyNs() - originNs_) / 1'000'000;
}

void SteadyClock::Sleep(std::int64_t ms) {
    if (ms > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
}

}  // namespace tra1::win
