// LFE LEVEL / D-RANGE panel: inverted LFE sliders with their dB read-outs, the D-RANGE sliders,
// the change messages of both groups, the hold counter and the "Default" buttons.

#include "panels/lfe_level_drange_dlg.h"

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

using LfeLevelDrangeDlg = CLFELEVELDRANGEDlg;

using test::Message;

using LfeLevelDrangeTest = test::PanelTest<LfeLevelDrangeDlg>;

TEST_F(LfeLevelDrangeTest, RefreshShowsTheImageWithInvertedLfeSlidersAndDbReadouts) {
    auto& dlg = Open();
    EXPECT_EQ(dlg.GetWindowText(), "LFE LEVEL / D-RANGE");
    // Start-up values 40, 40, 0, 0: both LFE levels at 0 dB, at the top of their tracks. The
    // read-out is the negated position: at the top it shows 0 without a sign, as the report does.
    EXPECT_EQ(Pos(LfeLevelDrangeDlg::kLfeSpeakerSlider), 0);
    EXPECT_EQ(Pos(LfeLevelDrangeDlg::kLfeHeadphoneSlider), 0);
    EXPECT_EQ(Text(LfeLevelDrangeDlg::kLfeSpeakerReadout), "0");
    EXPECT_EQ(Text(LfeLevelDrangeDlg::kLfeHeadphoneReadout), "0");
    EXPECT_EQ(Pos(LfeLevelDrangeDlg::kDrangeSpeakerSlider), 0);
    auto* readout = dlg.GetDlgItem(LfeLevelDrangeDlg::kLfeHeadphoneReadout);
    EXPECT_EQ(readout->TextColor(), win::kCyan);
    EXPECT_EQ(readout->BackgroundColor(), win::kBlack);

    image_.LfeDrange = {0, 19, 2, 1};
    SendRefresh();
    EXPECT_EQ(Pos(LfeLevelDrangeDlg::kLfeSpeakerSlider), 40);
    EXPECT_EQ(Pos(LfeLevelDrangeDlg::kLfeHeadphoneSlider), 21);
    EXPECT_EQ(Text(LfeLevelDrangeDlg::kLfeSpeakerReadout), "-20");
    EXPECT_EQ(Text(LfeLevelDrangeDlg::kLfeHeadphoneReadout), "-10.5");
    EXPECT_EQ(Pos(LfeLevelDrangeDlg::kDrangeSpeakerSlider), 2);
    image_.LfeDrange = {39, 1, 2, 1};  // one half step from either end keeps its sign
    SendRefresh();
    EXPECT_EQ(Text(LfeLevelDrangeDlg::kLfeSpeakerReadout), "-0.5");
    EXPECT_EQ(Text(LfeLevelDrangeDlg::kLfeHeadphoneReadout), "-19.5");
    image_.LfeDrange = {0, 19, 2, 1};
    SendRefresh();
    EXPECT_EQ(Pos(LfeLevelDrangeDlg::kDrangeHeadphoneSlider), 1);

    // Bytes beyond the ranges only park the sliders at an end.
    image_.LfeDrange = {200, 41, 9, 255};
    SendRefresh();
    EXPECT_EQ(Pos(LfeLevelDrangeDlg::kLfeSpeakerSlider), 0);
    EXPECT_EQ(Pos(LfeLevelDrangeDlg::kLfeHeadphoneSlider), 0);
    EXPECT_EQ(Pos(LfeLevelDrangeDlg::kDrangeSpeakerSlider), 2);
    EXPECT_EQ(Pos(LfeLevelDrangeDlg::kDrangeHeadphoneSlider), 2);
}

TEST_F(LfeLevelDrangeTest, LfeReleaseStoresTheInvertedValueAndPostsOnce) {
    image_.LfeDrange[0] = 10;
    auto& dlg = Open();

    ASSERT_TRUE(
        win::user::ReleaseSlider(dlg, LfeLevelDrangeDlg::kLfeSpeakerSlider, 0));  // the top: 0 dB
    EXPECT_EQ(image_.LfeDrange[0], 40);
    EXPECT_EQ(dlg.HoldCounter(), 16);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA003, 0, 0}}));
    EXPECT_EQ(Text(LfeLevelDrangeDlg::kLfeSpeakerReadout), "0");

    ASSERT_TRUE(
        win::user::ReleaseSlider(dlg, LfeLevelDrangeDlg::kLfeHeadphoneSlider, 40));  // the bottom
    EXPECT_EQ(image_.LfeDrange[1], 0);
    EXPECT_EQ(Text(LfeLevelDrangeDlg::kLfeHeadphoneReadout), "-20");
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA003, 1, 0}}));

    // Where it already stands, or moved by the keyboard alone: nothing.
    dlg.ResetHoldCounter();
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, LfeLevelDrangeDlg::kLfeHeadphoneSlider, 40));
    ASSERT_TRUE(win::user::KeyboardSlider(dlg, LfeLevelDrangeDlg::kLfeSpeakerSlider, 5));
    EXPECT_TRUE(Posted().empty());
    EXPECT_EQ(image_.LfeDrange[0], 40);
    EXPECT_EQ(image_.LfeDrange[1], 0);
    EXPECT_EQ(dlg.HoldCounter(), 0);
}

TEST_F(LfeLevelDrangeTest, DrangeChangePostsItsOwnMessageAndLeavesTheLfeReadouts) {
    auto& dlg = Open();
    // "Default" moves the LFE sliders without touching the read-outs; a D-RANGE change must not
    // redraw them either.
    ASSERT_TRUE(win::user::Click(dlg, LfeLevelDrangeDlg::kLfeDefaultButton));
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, LfeLevelDrangeDlg::kDrangeHeadphoneSlider, 2));
    EXPECT_EQ(image_.LfeDrange[3], 2);
    EXPECT_EQ(dlg.HoldCounter(), 16);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA004, 1, 0}}));
    EXPECT_EQ(Text(LfeLevelDrangeDlg::kLfeSpeakerReadout), "0");
    EXPECT_EQ(Text(LfeLevelDrangeDlg::kLfeHeadphoneReadout), "0");

    ASSERT_TRUE(win::user::ReleaseSlider(dlg, LfeLevelDrangeDlg::kDrangeSpeakerSlider, 1));
    EXPECT_EQ(image_.LfeDrange[2], 1);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA004, 0, 0}}));
}

TEST_F(LfeLevelDrangeTest, DefaultButtonsStoreTheStartUpValuesAndAnnounceThem) {
    image_.LfeDrange = {40, 12, 2, 0};
    auto& dlg = Open();
    // LFE: both to 0 dB, the start-up value; only the headphone level changed.
    ASSERT_TRUE(win::user::Click(dlg, LfeLevelDrangeDlg::kLfeDefaultButton));
    EXPECT_EQ(Pos(LfeLevelDrangeDlg::kLfeSpeakerSlider), 0);
    EXPECT_EQ(Pos(LfeLevelDrangeDlg::kLfeHeadphoneSlider), 0);
    EXPECT_EQ(image_.LfeDrange, (ImageBytes<4>{40, 40, 2, 0}));
    EXPECT_EQ(Text(LfeLevelDrangeDlg::kLfeHeadphoneReadout), "0");
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA003, 1, 0}}));
    EXPECT_EQ(dlg.HoldCounter(), 16);

    // D-RANGE: both to "MAX"; only the speaker one changed.
    ASSERT_TRUE(win::user::Click(dlg, LfeLevelDrangeDlg::kDrangeDefaultButton));
    EXPECT_EQ(Pos(LfeLevelDrangeDlg::kDrangeSpeakerSlider), 0);
    EXPECT_EQ(Pos(LfeLevelDrangeDlg::kDrangeHeadphoneSlider), 0);
    EXPECT_EQ(image_.LfeDrange, (ImageBytes<4>{40, 40, 0, 0}));
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA004, 0, 0}}));

    // Nothing left to change: a second press announces nothing.
    ASSERT_TRUE(win::user::Click(dlg, LfeLevelDrangeDlg::kLfeDefaultButton));
    ASSERT_TRUE(win::user::Click(dlg, LfeLevelDrangeDlg::kDrangeDefaultButton));
    EXPECT_TRUE(Posted().empty());
    // A refresh finds the image as the sliders show it.
    dlg.ResetHoldCounter();
    SendRefresh();
    EXPECT_EQ(Pos(LfeLevelDrangeDlg::kLfeHeadphoneSlider), 0);
    EXPECT_EQ(Pos(LfeLevelDrangeDlg::kDrangeSpeakerSlider), 0);
}

TEST_F(LfeLevelDrangeTest, RefreshesAreHeldOnlyInRealtimeMode) {
    link_.realtimeMode = true;
    auto& dlg = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, LfeLevelDrangeDlg::kLfeSpeakerSlider, 10));
    image_.LfeDrange[0] = 0;  // a report that still carries another value
    for (int i = 0; i < 16; ++i) {
        SendRefresh();
        ASSERT_EQ(Pos(LfeLevelDrangeDlg::kLfeSpeakerSlider), 10) << "refresh " << i + 1;
    }
    SendRefresh();
    EXPECT_EQ(Pos(LfeLevelDrangeDlg::kLfeSpeakerSlider), 40);
    EXPECT_EQ(Text(LfeLevelDrangeDlg::kLfeSpeakerReadout), "-20");

    link_.realtimeMode = false;
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, LfeLevelDrangeDlg::kLfeSpeakerSlider, 10));
    image_.LfeDrange[0] = 0;
    SendRefresh();
    EXPECT_EQ(Pos(LfeLevelDrangeDlg::kLfeSpeakerSlider), 40);
}

}  // namespace
}  // namespace tra1
