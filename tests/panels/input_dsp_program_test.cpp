// INPUT - DSP PROGRAM: the two lists and the selector show InputProgramMap and the main input;
// selecting an input, picking a program, the "Straight" box and "Default" store into the image
// and announce it in the right order; refreshes are held by the counter in either mode and while
// the mouse is down; indices outside the lists never write outside InputProgramMap.

#include "panels/input_dsp_program_dlg.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/receiver_image.h"
#include "panels/dsp_parameter_dlg.h"
#include "platform/win/button.h"
#include "platform/win/combo_box.h"
#include "platform/win/list_box.h"
#include "platform/win/user_input.h"
#include "tests/panels/panel_test_support.h"

namespace tra1 {
namespace {

using InputDspProgramDlg = CINPUTDSPPROGRAMDlg;

using test::Message;

const Message kMainRefresh{0x900F, 0, 0};

class InputDspProgramTest : public test::PanelTest<InputDspProgramDlg> {
protected:
    win::ListBox& Inputs() const { return List(InputDspProgramDlg::kInputList); }
    win::ListBox& Assignments() const { return List(InputDspProgramDlg::kAssignmentList); }
    win::ComboBox& Selector() const { return Combo(InputDspProgramDlg::kProgramSelector); }
    int Straight() const {
        return panel_->Get<win::Button>(InputDspProgramDlg::kStraightCheck)->GetCheck();
    }
};

TEST_F(InputDspProgramTest, OpensWithTheFixedNamesTheAssignmentsAndTheMainInput) {
    image_.SetInputName(0, "MY DECK");  // the user's names are not shown
    image_.SetInputProgramByte(4, 0x80 | 3);
    Open();
    ASSERT_EQ(Inputs().GetCount(), 13);
    EXPECT_EQ(Inputs().GetText(0), "PHONO");
    EXPECT_EQ(Inputs().GetText(12), "V-AUX");
    ASSERT_EQ(Assignments().GetCount(), 13);
    EXPECT_EQ(Assignments().GetText(0), "Munich B");
    EXPECT_EQ(Assignments().GetText(4), "STRAIGHT");
    EXPECT_EQ(Assignments().GetText(5), "Sci-Fi");
    EXPECT_EQ(Assignments().GetText(12), "STRAIGHT");
    ASSERT_EQ(Selector().GetCount(), 38);
    EXPECT_EQ(Selector().GetLBText(37), "THX Music");

    // Main input DVD (5): both lists on it, the selector on its program.
    EXPECT_EQ(Inputs().GetCurSel(), 5);
    EXPECT_EQ(Assignments().GetCurSel(), 5);
    EXPECT_EQ(Selector().GetCurSel(), 29);
    EXPECT_EQ(Straight(), win::BST_UNCHECKED);
    EXPECT_EQ(Assignments().TextColor(), win::kCyan);
    EXPECT_EQ(Assignments().BackgroundColor(), win::kBlack);
}

TEST_F(InputDspProgramTest, SelectingAnInputInEitherListMovesBothAndPostsTheMainInputOnce) {
    Open();
    ASSERT_TRUE(win::user::SelectListRow(*panel_, InputDspProgramDlg::kInputList, 7));
    EXPECT_EQ(Assignments().GetCurSel(), 7);
    EXPECT_EQ(image_.MainZoneState[main_zone::kMainInput], 7);
    EXPECT_EQ(Selector().GetCurSel(), 27);  // CABLE: TV Sports, straight
    EXPECT_EQ(Straight(), win::BST_CHECKED);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA00D, 0, 0}, kMainRefresh}));

    ASSERT_TRUE(win::user::SelectListRow(*panel_, InputDspProgramDlg::kAssignmentList, 1));
    EXPECT_EQ(Inputs().GetCurSel(), 1);
    EXPECT_EQ(image_.MainZoneState[main_zone::kMainInput], 1);
    EXPECT_EQ(Selector().GetCurSel(), 15);
    EXPECT_EQ(Straight(), win::BST_UNCHECKED);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA00D, 0, 0}, kMainRefresh}));

    // The main input again: only the reload request.
    ASSERT_TRUE(win::user::SelectListRow(*panel_, InputDspProgramDlg::kInputList, 1));
    EXPECT_EQ(Posted(), (std::vector<Message>{kMainRefresh}));
}

TEST_F(InputDspProgramTest, StraightKeepsTheProgramAndTheSelectorStoresWithTheFlag) {
    Open();
    ASSERT_TRUE(win::user::Click(*panel_, InputDspProgramDlg::kStraightCheck));
    EXPECT_EQ(image_.InputProgramMap[5], 0x80 | 29);
    EXPECT_EQ(Assignments().GetText(5), "STRAIGHT");
    EXPECT_EQ(Assignments().GetCurSel(), 5);
    EXPECT_EQ(Selector().GetCurSel(), 29);
    // The main window reloads before it hears of the change.
    EXPECT_EQ(Posted(), (std::vector<Message>{kMainRefresh, {0xA00E, 1, 0}}));

    ASSERT_TRUE(win::user::PickComboItem(*panel_, InputDspProgramDlg::kProgramSelector, 2));
    EXPECT_EQ(image_.InputProgramMap[5], 0x80 | 2);
    EXPECT_EQ(Assignments().GetText(5), "STRAIGHT");
    EXPECT_EQ(Posted(), (std::vector<Message>{kMainRefresh, {0xA00E, 0, 0}}));

    ASSERT_TRUE(win::user::Click(*panel_, InputDspProgramDlg::kStraightCheck));
    EXPECT_EQ(Assignments().GetText(5), "Frankfurt");

    // Announced even when the byte stays the same.
    Posted();
    ASSERT_TRUE(win::user::PickComboItem(*panel_, InputDspProgramDlg::kProgramSelector, 2));
    EXPECT_EQ(Posted(), (std::vector<Message>{kMainRefresh, {0xA00E, 0, 0}}));
}

TEST_F(InputDspProgramTest, AfterAUserActionEightyRefreshesAreIgnoredInEitherMode) {
    Open();
    ASSERT_TRUE(win::user::SelectListRow(*panel_, InputDspProgramDlg::kInputList, 2));
    EXPECT_EQ(panel_->HoldCounter(), 80);
    image_.MainZoneState[main_zone::kMainInput] = 9;  // the receiver moves on meanwhile
    for (int i = 0; i < 80; ++i) {
        SendRefresh();
    }
    EXPECT_EQ(Inputs().GetCurSel(), 2);
    SendRefresh();
    EXPECT_EQ(Inputs().GetCurSel(), 9);
    EXPECT_EQ(Assignments().GetCurSel(), 9);

    link_.realtimeMode = true;
    ASSERT_TRUE(win::user::Click(*panel_, InputDspProgramDlg::kDefaultButton));
    EXPECT_EQ(panel_->HoldCounter(), 80);
}

TEST_F(InputDspProgramTest, NoRefreshWhileTheMouseIsDownInThePanel) {
    Open();
    ASSERT_TRUE(win::user::MousePress(*panel_, InputDspProgramDlg::kDefaultButton));
    image_.MainZoneState[main_zone::kMainInput] = 3;
    image_.InputProgramMap[3] = 12;
    SendRefresh();
    EXPECT_EQ(Inputs().GetCurSel(), 5);
    EXPECT_EQ(Assignments().GetText(3), "USA Hall B");
    ASSERT_TRUE(win::user::MouseRelease(*panel_, InputDspProgramDlg::kDefaultButton));
    SendRefresh();
    EXPECT_EQ(Inputs().GetCurSel(), 3);
    EXPECT_EQ(Assignments().GetCurSel(), 3);
    EXPECT_EQ(Assignments().GetText(3), "Village Gate");
    EXPECT_EQ(Selector().GetCurSel(), 12);
}

TEST_F(InputDspProgramTest, RefreshWithNamesRebuildsTheListsAndLeavesAnOpenSelectorAlone) {
    Open();
    Inputs().DeleteString(0);
    Inputs().InsertString(0, "WRONG");
    Inputs().AddString("EXTRA");
    SendRefresh(1);
    ASSERT_EQ(Inputs().GetCount(), 13);
    EXPECT_EQ(Inputs().GetText(0), "PHONO");
    EXPECT_EQ(Inputs().GetCurSel(), 5);

    ASSERT_TRUE(win::user::OpenComboList(*panel_, InputDspProgramDlg::kProgramSelector));
    image_.InputProgramMap[5] = 0x80 | 20;
    SendRefresh();
    EXPECT_EQ(Assignments().GetText(5), "STRAIGHT");
    EXPECT_EQ(Selector().GetCurSel(), 29);
    EXPECT_EQ(Straight(), win::BST_UNCHECKED);
    ASSERT_TRUE(win::user::CloseComboList(*panel_, InputDspProgramDlg::kProgramSelector));
    SendRefresh();
    EXPECT_EQ(Selector().GetCurSel(), 20);
    EXPECT_EQ(Straight(), win::BST_CHECKED);
}

TEST_F(InputDspProgramTest, DefaultRestoresEveryInputAndOnlyAsksForAReload) {
    for (auto& entry : image_.InputProgramMap) {
        entry = 0x80 | 33;
    }
    Open();
    ASSERT_TRUE(win::user::Click(*panel_, InputDspProgramDlg::kDefaultButton));
    for (int input = 0; input < input_index::kCount; ++input) {
        EXPECT_EQ(image_.InputProgramMap.at(input), ModelProfile::DefaultProgramByte(input));
    }
    EXPECT_EQ(Assignments().GetText(1), "The Roxy Theater");
    EXPECT_EQ(Assignments().GetText(9), "STRAIGHT");
    EXPECT_EQ(Selector().GetCurSel(), 29);
    EXPECT_EQ(Straight(), win::BST_UNCHECKED);
    EXPECT_EQ(Posted(), (std::vector<Message>{kMainRefresh}));
}

TEST_F(InputDspProgramTest, OutOfRangeMainInputAndProgramWriteNothingOutside) {
    image_.MainZoneState[main_zone::kMainInput] = 40;
    image_.InputProgramMap[2] = 0x7F;  // a program without a name
    Open();
    EXPECT_EQ(Inputs().GetCurSel(), win::LB_ERR);
    EXPECT_EQ(Assignments().GetText(2), "");
    const auto before = image_.InputProgramMap;
    ASSERT_TRUE(win::user::Click(*panel_, InputDspProgramDlg::kStraightCheck));
    ASSERT_TRUE(win::user::PickComboItem(*panel_, InputDspProgramDlg::kProgramSelector, 4));
    EXPECT_EQ(image_.InputProgramMap, before);
    EXPECT_TRUE(Posted().empty());

    // The nameless program stays when only the flag changes.
    ASSERT_TRUE(win::user::SelectListRow(*panel_, InputDspProgramDlg::kInputList, 2));
    EXPECT_EQ(Selector().GetCurSel(), win::CB_ERR);
    ASSERT_TRUE(win::user::Click(*panel_, InputDspProgramDlg::kStraightCheck));
    EXPECT_EQ(image_.InputProgramMap[2], 0xFF);
}

TEST_F(InputDspProgramTest, AnOpenDspParameterPanelIsAskedToReload) {
    Open();
    auto dsp = Create<CDSPPARAMETERDlg>();
    ASSERT_TRUE(dsp);
    const auto* combo = dsp->Get<win::ComboBox>(CDSPPARAMETERDlg::kProgramCombo);
    EXPECT_EQ(combo->GetCurSel(), 29);
    ASSERT_TRUE(win::user::PickComboItem(*panel_, InputDspProgramDlg::kProgramSelector, 31));
    EXPECT_EQ(panel_->HoldCounter(), 80);
    loop_.DrainPosted();
    EXPECT_EQ(combo->GetCurSel(), 31);

    dsp->DestroyWindow();
    ASSERT_TRUE(win::user::PickComboItem(*panel_, InputDspProgramDlg::kProgramSelector, 30));
    loop_.DrainPosted();  // nothing goes to the closed panel
    EXPECT_EQ(image_.InputProgramMap[5], 30);
}

}  // namespace
}  // namespace tra1
