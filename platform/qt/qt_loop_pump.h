#pragma once
// Runs the window system's posted messages and timers inside Qt's event loop.
//
// One single-shot QTimer is armed for the next thing the EventLoop has due (0 ms when messages
// wait) and re-armed after each batch and whenever something is posted or a timer changes (the
// loop's wake hook). It fires in every Qt loop, nested modal ones included.
//
// The loop's input watches (a serial line's descriptor) each get a QSocketNotifier, kept in step
// with the watches after every batch and every wake; a readable descriptor runs its handler at
// once instead of at the next timer.
//
// With the real clock a batch is EventLoop::ProcessDue(). With a VirtualClock (tests), Qt's idle
// time jumps the virtual time to the next due timer instead, so timer-driven dialogs run at full
// speed and deterministically.

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <map>
#include <memory>

#include "platform/win/event_loop.h"

namespace tra1::qtui {

class QtDialogHost;

class QtLoopPump final : public QObject {
public:
    explicit QtLoopPump(win::EventLoop& loop);
    ~QtLoopPump() override;

    // Told after each batch, so that modal loops whose dialog ended can return.
    void SetHost(QtDialogHost* host) { host_ = host; }
    // Re-arms the timer for the loop's next due work (stops it when there is none).
    void Schedule();
    // One batch of due work now.
    void RunDue();
    bool IsArmed() const { return timer_.isActive(); }
    // The delay the timer was last armed with, in milliseconds.
    int ArmedDelayMs() const { return timer_.interval(); }

    // The descriptors watched now, for tests.
    std::size_t WatchedDescriptorCount() const { return notifiers_.size(); }

private:
    struct Notifier {
        int descriptor = -1;
        std::unique_ptr<QSocketNotifier> notifier;
    };
    // One enabled notifier per enabled watch with a descriptor; the rest go.
    void SyncNotifiers();
    void OnReadable(win::EventLoop::WatchId id);

    win::EventLoop& loop_;
    QtDialogHost* host_ = nullptr;
    QTimer timer_;
    std::map<win::EventLoop::WatchId, Notifier> notifiers_;
};

}  // namespace tra1::qtui
