// Input the loop watches besides messages and timers: on the virtual clock a source says when
// its input arrives and is served then, ahead of a timer due later; on the real clock without a
// front end the loop waits on the source's descriptor and serves it as soon as it is readable.

#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/event_loop.h"
#include "platform/win/input_source.h"
#include "platform/win/steady_clock.h"
#include "platform/win/virtual_clock.h"
#include "platform/win/window.h"

namespace tra1::win {
namespace {

class TimedSource final : public InputSource {
public:
    std::optional<std::int64_t> InputDueAtMs() const override { return due; }
    std::optional<std::int64_t> due;
};

class TickWindow final : public Window {
public:
    TickWindow(EventLoop& loop, std::vector<std::string>& log) : Window(loop), log_(log) {
        CreateHidden();
    }

protected:
    void OnTimer(TimerId) override { log_.push_back("tick@" + std::to_string(Loop().NowMs())); }

private:
    std::vector<std::string>& log_;
};

TEST(InputWatch, OnTheVirtualClockInputIsServedWhenItArrivesAheadOfALaterTimer) {
    VirtualClock clock;
    EventLoop loop(clock);
    std::vector<std::string> log;
    TickWindow window(loop, log);
    window.SetTimer(1, 10);
    TimedSource source;
    source.due = 3;
    const EventLoop::WatchId watch = loop.WatchInput(source, [&] {
        log.push_back("input@" + std::to_string(loop.NowMs()));
        source.due.reset();  // read: nothing more on its way
    });
    EXPECT_EQ(loop.NextDueIn(), 3);
    loop.AdvanceBy(10);
    EXPECT_EQ(log, (std::vector<std::string>{"input@3", "tick@10"}));

    // A disabled watch is not served; enabled again, what waits is served at once.
    loop.EnableWatch(watch, false);
    source.due = 12;
    loop.AdvanceBy(5);
    EXPECT_EQ(log.size(), 2u);
    loop.EnableWatch(watch, true);
    loop.AdvanceBy(0);
    EXPECT_EQ(log.back(), "input@15");
    loop.StopWatching(watch);
    source.due = 16;
    loop.AdvanceBy(5);
    EXPECT_EQ(log.back(), "tick@20");
}

TEST(InputWatch, ASourceThatStaysDueWithoutBeingReadCannotSpinTheLoop) {
    VirtualClock clock;
    EventLoop loop(clock);
    TimedSource source;
    source.due = 0;
    int served = 0;
    loop.WatchInput(source, [&] { ++served; });
    EXPECT_FALSE(loop.AdvanceUntil([] { return false; }, 20));
    EXPECT_EQ(clock.NowMs(), 20);
    EXPECT_GT(served, 0);
}

class PipeSource final : public InputSource {
public:
    PipeSource() {
        if (::pipe(fds_) != 0) {
            fds_[0] = fds_[1] = -1;
        }
    }
    ~PipeSource() override {
        for (const int fd : fds_) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }
    int ReadableDescriptor() const override { return fds_[0]; }
    bool Put() { return ::write(fds_[1], "x", 1) == 1; }
    bool Take() {
        char c = 0;
        return ::read(fds_[0], &c, 1) == 1;
    }

private:
    int fds_[2] = {-1, -1};
};

TEST(InputWatch, OnTheRealClockTheLoopWakesForAReadableDescriptor) {
    SteadyClock clock;
    EventLoop loop(clock);
    PipeSource pipe;
    ASSERT_GE(pipe.ReadableDescriptor(), 0);
    int served = 0;
    loop.WatchInput(pipe, [&] {
        EXPECT_TRUE(pipe.Take());
        ++served;
    });
    ASSERT_EQ(loop.WatchedDescriptors().size(), 1u);
    ASSERT_TRUE(pipe.Put());
    // No timer runs: only the descriptor can end the wait, whatever the machine's speed.
    EXPECT_TRUE(loop.RunUntil([&] { return served == 1; }, 60'000));
    EXPECT_EQ(served, 1);
}

}  // namespace
}  // namespace tra1::win
