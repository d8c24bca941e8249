#pragma once
// The message loop of one thread: a FIFO of posted messages, the window timers and a Clock.
//
// Every window belongs to one EventLoop, which maps window handles to live windows. The queue
// holds handles, so a message to a window that has gone is dropped at delivery.
//
// Ways to run it:
//  - Tests (VirtualClock): AdvanceBy(ms) fires every timer that falls due within `ms`, in due
//    order (ties in the order the timers were set), and drains the posted messages before the
//    first timer and after every timer. DrainPosted() delivers what is queued without time moving.
//  - A front end's own loop (real clock): call ProcessDue() whenever NextDueIn() says, and when
//    the wake hook says that something new was posted or a timer changed.
//  - Pause(ms) blocks: nothing is dispatched while it runs; on the virtual clock time moves on.
//
// Input (the bytes of a serial line) is watched as well, so that it is taken the moment it
// arrives rather than at the next timer: a watched InputSource's handler runs when its
// descriptor becomes readable (the front end watches the descriptors: WatchedDescriptors,
// DeliverInput) or, on the virtual clock, when its InputDueAtMs comes.
//
// Single-threaded: every call comes from the loop's thread. The loop must outlive its windows.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/win/clock.h"
#include "platform/win/input_source.h"
#include "platform/win/message.h"
#include "platform/win/window_handle.h"

namespace tra1::win {

class Window;
class Dialog;
class DialogHost;
class Prompter;
class ScriptedPrompter;
class DocumentPrinter;
class RecordingPrinter;

class EventLoop {
public:
    explicit EventLoop(Clock& clock);
    ~EventLoop();
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    Clock& GetClock() const { return clock_; }
    std::int64_t NowMs() const { return clock_.NowMs(); }

    // --- messages --------------------------------------------------------------------------
    // Queues a message for a live window; false (and nothing queued) if the handle names none.
    bool Post(WindowHandle target, Msg msg, WParam w = 0, LParam l = 0);
    // Delivers at once and returns the handler's result; 0 if the handle names no window.
    LResult Send(WindowHandle target, Msg msg, WParam w = 0, LParam l = 0);
    // Delivers queued messages in FIFO order, including ones posted meanwhile, until the queue is
    // empty (or a runaway limit of 1,000,000 deliveries is reached). Returns how many were
    // delivered; dropped ones (dead target) are not counted.
    int DrainPosted();
    // Delivers exactly one queued message (or drops it); false if the queue was empty.
    bool DispatchOne();
    std::size_t PostedCount() const { return queue_.size(); }

    // --- timers ----------------------------------------------------------------------------
    // Starts or restarts timer `id` of the window: WM_TIMER(id) every `period_ms` from now.
    // Periods below 10 ms are raised to 10 ms, as the toolkit does. False for a dead handle.
    bool SetTimer(WindowHandle window, TimerId id, std::uint32_t periodMs);
    // A one-shot timer: WM_TIMER(id) once, at `atMs` on the loop's clock (at once when that has
    // passed), with no minimum wait; then it is gone. Setting it again moves it. False for a
    // dead handle.
    bool SetOneShotTimer(WindowHandle window, TimerId id, std::int64_t atMs);
    // Stops the timer; false if it was not running. A stopped timer never fires again, even
    // when it was already due in the same AdvanceBy.
    bool KillTimer(WindowHandle window, TimerId id);
    bool HasTimer(WindowHandle window, TimerId id) const;
    // Stops every timer of the window (used when it is destroyed).
    void KillTimersOf(WindowHandle window);
    std::optional<std::uint32_t> TimerPeriod(WindowHandle window, TimerId id) const;

    // --- input -----------------------------------------------------------------------------
    using WatchId = std::uint64_t;
    // Runs `onInput` whenever `source` has input, while the watch is enabled (it starts
    // enabled). The source must outlive the watch.
    WatchId WatchInput(const InputSource& source, std::function<void()> onInput);
    void StopWatching(WatchId id);
    // A handler that cannot take input now (it is still busy with the last) disables its watch,
    // so that a readable descriptor does not call it again and again.
    void EnableWatch(WatchId id, bool enabled);
    struct WatchedDescriptor {
        WatchId id;
        int descriptor;
    };
    // The enabled watches whose source has a descriptor now: what a front end watches.
    std::vector<WatchedDescriptor> WatchedDescriptors() const;
    // A front end saw the watch's descriptor become readable: runs its handler (when the watch
    // is still enabled) and drains the posted messages.
    void DeliverInput(WatchId id);

    // --- running ---------------------------------------------------------------------------
    // Drains posted messages, delivers the input that is due by the clock's time, then fires
    // each timer that is due (each at most once per call; a timer late by several periods fires
    // once and is rescheduled from now, like the toolkit's coalesced timers), draining posted
    // messages after each.
    void ProcessDue();
    // 0 when posted messages wait; else the milliseconds until the next timer falls due or the
    // next input is due (0 if overdue); nullopt when nothing is queued and no timer runs.
    std::optional<std::int64_t> NextDueIn() const;
    // Virtual clock only (false otherwise): moves time forward by `ms` as described above.
    bool AdvanceBy(std::int64_t ms);
    // Virtual clock only: advances timer by timer until `done()` is true (checked after every
    // delivery step) or `limit_ms` has passed. True if `done()` became true.
    bool AdvanceUntil(const std::function<bool()>& done, std::int64_t limitMs);
    // Real clock without a front end: waits up to `ms` for a watched descriptor to become
    // readable, and delivers its input, or for the time to pass. The virtual clock moves on
    // through AdvanceBy instead: false there, nothing happens.
    bool WaitForInput(std::int64_t ms);
    // Real clock without a front end: runs what falls due and waits for input in between, until
    // `done()` is true or `limitMs` has passed. True if `done()` became true.
    bool RunUntil(const std::function<bool()>& done, std::int64_t limitMs);
    // A blocking pause of `ms`: dispatches nothing. On the virtual clock time moves on, and
    // timers that fall due meanwhile fire at the next AdvanceBy/ProcessDue.
    void Pause(std::int64_t ms);

    // Called (with no arguments) whenever a message is posted or a timer is set or killed, so
    // that a front end running this loop inside its own can reschedule. May be empty.
    void SetWakeHook(std::function<void()> hook) { wakeHook_ = std::move(hook); }

    // --- windows ---------------------------------------------------------------------------
    // Used by Window itself: a live window gets a fresh handle, a destroyed one gives it back.
    WindowHandle Register(Window& window, WindowHandle parent);
    void Unregister(WindowHandle handle);
    // The live window of a handle, or nullptr.
    Window* Find(WindowHandle handle) const;
    template <typename T>
    T* FindAs(WindowHandle handle) const {
        return dynamic_cast<T*>(Find(handle));
    }
    // Live windows whose parent (owner) is `parent`, in creation order.
    std::vector<WindowHandle> ChildrenOf(WindowHandle parent) const;
    std::size_t WindowCount() const { return windows_.size(); }

    // Keeps `window` until the outermost message being handled returns (or the next
    // DrainPosted) and then deletes it: the way a window that removes itself (a panel closing)
    // is freed without deleting the object whose handler is still running.
    void DeleteLater(std::unique_ptr<Window> window);

    // The window with the keyboard focus (a dialog), if any.
    WindowHandle FocusedWindow() const { return focused_; }
    void SetFocusedWindow(WindowHandle handle);

    // --- front end and test hooks ------------------------------------------------------------
    // The front end that mirrors dialogs (not owned; nullptr = headless).
    void SetDialogHost(DialogHost* host) { host_ = host; }
    DialogHost* GetDialogHost() const { return host_; }

    // Message boxes and file dialogs (not owned). nullptr restores the built-in scripted
    // prompter, which answers every box with its first button and every file dialog with Cancel.
    void SetPrompter(Prompter* prompter);
    Prompter& GetPrompter() const;

    // Printing (not owned). nullptr restores the built-in one, which prints nothing: Print is
    // cancelled and a PDF cannot be made.
    void SetPrinter(DocumentPrinter* printer) { printer_ = printer; }
    DocumentPrinter& Printer() const;

    // When set and returning true for a dialog id, creating that dialog fails as if the system
    // had refused the window. Tests use it for the "Dialog Creating Error" paths.
    void SetCreationFailureHook(std::function<bool(int dialogId)> hook) {
        creationFailure_ = std::move(hook);
    }
    bool CreationShouldFail(int dialogId) const {
        return creationFailure_ && creationFailure_(dialogId);
    }

    // Headless modal loops (no DialogHost runs them): when the loop has nothing due, it calls
    // the driver with the modal dialog; the driver acts like a user (user_input.h) and returns
    // true if it did something. Without a driver, or when it returns false, the virtual clock
    // is advanced to the next timer; when nothing at all can happen, or after
    // ModalTimeLimitMs() of virtual time, the dialog is ended with IDCANCEL.
    void SetModalDriver(std::function<bool(Dialog&)> driver) { modalDriver_ = std::move(driver); }
    const std::function<bool(Dialog&)>& ModalDriver() const { return modalDriver_; }
    void SetModalTimeLimitMs(std::int64_t ms) { modalTimeLimitMs_ = ms; }
    std::int64_t ModalTimeLimitMs() const { return modalTimeLimitMs_; }

private:
    struct Posted {
        WindowHandle target;
        Msg msg;
        WParam w;
        LParam l;
    };
    struct TimerKey {
        WindowHandle window;
        TimerId id;
        friend auto operator<=>(const TimerKey&, const TimerKey&) = default;
    };
    struct Timer {
        std::uint32_t periodMs;
        std::int64_t dueMs;
        std::uint64_t order;  // ties at the same due time fire in the order the timers were set
        bool oneShot = false;
    };
    struct WindowEntry {
        Window* window;
        WindowHandle parent;
        std::uint64_t created;
    };

    struct Watch {
        const InputSource* source;
        std::function<void()> onInput;
        bool enabled;
        // Deliveries at one virtual time: a source that stays due without being read is given a
        // rest until time moves on, so the loop cannot spin on it.
        std::int64_t deliveredAtMs;
        int deliveriesAtOnce;
    };
    struct DueInput {
        WatchId id;
        std::int64_t dueMs;
    };

    std::optional<TimerKey> EarliestDue(std::int64_t byMs) const;
    std::optional<DueInput> EarliestInput(std::int64_t byMs) const;
    void FireTimer(const TimerKey& key);
    void Wake() const;
    LResult Deliver(Window& window, Msg msg, WParam w, LParam l);
    void FlushDeleteLater();

    Clock& clock_;
    std::deque<Posted> queue_;
    std::map<TimerKey, Timer> timers_;
    std::map<WatchId, Watch> watches_;
    WatchId nextWatch_ = 1;
    std::unordered_map<WindowHandle, WindowEntry> windows_;
    std::vector<std::unique_ptr<Window>> deleteLater_;
    std::uint64_t nextHandle_ = 1;
    std::uint64_t nextOrder_ = 1;
    int dispatchDepth_ = 0;
    WindowHandle focused_;
    DialogHost* host_ = nullptr;
    Prompter* prompter_ = nullptr;
    std::unique_ptr<ScriptedPrompter> fallbackPrompter_;
    DocumentPrinter* printer_ = nullptr;
    std::unique_ptr<RecordingPrinter> fallbackPrinter_;
    std::function<void()> wakeHook_;
    std::function<bool(int)> creationFailure_;
    std::function<bool(Dialog&)> modalDriver_;
    std::int64_t modalTimeLimitMs_ = 600'000;
};

}  // namespace tra1::win
