// DELAY panel: the inverted delay slider and its read-out, the change message, the hold counter
// in both control modes and the "Default" button.

#include "panels/delay_dlg.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/receiver_image.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "tests/panels/panel_test_support.h"

namespace tra1 {
namespace {

using DelayDlg = CDELAYDlg;

using test::Message;

class DelayPanelTest : public test::PanelTest<DelayDlg> {
protected:
    int Pos() const { return PanelTest::Pos(DelayDlg::kDelaySlider); }
    std::string Readout() const { return Text(DelayDlg::kDelayReadout); }
};

TEST_F(DelayPanelTest, RefreshPutsLongerDelaysHigherAndClampsBeyondTheTop) {
    auto& dlg = Open();
    EXPECT_EQ(dlg.GetWindowText(), "DELAY");
    EXPECT_EQ(Pos(), 200);  // start-up delay 0 at the bottom
    EXPECT_EQ(Readout(), "0");
    EXPECT_EQ(dlg.GetDlgItem(DelayDlg::kDelayReadout)->TextColor(), win::kCyan);
    EXPECT_EQ(dlg.GetDlgItem(DelayDlg::kDelayReadout)->BackgroundColor(), win::kBlack);

    image_.AudioDelay[0] = 200;
    SendRefresh();
    EXPECT_EQ(Pos(), 0);
    EXPECT_EQ(Readout(), "200");

    image_.AudioDelay[0] = 37;
    SendRefresh();
    EXPECT_EQ(Pos(), 163);
    EXPECT_EQ(Readout(), "37");

    // Beyond the range: the thumb stays at the top and the read-out shows what it shows; a
    // release there is no change.
    image_.AudioDelay[0] = 250;
    SendRefresh();
    EXPECT_EQ(Pos(), 0);
    EXPECT_EQ(Readout(), "200");
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, DelayDlg::kDelaySlider, 0));
    EXPECT_EQ(image_.AudioDelay[0], 250);
    EXPECT_TRUE(Posted().empty());
}

TEST_F(DelayPanelTest, ReleaseStoresHoldsAndPostsOnceAndOnlyOnAChange) {
    image_.AudioDelay = {10, 4, 6};
    auto& dlg = Open();

    ASSERT_TRUE(win::user::ReleaseSlider(dlg, DelayDlg::kDelaySlider, 150));
    EXPECT_EQ(image_.AudioDelay[0], 50);
    EXPECT_EQ(image_.AudioDelay[1], 4);  // the hidden delays are left alone
    EXPECT_EQ(image_.AudioDelay[2], 6);
    EXPECT_EQ(dlg.HoldCounter(), 8);
    EXPECT_EQ(Readout(), "50");
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA007, 0, 0}}));

    // Picked up and let go where it was.
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, DelayDlg::kDelaySlider, 150));
    EXPECT_TRUE(Posted().empty());
}

TEST_F(DelayPanelTest, RealtimeHoldsEightRefreshesAsynchronousNone) {
    link_.realtimeMode = true;
    auto& dlg = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, DelayDlg::kDelaySlider, 80));  // 120 ms
    Posted();

    image_.AudioDelay[0] = 30;  // the receiver still reports another value
    for (int i = 0; i < 8; ++i) {
        SendRefresh();
        EXPECT_EQ(Pos(), 80) << "refresh " << i + 1;
    }
    EXPECT_EQ(dlg.HoldCounter(), 0);
    SendRefresh();
    EXPECT_EQ(Pos(), 170);
    EXPECT_EQ(Readout(), "30");

    link_.realtimeMode = false;
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, DelayDlg::kDelaySlider, 80));
    image_.AudioDelay[0] = 30;
    SendRefresh();
    EXPECT_EQ(Pos(), 170);
}

TEST_F(DelayPanelTest, DefaultRestoresZeroMillisecondsLikeARelease) {
    image_.AudioDelay[0] = 120;
    auto& dlg = Open();

    ASSERT_TRUE(win::user::Click(dlg, DelayDlg::kDefaultButton));
    EXPECT_EQ(Pos(), 200);
    EXPECT_EQ(image_.AudioDelay[0], 0);
    EXPECT_EQ(Readout(), "0");
    EXPECT_EQ(dlg.HoldCounter(), 8);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA007, 0, 0}}));

    // Already at the default: nothing to tell.
    ASSERT_TRUE(win::user::Click(dlg, DelayDlg::kDefaultButton));
    EXPECT_TRUE(Posted().empty());
}

}  // namespace
}  // namespace tra1
