#include "platform/win/event_loop.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <limits>

#include "platform/win/recording_printer.h"
#include "platform/win/scripted_prompter.h"
#include "platform/win/virtual_clock.h"
#include "platform/win/window.h"

namespace tra1::win {

namespace {
constexpr std::uint32_t kMinimumTimerPeriodMs = 10;
constexpr int kRunawayLimit = 1'000'000;
// Deliveries of one watch at one virtual time before it must wait for time to move.
constexpr int kDeliveriesAtOnce = 64;
}  // namespace

EventLoop::EventLoop(Clock& clock)
    : clock_(clock),
      fallbackPrompter_(std::make_unique<ScriptedPrompter>()),
      fallbackPrinter_(std::make_unique<RecordingPrinter>()) {}

EventLoop::~EventLoop() {
    // Windows waiting for deletion go first, while the loop they unregister from still exists.
    auto pending = std::move(deleteLater_);
    pending.clear();
}

bool EventLoop::Post(WindowHandle target, Msg msg, WParam w, LParam l) {
    if (Find(target) == nullptr) {
        return false;
    }
    queue_.push_back(Posted{target, msg, w, l});
    Wake();
    return true;
}

LResult EventLoop::Send(WindowHandle target, Msg msg, WParam w, LParam l) {
    Window* window = Find(target);
    if (window == nullptr) {
        return 0;
    }
    return Deliver(*window, msg, w, l);
}

LResult EventLoop::Deliver(Window& window, Msg msg, WParam w, LParam l) {
    ++dispatchDepth_;
    const LResult result = window.HandleMessage(msg, w, l);
    --dispatchDepth_;
    FlushDeleteLater();
    return result;
}

bool EventLoop::DispatchOne() {
    if (queue_.empty()) {
        return false;
    }
    const Posted message = queue_.front();
    queue_.pop_front();
    if (Window* window = Find(message.target)) {
        Deliver(*window, message.msg, message.w, message.l);
    }
    return true;
}

int EventLoop::DrainPosted() {
    FlushDeleteLater();
    int delivered = 0;
    for (int step = 0; step < kRunawayLimit && !queue_.empty(); ++step) {
        const bool live = Find(queue_.front().target) != nullptr;
        DispatchOne();
        if (live) {
            ++delivered;
        }
    }
    return delivered;
}

bool EventLoop::SetTimer(WindowHandle window, TimerId id, std::uint32_t periodMs) {
    if (Find(window) == nullptr) {
        return false;
    }
    const std::uint32_t period = std::max(periodMs, kMinimumTimerPeriodMs);
    timers_.insert_or_assign(TimerKey{window, id},
                             Timer{period, clock_.NowMs() + period, nextOrder_++, false});
    Wake();
    return true;
}

bool EventLoop::SetOneShotTimer(WindowHandle window, TimerId id, std::int64_t atMs) {
    if (Find(window) == nullptr) {
        return false;
    }
    timers_.insert_or_assign(TimerKey{window, id}, Timer{0, atMs, nextOrder_++, true});
    Wake();
    return true;
}

bool EventLoop::KillTimer(WindowHandle window, TimerId id) {
    const bool erased = timers_.erase(TimerKey{window, id}) > 0;
    if (erased) {
        Wake();
    }
    return erased;
}

bool EventLoop::HasTimer(WindowHandle window, TimerId id) const {
    return timers_.contains(TimerKey{window, id});
}

void EventLoop::KillTimersOf(WindowHandle window) {
    std::erase_if(timers_, [window](const auto& entry) { return entry.first.window == window; });
}

std::optional<std::uint32_t> EventLoop::TimerPeriod(WindowHandle window, TimerId id) const {
    const auto found = timers_.find(TimerKey{window, id});
    if (found == timers_.end()) {
        return std::nullopt;
    }
    return found->second.periodMs;
}

EventLoop::WatchId EventLoop::WatchInput(const InputSource& source, std::function<void()> onInput) {
    const WatchId id = nextWatch_++;
    watches_.emplace(id, Watch{&source, std::move(onInput), true, -1, 0});
    Wake();
    return id;
}

void EventLoop::StopWatching(WatchId id) {
    if (watches_.erase(id) > 0) {
        Wake();
    }
}

void EventLoop::EnableWatch(WatchId id, bool enabled) {
    const auto found = watches_.find(id);
    if (found != watches_.end() && found->second.enabled != enabled) {
        found->second.enabled = enabled;
        Wake();
    }
}

std::vector<EventLoop::WatchedDescriptor> EventLoop::WatchedDescriptors() const {
    std::vector<WatchedDescriptor> descriptors;
    for (const auto& [id, watch] : watches_) {
        const int fd = watch.source->ReadableDescriptor();
        if (watch.enabled && fd >= 0) {
            descriptors.push_back({id, fd});
        }
    }
    return descriptors;
}

void EventLoop::DeliverInput(WatchId id) {
    const auto found = watches_.find(id);
    if (found == watches_.end() || !found->second.enabled) {
        return;
    }
    Watch& watch = found->second;
    const std::int64_t now = clock_.NowMs();
    watch.deliveriesAtOnce = watch.deliveredAtMs == now ? watch.deliveriesAtOnce + 1 : 1;
    watch.deliveredAtMs = now;
    // A copy: the handler may stop the watch.
    const std::function<void()> handler = watch.onInput;
    if (handler) {
        handler();
    }
    DrainPosted();
}

std::optional<EventLoop::DueInput> EventLoop::EarliestInput(std::int64_t byMs) const {
    std::optional<DueInput> best;
    for (const auto& [id, watch] : watches_) {
        if (!watch.enabled) {
            continue;
        }
        const std::optional<std::int64_t> due = watch.source->InputDueAtMs();
        if (!due || *due > byMs) {
            continue;
        }
        const std::int64_t at = std::max(*due, clock_.NowMs());
        if (watch.deliveredAtMs == at && watch.deliveriesAtOnce >= kDeliveriesAtOnce) {
            continue;
        }
        if (!best || at < best->dueMs) {
            best = DueInput{id, at};
        }
    }
    return best;
}

std::optional<EventLoop::TimerKey> EventLoop::EarliestDue(std::int64_t byMs) const {
    std::optional<TimerKey> best;
    const Timer* bestTimer = nullptr;
    for (const auto& [key, timer] : timers_) {
        if (timer.dueMs > byMs) {
            continue;
        }
        if (bestTimer == nullptr || timer.dueMs < bestTimer->dueMs ||
            (timer.dueMs == bestTimer->dueMs && timer.order < bestTimer->order)) {
            best = key;
            bestTimer = &timer;
        }
    }
    return best;
}

void EventLoop::FireTimer(const TimerKey& key) {
    const auto found = timers_.find(key);
    if (found == timers_.end()) {
        return;
    }
    Timer& timer = found->second;
    if (timer.oneShot) {
        timers_.erase(found);
        Send(key.window, WM_TIMER, key.id, 0);
        return;
    }
    const std::int64_t now = clock_.NowMs();
    std::int64_t next = timer.dueMs + timer.periodMs;
    if (next <= now) {
        next = now + timer.periodMs;  // late by whole periods: one tick, like coalesced timers
    }
    timer.dueMs = next;
    Send(key.window, WM_TIMER, key.id, 0);
}

void EventLoop::ProcessDue() {
    DrainPosted();
    const std::int64_t now = clock_.NowMs();
    // Input first: what has arrived is taken before the timers look at the line.
    for (int i = 0; i < kDeliveriesAtOnce; ++i) {
        const std::optional<DueInput> input = EarliestInput(now);
        if (!input) {
            break;
        }
        DeliverInput(input->id);
    }
    // Snapshot what is due now, in due order, so each timer fires at most once per call.
    std::vector<std::pair<TimerKey, std::pair<std::int64_t, std::uint64_t>>> due;
    for (const auto& [key, timer] : timers_) {
        if (timer.dueMs <= now) {
            due.push_back({key, {timer.dueMs, timer.order}});
        }
    }
    std::sort(due.begin(), due.end(),
              [](const auto& a, const auto& b) { return a.second < b.second; });
    for (const auto& [key, when] : due) {
        const auto found = timers_.find(key);
        // Skip timers that were killed or restarted by an earlier handler.
        if (found == timers_.end() || found->second.order != when.second ||
            found->second.dueMs > now) {
            continue;
        }
        FireTimer(key);
        DrainPosted();
    }
}

std::optional<std::int64_t> EventLoop::NextDueIn() const {
    if (!queue_.empty()) {
        return 0;
    }
    std::optional<std::int64_t> earliest;
    for (const auto& [key, timer] : timers_) {
        earliest = earliest ? std::min(*earliest, timer.dueMs) : timer.dueMs;
    }
    if (const std::optional<DueInput> input =
            EarliestInput(std::numeric_limits<std::int64_t>::max())) {
        earliest = earliest ? std::min(*earliest, input->dueMs) : input->dueMs;
    }
    if (!earliest) {
        return std::nullopt;
    }
    return std::max<std::int64_t>(0, *earliest - clock_.NowMs());
}

bool EventLoop::AdvanceBy(std::int64_t ms) {
    if (clock_.AsVirtual() == nullptr) {
        return false;
    }
    AdvanceUntil([] { return false; }, ms);
    return true;
}

bool EventLoop::AdvanceUntil(const std::function<bool()>& done, std::int64_t limitMs) {
    VirtualClock* virtualClock = clock_.AsVirtual();
    if (virtualClock == nullptr) {
        return false;
    }
    const std::int64_t target = virtualClock->NowMs() + std::max<std::int64_t>(0, limitMs);
    DrainPosted();
    if (done()) {
        return true;
    }
    for (;;) {
        const std::optional<TimerKey> key = EarliestDue(target);
        const std::optional<DueInput> input = EarliestInput(target);
        if (!key && !input) {
            break;
        }
        // Input that arrives no later than the next timer is taken first.
        if (input && (!key || input->dueMs <= timers_.at(*key).dueMs)) {
            virtualClock->SetNow(input->dueMs);
            DeliverInput(input->id);
        } else {
            virtualClock->SetNow(timers_.at(*key).dueMs);
            FireTimer(*key);
            DrainPosted();
        }
        if (done()) {
            return true;
        }
    }
    virtualClock->SetNow(target);
    DrainPosted();
    return done();
}

bool EventLoop::WaitForInput(std::int64_t ms) {
    if (clock_.AsVirtual() != nullptr) {
        return false;
    }
    const std::vector<WatchedDescriptor> watched = WatchedDescriptors();
    if (watched.empty()) {
        clock_.Sleep(ms);
        return true;
    }
    std::vector<pollfd> fds;
    fds.reserve(watched.size());
    for (const WatchedDescriptor& w : watched) {
        fds.push_back(pollfd{w.descriptor, POLLIN, 0});
    }
    const int timeoutMs = static_cast<int>(std::clamp<std::int64_t>(ms, 0, 60'000));
    const int ready = ::poll(fds.data(), fds.size(), timeoutMs);
    if (ready <= 0) {
        return true;  // the time passed, or a signal came: the caller looks again
    }
    for (std::size_t i = 0; i < fds.size(); ++i) {
        // A hang-up is input too: the read that follows reports it.
        if ((fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            DeliverInput(watched[i].id);
        }
    }
    return true;
}

bool EventLoop::RunUntil(const std::function<bool()>& done, std::int64_t limitMs) {
    if (clock_.AsVirtual() != nullptr) {
        return AdvanceUntil(done, limitMs);
    }
    const std::int64_t endMs = clock_.NowMs() + std::max<std::int64_t>(0, limitMs);
    for (;;) {
        ProcessDue();
        if (done()) {
            return true;
        }
        const std::int64_t now = clock_.NowMs();
        if (now >= endMs) {
            return false;
        }
        const std::optional<std::int64_t> next = NextDueIn();
        WaitForInput(std::min(next.value_or(endMs - now), endMs - now));
    }
}

void EventLoop::Pause(std::int64_t ms) {
    clock_.Sleep(ms);
}

WindowHandle EventLoop::Register(Window& window, WindowHandle parent) {
    const WindowHandle handle{nextHandle_++};
    windows_.emplace(handle, WindowEntry{&window, parent, handle.value});
    return handle;
}

void EventLoop::Unregister(WindowHandle handle) {
    windows_.erase(handle);
    KillTimersOf(handle);
    if (focused_ == handle) {
        focused_ = {};
    }
}

Window* EventLoop::Find(WindowHandle handle) const {
    const auto found = windows_.find(handle);
    return found == windows_.end() ? nullptr : found->second.window;
}

std::vector<WindowHandle> EventLoop::ChildrenOf(WindowHandle parent) const {
    std::vector<std::pair<std::uint64_t, WindowHandle>> found;
    if (parent.IsNull()) {
        return {};
    }
    for (const auto& [handle, entry] : windows_) {
        if (entry.parent == parent) {
            found.emplace_back(entry.created, handle);
        }
    }
    std::sort(found.begin(), found.end());
    std::vector<WindowHandle> children;
    children.reserve(found.size());
    for (const auto& [order, handle] : found) {
        children.push_back(handle);
    }
    return children;
}

void EventLoop::DeleteLater(std::unique_ptr<Window> window) {
    if (window) {
        deleteLater_.push_back(std::move(window));
    }
}

void EventLoop::FlushDeleteLater() {
    if (dispatchDepth_ != 0 || deleteLater_.empty()) {
        return;
    }
    auto pending = std::move(deleteLater_);
    deleteLater_.clear();
    pending.clear();
}

void EventLoop::SetFocusedWindow(WindowHandle handle) {
    if (handle.IsNull() || Find(handle) != nullptr) {
        focused_ = handle;
    }
}

void EventLoop::SetPrompter(Prompter* prompter) {
    prompter_ = prompter;
}

Prompter& EventLoop::GetPrompter() const {
    return prompter_ != nullptr ? *prompter_ : *fallbackPrompter_;
}

DocumentPrinter& EventLoop::Printer() const {
    return printer_ != nullptr ? *printer_ : *fallbackPrinter_;
}

void EventLoop::Wake() const {
    if (wakeHook_) {
        wakeHook_();
    }
}

}  // namespace tra1::win
