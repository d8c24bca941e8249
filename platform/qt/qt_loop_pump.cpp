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
    notifiers_.clear();
}

void QtLoopPump::SyncNotifiers() {
    std::map<win::EventLoop::WatchId, int> wanted;
    for (const win::EventLoop::WatchedDescriptor& watched : loop_.WatchedDescriptors()) {
        wanted.emplace(watched.id, watched.descriptor);
    }
    for (auto it = notifiers_.begin(); it != notifiers_.end();) {
        const auto found = wanted.find(it->first);
        if (found == wanted.end() || found->second != it->second.descriptor) {
            // It may be the notifier whose signal is running now: Qt deletes it afterwards.
            it->second.notifier->setEnabled(false);
            it->second.notifier.release()->deleteLater();
            it = notifiers_.erase(it);
        } else {
            ++it;
        }
    }
    for (const auto& [id, descriptor] : wanted) {
        if (notifiers_.contains(id)) {
            continue;
        }
        auto notifier = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
        const win::EventLoop::WatchId watch = id;
        connect(notifier.get(), &QSocketNotifier::activated, this,
                [this, watch] { OnReadable(watch); });
        notifiers_.emplace(id, Notifier{descriptor, std::move(notifier)});
    }
}

void QtLoopPump::OnReadable(win::EventLoop::WatchId id) {
    loop_.DeliverInput(id);
    if (host_ != nullptr) {
        host_->EndFinishedModals();
    }
    Schedule();
}

void QtLoopPump::Schedule() {
    SyncNotifiers();
    const std::optional<std::int64_t> next = loop_.NextDueIn();
    if (!next) {
        timer_.stop();
        return;
    }
    if (loop_.GetClock().AsVirtual() != nullptr) {
        timer_.start(0);  // virtual time: no waiting, RunDue jumps ahead
        return;
    }
    const std::int64_t wait = std::clamp<std::int64_t>(*next, 0, std::numeric_limits<int>::max());
    timer_.start(static_cast<int>(wait));
}

void QtLoopPump::RunDue() {
    if (loop_.GetClock().AsVirtual() != nullptr) {
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
