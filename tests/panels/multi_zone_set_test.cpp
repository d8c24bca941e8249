// MULTI ZONE SET: "ZONE2 OUT" follows "ZONE2 AMP" (enabled at its byte for EXT, disabled at VAR
// for INT, byte kept); changes compare with the image, announce once, and a ZONE2 OUT change
// reloads the main window first.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/receiver_image.h"
#include "panels/multi_zone_set_dlg.h"
#include "panels/panel_list.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "tests/panels/panel_test_support.h"

namespace tra1 {
namespace {

using MultiZoneSetDlg = CMULTIZONESETDlg;

class MultiZoneSetTest : public test::PanelTest<MultiZoneSetDlg> {
protected:
    using Posted = test::Message;

    std::unique_ptr<PanelDlg> Open() { return Create(); }
    std::vector<Posted> Received() { return PanelTest::Posted(); }
    static win::Slider& Out(PanelDlg& panel) {
        return *panel.Get<win::Slider>(MultiZoneSetDlg::kZone2OutSwitch);
    }
    static win::Slider& Amp(PanelDlg& panel) {
        return *panel.Get<win::Slider>(MultiZoneSetDlg::kZone2AmpSwitch);
    }
};

TEST_F(MultiZoneSetTest, InternalAmpShowsOutAtVarDisabledAndExtRestoresItsByte) {
    image_.MultiZoneSetting = {1, 0};
    auto panel = Open();
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->GetWindowText(), "MULTI ZONE SET");
    EXPECT_NE(FindSettingPanel(MultiZoneSetDlg::kDescriptor.refreshMessage), nullptr);
    EXPECT_EQ(Out(*panel).GetRangeMax(), 1);
    EXPECT_EQ(Amp(*panel).GetRangeMax(), 1);
    EXPECT_EQ(Out(*panel).GetPos(), 0);
    EXPECT_FALSE(Out(*panel).IsEnabled());
    // A disabled switch takes no gesture.
    EXPECT_FALSE(win::user::ReleaseSlider(*panel, MultiZoneSetDlg::kZone2OutSwitch, 1));

    ASSERT_TRUE(win::user::ReleaseSlider(*panel, MultiZoneSetDlg::kZone2AmpSwitch, 1));
    EXPECT_EQ(image_.MultiZoneSetting[1], 1);
    EXPECT_EQ(image_.MultiZoneSetting[0], 1);
    EXPECT_EQ(Out(*panel).GetPos(), 1);
    EXPECT_TRUE(Out(*panel).IsEnabled());
    EXPECT_EQ(panel->HoldCounter(), 50);
    EXPECT_EQ(Received(), (std::vector<Posted>{{0xA00B, 1, 0}}));

    // Back to INT: the switch goes to VAR, its byte stays.
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, MultiZoneSetDlg::kZone2AmpSwitch, 0));
    EXPECT_EQ(Out(*panel).GetPos(), 0);
    EXPECT_FALSE(Out(*panel).IsEnabled());
    EXPECT_EQ(image_.MultiZoneSetting[0], 1);
    EXPECT_EQ(Received(), (std::vector<Posted>{{0xA00B, 1, 0}}));
}

TEST_F(MultiZoneSetTest, OutChangeReloadsTheMainWindowBeforeAnnouncingAndSamePlaceDoesNothing) {
    image_.MultiZoneSetting = {0, 1};
    auto panel = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, MultiZoneSetDlg::kZone2OutSwitch, 1));
    EXPECT_EQ(image_.MultiZoneSetting[0], 1);
    EXPECT_EQ(Received(), (std::vector<Posted>{{0x900F, 0, 0}, {0xA00B, 0, 0}}));

    ASSERT_TRUE(win::user::ReleaseSlider(*panel, MultiZoneSetDlg::kZone2OutSwitch, 1));
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, MultiZoneSetDlg::kZone2AmpSwitch, 1));
    EXPECT_TRUE(Received().empty());
}

TEST_F(MultiZoneSetTest, RefreshFollowsTheImageAndHoldsFiftyInRealtimeOnly) {
    auto panel = Open();
    image_.MultiZoneSetting = {1, 1};
    panel->SendMessage(0x900E);
    EXPECT_EQ(Amp(*panel).GetPos(), 1);
    EXPECT_EQ(Out(*panel).GetPos(), 1);
    EXPECT_TRUE(Out(*panel).IsEnabled());

    link_.realtimeMode = true;
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, MultiZoneSetDlg::kZone2OutSwitch, 0));
    image_.MultiZoneSetting[0] = 1;  // a stale report
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(panel->SendMessage(0x900E), 1);
    }
    EXPECT_EQ(Out(*panel).GetPos(), 0);
    panel->SendMessage(0x900E);
    EXPECT_EQ(Out(*panel).GetPos(), 1);

    link_.realtimeMode = false;
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, MultiZoneSetDlg::kZone2AmpSwitch, 0));
    image_.MultiZoneSetting[1] = 1;
    panel->SendMessage(0x900E);
    EXPECT_EQ(Amp(*panel).GetPos(), 1);
}

}  // namespace
}  // namespace tra1
