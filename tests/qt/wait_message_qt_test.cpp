// The wait-message window as the user sees it: its bar follows the progress messages through
// Qt's loop, it disappears at the end, and its Cancel button and close box reach the owner.

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/wait_message_dlg.h"
#include "platform/qt/dialog_widget.h"
#include "platform/qt/qt_front_end.h"
#include "platform/win/virtual_clock.h"
#include "tests/qt/qt_test_support.h"

namespace tra1::qtui {
namespace {

class Owner final : public win::Window {
public:
    using Window::Window;
    int cancels = 0;

protected:
    win::LResult OnMessage(win::Msg msg, win::WParam, win::LParam) override {
        cancels += msg == CWaitMessageDlg::kCancelMessage ? 1 : 0;
        return 0;
    }
};

class WaitMessageQtTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureQtApp();
        front_end = std::make_unique<QtFrontEnd>(loop);
        ASSERT_TRUE(owner.CreateHidden());
        wait = std::make_unique<CWaitMessageDlg>(loop, owner.Handle());
        wait->SetOnDestroyed([this] {
            wait_open = false;
            loop.DeleteLater(std::move(wait));
        });
        ASSERT_TRUE(wait->Open());
        wait_open = true;
        handle = wait->Handle();
        widget = front_end->host().WidgetFor(handle);
        ASSERT_NE(widget, nullptr);
        bar = qobject_cast<QProgressBar*>(widget->ControlWidget(CWaitMessageDlg::kProgress));
        ASSERT_NE(bar, nullptr);
    }
    void TearDown() override {
        wait.reset();
        front_end.reset();
        testing::FlushQtEvents();
    }
    void Progress(win::WParam downloading, win::LParam value) {
        loop.Post(handle, CWaitMessageDlg::kProgressMessage, downloading, value);
        QCoreApplication::processEvents();
    }

    win::VirtualClock clock;
    win::EventLoop loop{clock};
    std::unique_ptr<QtFrontEnd> front_end;
    Owner owner{loop};
    std::unique_ptr<CWaitMessageDlg> wait;
    bool wait_open = false;
    win::WindowHandle handle;
    QPointer<DialogWidget> widget;
    QProgressBar* bar = nullptr;
};

TEST_F(WaitMessageQtTest, TheBarAdvancesOneStepPerMessageAndTheWindowClosesAtTheEnd) {
    EXPECT_TRUE(widget->isVisible());
    EXPECT_EQ(widget->windowTitle(), QStringLiteral("Tolvek Receiver Editor Message"));
    EXPECT_EQ(bar->maximum(), 3000);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(bar->palette().color(QPalette::Highlight), QColor(0, 255, 255));
    EXPECT_EQ(bar->palette().color(QPalette::Base), QColor(0, 0, 0));

    for (int i = 1; i <= 10; ++i) {
        Progress(1, i * 250);
        EXPECT_EQ(bar->value(), i);
    }
    auto* label = qobject_cast<QLabel*>(widget->ControlWidget(CWaitMessageDlg::kLabel));
    EXPECT_EQ(label->text(), QStringLiteral("Downloading Configuration. Please Wait"));

    Progress(1, 3000);
    EXPECT_FALSE(wait_open);
    testing::FlushQtEvents();
    EXPECT_TRUE(widget.isNull());
    EXPECT_EQ(owner.cancels, 0);
}

TEST_F(WaitMessageQtTest, CancelAndTheCloseBoxPostTheCancelMessage) {
    auto* cancel =
        qobject_cast<QPushButton*>(widget->ControlWidget(CWaitMessageDlg::kCancelButton));
    ASSERT_NE(cancel, nullptr);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(owner.cancels, 1);

    widget->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(owner.cancels, 2);
    // The owner closes the window when it has stopped the transfer.
    EXPECT_TRUE(widget->isVisible());
    EXPECT_TRUE(wait_open);
}

}  // namespace
}  // namespace tra1::qtui
