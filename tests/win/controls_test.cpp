// Control state as the program sets it: ranges and clamping, selections, limits, and the
// observer that a front end mirrors. Programmatic changes never notify the dialog.

#include <gtest/gtest.h>

#include <vector>

#include "platform/win/button.h"
#include "platform/win/combo_box.h"
#include "platform/win/edit.h"
#include "platform/win/list_box.h"
#include "platform/win/list_view.h"
#include "platform/win/progress_bar.h"
#include "platform/win/resource_registry.h"
#include "platform/win/slider.h"
#include "platform/win/static.h"
#include "platform/win/user_input.h"
#include "platform/win/virtual_clock.h"
#include "tests/win/recording_dialog.h"

namespace tra1::win {
namespace {

using testing::RecordingDialog;

class Recorder : public ControlObserver {
public:
    void ControlChanged(Control& control, ControlChange change) override {
        changes.push_back({control.Id(), change});
    }
    std::vector<std::pair<int, ControlChange>> changes;
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::RegisterTestTemplate();
        ASSERT_TRUE(dialog_.Create());
        dialog_.events.clear();
    }
    VirtualClock clock_;
    EventLoop loop_{clock_};
    RecordingDialog dialog_{loop_};
};

TEST_F(ControlsTest, SliderPositionIsClampedToItsRange) {
    Slider* slider = dialog_.Get<Slider>(testing::kSliderId);
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->GetRangeMin(), 0);
    EXPECT_EQ(slider->GetRangeMax(), 100);
    slider->SetRange(3, 27);
    slider->SetPos(40);
    EXPECT_EQ(slider->GetPos(), 27);
    slider->SetPos(-5);
    EXPECT_EQ(slider->GetPos(), 3);
    slider->SetPos(15);
    slider->SetRange(0, 10);  // narrowing the range pulls the thumb in
    EXPECT_EQ(slider->GetPos(), 10);
    slider->SetRange(5, 2);  // inverted: a single value
    EXPECT_EQ(slider->GetRangeMax(), 5);
    EXPECT_EQ(slider->GetPos(), 5);
    EXPECT_FALSE(slider->IsVertical());
    EXPECT_TRUE(dialog_.Get<Slider>(testing::kVerticalSliderId)->IsVertical());
    slider->SetRange(0, 194);
    EXPECT_EQ(slider->GetPageSize(), 38);  // toolkit default: a fifth of the range
    slider->SetPageSize(10);
    EXPECT_EQ(slider->GetPageSize(), 10);
    EXPECT_TRUE(dialog_.events.empty());
}

TEST_F(ControlsTest, ComboSelectionOutOfRangeLeavesNoSelection) {
    ComboBox* combo = dialog_.Get<ComboBox>(testing::kComboId);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->GetCurSel(), CB_ERR);
    combo->AddString("AUTO");
    combo->AddString("COM1");
    combo->AddString("COM2");
    EXPECT_EQ(combo->SetCurSel(1), 1);
    EXPECT_EQ(combo->SetCurSel(3), CB_ERR);
    EXPECT_EQ(combo->GetCurSel(), CB_ERR);
    combo->SetCurSel(2);
    EXPECT_EQ(combo->SetCurSel(-1), CB_ERR);
    EXPECT_EQ(combo->GetCurSel(), CB_ERR);
    EXPECT_EQ(combo->GetLBText(7), "");
    EXPECT_EQ(combo->GetWindowText(), "");
    combo->SetCurSel(2);
    EXPECT_EQ(dialog_.GetDlgItemText(testing::kComboId), "COM2");
    EXPECT_EQ(combo->FindString("com"), 1);
    // The selection follows its item when an earlier item goes, and goes with its item.
    EXPECT_EQ(combo->DeleteString(0), 2);
    EXPECT_EQ(combo->GetCurSel(), 1);
    EXPECT_EQ(combo->DeleteString(1), 1);
    EXPECT_EQ(combo->GetCurSel(), CB_ERR);
    EXPECT_EQ(combo->DeleteString(5), CB_ERR);
    combo->SetCurSel(0);
    combo->ResetContent();
    EXPECT_EQ(combo->GetCount(), 0);
    EXPECT_EQ(combo->GetCurSel(), CB_ERR);
    combo->ShowDropDown(true);
    EXPECT_TRUE(combo->GetDroppedState());
    EXPECT_TRUE(dialog_.events.empty());
}

TEST_F(ControlsTest, ListBoxRowsAndSelection) {
    ListBox* list = dialog_.Get<ListBox>(testing::kListId);
    ASSERT_NE(list, nullptr);
    for (const char* name : {"Preset A", "Preset B", "Preset C"}) {
        list->AddString(name);
    }
    EXPECT_EQ(list->InsertString(0, "first"), 0);
    EXPECT_EQ(list->InsertString(9, "x"), LB_ERR);
    EXPECT_EQ(list->SetCurSel(3), 3);
    EXPECT_EQ(list->GetText(3), "Preset C");
    EXPECT_EQ(list->SetCurSel(4), LB_ERR);
    EXPECT_EQ(list->GetCurSel(), LB_ERR);
    EXPECT_EQ(list->GetText(-1), "");
}

TEST_F(ControlsTest, SortedListsKeepAlphabeticalOrder) {
    win::DialogTemplate t;
    t.id = 9002;
    t.controls = {{50, ControlKind::kListBox, "", win::style::kSort, 0, 0, 10, 10},
                  {51, ControlKind::kComboBox, "", win::style::kSort, 0, 0, 10, 10}};
    win::ResourceRegistry::Instance().AddDialog(t);
    Dialog sorted(loop_, 9002);
    ASSERT_TRUE(sorted.Create());
    ListBox* list = sorted.Get<ListBox>(50);
    list->AddString("b");
    list->AddString("C");
    EXPECT_EQ(list->AddString("a"), 0);
    EXPECT_EQ(list->Items(), (std::vector<std::string>{"a", "b", "C"}));
}

TEST_F(ControlsTest, AListViewSortsByTheClickedColumnAndKeepsTiesInTheirOrder) {
    win::DialogTemplate t;
    t.id = 9003;
    t.controls = {{60, ControlKind::kListView, "Name\tValue", win::style::kNone, 0, 0, 10, 10}};
    win::ResourceRegistry::Instance().AddDialog(t);
    RecordingDialog view(loop_, 9003);
    ASSERT_TRUE(view.Create());
    view.Show(true);
    ListView* list = view.Get<ListView>(60);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Columns(), (std::vector<std::string>{"Name", "Value"}));
    // Rows are cut or padded to the columns.
    list->SetRows({{"b", "2", "extra"}, {"C", "1"}, {"a"}, {"b", "0"}});
    EXPECT_EQ(list->CellText(2, 1), "");
    EXPECT_EQ(list->CellText(0, 2), "");
    EXPECT_EQ(list->CellText(9, 0), "");
    EXPECT_EQ(list->SortColumn(), -1);

    auto column = [list](int c) {
        std::vector<std::string> cells;
        for (int r = 0; r < list->GetCount(); ++r) {
            cells.push_back(list->CellText(r, c));
        }
        return cells;
    };
    view.events.clear();
    ASSERT_TRUE(user::ClickColumnHeader(view, 60, 0));
    EXPECT_EQ(column(0), (std::vector<std::string>{"a", "b", "b", "C"}));
    EXPECT_EQ(column(1), (std::vector<std::string>{"", "2", "0", "1"}));  // ties as given
    ASSERT_EQ(view.events.size(), 1U);
    EXPECT_EQ(view.events[0].code, static_cast<long long>(LVN_COLUMNCLICK));
    ASSERT_TRUE(user::ClickColumnHeader(view, 60, 0));
    EXPECT_EQ(column(0), (std::vector<std::string>{"C", "b", "b", "a"}));
    EXPECT_FALSE(list->SortAscending());
    // New rows keep the order the user chose.
    list->SetRows({{"x"}, {"y"}});
    EXPECT_EQ(column(0), (std::vector<std::string>{"y", "x"}));
    EXPECT_FALSE(user::ClickColumnHeader(view, 60, 2));
    EXPECT_FALSE(list->SortBy(5, true));
    EXPECT_TRUE(list->SortBy(-1, true));
    EXPECT_EQ(column(0), (std::vector<std::string>{"x", "y"}));
}

TEST_F(ControlsTest, EditLimitBindsTypingButNotTheProgram) {
    Edit* edit = dialog_.Get<Edit>(testing::kEditId);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetLimitText(), 32767);
    edit->SetLimitText(5);
    edit->SetText("abcdefgh");
    EXPECT_EQ(edit->GetText(), "abcdefgh");
    edit->SetSel(2, 4);
    edit->ReplaceSel("XY Z");
    EXPECT_EQ(edit->GetText(), "abXY Zefgh");
    EXPECT_EQ(edit->GetSelStart(), 6);
    edit->AppendText("\r\n");
    EXPECT_EQ(edit->GetText(), "abXY Zefgh\r\n");
    edit->SetSel(8, 100);  // clamped to the text
    EXPECT_EQ(edit->GetSelEnd(), 12);
    edit->SetLimitText(0);
    EXPECT_EQ(edit->GetLimitText(), 32767);
    EXPECT_TRUE(dialog_.events.empty());
}

TEST_F(ControlsTest, ProgressBarStaysWithinItsRange) {
    ProgressBar* bar = dialog_.Get<ProgressBar>(testing::kProgressId);
    ASSERT_NE(bar, nullptr);
    bar->SetRange(0, 3000);
    bar->SetStep(1);
    EXPECT_EQ(bar->StepIt(), 0);
    EXPECT_EQ(bar->GetPos(), 1);
    bar->SetPos(2999);
    bar->StepIt();
    bar->StepIt();
    EXPECT_EQ(bar->GetPos(), 3000);
    bar->OffsetPos(-2147483647);
    EXPECT_EQ(bar->GetPos(), 0);
    bar->SetPos(5000);
    EXPECT_EQ(bar->GetPos(), 3000);
}

TEST_F(ControlsTest, ObserverSeesEveryChangeOnceAndNothingWhenTheValueStays) {
    Recorder recorder;
    Slider* slider = dialog_.Get<Slider>(testing::kSliderId);
    slider->SetObserver(&recorder);
    slider->SetPos(50);
    slider->SetPos(50);
    slider->Enable(false);
    slider->Enable(false);
    slider->UseReadoutColors();
    slider->Show(false);
    using C = ControlChange;
    const std::vector<std::pair<int, ControlChange>> expected = {{testing::kSliderId, C::kPosition},
                                                                 {testing::kSliderId, C::kEnabled},
                                                                 {testing::kSliderId, C::kColors},
                                                                 {testing::kSliderId, C::kVisible}};
    EXPECT_EQ(recorder.changes, expected);
    EXPECT_EQ(slider->TextColor(), kCyan);
    EXPECT_EQ(slider->BackgroundColor(), kBlack);
}

TEST_F(ControlsTest, TemplateStylesGiveInitialStateAndTypedAccessChecksTheKind) {
    EXPECT_FALSE(dialog_.GetDlgItem(testing::kHiddenId)->IsVisible());
    EXPECT_EQ(dialog_.Get<Slider>(testing::kComboId), nullptr);
    EXPECT_EQ(dialog_.Get<Slider>(4242), nullptr);
    EXPECT_EQ(dialog_.GetDlgItemText(testing::kLabelId), "Label");
    EXPECT_EQ(dialog_.GetDlgItemText(4242), "");
    dialog_.SetDlgItemText(testing::kLabelId, "Uploading Configuration");
    EXPECT_EQ(dialog_.Get<Static>(testing::kLabelId)->GetText(), "Uploading Configuration");
    dialog_.CheckDlgButton(testing::kPushId, BST_CHECKED);  // push buttons hold no check
    EXPECT_EQ(dialog_.IsDlgButtonChecked(testing::kPushId), BST_UNCHECKED);
    dialog_.CheckRadioButton(testing::kRadioA, testing::kRadioC, testing::kRadioB);
    EXPECT_EQ(dialog_.IsDlgButtonChecked(testing::kRadioB), BST_CHECKED);
    EXPECT_EQ(dialog_.RadioGroupOf(testing::kRadioC),
              (std::vector<int>{testing::kRadioA, testing::kRadioB, testing::kRadioC}));
    EXPECT_EQ(dialog_.RadioGroupOf(testing::kOtherRadio), std::vector<int>{testing::kOtherRadio});
}

}  // namespace
}  // namespace tra1::win
