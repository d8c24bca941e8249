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
        frontEnd_ = std::make_unique<QtFrontEnd>(loop_);
        ASSERT_TRUE(owner_.CreateHidden());
        wait_ = std::make_unique<CWaitMessageDlg>(loop_, owner_.Handle());
        wait_->SetOnDestroyed([this] {
            waitOpen_ = false;
            loop_.DeleteLater(std::move(wait_));
        });
        ASSERT_TRUE(wait_->Open());
        waitOpen_ = true;
        handle_ = wait_->Handle();
        widget_ = frontEnd_->Host().WidgetFor(handle_);
        ASSERT_NE(widget_, nullptr);
        bar_ = qobject_cast<QProgressBar*>(widget_->ControlWidget(CWaitMessageDlg::kProgress));
        ASSERT_NE(bar_, nullptr);
    }
    void TearDown() override {
        wait_.reset();
        frontEnd_.reset();
        testing::FlushQtEvents();
    }
    void Progress(win::WParam downloading, win::LParam value) {
        loop_.Post(handle_, CWaitMessageDlg::kProgressMessage, downloading, value);
        QCoreApplication::processEvents();
    }

    win::VirtualClock clock_;
    win::EventLoop loop_{clock_};
    std::unique_ptr<QtFrontEnd> frontEnd_;
    Owner owner_{loop_};
    std::unique_ptr<CWaitMessageDlg> wait_;
    bool waitOpen_ = false;
    win::WindowHandle handle_;
    QPointer<DialogWidget> widget_;
    QProgressBar* bar_ = nullptr;
};

TEST_F(WaitMessageQtTest, TheBarAdvancesOneStepPerMessageAndTheWindowClosesAtTheEnd) {
    EXPECT_TRUE(widget_->isVisible());
    EXPECT_EQ(widget_->windowTitle(), QStringLiteral("Tolvek Receiver Editor Message"));
    EXPECT_EQ(bar_->maximum(), 3000);
    EXPECT_EQ(bar_->value(), 0);
    EXPECT_EQ(bar_->palette().color(QPalette::Highlight), QColor(0, 255, 255));
    EXPECT_EQ(bar_->palette().color(QPalette::Base), QColor(0, 0, 0));

    for (int i = 1; i <= 10; ++i) {
        Progress(1, i * 250);
        EXPECT_EQ(bar_->value(), i);
    }
    auto* label = qobject_cast<QLabel*>(widget_->ControlWidget(CWaitMessageDlg::kLabel));
    EXPECT_EQ(label->text(), QStringLiteral("Downloading Configuration. Please Wait"));

    Progress(1, 3000);
    EXPECT_FALSE(waitOpen_);
    testing::FlushQtEvents();
    EXPECT_TRUE(widget_.isNull());
    EXPECT_EQ(owner_.cancels, 0);
}

TEST_F(WaitMessageQtTest, CancelAndTheCloseBoxPostTheCancelMessage) {
    auto* cancel =
        qobject_cast<QPushButton*>(widget_->ControlWidget(CWaitMessageDlg::kCancelButton));
    ASSERT_NE(cancel, nullptr);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(owner_.cancels, 1);

    widget_->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(owner_.cancels, 2);
    // The owner closes the window when it has stopped the transfer.
    EXPECT_TRUE(widget_->isVisible());
    EXPECT_TRUE(waitOpen_);
}

}  // namespace
}  // namespace tra1::qtui
