#include "platform/qt/qt_loop_pump.h"

#include <algorithm>
#include <limits>

#include "platform/qt/qt_dialog_host.h"
#include "platform/win/virtual_clock.h"

namespace tra1::qtui {

QtLoopPump::QtLoopPump(win::EventLoop& loop) : loop_(loop) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &QtLoopPump::RunDue);
    loop_.SetWakeHook([this] { Schedule(); });
    Schedule();
}

QtLoopPump::~QtLoopPump() {
    loop_.SetWakeHook({});
}

void QtLoopPump::Schedule() {
    const std::optional<std::int64_t> next = loop_.NextDueIn();
    if (!next) {
        timer_.stop();
        return;
    }
    if (loop_.clock().AsVirtual() != nullptr) {
        timer_.start(0);  // virtual time: no waiting, RunDue jumps ahead
        return;
    }
    const std::int64_t wait = std::clamp<std::int64_t>(*next, 0, std::numeric_limits<int>::max());
    timer_.start(static_cast<int>(wait));
}

void QtLoopPump::RunDue() {
    if (loop_.clock().AsVirtual() != nullptr) {
        const std::optional<std::int64_t> next = loop_.NextDueIn();
        if (next && *next > 0) {
            loop_.AdvanceBy(*next);
        } else {
            loop_.ProcessDue();
        }
    } else {
        loop_.ProcessDue();
    }
    if (host_ != nullptr) {
        host_->EndFinishedModals();
    }
    Schedule();
}

}  // namespace tra1::qtui
