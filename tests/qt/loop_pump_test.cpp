// The window system's loop runs inside Qt's: posted messages and timers are delivered by Qt's
// event loop, modal dialogs run in nested Qt loops and keep the timers going. The loop runs on a
// virtual clock here, so Qt's idle time jumps straight to the next timer.

#include <unistd.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

#include "platform/qt/dialog_widget.h"
#include "platform/qt/qt_front_end.h"
#include "platform/win/input_source.h"
#include "platform/win/steady_clock.h"
#include "platform/win/user_input.h"
#include "platform/win/virtual_clock.h"
#include "tests/qt/qt_test_support.h"

namespace tra1::qtui {
namespace {

constexpr win::Msg kPing = win::WM_APP + 1;

// Ends itself after `ticks` timer ticks; on its first tick it may run another modal dialog.
class TickingDialog final : public win::Dialog {
public:
    TickingDialog(win::EventLoop& loop, int ticks)
        : Dialog(loop, testing::kTestDialog), ticks_(ticks) {}
    std::function<void()> on_first_tick;
    std::vector<std::int64_t> tick_times;
    std::vector<win::LParam> pings;

protected:
    bool OnInitDialog() override {
        SetTimer(1, 100);
        return true;
    }
    void OnTimer(win::TimerId) override {
        tick_times.push_back(Loop().NowMs());
        if (tick_times.size() == 1 && on_first_tick) {
            on_first_tick();
        }
        if (static_cast<int>(tick_times.size()) == ticks_) {
            KillTimer(1);
            EndDialog(win::IDOK);
        }
    }
    win::LResult OnMessage(win::Msg msg, win::WParam, win::LParam l) override {
        if (msg == kPing) {
            pings.push_back(l);
        }
        return 0;
    }

private:
    int ticks_;
};

class LoopPumpTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureQtApp();
        testing::RegisterTestTemplates();
        front_end = std::make_unique<QtFrontEnd>(loop);
    }
    void TearDown() override {
        front_end.reset();
        testing::FlushQtEvents();
    }
    win::VirtualClock clock;
    win::EventLoop loop{clock};
    std::unique_ptr<QtFrontEnd> front_end;
};

TEST_F(LoopPumpTest, ModalDialogsRunTheirTimersInsideQtsLoopNestedOnesToo) {
    TickingDialog outer(loop, 3);
    TickingDialog inner(loop, 2);
    int inner_result = 0;
    std::int64_t inner_started = -1;
    outer.on_first_tick = [&] {
        inner_started = loop.NowMs();
        inner_result = inner.DoModal(outer.Handle());
    };
    EXPECT_EQ(outer.DoModal(), win::IDOK);
    EXPECT_EQ(inner_result, win::IDOK);
    EXPECT_EQ(inner_started, 100);
    EXPECT_EQ(inner.tick_times, (std::vector<std::int64_t>{200, 300}));
    // The nested loop delivers the outer dialog's timer too, as the toolkit's modal loops do;
    // the outer dialog ended on its third tick and returned once the inner one had.
    EXPECT_EQ(outer.tick_times, (std::vector<std::int64_t>{100, 200, 300}));
    EXPECT_FALSE(outer.IsWindow());
    EXPECT_FALSE(inner.IsWindow());
}

TEST_F(LoopPumpTest, PostedMessagesArriveInOrderThroughQt) {
    TickingDialog dialog(loop, 1000);
    ASSERT_TRUE(dialog.Create());
    for (int i = 1; i <= 5; ++i) {
        dialog.PostMessage(kPing, 0, i);
    }
    EXPECT_TRUE(dialog.pings.empty());
    EXPECT_TRUE(front_end->pump().IsArmed());
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.pings, (std::vector<win::LParam>{1, 2, 3, 4, 5}));
    dialog.DestroyWindow();
    QCoreApplication::processEvents();
    EXPECT_FALSE(front_end->pump().IsArmed());  // nothing queued, no timer: Qt sleeps
}

TEST_F(LoopPumpTest, EnterInTheWindowEndsAModalDialogWithOk) {
    TickingDialog dialog(loop, 1000);
    QTimer::singleShot(0, [&] {
        DialogWidget* widget = front_end->host().WidgetFor(dialog.Handle());
        ASSERT_NE(widget, nullptr);
        EXPECT_TRUE(widget->isVisible());
        QTest::keyClick(widget, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.DoModal(), win::IDOK);
}

TEST_F(LoopPumpTest, AnOwnerlessModalDialogLeavesOtherWindowsUsable) {
    // The main window runs modally without an owner; the panels it opens are top-level windows.
    TickingDialog main_window(loop, 1000);
    testing::RecordingDialog panel(loop, testing::kTestDialog);
    bool panel_usable = false;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(panel.Create());
        panel.Show(true);
        EXPECT_EQ(front_end->host().WidgetFor(main_window.Handle())->windowModality(),
                  Qt::NonModal);
        EXPECT_EQ(QApplication::modalWindow(), nullptr);
        auto* push = front_end->host().WidgetFor(panel.Handle())->ControlWidget(testing::kPush);
        QTest::mouseClick(push, Qt::LeftButton);
        panel_usable = panel.Count(testing::Notification::Kind::kCommand, testing::kPush,
                                   win::BN_CLICKED) == 1;
        main_window.EndDialog(win::IDOK);
    });
    EXPECT_EQ(main_window.DoModal(), win::IDOK);
    EXPECT_TRUE(panel_usable);
}

TEST_F(LoopPumpTest, TheCloseBoxCancelsAModalDialogAndReenablesItsOwner) {
    testing::RecordingDialog owner(loop, testing::kTestDialog);
    ASSERT_TRUE(owner.Create());
    owner.Show(true);
    DialogWidget* owner_widget = front_end->host().WidgetFor(owner.Handle());
    TickingDialog dialog(loop, 1000);
    bool modal_usable = false;
    bool owner_blocked = false;
    QTimer::singleShot(0, [&] {
        DialogWidget* modal = front_end->host().WidgetFor(dialog.Handle());
        // The owner is disabled in the window system and blocked by Qt, the modal one is not.
        owner_blocked = !owner.IsWindowEnabled() && QApplication::modalWindow() != nullptr &&
                        modal->windowModality() == Qt::WindowModal;
        modal_usable = modal->isEnabled() && modal->client()->isEnabled();
        modal->close();
    });
    EXPECT_EQ(dialog.DoModal(owner.Handle()), win::IDCANCEL);
    EXPECT_TRUE(owner_blocked);
    EXPECT_TRUE(modal_usable);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_TRUE(owner_widget->client()->isEnabled());

    // A window disabled for other reasons shows disabled.
    owner.EnableWindow(false);
    EXPECT_FALSE(owner_widget->client()->isEnabled());
}

TEST(RealClockPumpTest, ArmsForTheNextTimerAndDeliversPostedMessagesAtOnce) {
    testing::EnsureQtApp();
    testing::RegisterTestTemplates();
    win::SteadyClock clock;
    win::EventLoop loop(clock);
    QtFrontEnd front_end(loop);
    TickingDialog dialog(loop, 1000);
    ASSERT_TRUE(dialog.Create());
    dialog.KillTimer(1);
    dialog.SetTimer(2, 60'000);
    ASSERT_TRUE(front_end.pump().IsArmed());
    EXPECT_LE(front_end.pump().ArmedDelayMs(), 60'000);
    EXPECT_GT(front_end.pump().ArmedDelayMs(), 0);  // no busy loop while waiting

    dialog.PostMessage(kPing, 0, 7);
    EXPECT_EQ(front_end.pump().ArmedDelayMs(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.pings, std::vector<win::LParam>{7});
    EXPECT_TRUE(front_end.pump().IsArmed());  // the timer still runs
    dialog.DestroyWindow();
}

// A descriptor the loop watches (a serial line's) gets a socket notifier in Qt's loop: its input
// is served the moment it is readable, with no timer armed at all.
TEST(RealClockPumpTest, AWatchedDescriptorIsServedAsSoonAsItIsReadable) {
    testing::EnsureQtApp();
    win::SteadyClock clock;
    win::EventLoop loop(clock);
    QtFrontEnd front_end(loop);
    struct PipeSource final : win::InputSource {
        int fds[2] = {-1, -1};
        int ReadableDescriptor() const override { return fds[0]; }
    } source;
    ASSERT_EQ(::pipe(source.fds), 0);
    int served = 0;
    const win::EventLoop::WatchId watch = loop.WatchInput(source, [&] {
        char c = 0;
        EXPECT_EQ(::read(source.fds[0], &c, 1), 1);
        ++served;
    });
    EXPECT_EQ(front_end.pump().WatchedDescriptorCount(), 1u);
    EXPECT_FALSE(front_end.pump().IsArmed());
    ASSERT_EQ(::write(source.fds[1], "x", 1), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return served == 1; }, 60'000));

    // A resting watch has no notifier; nothing is served until it is enabled again.
    loop.EnableWatch(watch, false);
    EXPECT_EQ(front_end.pump().WatchedDescriptorCount(), 0u);
    loop.EnableWatch(watch, true);
    ASSERT_EQ(::write(source.fds[1], "y", 1), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return served == 2; }, 60'000));
    loop.StopWatching(watch);
    EXPECT_EQ(front_end.pump().WatchedDescriptorCount(), 0u);
    testing::FlushQtEvents();
    ::close(source.fds[0]);
    ::close(source.fds[1]);
}

}  // namespace
}  // namespace tra1::qtui
