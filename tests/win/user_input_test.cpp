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
        ASSERT_TRUE(dialog.Create());
        dialog.events.clear();
        combo()->AddString("AUTO");
        combo()->AddString("COM1");
        list()->AddString("Preset A");
        list()->AddString("Preset B");
    }
    Slider* slider() { return dialog.Get<Slider>(testing::kSliderId); }
    ComboBox* combo() { return dialog.Get<ComboBox>(testing::kComboId); }
    ListBox* list() { return dialog.Get<ListBox>(testing::kListId); }
    Edit* edit() { return dialog.Get<Edit>(testing::kEditId); }

    VirtualClock clock;
    EventLoop loop{clock};
    RecordingDialog dialog{loop};
};

TEST_F(UserInputTest, ReleasingASliderNotifiesOnceWithTheClampedPosition) {
    slider()->SetRange(0, 194);
    EXPECT_TRUE(user::ReleaseSlider(dialog, testing::kSliderId, 500));
    EXPECT_EQ(slider()->GetPos(), 194);
    EXPECT_EQ(dialog.events, (Events{{"notify", testing::kSliderId, NM_RELEASEDCAPTURE}}));
    // Dragging and keyboard moves scroll but never raise the release notification.
    dialog.events.clear();
    EXPECT_TRUE(user::DragSlider(dialog, testing::kSliderId, 20));
    EXPECT_TRUE(user::KeyboardSlider(dialog, testing::kVerticalSliderId, 7));
    EXPECT_EQ(dialog.events,
              (Events{{"scroll", testing::kSliderId, TB_THUMBTRACK * 100000LL + 20},
                      {"scroll", testing::kVerticalSliderId, TB_ENDTRACK * 100000LL + 7}}));
}

TEST_F(UserInputTest, KeyAndWheelMovesReleaseOnceAfterTheSliderStandsStill) {
    slider()->SetRange(0, 100);
    const Event release{"notify", testing::kSliderId, NM_RELEASEDCAPTURE};
    auto releases = [&] { return std::count(dialog.events.begin(), dialog.events.end(), release); };
    // A run of steps, each within the idle time of the one before: one release at the end.
    for (int position = 1; position <= 5; ++position) {
        ASSERT_TRUE(user::KeyboardSlider(dialog, testing::kSliderId, position));
        loop.AdvanceBy(Dialog::kSliderIdleMs - 1);
    }
    ASSERT_TRUE(user::WheelSlider(dialog, testing::kSliderId, 9));
    EXPECT_EQ(releases(), 0);
    EXPECT_TRUE(dialog.SliderReleasePending(testing::kSliderId));
    // Until then the user holds the thumb: the program cannot move it back.
    slider()->SetPos(0);
    EXPECT_EQ(slider()->GetPos(), 9);
    loop.AdvanceBy(Dialog::kSliderIdleMs);
    EXPECT_EQ(releases(), 1);
    EXPECT_EQ(dialog.events.back(), release);
    EXPECT_EQ(slider()->GetPos(), 9);
    EXPECT_FALSE(slider()->IsHeld());
    slider()->SetPos(12);
    EXPECT_EQ(slider()->GetPos(), 12);
    loop.AdvanceBy(10 * Dialog::kSliderIdleMs);
    EXPECT_EQ(releases(), 1);

    // A mouse release in the meantime stands for the pending one.
    dialog.events.clear();
    ASSERT_TRUE(user::KeyboardSlider(dialog, testing::kSliderId, 30));
    ASSERT_TRUE(user::ReleaseSlider(dialog, testing::kSliderId, 31));
    loop.AdvanceBy(10 * Dialog::kSliderIdleMs);
    EXPECT_EQ(releases(), 1);

    // A window that goes before the idle time is over takes its release along.
    ASSERT_TRUE(user::KeyboardSlider(dialog, testing::kSliderId, 40));
    dialog.DestroyWindow();
    loop.AdvanceBy(10 * Dialog::kSliderIdleMs);
    EXPECT_EQ(releases(), 1);
}

TEST_F(UserInputTest, ProgrammaticChangesRaiseNoNotification) {
    slider()->SetPos(40);
    combo()->SetCurSel(1);
    combo()->ShowDropDown(true);
    list()->SetCurSel(1);
    dialog.CheckDlgButton(testing::kCheckId, BST_CHECKED);
    edit()->SetText("text");
    edit()->AppendText("more");
    EXPECT_TRUE(dialog.events.empty());
}

TEST_F(UserInputTest, ComboGestures) {
    EXPECT_TRUE(user::OpenComboList(dialog, testing::kComboId));
    EXPECT_TRUE(combo()->GetDroppedState());
    EXPECT_TRUE(user::OpenComboList(dialog, testing::kComboId));  // already open: no repeat
    EXPECT_TRUE(user::PickComboItem(dialog, testing::kComboId, 1));
    EXPECT_EQ(combo()->GetCurSel(), 1);
    EXPECT_FALSE(combo()->GetDroppedState());
    EXPECT_TRUE(user::PickComboItem(dialog, testing::kComboId, 1));  // same item again
    EXPECT_FALSE(user::PickComboItem(dialog, testing::kComboId, 2));
    EXPECT_TRUE(user::OpenComboList(dialog, testing::kComboId));
    EXPECT_TRUE(user::CloseComboList(dialog, testing::kComboId));
    EXPECT_TRUE(user::CloseComboList(dialog, testing::kComboId));
    const int id = testing::kComboId;
    EXPECT_EQ(dialog.events, (Events{{"command", id, CBN_DROPDOWN},
                                     {"command", id, CBN_SELCHANGE},
                                     {"command", id, CBN_CLOSEUP},
                                     {"command", id, CBN_SELCHANGE},
                                     {"command", id, CBN_DROPDOWN},
                                     {"command", id, CBN_CLOSEUP}}));
    EXPECT_EQ(combo()->GetCurSel(), 1);
}

TEST_F(UserInputTest, ListGestures) {
    const int id = testing::kListId;
    EXPECT_TRUE(user::SelectListRow(dialog, id, 0));
    EXPECT_TRUE(user::DoubleClickListRow(dialog, id, 0));  // already selected: only the dblclk
    EXPECT_TRUE(user::DoubleClickListRow(dialog, id, 1));
    EXPECT_FALSE(user::SelectListRow(dialog, id, 2));
    EXPECT_EQ(dialog.events, (Events{{"command", id, LBN_SELCHANGE},
                                     {"command", id, LBN_DBLCLK},
                                     {"command", id, LBN_SELCHANGE},
                                     {"command", id, LBN_DBLCLK}}));
    EXPECT_EQ(list()->GetCurSel(), 1);
}

TEST_F(UserInputTest, ClicksToggleCheckBoxesAndCheckOneRadioOfTheGroup) {
    EXPECT_TRUE(user::Click(dialog, testing::kCheckId));
    EXPECT_EQ(dialog.IsDlgButtonChecked(testing::kCheckId), BST_CHECKED);
    EXPECT_TRUE(user::Click(dialog, testing::kCheckId));
    EXPECT_EQ(dialog.IsDlgButtonChecked(testing::kCheckId), BST_UNCHECKED);
    dialog.CheckDlgButton(testing::kOtherRadio, BST_CHECKED);
    dialog.CheckDlgButton(testing::kRadioA, BST_CHECKED);
    EXPECT_TRUE(user::Click(dialog, testing::kRadioC));
    EXPECT_EQ(dialog.IsDlgButtonChecked(testing::kRadioA), BST_UNCHECKED);
    EXPECT_EQ(dialog.IsDlgButtonChecked(testing::kRadioC), BST_CHECKED);
    EXPECT_EQ(dialog.IsDlgButtonChecked(testing::kOtherRadio), BST_CHECKED);  // another group
    EXPECT_TRUE(user::Click(dialog, testing::kPushId));
    EXPECT_FALSE(user::Click(dialog, testing::kLabelId));
    EXPECT_EQ(dialog.events, (Events{{"command", testing::kCheckId, BN_CLICKED},
                                     {"command", testing::kCheckId, BN_CLICKED},
                                     {"command", testing::kRadioC, BN_CLICKED},
                                     {"command", testing::kPushId, BN_CLICKED}}));
}

TEST_F(UserInputTest, TypingRespectsTheLimitAndNotifiesOnlyRealChanges) {
    edit()->SetLimitText(4);
    EXPECT_TRUE(user::TypeText(dialog, testing::kEditId, "abcdef"));
    EXPECT_EQ(edit()->GetText(), "abcd");
    EXPECT_TRUE(user::TypeText(dialog, testing::kEditId, "x"));  // full: nothing changes
    EXPECT_TRUE(user::ReplaceEditText(dialog, testing::kEditId, "wxyz!"));
    EXPECT_EQ(edit()->GetText(), "wxyz");
    EXPECT_EQ(dialog.events, (Events{{"command", testing::kEditId, EN_CHANGE},
                                     {"command", testing::kEditId, EN_CHANGE}}));
    edit()->SetReadOnly(true);
    EXPECT_FALSE(user::TypeText(dialog, testing::kEditId, "q"));
}

TEST_F(UserInputTest, UnreachableControlsIgnoreGestures) {
    slider()->Enable(false);
    EXPECT_FALSE(user::ReleaseSlider(dialog, testing::kSliderId, 3));
    EXPECT_EQ(slider()->GetPos(), 0);
    EXPECT_FALSE(user::Click(dialog, testing::kHiddenId));
    EXPECT_FALSE(user::Click(dialog, 4242));
    EXPECT_FALSE(user::ReleaseSlider(dialog, testing::kComboId, 3));  // wrong kind
    dialog.ShowWindow(false);
    EXPECT_FALSE(user::Click(dialog, testing::kPushId));
    EXPECT_TRUE(dialog.events.empty());
}

TEST_F(UserInputTest, EnterAndEscGoThroughKeyDownToOkAndCancel) {
    EXPECT_TRUE(user::PressEnter(dialog));
    EXPECT_EQ(dialog.events, (Events{{"key", VK_RETURN, 0}, {"ok", IDOK, 0}}));
    dialog.ShowWindow(true);  // OnOK hid it (modeless EndDialog)
    dialog.events.clear();
    EXPECT_TRUE(user::FocusControl(dialog, testing::kPushId));
    EXPECT_TRUE(user::PressEnter(dialog));  // the focused push button answers Enter
    EXPECT_TRUE(user::PressEsc(dialog));
    EXPECT_EQ(dialog.events, (Events{{"key", VK_RETURN, 0},
                                     {"command", testing::kPushId, BN_CLICKED},
                                     {"key", VK_ESCAPE, 0},
                                     {"cancel", IDCANCEL, 0}}));
    dialog.ShowWindow(true);
    dialog.events.clear();
    EXPECT_TRUE(user::FocusControl(dialog, testing::kMemoId));
    EXPECT_TRUE(user::PressEnter(dialog));  // a multi-line edit that wants Return takes it
    EXPECT_EQ(dialog.Get<Edit>(testing::kMemoId)->GetText(), "\r\n");
}

TEST_F(UserInputTest, MousePressAndReleaseReachTheDialog) {
    EXPECT_TRUE(user::MousePress(dialog, testing::kPushId));
    EXPECT_TRUE(dialog.Get<Button>(testing::kPushId)->IsPressed());
    dialog.EnableDlgItem(testing::kPushId, false);
    EXPECT_TRUE(user::MouseRelease(dialog, testing::kPushId));  // still released when disabled
    EXPECT_FALSE(dialog.Get<Button>(testing::kPushId)->IsPressed());
    EXPECT_EQ(dialog.events,
              (Events{{"mouse", testing::kPushId, 1}, {"mouse", testing::kPushId, 0}}));
}

TEST_F(UserInputTest, CloseBoxCancelsAndMenusNeedAnEnabledItem) {
    EXPECT_TRUE(user::CloseBox(dialog));
    EXPECT_EQ(dialog.events, (Events{{"cancel", IDCANCEL, 0}}));
    dialog.events.clear();
    Menu menu;
    menu.AppendCommand(32787, "Realtime Mode");
    menu.AppendCommand(32788, "Asynchronous Mode");
    menu.EnableItem(32788, false);
    dialog.SetMenu(menu);
    EXPECT_TRUE(user::ChooseMenuItem(dialog, 32787));
    EXPECT_FALSE(user::ChooseMenuItem(dialog, 32788));
    EXPECT_FALSE(user::ChooseMenuItem(dialog, 1));
    EXPECT_EQ(dialog.events, (Events{{"command", 32787, 0}}));
}

}  // namespace
}  // namespace tra1::win
