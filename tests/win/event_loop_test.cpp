// The loop's ordering guarantees on the virtual clock: posted FIFO, timers in due order,
// blocking pauses, dead targets, killed timers, deferred deletion.

#include "platform/win/event_loop.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win/steady_clock.h"
#include "platform/win/virtual_clock.h"
#include "platform/win/window.h"

namespace tra1::win {
namespace {

// Appends "name:msg:w" for every message and "name:T<id>@<time>" for every timer.
class LogWindow : public Window {
public:
    LogWindow(EventLoop& loop, std::string name, std::vector<std::string>& log)
        : Window(loop), name_(std::move(name)), log_(log) {
        CreateHidden();
    }
    std::function<void(Msg, WParam)> onMessage;
    std::function<void(TimerId)> onTimer;

protected:
    LResult OnMessage(Msg msg, WParam w, LParam l) override {
        log_.push_back(name_ + ":" + std::to_string(msg) + ":" + std::to_string(w));
        if (onMessage) {
            onMessage(msg, w);
        }
        return static_cast<LResult>(w) + l;
    }
    void OnTimer(TimerId id) override {
        log_.push_back(name_ + ":T" + std::to_string(id) + "@" + std::to_string(Loop().NowMs()));
        if (onTimer) {
            onTimer(id);
        }
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

class EventLoopTest : public ::testing::Test {
protected:
    VirtualClock clock_;
    EventLoop loop_{clock_};
    std::vector<std::string> log_;
};

TEST_F(EventLoopTest, PostedMessagesArriveInFifoOrderIncludingOnesPostedWhileDraining) {
    LogWindow a(loop_, "a", log_);
    LogWindow b(loop_, "b", log_);
    a.onMessage = [&](Msg msg, WParam w) {
        if (msg == WM_USER && w == 1) {
            b.PostMessage(WM_USER, 9);  // goes behind what is already queued
        }
    };
    EXPECT_TRUE(a.PostMessage(WM_USER, 1));
    EXPECT_TRUE(b.PostMessage(WM_USER, 2));
    EXPECT_TRUE(a.PostMessage(WM_USER, 3));
    EXPECT_TRUE(log_.empty());  // posting never delivers at once
    EXPECT_EQ(loop_.DrainPosted(), 4);
    EXPECT_EQ(log_, (std::vector<std::string>{"a:1024:1", "b:1024:2", "a:1024:3", "b:1024:9"}));
}

TEST_F(EventLoopTest, SendDeliversAtOnceAndReturnsTheResult) {
    LogWindow a(loop_, "a", log_);
    a.PostMessage(WM_USER, 1);
    EXPECT_EQ(a.SendMessage(WM_USER + 1, 5, 2), 7);
    EXPECT_EQ(log_, (std::vector<std::string>{"a:1025:5"}));  // ahead of the posted one
    EXPECT_EQ(loop_.PostedCount(), 1u);
}

TEST_F(EventLoopTest, TimersFireByPeriodInDueOrderWithMessagesDrainedBetween) {
    LogWindow a(loop_, "a", log_);
    LogWindow b(loop_, "b", log_);
    a.SetTimer(1, 300);
    b.SetTimer(2, 200);
    a.SetTimer(3, 200);  // same due time as b's timer 2, set later: fires after it
    b.onTimer = [&](TimerId) { a.PostMessage(WM_USER, 7); };
    EXPECT_TRUE(loop_.AdvanceBy(650));
    EXPECT_EQ(log_, (std::vector<std::string>{"b:T2@200", "a:1024:7", "a:T3@200", "a:T1@300",
                                              "b:T2@400", "a:1024:7", "a:T3@400", "a:T1@600",
                                              "b:T2@600", "a:1024:7", "a:T3@600"}));
    EXPECT_EQ(clock_.NowMs(), 650);
    EXPECT_EQ(loop_.NextDueIn(), 150);  // b's timer 2 and a's timer 3 at 800
}

TEST_F(EventLoopTest, SetTimerAgainRestartsItAndShortPeriodsAreRaisedToTenMs) {
    LogWindow a(loop_, "a", log_);
    a.SetTimer(1, 100);
    loop_.AdvanceBy(60);
    a.SetTimer(1, 100);  // restarts from now: next tick at 160, not 100
    loop_.AdvanceBy(100);
    a.SetTimer(2, 1);
    EXPECT_EQ(loop_.TimerPeriod(a.Handle(), 2), 10u);
    EXPECT_EQ(log_, (std::vector<std::string>{"a:T1@160"}));
}

TEST_F(EventLoopTest, KillTimerStopsItEvenWhenAnotherTimerDueAtTheSameTimeKillsIt) {
    LogWindow a(loop_, "a", log_);
    a.SetTimer(1, 100);
    a.SetTimer(2, 100);
    a.onTimer = [&](TimerId id) {
        if (id == 1) {
            a.KillTimer(2);
        }
    };
    loop_.AdvanceBy(250);
    EXPECT_EQ(log_, (std::vector<std::string>{"a:T1@100", "a:T1@200"}));
    EXPECT_TRUE(a.KillTimer(1));
    EXPECT_FALSE(a.KillTimer(1));
    loop_.AdvanceBy(1000);
    EXPECT_EQ(log_.size(), 2u);
    EXPECT_FALSE(loop_.NextDueIn().has_value());
}

TEST_F(EventLoopTest, PauseMovesVirtualTimeOnWithoutDispatchingAnything) {
    LogWindow a(loop_, "a", log_);
    a.SetTimer(1, 100);
    a.PostMessage(WM_USER, 1);
    loop_.Pause(350);
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(clock_.NowMs(), 350);
    EXPECT_EQ(clock_.SleptMs(), 350);
    // Afterwards the late timer fires once, not three times, like the toolkit's timers.
    loop_.ProcessDue();
    EXPECT_EQ(log_, (std::vector<std::string>{"a:1024:1", "a:T1@350"}));
    EXPECT_EQ(loop_.NextDueIn(), 100);
}

TEST_F(EventLoopTest, PauseInsideAHandlerDelaysLaterTimersButDispatchesNothingMeanwhile) {
    LogWindow a(loop_, "a", log_);
    LogWindow b(loop_, "b", log_);
    a.SetTimer(1, 100);
    b.SetTimer(2, 150);
    a.onTimer = [&](TimerId) {
        if (loop_.NowMs() == 100) {
            b.PostMessage(WM_USER, 3);
            loop_.Pause(200);  // blocks until 300; b's timer and message wait
        }
    };
    loop_.AdvanceBy(300);
    EXPECT_EQ(log_, (std::vector<std::string>{"a:T1@100", "b:1024:3", "b:T2@300", "a:T1@300"}));
}

TEST_F(EventLoopTest, MessagesAndTimersOfADestroyedWindowAreDropped) {
    auto a = std::make_unique<LogWindow>(loop_, "a", log_);
    const WindowHandle handle = a->Handle();
    a->PostMessage(WM_USER, 1);
    a->SetTimer(1, 10);
    EXPECT_TRUE(a->DestroyWindow());
    EXPECT_FALSE(a->IsWindow());
    a.reset();  // the memory is gone too
    EXPECT_EQ(loop_.DrainPosted(), 0);
    loop_.AdvanceBy(100);
    EXPECT_TRUE(log_.empty());
    EXPECT_FALSE(loop_.Post(handle, WM_USER));
    EXPECT_EQ(loop_.Send(handle, WM_USER, 1, 1), 0);
    EXPECT_FALSE(loop_.SetTimer(handle, 1, 10));
}

TEST_F(EventLoopTest, HandlesAreNeverReused) {
    LogWindow a(loop_, "a", log_);
    const WindowHandle first = a.Handle();
    a.DestroyWindow();
    a.CreateHidden();
    EXPECT_NE(a.Handle(), first);
    EXPECT_EQ(loop_.Find(first), nullptr);
    EXPECT_EQ(loop_.Find(a.Handle()), &a);
}

TEST_F(EventLoopTest, DestroyingAParentDestroysItsChildrenFirst) {
    class Child : public Window {
    public:
        Child(EventLoop& loop, std::vector<std::string>& log) : Window(loop), log(log) {}
        void OnDestroy() override { log.push_back("child destroyed"); }
        std::vector<std::string>& log;
    };
    LogWindow parent(loop_, "p", log_);
    Child child(loop_, log_);
    child.CreateHidden(parent.Handle());
    EXPECT_EQ(loop_.ChildrenOf(parent.Handle()), std::vector<WindowHandle>{child.Handle()});
    parent.DestroyWindow();
    EXPECT_FALSE(child.IsWindow());
    EXPECT_EQ(log_, std::vector<std::string>{"child destroyed"});
}

TEST_F(EventLoopTest, AWindowCanHandItselfToDeleteLaterFromItsOwnHandler) {
    class SelfDeleting : public Window {
    public:
        SelfDeleting(EventLoop& loop, bool& deleted) : Window(loop), deleted_(deleted) {}
        ~SelfDeleting() override { deleted_ = true; }
        std::unique_ptr<Window>* owner = nullptr;

    protected:
        LResult OnMessage(Msg, WParam, LParam) override {
            DestroyWindow();
            return 1;
        }
        void PostNcDestroy() override { Loop().DeleteLater(std::move(*owner)); }

    private:
        bool& deleted_;
    };
    bool deleted = false;
    std::unique_ptr<Window> holder;
    auto window = std::make_unique<SelfDeleting>(loop_, deleted);
    window->owner = &holder;
    window->CreateHidden();
    const WindowHandle handle = window->Handle();
    holder = std::move(window);
    loop_.Post(handle, WM_USER);
    loop_.Post(handle, WM_USER);  // arrives after the window is gone: dropped
    EXPECT_EQ(loop_.DrainPosted(), 1);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(holder, nullptr);
}

TEST_F(EventLoopTest, FrontEndStyleRunningWithProcessDueAndNextDueIn) {
    LogWindow a(loop_, "a", log_);
    int wakes = 0;
    loop_.SetWakeHook([&] { ++wakes; });
    EXPECT_FALSE(loop_.NextDueIn().has_value());
    a.SetTimer(1, 40);
    EXPECT_EQ(loop_.NextDueIn(), 40);
    a.PostMessage(WM_USER, 1);
    EXPECT_EQ(loop_.NextDueIn(), 0);
    EXPECT_EQ(wakes, 2);
    loop_.ProcessDue();
    clock_.SetNow(40);
    loop_.ProcessDue();
    EXPECT_EQ(log_, (std::vector<std::string>{"a:1024:1", "a:T1@40"}));
}

TEST(EventLoopSteadyClock, AdvanceByIsRefusedOnTheRealClock) {
    SteadyClock clock;
    EventLoop loop(clock);
    EXPECT_FALSE(loop.AdvanceBy(1000));
    EXPECT_FALSE(loop.AdvanceUntil([] { return true; }, 1000));
}

TEST_F(EventLoopTest, AdvanceUntilStopsAsSoonAsTheConditionHolds) {
    LogWindow a(loop_, "a", log_);
    a.SetTimer(1, 10);
    int ticks = 0;
    a.onTimer = [&](TimerId) { ++ticks; };
    EXPECT_TRUE(loop_.AdvanceUntil([&] { return ticks == 3; }, 1000));
    EXPECT_EQ(clock_.NowMs(), 30);
    EXPECT_FALSE(loop_.AdvanceUntil([] { return false; }, 25));
    EXPECT_EQ(clock_.NowMs(), 55);
}

}  // namespace
}  // namespace tra1::win
