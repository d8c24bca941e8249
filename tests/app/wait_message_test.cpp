// The wait-message window driven headless: progress messages step the bar, the end closes it,
// Cancel and the close box tell the owner.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/wait_message_dlg.h"
#include "platform/win/event_loop.h"
#include "platform/win/progress_bar.h"
#include "platform/win/user_input.h"
#include "platform/win/virtual_clock.h"
#include "platform/win/window.h"

namespace tra1 {
namespace {

// Stands in for the main window: records what reaches it.
class OwnerWindow final : public win::Window {
public:
    using Window::Window;
    std::vector<win::Msg> received;

protected:
    win::LResult OnMessage(win::Msg msg, win::WParam, win::LParam) override {
        received.push_back(msg);
        return 0;
    }
};

class WaitMessageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(owner_.CreateHidden());
        wait_ = std::make_unique<CWaitMessageDlg>(loop_, owner_.Handle());
        wait_->SetOnDestroyed([this] {
            ++destroyedCalls_;
            loop_.DeleteLater(std::move(wait_));
        });
        ASSERT_TRUE(wait_->Open());
        handle_ = wait_->Handle();
    }

    win::ProgressBar& Bar() { return *wait_->Get<win::ProgressBar>(CWaitMessageDlg::kProgress); }
    void Progress(win::WParam downloading, win::LParam value) {
        loop_.Post(handle_, CWaitMessageDlg::kProgressMessage, downloading, value);
        loop_.DrainPosted();
    }
    int CancelsReceived() const {
        int count = 0;
        for (win::Msg m : owner_.received) {
            count += m == CWaitMessageDlg::kCancelMessage ? 1 : 0;
        }
        return count;
    }

    win::VirtualClock clock_;
    win::EventLoop loop_{clock_};
    OwnerWindow owner_{loop_};
    std::unique_ptr<CWaitMessageDlg> wait_;
    win::WindowHandle handle_;
    int destroyedCalls_ = 0;
};

TEST_F(WaitMessageTest, OpensVisibleWithItsTemplateAndAnEmptyBar) {
    EXPECT_TRUE(wait_->IsWindowVisible());
    EXPECT_EQ(wait_->GetWindowText(), "Tolvek Receiver Editor Message");
    EXPECT_EQ(wait_->GetDlgItemText(CWaitMessageDlg::kLabel), "Uploading Configuration");
    EXPECT_EQ(Bar().GetRangeMin(), 0);
    EXPECT_EQ(Bar().GetRangeMax(), 3000);
    EXPECT_EQ(Bar().GetStep(), 1);
    EXPECT_EQ(Bar().GetPos(), 0);
    EXPECT_EQ(Bar().TextColor(), win::kCyan);
    EXPECT_EQ(Bar().BackgroundColor(), win::kBlack);
    EXPECT_EQ(wait_->GetPlacement(), win::Placement::kCenterOverOwner);
    EXPECT_EQ(wait_->PlacementOwner(), owner_.Handle());
}

TEST_F(WaitMessageTest, EachProgressMessageStepsTheBarOnceAndNamesTheDirection) {
    Progress(1, 1);
    EXPECT_EQ(Bar().GetPos(), 1);
    EXPECT_EQ(wait_->GetDlgItemText(CWaitMessageDlg::kLabel),
              "Downloading Configuration. Please Wait");
    // The value itself does not move the bar; each message is one step.
    Progress(1, 2500);
    EXPECT_EQ(Bar().GetPos(), 2);
    Progress(0, 2999);
    EXPECT_EQ(Bar().GetPos(), 3);
    EXPECT_EQ(wait_->GetDlgItemText(CWaitMessageDlg::kLabel),
              "Uploading Configuration. Please Wait");
    // Zero and values past the end change only the label.
    Progress(0, 0);
    Progress(0, 3001);
    Progress(0, -5);
    EXPECT_EQ(Bar().GetPos(), 3);
    EXPECT_TRUE(loop_.Find(handle_) != nullptr);
    EXPECT_TRUE(owner_.received.empty());
}

TEST_F(WaitMessageTest, TheEndFillsTheBarAndClosesTheWindowWithoutCancelling) {
    Progress(0, 1);
    ASSERT_NE(wait_, nullptr);
    win::ProgressBar* bar = &Bar();
    int positionAtClose = -1;
    wait_->SetOnDestroyed([&] {
        positionAtClose = bar->GetPos();
        ++destroyedCalls_;
        loop_.DeleteLater(std::move(wait_));
    });
    Progress(0, 3000);
    EXPECT_EQ(positionAtClose, 3000);
    EXPECT_EQ(destroyedCalls_, 1);
    EXPECT_EQ(wait_, nullptr);
    EXPECT_EQ(loop_.Find(handle_), nullptr);
    // Progress after the end is dropped safely.
    EXPECT_FALSE(loop_.Post(handle_, CWaitMessageDlg::kProgressMessage, 0, 1));
    loop_.DrainPosted();
    EXPECT_EQ(CancelsReceived(), 0);
}

TEST_F(WaitMessageTest, CancelEscAndTheCloseBoxPostTheCancelMessageToTheOwner) {
    EXPECT_TRUE(win::user::Click(*wait_, CWaitMessageDlg::kCancelButton));
    EXPECT_EQ(CancelsReceived(), 0);  // posted, not sent
    loop_.DrainPosted();
    EXPECT_EQ(CancelsReceived(), 1);

    EXPECT_TRUE(win::user::CloseBox(*wait_));
    EXPECT_TRUE(win::user::PressEsc(*wait_));
    loop_.DrainPosted();
    EXPECT_EQ(CancelsReceived(), 3);
    // The owner closes the window; until then it stays up, and Enter does nothing.
    EXPECT_TRUE(win::user::PressEnter(*wait_));
    EXPECT_TRUE(wait_->IsWindowVisible());
    EXPECT_EQ(destroyedCalls_, 0);

    EXPECT_TRUE(wait_->DestroyWindow());
    EXPECT_EQ(destroyedCalls_, 1);
    loop_.DrainPosted();
    EXPECT_EQ(CancelsReceived(), 3);
}

TEST(WaitMessageCreation, AFailedCreationReportsFalseAndLeavesNoWindow) {
    win::VirtualClock clock;
    win::EventLoop loop{clock};
    loop.SetCreationFailureHook([](int id) { return id == CWaitMessageDlg::kTemplateId; });
    CWaitMessageDlg wait(loop, {});
    EXPECT_FALSE(wait.Open());
    EXPECT_FALSE(wait.IsWindow());
}

}  // namespace
}  // namespace tra1
