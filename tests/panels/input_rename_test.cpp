// INPUT RENAME: two mirrored lists of default and current names, the name box that discards
// characters a name cannot hold, renaming by ENTER or the Enter key, "Default" announcing every
// name, and a hold of 33 refreshes in either control mode.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "model/receiver_image.h"
#include "panels/input_rename_dlg.h"
#include "panels/panel_list.h"
#include "platform/win/edit.h"
#include "platform/win/list_box.h"
#include "platform/win/user_input.h"
#include "tests/panels/panel_test_support.h"

namespace tra1 {
namespace {

using InputRenameDlg = CINPUTRENAMEDlg;

class InputRenameTest : public test::PanelTest<InputRenameDlg> {
protected:
    using Posted = test::Message;

    void SetUp() override {
        PanelTest::SetUp();
        panel_ = Open();
        ASSERT_TRUE(panel_);
    }

    std::unique_ptr<PanelDlg> Open() { return Create(); }
    std::vector<Posted> Received() { return PanelTest::Posted(); }
    win::ListBox& Defaults() { return List(InputRenameDlg::kDefaultNameList); }
    win::ListBox& Names() { return List(InputRenameDlg::kNewNameList); }
    std::string Box() { return Text(InputRenameDlg::kNameBox); }
    // The raw nine bytes of an InputNames entry.
    std::vector<std::uint8_t> Entry(std::size_t i) {
        const auto first = image_.InputNames.begin() + static_cast<std::ptrdiff_t>(9 * i);
        return {first, first + 9};
    }
};

TEST_F(InputRenameTest, ListsShowDefaultAndCurrentNamesWithTheFirstLineSelected) {
    EXPECT_EQ(panel_->GetWindowText(), "INPUT RENAME");
    EXPECT_NE(FindSettingPanel(InputRenameDlg::kDescriptor.refreshMessage), nullptr);
    const std::vector<std::string> expected{"PHONO", "CD",     "TUNER", "CD-R",    "MD/TAPE",
                                            "DVD",   "DTV/LD", "CABLE", "SAT",     "VCR1",
                                            "VCR2",  "DVR",    "V-AUX", "MULTI CH"};
    EXPECT_EQ(Defaults().Items(), expected);
    EXPECT_EQ(Names().Items(), expected);
    EXPECT_EQ(Defaults().GetCurSel(), 0);
    EXPECT_EQ(Names().GetCurSel(), 0);
    EXPECT_EQ(Names().TextColor(), win::kCyan);
    EXPECT_EQ(Names().BackgroundColor(), win::kBlack);
    EXPECT_FALSE(Defaults().TextColor().has_value());
    EXPECT_EQ(panel_->Get<win::Edit>(InputRenameDlg::kNameBox)->GetLimitText(), 8);

    // Selecting in either list selects the same line in the other.
    ASSERT_TRUE(win::user::SelectListRow(*panel_, InputRenameDlg::kDefaultNameList, 4));
    EXPECT_EQ(Names().GetCurSel(), 4);
    ASSERT_TRUE(win::user::SelectListRow(*panel_, InputRenameDlg::kNewNameList, 9));
    EXPECT_EQ(Defaults().GetCurSel(), 9);
}

TEST_F(InputRenameTest, NameBoxDiscardsCharactersANameCannotHold) {
    ASSERT_TRUE(win::user::FocusControl(*panel_, InputRenameDlg::kNameBox));
    ASSERT_TRUE(win::user::TypeText(*panel_, InputRenameDlg::kNameBox, "AB"));
    ASSERT_TRUE(win::user::TypeText(*panel_, InputRenameDlg::kNameBox, "_"));
    ASSERT_TRUE(win::user::TypeText(*panel_, InputRenameDlg::kNameBox, "~"));
    EXPECT_EQ(Box(), "AB");
    ASSERT_TRUE(win::user::TypeText(*panel_, InputRenameDlg::kNameBox, "-/"));
    EXPECT_EQ(Box(), "AB-/");
    // Typed in the middle: the caret stays after the kept characters.
    panel_->Get<win::Edit>(InputRenameDlg::kNameBox)->SetSel(1, 1);
    ASSERT_TRUE(win::user::TypeText(*panel_, InputRenameDlg::kNameBox, "x@y"));
    EXPECT_EQ(Box(), "AxyB-/");
    EXPECT_EQ(panel_->Get<win::Edit>(InputRenameDlg::kNameBox)->GetSelStart(), 3);

    for (const char c : std::string("!\"$%&'();=@[\\]^_`{|}~")) {
        EXPECT_FALSE(InputRenameDlg::IsNameCharacter(c)) << c;
    }
    for (const char c : std::string("azAZ09 #*+,-./:<>?")) {
        EXPECT_TRUE(InputRenameDlg::IsNameCharacter(c)) << c;
    }
    EXPECT_TRUE(Received().empty());
}

TEST_F(InputRenameTest, OnlyPrintableAsciiPassesAndNoCharacterIsCutInHalf) {
    ASSERT_TRUE(win::user::FocusControl(*panel_, InputRenameDlg::kNameBox));
    // UTF-8 letters take two bytes or more: neither byte stands in a name.
    ASSERT_TRUE(win::user::TypeText(*panel_, InputRenameDlg::kNameBox, "Caf\xC3\xA9"));
    EXPECT_EQ(Box(), "Caf");
    // A tab, a control character and a Latin-1 byte: gone too.
    ASSERT_TRUE(win::user::TypeText(*panel_, InputRenameDlg::kNameBox,
                                    "\t\x01\xE9"
                                    "e"));
    EXPECT_EQ(Box(), "Cafe");
    // Eight characters fill the box; what the receiver cannot show takes no room, even when the
    // limit cut it in half on its way in.
    ASSERT_TRUE(win::user::TypeText(*panel_, InputRenameDlg::kNameBox, " \xE2\x82\xAC"));
    ASSERT_TRUE(win::user::TypeText(*panel_, InputRenameDlg::kNameBox, "12"));
    ASSERT_TRUE(win::user::TypeText(*panel_, InputRenameDlg::kNameBox, "\xE2\x82\xAC"));
    ASSERT_TRUE(win::user::TypeText(*panel_, InputRenameDlg::kNameBox, "34"));
    EXPECT_EQ(Box(), "Cafe 123");
    for (const char c : std::string("\x7F\x80\xC3\xFF\n")) {
        EXPECT_FALSE(InputRenameDlg::IsNameCharacter(c))
            << static_cast<int>(static_cast<unsigned char>(c));
    }

    // A name read from a file with a byte the receiver cannot show, offered by a double click
    // and entered as it is: only the characters it can show are stored.
    image_.SetInputName(3, "MD\xE9TAPE");
    SendRefresh();
    ASSERT_TRUE(win::user::DoubleClickListRow(*panel_, InputRenameDlg::kNewNameList, 3));
    ASSERT_TRUE(win::user::Click(*panel_, InputRenameDlg::kEnterButton));
    EXPECT_EQ(image_.InputName(3), "MDTAPE");
    EXPECT_EQ(Received(), (std::vector<Posted>{{0xA100, 3, 0}}));
}

TEST_F(InputRenameTest, EnterStoresTheNameForTheSelectedLineAndAnnouncesItOnce) {
    ASSERT_TRUE(win::user::SelectListRow(*panel_, InputRenameDlg::kDefaultNameList, 5));
    ASSERT_TRUE(win::user::ReplaceEditText(*panel_, InputRenameDlg::kNameBox, "BLURAY1"));
    ASSERT_TRUE(win::user::Click(*panel_, InputRenameDlg::kEnterButton));
    const std::vector<std::uint8_t> expected{'B', 'L', 'U', 'R', 'A', 'Y', '1', 0, 0};
    EXPECT_EQ(Entry(5), expected);
    EXPECT_EQ(Names().GetText(5), "BLURAY1");
    EXPECT_EQ(Names().GetCurSel(), 5);
    EXPECT_EQ(panel_->HoldCounter(), 33);
    EXPECT_EQ(Received(), (std::vector<Posted>{{0xA100, 5, 0}}));

    // The Enter key from the name box does the same; an empty box stores an empty name.
    ASSERT_TRUE(win::user::SelectListRow(*panel_, InputRenameDlg::kNewNameList, 13));
    ASSERT_TRUE(win::user::ReplaceEditText(*panel_, InputRenameDlg::kNameBox, ""));
    ASSERT_TRUE(win::user::FocusControl(*panel_, InputRenameDlg::kNameBox));
    ASSERT_TRUE(win::user::PressEnter(*panel_));
    EXPECT_TRUE(panel_->IsWindow());
    EXPECT_EQ(image_.InputName(13), "");
    EXPECT_EQ(Names().GetText(13), "");
    EXPECT_EQ(Received(), (std::vector<Posted>{{0xA100, 13, 0}}));
}

TEST_F(InputRenameTest, DoubleClickCopiesTheNameIntoTheBoxWithoutStoring) {
    ASSERT_TRUE(win::user::DoubleClickListRow(*panel_, InputRenameDlg::kNewNameList, 7));
    EXPECT_EQ(Box(), "CABLE");
    EXPECT_EQ(Defaults().GetCurSel(), 7);
    EXPECT_EQ(image_.InputName(7), "CABLE");
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(panel_->HoldCounter(), 0);
}

TEST_F(InputRenameTest, RenameHoldsThirtyThreeRefreshesInEitherMode) {
    for (const bool realtime : {false, true}) {
        link_.realtimeMode = realtime;
        ASSERT_TRUE(win::user::SelectListRow(*panel_, InputRenameDlg::kNewNameList, 2));
        ASSERT_TRUE(win::user::ReplaceEditText(*panel_, InputRenameDlg::kNameBox, "RADIO"));
        ASSERT_TRUE(win::user::Click(*panel_, InputRenameDlg::kEnterButton));
        image_.SetInputName(2, "TUNER");  // a report that still carries the old name
        for (int i = 0; i < 33; ++i) {
            EXPECT_EQ(panel_->SendMessage(0x9005), 1);
        }
        EXPECT_EQ(Names().GetText(2), "RADIO") << realtime;
        panel_->SendMessage(0x9005);
        EXPECT_EQ(Names().GetText(2), "TUNER") << realtime;
        EXPECT_EQ(Names().GetCurSel(), 2);  // the refresh keeps the selection
    }
}

TEST_F(InputRenameTest, DefaultAnnouncesEveryNameInOrderWithPauses) {
    image_.SetInputName(3, "XXXX");
    image_.InputNames[9 * 3 + 7] = 'Z';  // leftover bytes of an earlier, longer name
    panel_->SendMessage(0x9005);
    ASSERT_TRUE(win::user::SelectListRow(*panel_, InputRenameDlg::kNewNameList, 6));
    const std::int64_t before = clock_.SleptMs();
    ASSERT_TRUE(win::user::Click(*panel_, InputRenameDlg::kDefaultButton));
    EXPECT_EQ(clock_.SleptMs() - before, 14 * 20);
    std::vector<Posted> expected;
    for (win::WParam i = 0; i < 14; ++i) {
        expected.push_back({0xA100, i, 0});
    }
    EXPECT_EQ(Received(), expected);
    EXPECT_EQ(image_.InputName(3), "CD-R");
    EXPECT_EQ(image_.InputName(13), "MULTI CH");
    EXPECT_EQ(Names().GetText(3), "CD-R");
    EXPECT_EQ(Names().GetCount(), 14);
    EXPECT_EQ(Names().GetCurSel(), 0);
    EXPECT_EQ(Defaults().GetCurSel(), 0);
    EXPECT_EQ(panel_->HoldCounter(), 33);
}

}  // namespace
}  // namespace tra1
