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
    std::function<void(Msg, WParam)> on_message;
    std::function<void(TimerId)> on_timer;

protected:
    LResult OnMessage(Msg msg, WParam w, LParam l) override {
        log_.push_back(name_ + ":" + std::to_string(msg) + ":" + std::to_string(w));
        if (on_message) {
            on_message(msg, w);
        }
        return static_cast<LResult>(w) + l;
    }
    void OnTimer(TimerId id) override {
        log_.push_back(name_ + ":T" + std::to_string(id) + "@" + std::to_string(Loop().NowMs()));
        if (on_timer) {
            on_timer(id);
        }
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

class EventLoopTest : public ::testing::Test {
protected:
    VirtualClock clock;
    EventLoop loop{clock};
    std::vector<std::string> log;
};

TEST_F(EventLoopTest, PostedMessagesArriveInFifoOrderIncludingOnesPostedWhileDraining) {
    LogWindow a(loop, "a", log);
    LogWindow b(loop, "b", log);
    a.on_message = [&](Msg msg, WParam w) {
        if (msg == WM_USER && w == 1) {
            b.PostMessage(WM_USER, 9);  // goes behind what is already queued
        }
    };
    EXPECT_TRUE(a.PostMessage(WM_USER, 1));
    EXPECT_TRUE(b.PostMessage(WM_USER, 2));
    EXPECT_TRUE(a.PostMessage(WM_USER, 3));
    EXPECT_TRUE(log.empty());  // posting never delivers at once
    EXPECT_EQ(loop.DrainPosted(), 4);
    EXPECT_EQ(log, (std::vector<std::string>{"a:1024:1", "b:1024:2", "a:1024:3", "b:1024:9"}));
}

TEST_F(EventLoopTest, SendDeliversAtOnceAndReturnsTheResult) {
    LogWindow a(loop, "a", log);
    a.PostMessage(WM_USER, 1);
    EXPECT_EQ(a.SendMessage(WM_USER + 1, 5, 2), 7);
    EXPECT_EQ(log, (std::vector<std::string>{"a:1025:5"}));  // ahead of the posted one
    EXPECT_EQ(loop.PostedCount(), 1u);
}

TEST_F(EventLoopTest, TimersFireByPeriodInDueOrderWithMessagesDrainedBetween) {
    LogWindow a(loop, "a", log);
    LogWindow b(loop, "b", log);
    a.SetTimer(1, 300);
    b.SetTimer(2, 200);
    a.SetTimer(3, 200);  // same due time as b's timer 2, set later: fires after it
    b.on_timer = [&](TimerId) { a.PostMessage(WM_USER, 7); };
    EXPECT_TRUE(loop.AdvanceBy(650));
    EXPECT_EQ(log, (std::vector<std::string>{"b:T2@200", "a:1024:7", "a:T3@200", "a:T1@300",
                                             "b:T2@400", "a:1024:7", "a:T3@400", "a:T1@600",
                                             "b:T2@600", "a:1024:7", "a:T3@600"}));
    EXPECT_EQ(clock.NowMs(), 650);
    EXPECT_EQ(loop.NextDueIn(), 150);  // b's timer 2 and a's timer 3 at 800
}

TEST_F(EventLoopTest, SetTimerAgainRestartsItAndShortPeriodsAreRaisedToTenMs) {
    LogWindow a(loop, "a", log);
    a.SetTimer(1, 100);
    loop.AdvanceBy(60);
    a.SetTimer(1, 100);  // restarts from now: next tick at 160, not 100
    loop.AdvanceBy(100);
    a.SetTimer(2, 1);
    EXPECT_EQ(loop.TimerPeriod(a.Handle(), 2), 10u);
    EXPECT_EQ(log, (std::vector<std::string>{"a:T1@160"}));
}

TEST_F(EventLoopTest, KillTimerStopsItEvenWhenAnotherTimerDueAtTheSameTimeKillsIt) {
    LogWindow a(loop, "a", log);
    a.SetTimer(1, 100);
    a.SetTimer(2, 100);
    a.on_timer = [&](TimerId id) {
        if (id == 1) {
            a.KillTimer(2);
        }
    };
    loop.AdvanceBy(250);
    EXPECT_EQ(log, (std::vector<std::string>{"a:T1@100", "a:T1@200"}));
    EXPECT_TRUE(a.KillTimer(1));
    EXPECT_FALSE(a.KillTimer(1));
    loop.AdvanceBy(1000);
    EXPECT_EQ(log.size(), 2u);
    EXPECT_FALSE(loop.NextDueIn().has_value());
}

TEST_F(EventLoopTest, PauseMovesVirtualTimeOnWithoutDispatchingAnything) {
    LogWindow a(loop, "a", log);
    a.SetTimer(1, 100);
    a.PostMessage(WM_USER, 1);
    loop.Pause(350);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(clock.NowMs(), 350);
    EXPECT_EQ(clock.SleptMs(), 350);
    // Afterwards the late timer fires once, not three times, like the toolkit's timers.
    loop.ProcessDue();
    EXPECT_EQ(log, (std::vector<std::string>{"a:1024:1", "a:T1@350"}));
    EXPECT_EQ(loop.NextDueIn(), 100);
}

TEST_F(EventLoopTest, PauseInsideAHandlerDelaysLaterTimersButDispatchesNothingMeanwhile) {
    LogWindow a(loop, "a", log);
    LogWindow b(loop, "b", log);
    a.SetTimer(1, 100);
    b.SetTimer(2, 150);
    a.on_timer = [&](TimerId) {
        if (loop.NowMs() == 100) {
            b.PostMessage(WM_USER, 3);
            loop.Pause(200);  // blocks until 300; b's timer and message wait
        }
    };
    loop.AdvanceBy(300);
    EXPECT_EQ(log, (std::vector<std::string>{"a:T1@100", "b:1024:3", "b:T2@300", "a:T1@300"}));
}

TEST_F(EventLoopTest, MessagesAndTimersOfADestroyedWindowAreDropped) {
    auto a = std::make_unique<LogWindow>(loop, "a", log);
    const WindowHandle handle = a->Handle();
    a->PostMessage(WM_USER, 1);
    a->SetTimer(1, 10);
    EXPECT_TRUE(a->DestroyWindow());
    EXPECT_FALSE(a->IsWindow());
    a.reset();  // the memory is gone too
    EXPECT_EQ(loop.DrainPosted(), 0);
    loop.AdvanceBy(100);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(loop.Post(handle, WM_USER));
    EXPECT_EQ(loop.Send(handle, WM_USER, 1, 1), 0);
    EXPECT_FALSE(loop.SetTimer(handle, 1, 10));
}

TEST_F(EventLoopTest, HandlesAreNeverReused) {
    LogWindow a(loop, "a", log);
    const WindowHandle first = a.Handle();
    a.DestroyWindow();
    a.CreateHidden();
    EXPECT_NE(a.Handle(), first);
    EXPECT_EQ(loop.Find(first), nullptr);
    EXPECT_EQ(loop.Find(a.Handle()), &a);
}

TEST_F(EventLoopTest, DestroyingAParentDestroysItsChildrenFirst) {
    class Child : public Window {
    public:
        Child(EventLoop& loop, std::vector<std::string>& log) : Window(loop), log_(log) {}
        void OnDestroy() override { log_.push_back("child destroyed"); }
        std::vector<std::string>& log_;
    };
    LogWindow parent(loop, "p", log);
    Child child(loop, log);
    child.CreateHidden(parent.Handle());
    EXPECT_EQ(loop.ChildrenOf(parent.Handle()), std::vector<WindowHandle>{child.Handle()});
    parent.DestroyWindow();
    EXPECT_FALSE(child.IsWindow());
    EXPECT_EQ(log, std::vector<std::string>{"child destroyed"});
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
    auto window = std::make_unique<SelfDeleting>(loop, deleted);
    window->owner = &holder;
    window->CreateHidden();
    const WindowHandle handle = window->Handle();
    holder = std::move(window);
    loop.Post(handle, WM_USER);
    loop.Post(handle, WM_USER);  // arrives after the window is gone: dropped
    EXPECT_EQ(loop.DrainPosted(), 1);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(holder, nullptr);
}

TEST_F(EventLoopTest, FrontEndStyleRunningWithProcessDueAndNextDueIn) {
    LogWindow a(loop, "a", log);
    int wakes = 0;
    loop.SetWakeHook([&] { ++wakes; });
    EXPECT_FALSE(loop.NextDueIn().has_value());
    a.SetTimer(1, 40);
    EXPECT_EQ(loop.NextDueIn(), 40);
    a.PostMessage(WM_USER, 1);
    EXPECT_EQ(loop.NextDueIn(), 0);
    EXPECT_EQ(wakes, 2);
    loop.ProcessDue();
    clock.SetNow(40);
    loop.ProcessDue();
    EXPECT_EQ(log, (std::vector<std::string>{"a:1024:1", "a:T1@40"}));
}

TEST(EventLoopSteadyClock, AdvanceByIsRefusedOnTheRealClock) {
    SteadyClock clock;
    EventLoop loop(clock);
    EXPECT_FALSE(loop.AdvanceBy(1000));
    EXPECT_FALSE(loop.AdvanceUntil([] { return true; }, 1000));
}

TEST_F(EventLoopTest, AdvanceUntilStopsAsSoonAsTheConditionHolds) {
    LogWindow a(loop, "a", log);
    a.SetTimer(1, 10);
    int ticks = 0;
    a.on_timer = [&](TimerId) { ++ticks; };
    EXPECT_TRUE(loop.AdvanceUntil([&] { return ticks == 3; }, 1000));
    EXPECT_EQ(clock.NowMs(), 30);
    EXPECT_FALSE(loop.AdvanceUntil([] { return false; }, 25));
    EXPECT_EQ(clock.NowMs(), 55);
}

}  // namespace
}  // namespace tra1::win
