#include "platform/win/virtual_clock.h"

namespace tra1::win {

void VirtualClock::Sleep(std::int64_t ms) {
    ++sleepCount_;
    if (ms > 0) {
        nowMs_ += ms;
        sleptMs_ += ms;
    }
}

void VirtualClock::SetNow(std::int64_t ms) {
    if (ms > nowMs_) {
        nowMs_ = ms;
    }
}

}  // namespace tra1::win
