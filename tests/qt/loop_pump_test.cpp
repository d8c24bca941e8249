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
    std::function<void()> onFirstTick;
    std::vector<std::int64_t> tickTimes;
    std::vector<win::LParam> pings;

protected:
    bool OnInitDialog() override {
        SetTimer(1, 100);
        return true;
    }
    void OnTimer(win::TimerId) override {
        tickTimes.push_back(Loop().NowMs());
        if (tickTimes.size() == 1 && onFirstTick) {
            onFirstTick();
        }
        if (static_cast<int>(tickTimes.size()) == ticks_) {
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
        frontEnd_ = std::make_unique<QtFrontEnd>(loop_);
    }
    void TearDown() override {
        frontEnd_.reset();
        testing::FlushQtEvents();
    }
    win::VirtualClock clock_;
    win::EventLoop loop_{clock_};
    std::unique_ptr<QtFrontEnd> frontEnd_;
};

TEST_F(LoopPumpTest, ModalDialogsRunTheirTimersInsideQtsLoopNestedOnesToo) {
    TickingDialog outer(loop_, 3);
    TickingDialog inner(loop_, 2);
    int innerResult = 0;
    std::int64_t innerStarted = -1;
    outer.onFirstTick = [&] {
        innerStarted = loop_.NowMs();
        innerResult = inner.DoModal(outer.Handle());
    };
    EXPECT_EQ(outer.DoModal(), win::IDOK);
    EXPECT_EQ(innerResult, win::IDOK);
    EXPECT_EQ(innerStarted, 100);
    EXPECT_EQ(inner.tickTimes, (std::vector<std::int64_t>{200, 300}));
    // The nested loop delivers the outer dialog's timer too, as the toolkit's modal loops do;
    // the outer dialog ended on its third tick and returned once the inner one had.
    EXPECT_EQ(outer.tickTimes, (std::vector<std::int64_t>{100, 200, 300}));
    EXPECT_FALSE(outer.IsWindow());
    EXPECT_FALSE(inner.IsWindow());
}

TEST_F(LoopPumpTest, PostedMessagesArriveInOrderThroughQt) {
    TickingDialog dialog(loop_, 1000);
    ASSERT_TRUE(dialog.Create());
    for (int i = 1; i <= 5; ++i) {
        dialog.PostMessage(kPing, 0, i);
    }
    EXPECT_TRUE(dialog.pings.empty());
    EXPECT_TRUE(frontEnd_->Pump().IsArmed());
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.pings, (std::vector<win::LParam>{1, 2, 3, 4, 5}));
    dialog.DestroyWindow();
    QCoreApplication::processEvents();
    EXPECT_FALSE(frontEnd_->Pump().IsArmed());  // nothing queued, no timer: Qt sleeps
}

TEST_F(LoopPumpTest, EnterInTheWindowEndsAModalDialogWithOk) {
    TickingDialog dialog(loop_, 1000);
    QTimer::singleShot(0, [&] {
        DialogWidget* widget = frontEnd_->Host().WidgetFor(dialog.Handle());
        ASSERT_NE(widget, nullptr);
        EXPECT_TRUE(widget->isVisible());
        QTest::keyClick(widget, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.DoModal(), win::IDOK);
}

TEST_F(LoopPumpTest, AnOwnerlessModalDialogLeavesOtherWindowsUsable) {
    // The main window runs modally without an owner; the panels it opens are top-level windows.
    TickingDialog mainWindow(loop_, 1000);
    testing::RecordingDialog panel(loop_, testing::kTestDialog);
    bool panelUsable = false;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(panel.Create());
        panel.Show(true);
        EXPECT_EQ(frontEnd_->Host().WidgetFor(mainWindow.Handle())->windowModality(), Qt::NonModal);
        EXPECT_EQ(QApplication::modalWindow(), nullptr);
        auto* push = frontEnd_->Host().WidgetFor(panel.Handle())->ControlWidget(testing::kPush);
        QTest::mouseClick(push, Qt::LeftButton);
        panelUsable = panel.Count(testing::Notification::Kind::kCommand, testing::kPush,
                                  win::BN_CLICKED) == 1;
        mainWindow.EndDialog(win::IDOK);
    });
    EXPECT_EQ(mainWindow.DoModal(), win::IDOK);
    EXPECT_TRUE(panelUsable);
}

TEST_F(LoopPumpTest, TheCloseBoxCancelsAModalDialogAndReenablesItsOwner) {
    testing::RecordingDialog owner(loop_, testing::kTestDialog);
    ASSERT_TRUE(owner.Create());
    owner.Show(true);
    DialogWidget* ownerWidget = frontEnd_->Host().WidgetFor(owner.Handle());
    TickingDialog dialog(loop_, 1000);
    bool modalUsable = false;
    bool ownerBlocked = false;
    QTimer::singleShot(0, [&] {
        DialogWidget* modal = frontEnd_->Host().WidgetFor(dialog.Handle());
        // The owner is disabled in the window system and blocked by Qt, the modal one is not.
        ownerBlocked = !owner.IsWindowEnabled() && QApplication::modalWindow() != nullptr &&
                       modal->windowModality() == Qt::WindowModal;
        modalUsable = modal->isEnabled() && modal->Client()->isEnabled();
        modal->close();
    });
    EXPECT_EQ(dialog.DoModal(owner.Handle()), win::IDCANCEL);
    EXPECT_TRUE(ownerBlocked);
    EXPECT_TRUE(modalUsable);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_TRUE(ownerWidget->Client()->isEnabled());

    // A window disabled for other reasons shows disabled.
    owner.EnableWindow(false);
    EXPECT_FALSE(ownerWidget->Client()->isEnabled());
}

TEST(RealClockPumpTest, ArmsForTheNextTimerAndDeliversPostedMessagesAtOnce) {
    testing::EnsureQtApp();
    testing::RegisterTestTemplates();
    win::SteadyClock clock;
    win::EventLoop loop(clock);
    QtFrontEnd frontEnd(loop);
    TickingDialog dialog(loop, 1000);
    ASSERT_TRUE(dialog.Create());
    dialog.KillTimer(1);
    dialog.SetTimer(2, 60'000);
    ASSERT_TRUE(frontEnd.Pump().IsArmed());
    EXPECT_LE(frontEnd.Pump().ArmedDelayMs(), 60'000);
    EXPECT_GT(frontEnd.Pump().ArmedDelayMs(), 0);  // no busy loop while waiting

    dialog.PostMessage(kPing, 0, 7);
    EXPECT_EQ(frontEnd.Pump().ArmedDelayMs(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.pings, std::vector<win::LParam>{7});
    EXPECT_TRUE(frontEnd.Pump().IsArmed());  // the timer still runs
    dialog.DestroyWindow();
}

// A descriptor the loop watches (a serial line's) gets a socket notifier in Qt's loop: its input
// is served the moment it is readable, with no timer armed at all.
TEST(RealClockPumpTest, AWatchedDescriptorIsServedAsSoonAsItIsReadable) {
    testing::EnsureQtApp();
    win::SteadyClock clock;
    win::EventLoop loop(clock);
    QtFrontEnd frontEnd(loop);
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
    EXPECT_EQ(frontEnd.Pump().WatchedDescriptorCount(), 1u);
    EXPECT_FALSE(frontEnd.Pump().IsArmed());
    ASSERT_EQ(::write(source.fds[1], "x", 1), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return served == 1; }, 60'000));

    // A resting watch has no notifier; nothing is served until it is enabled again.
    loop.EnableWatch(watch, false);
    EXPECT_EQ(frontEnd.Pump().WatchedDescriptorCount(), 0u);
    loop.EnableWatch(watch, true);
    ASSERT_EQ(::write(source.fds[1], "y", 1), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return served == 2; }, 60'000));
    loop.StopWatching(watch);
    EXPECT_EQ(frontEnd.Pump().WatchedDescriptorCount(), 0u);
    testing::FlushQtEvents();
    ::close(source.fds[0]);
    ::close(source.fds[1]);
}

}  // namespace
}  // namespace tra1::qtui
