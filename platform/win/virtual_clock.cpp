#include "platform/win/virtual_clock.h"

namespace tra1::win {

void VirtualClock::Sleep(std::int64_t ms) {
    ++sleep_count_;
    if (ms > 0) {
        now_ms_ += ms;
        slept_ms_ += ms;
    }
}

void VirtualClock::SetNow(std::int64_t ms) {
    if (ms > now_ms_) {
        now_ms_ = ms;
    }
}

}  // namespace tra1::win
