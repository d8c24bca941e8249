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
        owner_.CreateHidden();
        created_ = aux_.Create(owner_.Handle());
    }

    win::VirtualClock clock_;
    win::EventLoop loop_{clock_};
    TickOwner owner_{loop_};
    CAUXTIMERDlg aux_{loop_};
    bool created_ = false;
};

TEST_F(AuxTimerTest, SendsTheTickEveryTenMs) {
    ASSERT_TRUE(created_);
    EXPECT_EQ(aux_.GetWindowText(), "AUX TIMER (Invisible Dialog)");
    EXPECT_FALSE(aux_.IsWindowVisible());
    ASSERT_TRUE(aux_.SetTimerId(1));
    ASSERT_TRUE(aux_.SetPeriod(10));
    ASSERT_TRUE(aux_.Start());

    loop_.AdvanceBy(55);
    EXPECT_EQ(owner_.ticks, (std::vector<std::int64_t>{10, 20, 30, 40, 50}));
    // Sent synchronously: nothing is left in the posted queue by the ticks.
    EXPECT_EQ(loop_.PostedCount(), 0u);
    loop_.AdvanceBy(1000);
    EXPECT_EQ(owner_.ticks.size(), 105u);

    aux_.Stop();
    EXPECT_FALSE(aux_.IsRunning());
    loop_.AdvanceBy(100);
    EXPECT_EQ(owner_.ticks.size(), 105u);
}

TEST_F(AuxTimerTest, ConfigurationRules) {
    // Nothing to start without both values.
    EXPECT_FALSE(aux_.Start());
    EXPECT_TRUE(aux_.SetTimerId(1));
    EXPECT_FALSE(aux_.Start());
    EXPECT_TRUE(aux_.SetPeriod(10));
    EXPECT_TRUE(aux_.Start());
    EXPECT_FALSE(aux_.Start());  // already running

    // While running, the values stay as they are.
    EXPECT_FALSE(aux_.SetTimerId(4));
    EXPECT_FALSE(aux_.SetPeriod(500));
    EXPECT_EQ(aux_.TickTimerId(), 1);
    EXPECT_EQ(aux_.Period(), 10);

    aux_.Stop();
    EXPECT_TRUE(aux_.SetPeriod(20));
    EXPECT_TRUE(aux_.Start());
    owner_.ticks.clear();
    loop_.AdvanceBy(100);
    EXPECT_EQ(owner_.ticks.size(), 5u);
}

TEST_F(AuxTimerTest, DestroyingTheWindowStopsTheTick) {
    aux_.SetTimerId(1);
    aux_.SetPeriod(10);
    ASSERT_TRUE(aux_.Start());
    loop_.AdvanceBy(30);
    aux_.DestroyWindow();
    EXPECT_FALSE(aux_.IsRunning());
    loop_.AdvanceBy(100);
    EXPECT_EQ(owner_.ticks.size(), 3u);
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
