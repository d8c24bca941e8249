#include "platform/win/event_loop.h"

#include <algorithm>

#include "platform/win/scripted_prompter.h"
#include "platform/win/virtual_clock.h"
#include "platform/win/window.h"

namespace tra1::win {

namespace {
constexpr std::uint32_t kMinimumTimerPeriodMs = 10;
constexpr int kRunawayLimit = 1'000'000;
}  // namespace

EventLoop::EventLoop(Clock& clock)
    : clock_(clock), fallback_prompter_(std::make_unique<ScriptedPrompter>()) {}

EventLoop::~EventLoop() {
    // Windows waiting for deletion go first, while the loop they unregister from still exists.
    auto pending = std::move(delete_later_);
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
    ++dispatch_depth_;
    const LResult result = window.HandleMessage(msg, w, l);
    --dispatch_depth_;
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

bool EventLoop::SetTimer(WindowHandle window, TimerId id, std::uint32_t period_ms) {
    if (Find(window) == nullptr) {
        return false;
    }
    const std::uint32_t period = std::max(period_ms, kMinimumTimerPeriodMs);
    timers_.insert_or_assign(TimerKey{window, id},
                             Timer{period, clock_.NowMs() + period, next_order_++});
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
    return found->second.period_ms;
}

std::optional<EventLoop::TimerKey> EventLoop::EarliestDue(std::int64_t by_ms) const {
    std::optional<TimerKey> best;
    const Timer* best_timer = nullptr;
    for (const auto& [key, timer] : timers_) {
        if (timer.due_ms > by_ms) {
            continue;
        }
        if (best_timer == nullptr || timer.due_ms < best_timer->due_ms ||
            (timer.due_ms == best_timer->due_ms && timer.order < best_timer->order)) {
            best = key;
            best_timer = &timer;
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
    const std::int64_t now = clock_.NowMs();
    std::int64_t next = timer.due_ms + timer.period_ms;
    if (next <= now) {
        next = now + timer.period_ms;  // late by whole periods: one tick, like coalesced timers
    }
    timer.due_ms = next;
    Send(key.window, WM_TIMER, key.id, 0);
}

void EventLoop::ProcessDue() {
    DrainPosted();
    const std::int64_t now = clock_.NowMs();
    // Snapshot what is due now, in due order, so each timer fires at most once per call.
    std::vector<std::pair<TimerKey, std::pair<std::int64_t, std::uint64_t>>> due;
    for (const auto& [key, timer] : timers_) {
        if (timer.due_ms <= now) {
            due.push_back({key, {timer.due_ms, timer.order}});
        }
    }
    std::sort(due.begin(), due.end(),
              [](const auto& a, const auto& b) { return a.second < b.second; });
    for (const auto& [key, when] : due) {
        const auto found = timers_.find(key);
        // Skip timers that were killed or restarted by an earlier handler.
        if (found == timers_.end() || found->second.order != when.second ||
            found->second.due_ms > now) {
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
    if (timers_.empty()) {
        return std::nullopt;
    }
    std::int64_t earliest = timers_.begin()->second.due_ms;
    for (const auto& [key, timer] : timers_) {
        earliest = std::min(earliest, timer.due_ms);
    }
    return std::max<std::int64_t>(0, earliest - clock_.NowMs());
}

bool EventLoop::AdvanceBy(std::int64_t ms) {
    if (clock_.AsVirtual() == nullptr) {
        return false;
    }
    AdvanceUntil([] { return false; }, ms);
    return true;
}

bool EventLoop::AdvanceUntil(const std::function<bool()>& done, std::int64_t limit_ms) {
    VirtualClock* virtual_clock = clock_.AsVirtual();
    if (virtual_clock == nullptr) {
        return false;
    }
    const std::int64_t target = virtual_clock->NowMs() + std::max<std::int64_t>(0, limit_ms);
    DrainPosted();
    if (done()) {
        return true;
    }
    while (const auto key = EarliestDue(target)) {
        virtual_clock->SetNow(timers_.at(*key).due_ms);
        FireTimer(*key);
        DrainPosted();
        if (done()) {
            return true;
        }
    }
    virtual_clock->SetNow(target);
    DrainPosted();
    return done();
}

void EventLoop::Pause(std::int64_t ms) {
    clock_.Sleep(ms);
}

WindowHandle EventLoop::Register(Window& window, WindowHandle parent) {
    const WindowHandle handle{next_handle_++};
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
        delete_later_.push_back(std::move(window));
    }
}

void EventLoop::FlushDeleteLater() {
    if (dispatch_depth_ != 0 || delete_later_.empty()) {
        return;
    }
    auto pending = std::move(delete_later_);
    delete_later_.clear();
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

Prompter& EventLoop::prompter() const {
    return prompter_ != nullptr ? *prompter_ : *fallback_prompter_;
}

void EventLoop::Wake() const {
    if (wake_hook_) {
        wake_hook_();
    }
}

}  // namespace tra1::win
