// Every user gesture changes its control and raises its notification exactly once; gestures on
// controls a user cannot reach do nothing.

#include "platform/win/user_input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/win/button.h"
#include "platform/win/combo_box.h"
#include "platform/win/edit.h"
#include "platform/win/list_box.h"
#include "platform/win/slider.h"
#include "platform/win/virtual_clock.h"
#include "tests/win/recording_dialog.h"

namespace tra1::win {
namespace {

using testing::Event;
using testing::RecordingDialog;
using Events = std::vector<Event>;

class UserInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::RegisterTestTemplate();
        ASSERT_TRUE(dialog_.Create());
        dialog_.events.clear();
        Combo()->AddString("AUTO");
        Combo()->AddString("COM1");
        List()->AddString("Preset A");
        List()->AddString("Preset B");
    }
    Slider* GetSlider() { return dialog_.Get<Slider>(testing::kSliderId); }
    ComboBox* Combo() { return dialog_.Get<ComboBox>(testing::kComboId); }
    ListBox* List() { return dialog_.Get<ListBox>(testing::kListId); }
    Edit* GetEdit() { return dialog_.Get<Edit>(testing::kEditId); }

    VirtualClock clock_;
    EventLoop loop_{clock_};
    RecordingDialog dialog_{loop_};
};

TEST_F(UserInputTest, ReleasingASliderNotifiesOnceWithTheClampedPosition) {
    GetSlider()->SetRange(0, 194);
    EXPECT_TRUE(user::ReleaseSlider(dialog_, testing::kSliderId, 500));
    EXPECT_EQ(GetSlider()->GetPos(), 194);
    EXPECT_EQ(dialog_.events, (Events{{"notify", testing::kSliderId, NM_RELEASEDCAPTURE}}));
    // Dragging and keyboard moves scroll but never raise the release notification.
    dialog_.events.clear();
    EXPECT_TRUE(user::DragSlider(dialog_, testing::kSliderId, 20));
    EXPECT_TRUE(user::KeyboardSlider(dialog_, testing::kVerticalSliderId, 7));
    EXPECT_EQ(dialog_.events,
              (Events{{"scroll", testing::kSliderId, TB_THUMBTRACK * 100000LL + 20},
                      {"scroll", testing::kVerticalSliderId, TB_ENDTRACK * 100000LL + 7}}));
}

TEST_F(UserInputTest, KeyAndWheelMovesReleaseOnceAfterTheSliderStandsStill) {
    GetSlider()->SetRange(0, 100);
    const Event release{"notify", testing::kSliderId, NM_RELEASEDCAPTURE};
    auto releases = [&] {
        return std::count(dialog_.events.begin(), dialog_.events.end(), release);
    };
    // A run of steps, each within the idle time of the one before: one release at the end.
    for (int position = 1; position <= 5; ++position) {
        ASSERT_TRUE(user::KeyboardSlider(dialog_, testing::kSliderId, position));
        loop_.AdvanceBy(Dialog::kSliderIdleMs - 1);
    }
    ASSERT_TRUE(user::WheelSlider(dialog_, testing::kSliderId, 9));
    EXPECT_EQ(releases(), 0);
    EXPECT_TRUE(dialog_.SliderReleasePending(testing::kSliderId));
    // Until then the user holds the thumb: the program cannot move it back.
    GetSlider()->SetPos(0);
    EXPECT_EQ(GetSlider()->GetPos(), 9);
    loop_.AdvanceBy(Dialog::kSliderIdleMs);
    EXPECT_EQ(releases(), 1);
    EXPECT_EQ(dialog_.events.back(), release);
    EXPECT_EQ(GetSlider()->GetPos(), 9);
    EXPECT_FALSE(GetSlider()->IsHeld());
    GetSlider()->SetPos(12);
    EXPECT_EQ(GetSlider()->GetPos(), 12);
    loop_.AdvanceBy(10 * Dialog::kSliderIdleMs);
    EXPECT_EQ(releases(), 1);

    // A mouse release in the meantime stands for the pending one.
    dialog_.events.clear();
    ASSERT_TRUE(user::KeyboardSlider(dialog_, testing::kSliderId, 30));
    ASSERT_TRUE(user::ReleaseSlider(dialog_, testing::kSliderId, 31));
    loop_.AdvanceBy(10 * Dialog::kSliderIdleMs);
    EXPECT_EQ(releases(), 1);

    // A window that goes before the idle time is over takes its release along.
    ASSERT_TRUE(user::KeyboardSlider(dialog_, testing::kSliderId, 40));
    dialog_.DestroyWindow();
    loop_.AdvanceBy(10 * Dialog::kSliderIdleMs);
    EXPECT_EQ(releases(), 1);
}

TEST_F(UserInputTest, ProgrammaticChangesRaiseNoNotification) {
    GetSlider()->SetPos(40);
    Combo()->SetCurSel(1);
    Combo()->ShowDropDown(true);
    List()->SetCurSel(1);
    dialog_.CheckDlgButton(testing::kCheckId, BST_CHECKED);
    GetEdit()->SetText("text");
    GetEdit()->AppendText("more");
    EXPECT_TRUE(dialog_.events.empty());
}

TEST_F(UserInputTest, ComboGestures) {
    EXPECT_TRUE(user::OpenComboList(dialog_, testing::kComboId));
    EXPECT_TRUE(Combo()->GetDroppedState());
    EXPECT_TRUE(user::OpenComboList(dialog_, testing::kComboId));  // already open: no repeat
    EXPECT_TRUE(user::PickComboItem(dialog_, testing::kComboId, 1));
    EXPECT_EQ(Combo()->GetCurSel(), 1);
    EXPECT_FALSE(Combo()->GetDroppedState());
    EXPECT_TRUE(user::PickComboItem(dialog_, testing::kComboId, 1));  // same item again
    EXPECT_FALSE(user::PickComboItem(dialog_, testing::kComboId, 2));
    EXPECT_TRUE(user::OpenComboList(dialog_, testing::kComboId));
    EXPECT_TRUE(user::CloseComboList(dialog_, testing::kComboId));
    EXPECT_TRUE(user::CloseComboList(dialog_, testing::kComboId));
    const int id = testing::kComboId;
    EXPECT_EQ(dialog_.events, (Events{{"command", id, CBN_DROPDOWN},
                                      {"command", id, CBN_SELCHANGE},
                                      {"command", id, CBN_CLOSEUP},
                                      {"command", id, CBN_SELCHANGE},
                                      {"command", id, CBN_DROPDOWN},
                                      {"command", id, CBN_CLOSEUP}}));
    EXPECT_EQ(Combo()->GetCurSel(), 1);
}

TEST_F(UserInputTest, ListGestures) {
    const int id = testing::kListId;
    EXPECT_TRUE(user::SelectListRow(dialog_, id, 0));
    EXPECT_TRUE(user::DoubleClickListRow(dialog_, id, 0));  // already selected: only the dblclk
    EXPECT_TRUE(user::DoubleClickListRow(dialog_, id, 1));
    EXPECT_FALSE(user::SelectListRow(dialog_, id, 2));
    EXPECT_EQ(dialog_.events, (Events{{"command", id, LBN_SELCHANGE},
                                      {"command", id, LBN_DBLCLK},
                                      {"command", id, LBN_SELCHANGE},
                                      {"command", id, LBN_DBLCLK}}));
    EXPECT_EQ(List()->GetCurSel(), 1);
}

TEST_F(UserInputTest, ClicksToggleCheckBoxesAndCheckOneRadioOfTheGroup) {
    EXPECT_TRUE(user::Click(dialog_, testing::kCheckId));
    EXPECT_EQ(dialog_.IsDlgButtonChecked(testing::kCheckId), BST_CHECKED);
    EXPECT_TRUE(user::Click(dialog_, testing::kCheckId));
    EXPECT_EQ(dialog_.IsDlgButtonChecked(testing::kCheckId), BST_UNCHECKED);
    dialog_.CheckDlgButton(testing::kOtherRadio, BST_CHECKED);
    dialog_.CheckDlgButton(testing::kRadioA, BST_CHECKED);
    EXPECT_TRUE(user::Click(dialog_, testing::kRadioC));
    EXPECT_EQ(dialog_.IsDlgButtonChecked(testing::kRadioA), BST_UNCHECKED);
    EXPECT_EQ(dialog_.IsDlgButtonChecked(testing::kRadioC), BST_CHECKED);
    EXPECT_EQ(dialog_.IsDlgButtonChecked(testing::kOtherRadio), BST_CHECKED);  // another group
    EXPECT_TRUE(user::Click(dialog_, testing::kPushId));
    EXPECT_FALSE(user::Click(dialog_, testing::kLabelId));
    EXPECT_EQ(dialog_.events, (Events{{"command", testing::kCheckId, BN_CLICKED},
                                      {"command", testing::kCheckId, BN_CLICKED},
                                      {"command", testing::kRadioC, BN_CLICKED},
                                      {"command", testing::kPushId, BN_CLICKED}}));
}

TEST_F(UserInputTest, TypingRespectsTheLimitAndNotifiesOnlyRealChanges) {
    GetEdit()->SetLimitText(4);
    EXPECT_TRUE(user::TypeText(dialog_, testing::kEditId, "abcdef"));
    EXPECT_EQ(GetEdit()->GetText(), "abcd");
    EXPECT_TRUE(user::TypeText(dialog_, testing::kEditId, "x"));  // full: nothing changes
    EXPECT_TRUE(user::ReplaceEditText(dialog_, testing::kEditId, "wxyz!"));
    EXPECT_EQ(GetEdit()->GetText(), "wxyz");
    EXPECT_EQ(dialog_.events, (Events{{"command", testing::kEditId, EN_CHANGE},
                                      {"command", testing::kEditId, EN_CHANGE}}));
    GetEdit()->SetReadOnly(true);
    EXPECT_FALSE(user::TypeText(dialog_, testing::kEditId, "q"));
}

TEST_F(UserInputTest, UnreachableControlsIgnoreGestures) {
    GetSlider()->Enable(false);
    EXPECT_FALSE(user::ReleaseSlider(dialog_, testing::kSliderId, 3));
    EXPECT_EQ(GetSlider()->GetPos(), 0);
    EXPECT_FALSE(user::Click(dialog_, testing::kHiddenId));
    EXPECT_FALSE(user::Click(dialog_, 4242));
    EXPECT_FALSE(user::ReleaseSlider(dialog_, testing::kComboId, 3));  // wrong kind
    dialog_.ShowWindow(false);
    EXPECT_FALSE(user::Click(dialog_, testing::kPushId));
    EXPECT_TRUE(dialog_.events.empty());
}

TEST_F(UserInputTest, EnterAndEscGoThroughKeyDownToOkAndCancel) {
    EXPECT_TRUE(user::PressEnter(dialog_));
    EXPECT_EQ(dialog_.events, (Events{{"key", VK_RETURN, 0}, {"ok", IDOK, 0}}));
    dialog_.ShowWindow(true);  // OnOK hid it (modeless EndDialog)
    dialog_.events.clear();
    EXPECT_TRUE(user::FocusControl(dialog_, testing::kPushId));
    EXPECT_TRUE(user::PressEnter(dialog_));  // the focused push button answers Enter
    EXPECT_TRUE(user::PressEsc(dialog_));
    EXPECT_EQ(dialog_.events, (Events{{"key", VK_RETURN, 0},
                                      {"command", testing::kPushId, BN_CLICKED},
                                      {"key", VK_ESCAPE, 0},
                                      {"cancel", IDCANCEL, 0}}));
    dialog_.ShowWindow(true);
    dialog_.events.clear();
    EXPECT_TRUE(user::FocusControl(dialog_, testing::kMemoId));
    EXPECT_TRUE(user::PressEnter(dialog_));  // a multi-line edit that wants Return takes it
    EXPECT_EQ(dialog_.Get<Edit>(testing::kMemoId)->GetText(), "\r\n");
}

TEST_F(UserInputTest, MousePressAndReleaseReachTheDialog) {
    EXPECT_TRUE(user::MousePress(dialog_, testing::kPushId));
    EXPECT_TRUE(dialog_.Get<Button>(testing::kPushId)->IsPressed());
    dialog_.EnableDlgItem(testing::kPushId, false);
    EXPECT_TRUE(user::MouseRelease(dialog_, testing::kPushId));  // still released when disabled
    EXPECT_FALSE(dialog_.Get<Button>(testing::kPushId)->IsPressed());
    EXPECT_EQ(dialog_.events,
              (Events{{"mouse", testing::kPushId, 1}, {"mouse", testing::kPushId, 0}}));
}

TEST_F(UserInputTest, CloseBoxCancelsAndMenusNeedAnEnabledItem) {
    EXPECT_TRUE(user::CloseBox(dialog_));
    EXPECT_EQ(dialog_.events, (Events{{"cancel", IDCANCEL, 0}}));
    dialog_.events.clear();
    Menu menu;
    menu.AppendCommand(32787, "Realtime Mode");
    menu.AppendCommand(32788, "Asynchronous Mode");
    menu.EnableItem(32788, false);
    dialog_.SetMenu(menu);
    EXPECT_TRUE(user::ChooseMenuItem(dialog_, 32787));
    EXPECT_FALSE(user::ChooseMenuItem(dialog_, 32788));
    EXPECT_FALSE(user::ChooseMenuItem(dialog_, 1));
    EXPECT_EQ(dialog_.events, (Events{{"command", 32787, 0}}));
}

}  // namespace
}  // namespace tra1::win
