// Dialog creation from templates (and its forced failure), the front end's view of a dialog's
// life, and modal runs driven headless.

#include "platform/win/dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win/dialog_host.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "platform/win/virtual_clock.h"
#include "tests/win/recording_dialog.h"

namespace tra1::win {
namespace {

using testing::RecordingDialog;

class RecordingHost : public DialogHost {
public:
    void DialogChanged(Dialog& dialog, WindowChange change) override {
        log.push_back(dialog.GetWindowText() + ":" + std::to_string(static_cast<int>(change)));
        if (change == WindowChange::kCreated) {
            // Controls exist already, before OnInitDialog.
            controlsAtCreation = dialog.Controls().size();
        }
    }
    std::vector<std::string> log;
    std::size_t controlsAtCreation = 0;
};

std::string Entry(const char* caption, WindowChange change) {
    return std::string(caption) + ":" + std::to_string(static_cast<int>(change));
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { testing::RegisterTestTemplate(); }
    VirtualClock clock_;
    EventLoop loop_{clock_};
};

TEST_F(DialogTest, CreationCanBeForcedToFailAndLeavesNoWindow) {
    RecordingHost host;
    loop_.SetDialogHost(&host);
    loop_.SetCreationFailureHook([](int id) { return id == testing::kTestDialogId; });
    RecordingDialog dialog(loop_);
    EXPECT_FALSE(dialog.Create());
    EXPECT_FALSE(dialog.IsWindow());
    EXPECT_TRUE(dialog.events.empty());  // OnInitDialog never ran
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(loop_.WindowCount(), 0u);
    EXPECT_TRUE(host.log.empty());
    loop_.SetCreationFailureHook({});
    EXPECT_TRUE(dialog.Create());
}

TEST_F(DialogTest, AnUnregisteredTemplateCannotBeCreated) {
    Dialog dialog(loop_, 31999);
    EXPECT_FALSE(dialog.Create());
    EXPECT_EQ(dialog.DoModal(), -1);
}

TEST_F(DialogTest, TheHostHearsTheWholeLifeOfADialog) {
    RecordingHost host;
    loop_.SetDialogHost(&host);
    {
        RecordingDialog dialog(loop_);
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(host.controlsAtCreation, dialog.Controls().size());
        EXPECT_EQ(dialog.events.front().what, "init");
        dialog.CenterWindow();
        dialog.SetFocus();
        dialog.SetWindowText("Renamed");
        dialog.ShowWindow(false);
        dialog.DestroyWindow();
    }
    EXPECT_EQ(
        host.log,
        (std::vector<std::string>{
            Entry("Test Dialog", WindowChange::kCreated),
            Entry("Test Dialog", WindowChange::kShown),  // template: visible
            Entry("Test Dialog", WindowChange::kPlacement),
            Entry("Test Dialog", WindowChange::kFocus), Entry("Renamed", WindowChange::kCaption),
            Entry("Renamed", WindowChange::kHidden), Entry("Renamed", WindowChange::kDestroyed)}));
}

TEST_F(DialogTest, DestroyingTheObjectTellsTheHostToo) {
    RecordingHost host;
    loop_.SetDialogHost(&host);
    {
        RecordingDialog dialog(loop_);
        ASSERT_TRUE(dialog.Create());
    }
    EXPECT_EQ(host.log.back(), Entry("Test Dialog", WindowChange::kDestroyed));
    EXPECT_EQ(loop_.WindowCount(), 0u);
}

TEST_F(DialogTest, ModalRunDisablesTheOwnerAndReturnsTheDriversAnswer) {
    RecordingDialog owner(loop_);
    ASSERT_TRUE(owner.Create());
    bool ownerWasDisabled = false;
    loop_.SetModalDriver([&](Dialog& modal) {
        ownerWasDisabled = !owner.IsWindowEnabled();
        EXPECT_FALSE(user::Click(owner, testing::kPushId));  // blocked behind the modal box
        return user::PressEnter(modal);
    });
    RecordingDialog modal(loop_);
    EXPECT_EQ(modal.DoModal(owner.Handle()), IDOK);
    EXPECT_TRUE(ownerWasDisabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_FALSE(modal.IsWindow());
    EXPECT_TRUE(owner.HasFocus());
}

TEST_F(DialogTest, TimersKeepRunningWhileAModalDialogWaits) {
    RecordingDialog owner(loop_);
    ASSERT_TRUE(owner.Create());
    class Ticker : public Window {
    public:
        using Window::Window;
        int ticks = 0;
        void OnTimer(TimerId) override { ++ticks; }
    } ticker(loop_);
    ticker.CreateHidden();
    ticker.SetTimer(1, 10);
    loop_.SetModalDriver([&](Dialog& modal) {
        if (ticker.ticks < 5) {
            return false;  // let time run
        }
        return user::PressEsc(modal);
    });
    RecordingDialog modal(loop_);
    EXPECT_EQ(modal.DoModal(owner.Handle()), IDCANCEL);
    EXPECT_EQ(ticker.ticks, 5);
    EXPECT_EQ(clock_.NowMs(), 50);
}

TEST_F(DialogTest, AModalDialogNobodyCanAnswerEndsWithCancel) {
    RecordingDialog modal(loop_);
    EXPECT_EQ(modal.DoModal(), IDCANCEL);  // no timers, no driver: nothing could ever end it
    class Ticker : public Window {
    public:
        using Window::Window;
        void OnTimer(TimerId) override {}
    } ticker(loop_);
    ticker.CreateHidden();
    ticker.SetTimer(1, 10);
    loop_.SetModalTimeLimitMs(1000);
    RecordingDialog again(loop_);
    EXPECT_EQ(again.DoModal(), IDCANCEL);
    EXPECT_EQ(clock_.NowMs(), 1000);
}

TEST_F(DialogTest, AModalDialogThatDestroysItselfReturnsCancel) {
    loop_.SetModalDriver([](Dialog& modal) { return user::PressEsc(modal); });
    RecordingDialog modal(loop_);
    modal.destroyOnCancel = true;
    EXPECT_EQ(modal.DoModal(), IDCANCEL);
    EXPECT_FALSE(modal.IsWindow());
}

TEST_F(DialogTest, ControlsKeepTheirIdsKindsAndTemplateGeometry) {
    RecordingDialog dialog(loop_);
    ASSERT_TRUE(dialog.Create());
    const Slider* slider = dialog.Get<Slider>(testing::kSliderId);
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->GetKind(), ControlKind::kSlider);
    EXPECT_EQ(slider->X(), 5);
    EXPECT_EQ(slider->Cx(), 100);
    ASSERT_NE(dialog.GetDialogTemplate(), nullptr);
    EXPECT_EQ(dialog.GetDialogTemplate()->caption, "Test Dialog");
    EXPECT_EQ(&slider->Parent(), &dialog);
}

}  // namespace
}  // namespace tra1::win
