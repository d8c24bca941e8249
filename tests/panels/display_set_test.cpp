// DISPLAY SET panel: sliders with their offset read-outs, the wallpaper selector, the read-only
// on-screen display selector, the hidden switches, the "Default" button and the hold counter.

#include "panels/display_set_dlg.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/receiver_image.h"
#include "platform/win/combo_box.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "tests/panels/panel_test_support.h"

namespace tra1 {
namespace {

using DisplaySetDlg = CDISPLAYSETDlg;

using test::Message;

class DisplaySetTest : public test::PanelTest<DisplaySetDlg> {
protected:
    std::vector<std::string> Readouts() const {
        return {Text(DisplaySetDlg::kHPosReadout), Text(DisplaySetDlg::kVPosReadout),
                Text(DisplaySetDlg::kDimmerReadout)};
    }
};

TEST_F(DisplaySetTest, StartUpValuesShowCentredReadoutsAndTheFirstWallpaper) {
    auto& dlg = Open();
    EXPECT_EQ(dlg.GetWindowText(), "DISPLAY SET");
    EXPECT_EQ(Readouts(), (std::vector<std::string>{"0", "0", "0"}));
    EXPECT_EQ(Combo(DisplaySetDlg::kWallPaperCombo).GetWindowText(), "1 (TR-A1)");
    EXPECT_EQ(Combo(DisplaySetDlg::kWallPaperCombo).GetCount(), 5);
    EXPECT_EQ(Pos(DisplaySetDlg::kDimmerSlider), 4);
    EXPECT_EQ(Pos(DisplaySetDlg::kHPosSlider), 5);
    EXPECT_EQ(Pos(DisplaySetDlg::kVPosSlider), 5);
    EXPECT_EQ(Pos(DisplaySetDlg::kGrayBackSlider), 1);
    EXPECT_EQ(dlg.GetDlgItem(DisplaySetDlg::kDimmerReadout)->TextColor(), win::kCyan);
    EXPECT_EQ(dlg.GetDlgItem(DisplaySetDlg::kDimmerReadout)->BackgroundColor(), win::kBlack);
    EXPECT_FALSE(dlg.GetDlgItem(DisplaySetDlg::kGrayBackSlider)->IsVisible());

    image_.DisplaySettings = {0, 10, 2, 0, 1, 0, 4};
    SendRefresh();
    EXPECT_EQ(Readouts(), (std::vector<std::string>{"5", "-3", "-4"}));
    EXPECT_EQ(Combo(DisplaySetDlg::kWallPaperCombo).GetWindowText(), "4 (Gray)");
    EXPECT_EQ(Pos(DisplaySetDlg::kGrayBackSlider), 0);
    EXPECT_EQ(Pos(DisplaySetDlg::kComponentOsdSlider), 0);

    // A wallpaper byte outside the items leaves no selection; sliders park at an end.
    image_.DisplaySettings = {9, 200, 5, 7, 1, 1, 5};
    SendRefresh();
    EXPECT_EQ(Combo(DisplaySetDlg::kWallPaperCombo).GetCurSel(), win::CB_ERR);
    EXPECT_EQ(Pos(DisplaySetDlg::kDimmerSlider), 4);
    EXPECT_EQ(Pos(DisplaySetDlg::kHPosSlider), 10);
    EXPECT_EQ(Pos(DisplaySetDlg::kGrayBackSlider), 1);
}

TEST_F(DisplaySetTest, SliderReleaseStoresPostsTheByteNumberAndRewritesReadouts) {
    auto& dlg = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, DisplaySetDlg::kHPosSlider, 0));
    EXPECT_EQ(image_.DisplaySettings[1], 0);
    EXPECT_EQ(Text(DisplaySetDlg::kHPosReadout), "-5");
    EXPECT_EQ(dlg.HoldCounter(), 40);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA00A, 1, 0}}));

    ASSERT_TRUE(win::user::ReleaseSlider(dlg, DisplaySetDlg::kVPosSlider, 10));
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, DisplaySetDlg::kDimmerSlider, 0));
    EXPECT_EQ(Readouts(), (std::vector<std::string>{"-5", "5", "-4"}));
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA00A, 2, 0}, {0xA00A, 0, 0}}));

    // Where it already stands, or by the keyboard alone: nothing.
    dlg.ResetHoldCounter();
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, DisplaySetDlg::kHPosSlider, 0));
    ASSERT_TRUE(win::user::KeyboardSlider(dlg, DisplaySetDlg::kDimmerSlider, 3));
    EXPECT_TRUE(Posted().empty());
    EXPECT_EQ(dlg.HoldCounter(), 0);
}

TEST_F(DisplaySetTest, WallpaperSelectionStoresByteSixOnlyWhenItChanges) {
    auto& dlg = Open();
    ASSERT_TRUE(win::user::PickComboItem(dlg, DisplaySetDlg::kWallPaperCombo, 4));
    EXPECT_EQ(image_.DisplaySettings[6], 4);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA00A, 6, 0}}));
    ASSERT_TRUE(win::user::PickComboItem(dlg, DisplaySetDlg::kWallPaperCombo, 4));
    EXPECT_TRUE(Posted().empty());
}

TEST_F(DisplaySetTest, DefaultStoresTheStartUpValuesAndAnnouncesEachThatChanged) {
    image_.DisplaySettings = {1, 5, 8, 0, 0, 1, 2};
    auto& dlg = Open();
    ASSERT_TRUE(win::user::Click(dlg, DisplaySetDlg::kDefaultButton));
    EXPECT_EQ(Pos(DisplaySetDlg::kDimmerSlider), 4);
    EXPECT_EQ(Pos(DisplaySetDlg::kHPosSlider), 5);
    EXPECT_EQ(Pos(DisplaySetDlg::kVPosSlider), 5);
    EXPECT_EQ(Pos(DisplaySetDlg::kVideoConversionSlider), 1);
    // The sliders' bytes take the start-up values; the wallpaper stays as chosen.
    EXPECT_EQ(image_.DisplaySettings, (ImageBytes<7>{4, 5, 5, 1, 1, 1, 2}));
    EXPECT_EQ(Readouts(), (std::vector<std::string>{"0", "0", "0"}));
    // One change message per byte that changed (H Pos and component OSD did not).
    EXPECT_EQ(Posted(), (std::vector<Message>{
                            {0xA00A, 0, 0}, {0xA00A, 2, 0}, {0xA00A, 3, 0}, {0xA00A, 4, 0}}));
    EXPECT_EQ(dlg.HoldCounter(), 40);

    // Released where it now stands, nothing is stored again.
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, DisplaySetDlg::kDimmerSlider, 4));
    EXPECT_TRUE(Posted().empty());
    // A refresh finds the image as the sliders show it.
    dlg.ResetHoldCounter();
    SendRefresh();
    EXPECT_EQ(Pos(DisplaySetDlg::kVPosSlider), 5);
    EXPECT_EQ(Pos(DisplaySetDlg::kVideoConversionSlider), 1);
}

TEST_F(DisplaySetTest, OnScreenFollowsTheMainWindowAndHiddenSwitchesAreOutOfReach) {
    image_.MainZoneState[main_zone::kOnScreenDisplay] = 0;
    auto& dlg = Open();
    EXPECT_EQ(Combo(DisplaySetDlg::kOnScreenCombo).GetWindowText(), "OFF");
    EXPECT_FALSE(dlg.GetDlgItem(DisplaySetDlg::kOnScreenCombo)->IsEnabled());
    image_.MainZoneState[main_zone::kOnScreenDisplay] = 1;
    SendRefresh();
    EXPECT_EQ(Combo(DisplaySetDlg::kOnScreenCombo).GetWindowText(), "ON");

    EXPECT_FALSE(win::user::PickComboItem(dlg, DisplaySetDlg::kOnScreenCombo, 0));
    EXPECT_FALSE(win::user::ReleaseSlider(dlg, DisplaySetDlg::kGrayBackSlider, 0));
    EXPECT_EQ(image_.MainZoneState[main_zone::kOnScreenDisplay], 1);
    EXPECT_EQ(image_.DisplaySettings[3], 1);
    EXPECT_TRUE(Posted().empty());
}

TEST_F(DisplaySetTest, HoldInRealtimeModeAndAnOpenWallpaperListIsLeftAlone) {
    link_.realtimeMode = true;
    auto& dlg = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, DisplaySetDlg::kVPosSlider, 0));
    image_.DisplaySettings[2] = 7;
    for (int i = 0; i < 40; ++i) {
        SendRefresh();
        ASSERT_EQ(Pos(DisplaySetDlg::kVPosSlider), 0) << "refresh " << i + 1;
    }
    ASSERT_TRUE(win::user::OpenComboList(dlg, DisplaySetDlg::kWallPaperCombo));
    image_.DisplaySettings[6] = 3;
    SendRefresh();
    EXPECT_EQ(Pos(DisplaySetDlg::kVPosSlider), 7);
    EXPECT_EQ(Text(DisplaySetDlg::kVPosReadout), "2");
    EXPECT_EQ(Combo(DisplaySetDlg::kWallPaperCombo).GetCurSel(), 1);
    // The user's pick in the open list wins over the image's byte.
    ASSERT_TRUE(win::user::PickComboItem(dlg, DisplaySetDlg::kWallPaperCombo, 2));
    EXPECT_EQ(image_.DisplaySettings[6], 2);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA00A, 2, 0}, {0xA00A, 6, 0}}));

    link_.realtimeMode = false;
    image_.DisplaySettings[2] = 1;
    SendRefresh();
    EXPECT_EQ(Pos(DisplaySetDlg::kVPosSlider), 1);
}

}  // namespace
}  // namespace tra1
