// INPUT MODE SET: the switch shows InputModeSetting, a release stores and announces it once,
// and a change holds the next three refreshes in realtime mode only.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/receiver_image.h"
#include "panels/input_mode_set_dlg.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "tests/panels/panel_test_support.h"

namespace tra1 {
namespace {

class InputModeSetTest : public test::PanelTest<CINPUTMODESETDlg> {
protected:
    using Posted = test::Message;

    std::unique_ptr<PanelDlg> Open() { return Create(); }

    int SwitchPosition(PanelDlg& panel) {
        return panel.Get<win::Slider>(CINPUTMODESETDlg::kModeSlider)->GetPos();
    }

    test::MainWindowStub& mainWindow_ = main_;
};

TEST_F(InputModeSetTest, OpensAtTheImageValueAsATwoPositionSwitch) {
    auto panel = Open();
    ASSERT_TRUE(panel);
    const auto* slider = panel->Get<win::Slider>(CINPUTMODESETDlg::kModeSlider);
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->GetRangeMin(), 0);
    EXPECT_EQ(slider->GetRangeMax(), 1);
    EXPECT_EQ(SwitchPosition(*panel), 0);  // start-up default: "AUTO"
    EXPECT_EQ(panel->GetWindowText(), "INPUT MODE SET");
}

TEST_F(InputModeSetTest, ReleaseStoresAndPostsOnceAndSamePlacePostsNothing) {
    auto panel = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, CINPUTMODESETDlg::kModeSlider, 1));
    EXPECT_EQ(image_.InputModeSetting[0], 1);
    EXPECT_EQ(panel->HoldCounter(), 3);
    loop_.DrainPosted();
    EXPECT_EQ(mainWindow_.received, (std::vector<Posted>{{0xA009, 0, 0}}));

    mainWindow_.received.clear();
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, CINPUTMODESETDlg::kModeSlider, 1));
    loop_.DrainPosted();
    EXPECT_TRUE(mainWindow_.received.empty());
}

TEST_F(InputModeSetTest, OutOfRangeByteShowsTheNearerEndAndAReleaseRepairsIt) {
    image_.InputModeSetting[0] = 7;
    auto panel = Open();
    EXPECT_EQ(SwitchPosition(*panel), 1);
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, CINPUTMODESETDlg::kModeSlider, 1));
    EXPECT_EQ(image_.InputModeSetting[0], 1);
    loop_.DrainPosted();
    EXPECT_EQ(mainWindow_.received.size(), 1u);
}

TEST_F(InputModeSetTest, RealtimeHoldsThreeRefreshesAsynchronousNone) {
    link_.realtimeMode = true;
    auto panel = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, CINPUTMODESETDlg::kModeSlider, 1));
    image_.InputModeSetting[0] = 0;  // a stale report
    for (int i = 0; i < 3; ++i) {
        panel->SendMessage(0x9009);
        EXPECT_EQ(SwitchPosition(*panel), 1) << "refresh " << i;
    }
    EXPECT_EQ(panel->SendMessage(0x9009), 1);
    EXPECT_EQ(SwitchPosition(*panel), 0);

    link_.realtimeMode = false;
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, CINPUTMODESETDlg::kModeSlider, 1));
    image_.InputModeSetting[0] = 0;
    panel->SendMessage(0x9009);
    EXPECT_EQ(SwitchPosition(*panel), 0);
}

}  // namespace
}  // namespace tra1
