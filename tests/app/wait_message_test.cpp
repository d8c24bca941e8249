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
        ASSERT_TRUE(owner.CreateHidden());
        wait = std::make_unique<CWaitMessageDlg>(loop, owner.Handle());
        wait->SetOnDestroyed([this] {
            ++destroyed_calls;
            loop.DeleteLater(std::move(wait));
        });
        ASSERT_TRUE(wait->Open());
        handle = wait->Handle();
    }

    win::ProgressBar& Bar() { return *wait->Get<win::ProgressBar>(CWaitMessageDlg::kProgress); }
    void Progress(win::WParam downloading, win::LParam value) {
        loop.Post(handle, CWaitMessageDlg::kProgressMessage, downloading, value);
        loop.DrainPosted();
    }
    int CancelsReceived() const {
        int count = 0;
        for (win::Msg m : owner.received) {
            count += m == CWaitMessageDlg::kCancelMessage ? 1 : 0;
        }
        return count;
    }

    win::VirtualClock clock;
    win::EventLoop loop{clock};
    OwnerWindow owner{loop};
    std::unique_ptr<CWaitMessageDlg> wait;
    win::WindowHandle handle;
    int destroyed_calls = 0;
};

TEST_F(WaitMessageTest, OpensVisibleWithItsTemplateAndAnEmptyBar) {
    EXPECT_TRUE(wait->IsWindowVisible());
    EXPECT_EQ(wait->GetWindowText(), "Tolvek Receiver Editor Message");
    EXPECT_EQ(wait->GetDlgItemText(CWaitMessageDlg::kLabel), "Uploading Configuration");
    EXPECT_EQ(Bar().GetRangeMin(), 0);
    EXPECT_EQ(Bar().GetRangeMax(), 3000);
    EXPECT_EQ(Bar().GetStep(), 1);
    EXPECT_EQ(Bar().GetPos(), 0);
    EXPECT_EQ(Bar().TextColor(), win::kCyan);
    EXPECT_EQ(Bar().BackgroundColor(), win::kBlack);
    EXPECT_EQ(wait->placement(), win::Placement::kCenterOverOwner);
    EXPECT_EQ(wait->placement_owner(), owner.Handle());
}

TEST_F(WaitMessageTest, EachProgressMessageStepsTheBarOnceAndNamesTheDirection) {
    Progress(1, 1);
    EXPECT_EQ(Bar().GetPos(), 1);
    EXPECT_EQ(wait->GetDlgItemText(CWaitMessageDlg::kLabel),
              "Downloading Configuration. Please Wait");
    // The value itself does not move the bar; each message is one step.
    Progress(1, 2500);
    EXPECT_EQ(Bar().GetPos(), 2);
    Progress(0, 2999);
    EXPECT_EQ(Bar().GetPos(), 3);
    EXPECT_EQ(wait->GetDlgItemText(CWaitMessageDlg::kLabel),
              "Uploading Configuration. Please Wait");
    // Zero and values past the end change only the label.
    Progress(0, 0);
    Progress(0, 3001);
    Progress(0, -5);
    EXPECT_EQ(Bar().GetPos(), 3);
    EXPECT_TRUE(loop.Find(handle) != nullptr);
    EXPECT_TRUE(owner.received.empty());
}

TEST_F(WaitMessageTest, TheEndFillsTheBarAndClosesTheWindowWithoutCancelling) {
    Progress(0, 1);
    ASSERT_NE(wait, nullptr);
    win::ProgressBar* bar = &Bar();
    int position_at_close = -1;
    wait->SetOnDestroyed([&] {
        position_at_close = bar->GetPos();
        ++destroyed_calls;
        loop.DeleteLater(std::move(wait));
    });
    Progress(0, 3000);
    EXPECT_EQ(position_at_close, 3000);
    EXPECT_EQ(destroyed_calls, 1);
    EXPECT_EQ(wait, nullptr);
    EXPECT_EQ(loop.Find(handle), nullptr);
    // Progress after the end is dropped safely.
    EXPECT_FALSE(loop.Post(handle, CWaitMessageDlg::kProgressMessage, 0, 1));
    loop.DrainPosted();
    EXPECT_EQ(CancelsReceived(), 0);
}

TEST_F(WaitMessageTest, CancelEscAndTheCloseBoxPostTheCancelMessageToTheOwner) {
    EXPECT_TRUE(win::user::Click(*wait, CWaitMessageDlg::kCancelButton));
    EXPECT_EQ(CancelsReceived(), 0);  // posted, not sent
    loop.DrainPosted();
    EXPECT_EQ(CancelsReceived(), 1);

    EXPECT_TRUE(win::user::CloseBox(*wait));
    EXPECT_TRUE(win::user::PressEsc(*wait));
    loop.DrainPosted();
    EXPECT_EQ(CancelsReceived(), 3);
    // The owner closes the window; until then it stays up, and Enter does nothing.
    EXPECT_TRUE(win::user::PressEnter(*wait));
    EXPECT_TRUE(wait->IsWindowVisible());
    EXPECT_EQ(destroyed_calls, 0);

    EXPECT_TRUE(wait->DestroyWindow());
    EXPECT_EQ(destroyed_calls, 1);
    loop.DrainPosted();
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
