// INPUT MODE SET: the switch shows InputModeSetting, a release stores and announces it once,
// and a change holds the next three refreshes in realtime mode only.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "link/link_state.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "panels/input_mode_set_dlg.h"
#include "platform/win/event_loop.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "platform/win/virtual_clock.h"
#include "platform/win/window.h"

namespace tra1 {
namespace {

struct Posted {
    win::Msg msg;
    win::WParam w;
    win::LParam l;
    friend bool operator==(const Posted&, const Posted&) = default;
};

// Stands in for the main window: keeps every message it receives.
class MainWindowRecorder final : public win::Window {
public:
    using Window::Window;
    std::vector<Posted> received;

protected:
    win::LResult OnMessage(win::Msg msg, win::WParam w, win::LParam l) override {
        received.push_back({msg, w, l});
        return 0;
    }
};

class InputModeSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        image.ResetToDefaults(profile);
        ASSERT_TRUE(mainWindow.CreateHidden());
    }

    std::unique_ptr<PanelDlg> Open() {
        const PanelContext context{loop, image, profile, link, mainWindow.Handle()};
        auto panel = CreatePanel<CINPUTMODESETDlg>(context, nullptr);
        if (panel) {
            panel->Show();
        }
        return panel;
    }

    int SwitchPosition(PanelDlg& panel) {
        return panel.Get<win::Slider>(CINPUTMODESETDlg::kModeSlider)->GetPos();
    }

    win::VirtualClock clock;
    win::EventLoop loop{clock};
    ModelProfile profile;
    ReceiverImage image;
    LinkState link;
    MainWindowRecorder mainWindow{loop};
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
    EXPECT_EQ(image.InputModeSetting[0], 1);
    EXPECT_EQ(panel->HoldCounter(), 3);
    loop.DrainPosted();
    EXPECT_EQ(mainWindow.received, (std::vector<Posted>{{0xA009, 0, 0}}));

    mainWindow.received.clear();
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, CINPUTMODESETDlg::kModeSlider, 1));
    loop.DrainPosted();
    EXPECT_TRUE(mainWindow.received.empty());
}

TEST_F(InputModeSetTest, OutOfRangeByteShowsTheNearerEndAndAReleaseRepairsIt) {
    image.InputModeSetting[0] = 7;
    auto panel = Open();
    EXPECT_EQ(SwitchPosition(*panel), 1);
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, CINPUTMODESETDlg::kModeSlider, 1));
    EXPECT_EQ(image.InputModeSetting[0], 1);
    loop.DrainPosted();
    EXPECT_EQ(mainWindow.received.size(), 1u);
}

TEST_F(InputModeSetTest, RealtimeHoldsThreeRefreshesAsynchronousNone) {
    link.realtimeMode = true;
    auto panel = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, CINPUTMODESETDlg::kModeSlider, 1));
    image.InputModeSetting[0] = 0;  // a stale report
    for (int i = 0; i < 3; ++i) {
        panel->SendMessage(0x9009);
        EXPECT_EQ(SwitchPosition(*panel), 1) << "refresh " << i;
    }
    EXPECT_EQ(panel->SendMessage(0x9009), 1);
    EXPECT_EQ(SwitchPosition(*panel), 0);

    link.realtimeMode = false;
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, CINPUTMODESETDlg::kModeSlider, 1));
    image.InputModeSetting[0] = 0;
    panel->SendMessage(0x9009);
    EXPECT_EQ(SwitchPosition(*panel), 0);
}

}  // namespace
}  // namespace tra1
