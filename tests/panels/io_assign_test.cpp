// I/O ASSIGN: the connector, function and select lists; applying a source with the exchange
// inside a kind; "Select" following the connector's kind; Default announcing every used
// position; a hold of 80 refreshes in either control mode.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/receiver_image.h"
#include "panels/io_assign_dlg.h"
#include "panels/panel_list.h"
#include "platform/win/list_box.h"
#include "platform/win/user_input.h"
#include "tests/panels/panel_test_support.h"

namespace tra1 {
namespace {

using IoAssignDlg = CIOASSIGNDlg;
using Rows = std::vector<std::string>;

class IoAssignTest : public test::PanelTest<IoAssignDlg> {
protected:
    using Posted = test::Message;

    void SetUp() override {
        PanelTest::SetUp();
        panel_ = Create();
        ASSERT_TRUE(panel_);
    }

    std::vector<Posted> Received() { return PanelTest::Posted(); }
    IoAssignDlg& Io() { return static_cast<IoAssignDlg&>(*panel_); }
    Rows FunctionsOf(int first, int count) {
        const auto& items = List(IoAssignDlg::kFunctionList).Items();
        return {items.begin() + first, items.begin() + first + count};
    }
    // Selects a connector row and applies the "Select" row whose text is `source`.
    void Assign(int portRow, const std::string& source) {
        ASSERT_TRUE(win::user::SelectListRow(*panel_, IoAssignDlg::kPortList, portRow));
        const int row = List(IoAssignDlg::kSelectList).FindString(source);
        ASSERT_NE(row, win::LB_ERR) << source;
        ASSERT_TRUE(win::user::SelectListRow(*panel_, IoAssignDlg::kSelectList, row));
        ASSERT_TRUE(win::user::Click(*panel_, win::IDOK));
    }
};

TEST_F(IoAssignTest, ListsShowConnectorsTheirSourcesAndTheComponentChoices) {
    EXPECT_EQ(panel_->GetWindowText(), "I/O ASSIGN");
    EXPECT_NE(FindSettingPanel(IoAssignDlg::kDescriptor.refreshMessage), nullptr);
    const auto& ports = List(IoAssignDlg::kPortList);
    ASSERT_EQ(ports.GetCount(), 20);
    EXPECT_EQ(ports.GetText(0), "Component 1");
    EXPECT_EQ(ports.GetText(5), "Component 6");
    EXPECT_EQ(ports.GetText(6), "Opt OUT 1");
    EXPECT_EQ(ports.GetText(9), "Opt IN 1");
    EXPECT_EQ(ports.GetText(15), "Opt IN 7");
    EXPECT_EQ(ports.GetText(19), "Coax IN 4");
    EXPECT_EQ(ports.GetCurSel(), 0);

    // The model defaults, image rows A, C, B, D of the receiver's table.
    EXPECT_EQ(FunctionsOf(0, 6), (Rows{"DVD", "DTV/LD", "CABLE", "SAT", "VCR1", "DVR"}));
    EXPECT_EQ(FunctionsOf(6, 3), (Rows{"CD-R", "MD/TAPE", "DVR"}));
    EXPECT_EQ(FunctionsOf(9, 7), (Rows{"CD", "CD-R", "DVD", "DTV/LD", "CABLE", "SAT", "DVR"}));
    EXPECT_EQ(FunctionsOf(16, 4), (Rows{"DTV/LD", "CD", "DVD", "DVR"}));
    EXPECT_EQ(List(IoAssignDlg::kFunctionList).TextColor(), win::kCyan);
    EXPECT_EQ(List(IoAssignDlg::kFunctionList).BackgroundColor(), win::kBlack);

    EXPECT_EQ(List(IoAssignDlg::kSelectList).Items(),
              (Rows{"DVD", "DTV/LD", "CABLE", "SAT", "VCR1", "VCR2", "DVR", "V-AUX"}));
    EXPECT_EQ(List(IoAssignDlg::kSelectList).GetCurSel(), 0);
}

TEST_F(IoAssignTest, ApplyingASourceExchangesItWithinTheKindAndAnnouncesOnlyTheChosenConnector) {
    Assign(1, "DVD");  // Component 2 (DTV/LD) takes DVD from Component 1
    EXPECT_EQ(image_.IoAssign(0, 1), 5);
    EXPECT_EQ(image_.IoAssign(0, 0), 6);
    EXPECT_EQ(FunctionsOf(0, 2), (Rows{"DTV/LD", "DVD"}));
    EXPECT_EQ(panel_->HoldCounter(), 80);
    EXPECT_EQ(Received(), (std::vector<Posted>{{0xA103, 0, 1}}));

    // The same source again stores and posts nothing; the Enter key is the same command.
    ASSERT_TRUE(win::user::PressEnter(*panel_));
    EXPECT_TRUE(panel_->IsWindow());
    EXPECT_EQ(image_.IoAssign(0, 1), 5);
    EXPECT_TRUE(Received().empty());

    // A double click in "Select" applies as well; other kinds are left alone.
    ASSERT_TRUE(win::user::SelectListRow(*panel_, IoAssignDlg::kPortList, 17));  // Coax IN 2 (CD)
    const int phono = List(IoAssignDlg::kSelectList).FindString("PHONO");
    ASSERT_TRUE(win::user::DoubleClickListRow(*panel_, IoAssignDlg::kSelectList, phono));
    EXPECT_EQ(image_.IoAssign(3, 1), 0);
    EXPECT_EQ(image_.IoAssign(2, 0), 1);  // Opt IN 1 keeps CD
    EXPECT_EQ(Received(), (std::vector<Posted>{{0xA103, 3, 1}}));
}

TEST_F(IoAssignTest, SelectFollowsTheConnectorKindOnly) {
    ASSERT_TRUE(win::user::SelectListRow(*panel_, IoAssignDlg::kFunctionList, 7));  // Opt OUT 2
    EXPECT_EQ(List(IoAssignDlg::kPortList).GetCurSel(), 7);
    EXPECT_EQ(Io().SelectedKind(), 1);
    EXPECT_EQ(Io().SelectedConnector(), 1);
    const Rows optOut{"PHONO", "CD",  "CD-R", "MD/TAPE", "DVD", "DTV/LD",
                      "CABLE", "SAT", "VCR1", "VCR2",    "DVR", "V-AUX"};
    EXPECT_EQ(List(IoAssignDlg::kSelectList).Items(), optOut);

    // Opt OUT -> Opt IN: V-AUX goes; its row was selected, so the choice falls back to row 0.
    ASSERT_TRUE(win::user::SelectListRow(*panel_, IoAssignDlg::kSelectList, 11));
    ASSERT_TRUE(win::user::SelectListRow(*panel_, IoAssignDlg::kPortList, 10));
    EXPECT_EQ(List(IoAssignDlg::kSelectList).GetCount(), 11);
    EXPECT_EQ(List(IoAssignDlg::kSelectList).FindString("V-AUX"), win::LB_ERR);
    EXPECT_EQ(List(IoAssignDlg::kSelectList).GetCurSel(), 0);
    EXPECT_EQ(List(IoAssignDlg::kFunctionList).GetCurSel(), 10);

    // Between two Opt IN rows "Select" is not touched: the choice stays.
    ASSERT_TRUE(win::user::SelectListRow(*panel_, IoAssignDlg::kSelectList, 6));
    ASSERT_TRUE(win::user::SelectListRow(*panel_, IoAssignDlg::kPortList, 14));
    EXPECT_EQ(List(IoAssignDlg::kSelectList).GetCurSel(), 6);
    EXPECT_EQ(Io().SelectedConnector(), 5);
    EXPECT_TRUE(Received().empty());
}

TEST_F(IoAssignTest, RepeatedSourcesReadDashesAndUnusedOrStrayValuesShowNoName) {
    image_.SetIoAssign(1, 0, 11);  // Opt OUT 1 = DVR, as Opt OUT 3 already is
    image_.SetIoAssign(0, 2, 255);
    image_.SetIoAssign(0, 3, 77);  // a value from a file that names no input
    panel_->SendMessage(0x9006);
    EXPECT_EQ(FunctionsOf(6, 3), (Rows{"DVR", "MD/TAPE", "---"}));
    EXPECT_EQ(FunctionsOf(2, 2), (Rows{"", ""}));
}

TEST_F(IoAssignTest, DefaultRestoresAndAnnouncesEachUsedPositionConnectorZeroFirst) {
    Assign(1, "DVD");
    Received();
    ASSERT_TRUE(win::user::SelectListRow(*panel_, IoAssignDlg::kPortList, 12));
    const std::int64_t slept = clock_.SleptMs();
    ASSERT_TRUE(win::user::Click(*panel_, IoAssignDlg::kDefaultButton));
    for (int kind = 0; kind < 4; ++kind) {
        for (int n = 0; n < 16; ++n) {
            EXPECT_EQ(image_.IoAssign(kind, n), ModelProfile::DefaultImageIoAssign(kind, n));
        }
    }
    const auto posted = Received();
    ASSERT_EQ(posted.size(), 20u);
    EXPECT_EQ(clock_.SleptMs() - slept, 20 * 20);
    // Connector 0 of each kind, then connector 1 of each, ...; only used positions.
    EXPECT_EQ(posted[0], (Posted{0xA103, 0, 0}));
    EXPECT_EQ(posted[3], (Posted{0xA103, 3, 0}));
    EXPECT_EQ(posted[4], (Posted{0xA103, 0, 1}));
    EXPECT_EQ(posted[19], (Posted{0xA103, 2, 6}));
    EXPECT_EQ(FunctionsOf(0, 2), (Rows{"DVD", "DTV/LD"}));
    EXPECT_EQ(List(IoAssignDlg::kPortList).GetCurSel(), 0);
    EXPECT_EQ(List(IoAssignDlg::kFunctionList).GetCurSel(), 0);
    EXPECT_EQ(List(IoAssignDlg::kSelectList).GetCurSel(), 0);
    EXPECT_EQ(List(IoAssignDlg::kSelectList).GetCount(), 8);
    EXPECT_EQ(Io().SelectedKind(), 0);
    EXPECT_EQ(panel_->HoldCounter(), 80);
}

TEST_F(IoAssignTest, ApplyHoldsEightyRefreshesInEitherModeAndKeepsSelections) {
    for (const bool realtime : {false, true}) {
        link_.realtimeMode = realtime;
        image_.ResetToDefaults(profile_);
        panel_->ResetHoldCounter();
        panel_->SendMessage(0x9006);
        Assign(2, "SAT");             // Component 3 (CABLE) takes SAT from Component 4
        image_.SetIoAssign(0, 2, 7);  // a report that still carries the old source
        for (int i = 0; i < 80; ++i) {
            EXPECT_EQ(panel_->SendMessage(0x9006), 1);
        }
        EXPECT_EQ(FunctionsOf(2, 1), (Rows{"SAT"})) << realtime;
        panel_->SendMessage(0x9006);
        EXPECT_EQ(FunctionsOf(2, 1), (Rows{"CABLE"})) << realtime;
        EXPECT_EQ(List(IoAssignDlg::kPortList).GetCurSel(), 2);
        EXPECT_EQ(
            List(IoAssignDlg::kSelectList).GetText(List(IoAssignDlg::kSelectList).GetCurSel()),
            "SAT");
    }
}

}  // namespace
}  // namespace tra1
