// The auxiliary tick: 0xA500 sent to the owner every 10 ms of virtual time, and the rules for
// configuring, starting and stopping its timer.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "link/caux_timer_dlg.h"
#include "platform/win/event_loop.h"
#include "platform/win/virtual_clock.h"
#include "platform/win/window.h"

namespace tra1 {
namespace {

// The main window's part: notes when each tick came and whether it was sent, not posted.
class TickOwner final : public win::Window {
public:
    using Window::Window;
    std::vector<std::int64_t> ticks;

protected:
    win::LResult OnMessage(win::Msg msg, win::WParam w, win::LParam l) override {
        if (msg == CAUXTIMERDlg::kTickMessage) {
            EXPECT_EQ(w, 0u);
            EXPECT_EQ(l, 0);
            ticks.push_back(Loop().NowMs());
        }
        return 0;
    }
};

class AuxTimerTest : public ::testing::Test {
protected:
    AuxTimerTest() {
        owner.CreateHidden();
        created = aux.Create(owner.Handle());
    }

    win::VirtualClock clock;
    win::EventLoop loop{clock};
    TickOwner owner{loop};
    CAUXTIMERDlg aux{loop};
    bool created = false;
};

TEST_F(AuxTimerTest, SendsTheTickEveryTenMs) {
    ASSERT_TRUE(created);
    EXPECT_EQ(aux.GetWindowText(), "AUX TIMER (Invisible Dialog)");
    EXPECT_FALSE(aux.IsWindowVisible());
    ASSERT_TRUE(aux.SetTimerId(1));
    ASSERT_TRUE(aux.SetPeriod(10));
    ASSERT_TRUE(aux.Start());

    loop.AdvanceBy(55);
    EXPECT_EQ(owner.ticks, (std::vector<std::int64_t>{10, 20, 30, 40, 50}));
    // Sent synchronously: nothing is left in the posted queue by the ticks.
    EXPECT_EQ(loop.PostedCount(), 0u);
    loop.AdvanceBy(1000);
    EXPECT_EQ(owner.ticks.size(), 105u);

    aux.Stop();
    EXPECT_FALSE(aux.IsRunning());
    loop.AdvanceBy(100);
    EXPECT_EQ(owner.ticks.size(), 105u);
}

TEST_F(AuxTimerTest, ConfigurationRules) {
    // Nothing to start without both values.
    EXPECT_FALSE(aux.Start());
    EXPECT_TRUE(aux.SetTimerId(1));
    EXPECT_FALSE(aux.Start());
    EXPECT_TRUE(aux.SetPeriod(10));
    EXPECT_TRUE(aux.Start());
    EXPECT_FALSE(aux.Start());  // already running

    // While running, the values stay as they are.
    EXPECT_FALSE(aux.SetTimerId(4));
    EXPECT_FALSE(aux.SetPeriod(500));
    EXPECT_EQ(aux.TickTimerId(), 1);
    EXPECT_EQ(aux.Period(), 10);

    aux.Stop();
    EXPECT_TRUE(aux.SetPeriod(20));
    EXPECT_TRUE(aux.Start());
    owner.ticks.clear();
    loop.AdvanceBy(100);
    EXPECT_EQ(owner.ticks.size(), 5u);
}

TEST_F(AuxTimerTest, DestroyingTheWindowStopsTheTick) {
    aux.SetTimerId(1);
    aux.SetPeriod(10);
    ASSERT_TRUE(aux.Start());
    loop.AdvanceBy(30);
    aux.DestroyWindow();
    EXPECT_FALSE(aux.IsRunning());
    loop.AdvanceBy(100);
    EXPECT_EQ(owner.ticks.size(), 3u);
}

TEST(AuxTimerWithoutWindowTest, CannotStartBeforeItsWindowExists) {
    win::VirtualClock clock;
    win::EventLoop loop{clock};
    CAUXTIMERDlg aux(loop);
    aux.SetTimerId(1);
    aux.SetPeriod(10);
    EXPECT_FALSE(aux.Start());
    EXPECT_FALSE(aux.IsRunning());
}

}  // namespace
}  // namespace tra1
