// EXTERNAL INPUT SET: the four ExternalInputSetting bytes in three switches and a combo; a
// refresh writes only controls whose cached byte changed; a user change stores, holds 80
// refreshes in realtime mode and announces its byte once.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/receiver_image.h"
#include "panels/external_input_set_dlg.h"
#include "panels/panel_list.h"
#include "platform/win/combo_box.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "tests/panels/panel_test_support.h"

namespace tra1 {
namespace {

using ExternalInputSetDlg = CEXTERNALINPUTSETDlg;

class ExternalInputSetTest : public test::PanelTest<ExternalInputSetDlg> {
protected:
    using Posted = test::Message;

    std::unique_ptr<PanelDlg> Open() { return Create(); }
    std::vector<Posted> Received() { return PanelTest::Posted(); }
    static int Switch(PanelDlg& panel, std::size_t k) {
        return panel.Get<win::Slider>(ExternalInputSetDlg::kSwitches.at(k))->GetPos();
    }
    static win::ComboBox& Combo(PanelDlg& panel) {
        return *panel.Get<win::ComboBox>(ExternalInputSetDlg::kChannelCombo);
    }
};

TEST_F(ExternalInputSetTest, StartUpDefaultsShowSwitchesLeftAnd6Ch) {
    auto panel = Open();
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->GetWindowText(), "EXTERNAL INPUT SET");
    EXPECT_NE(FindSettingPanel(ExternalInputSetDlg::kDescriptor.refreshMessage), nullptr);
    for (std::size_t k = 0; k < 3; ++k) {
        const auto* slider = panel->Get<win::Slider>(ExternalInputSetDlg::kSwitches.at(k));
        ASSERT_NE(slider, nullptr);
        EXPECT_EQ(slider->GetRangeMax(), 1);
        EXPECT_EQ(slider->GetPos(), 0);
    }
    ASSERT_EQ(Combo(*panel).GetCount(), 10);
    EXPECT_EQ(Combo(*panel).GetCurSel(), 0);
    EXPECT_EQ(Combo(*panel).GetLBText(0), "6CH");
    EXPECT_EQ(Combo(*panel).GetLBText(9), "8CH (Front=V-AUX)");
}

TEST_F(ExternalInputSetTest, RefreshShowsTheImageAndTouchesOnlyChangedControls) {
    auto panel = Open();
    image_.ExternalInputSetting = {1, 0, 1, 4};
    panel->SendMessage(0x9008);
    EXPECT_EQ(Switch(*panel, 0), 1);
    EXPECT_EQ(Switch(*panel, 1), 0);
    EXPECT_EQ(Switch(*panel, 2), 1);
    EXPECT_EQ(Combo(*panel).GetCurSel(), 4);

    // A control moved without a release (keyboard) is not rewritten while its byte is unchanged.
    win::user::KeyboardSlider(*panel, ExternalInputSetDlg::kSwitches[1], 1);
    panel->SendMessage(0x9008);
    EXPECT_EQ(Switch(*panel, 1), 1);
    image_.ExternalInputSetting[1] = 1;
    image_.ExternalInputSetting[1] = 0;  // unchanged from the cache: still not rewritten
    panel->SendMessage(0x9008);
    EXPECT_EQ(Switch(*panel, 1), 1);
}

TEST_F(ExternalInputSetTest, UserChangesStoreAndPostTheirByteOnce) {
    auto panel = Open();
    ASSERT_TRUE(
        win::user::ReleaseSlider(*panel, ExternalInputSetDlg::kSwitches[1], 1));  // SWFR TO FRONT
    EXPECT_EQ(image_.ExternalInputSetting[1], 1);
    EXPECT_EQ(panel->HoldCounter(), 80);
    EXPECT_EQ(Received(), (std::vector<Posted>{{0xA008, 1, 0}}));

    ASSERT_TRUE(
        win::user::ReleaseSlider(*panel, ExternalInputSetDlg::kSwitches[1], 1));  // same place
    ASSERT_TRUE(
        win::user::PickComboItem(*panel, ExternalInputSetDlg::kChannelCombo, 0));  // already stored
    EXPECT_TRUE(Received().empty());

    ASSERT_TRUE(win::user::PickComboItem(*panel, ExternalInputSetDlg::kChannelCombo, 7));
    EXPECT_EQ(image_.ExternalInputSetting[3], 7);
    EXPECT_EQ(Received(), (std::vector<Posted>{{0xA008, 3, 0}}));
}

TEST_F(ExternalInputSetTest, OutOfRangeBytesShowNearerEndOrNoSelectionAndCanBeRepaired) {
    image_.ExternalInputSetting = {9, 0, 0, 200};
    auto panel = Open();
    EXPECT_EQ(Switch(*panel, 0), 1);
    EXPECT_EQ(Combo(*panel).GetCurSel(), win::CB_ERR);
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, ExternalInputSetDlg::kSwitches[0], 1));
    EXPECT_EQ(image_.ExternalInputSetting[0], 1);
    EXPECT_EQ(Received(), (std::vector<Posted>{{0xA008, 0, 0}}));
}

TEST_F(ExternalInputSetTest, HoldsEightyRefreshesInRealtimeOnly) {
    link_.realtimeMode = true;
    auto panel = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, ExternalInputSetDlg::kSwitches[2], 1));
    image_.ExternalInputSetting[2] = 0;  // a report that still carries the old value
    for (int i = 0; i < 80; ++i) {
        EXPECT_EQ(panel->SendMessage(0x9008), 1);
    }
    EXPECT_EQ(Switch(*panel, 2), 1);
    panel->SendMessage(0x9008);
    EXPECT_EQ(Switch(*panel, 2), 0);

    link_.realtimeMode = false;
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, ExternalInputSetDlg::kSwitches[2], 1));
    image_.ExternalInputSetting[2] = 0;
    panel->SendMessage(0x9008);
    EXPECT_EQ(Switch(*panel, 2), 0);
}

}  // namespace
}  // namespace tra1
