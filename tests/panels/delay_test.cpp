// DELAY panel: the inverted delay slider and its read-out, the change message, the hold counter
// in both control modes and the "Default" button.

#include "panels/delay_dlg.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "link/link_state.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "platform/win/event_loop.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "platform/win/virtual_clock.h"
#include "platform/win/window.h"

namespace tra1 {
namespace {

using Dlg = CDELAYDlg;

struct Message {
    win::Msg msg;
    win::WParam w;
    win::LParam l;
    friend bool operator==(const Message&, const Message&) = default;
};

// Stands in for the main window: writes down every change message it receives.
class MainWindowStub final : public win::Window {
public:
    using Window::Window;
    std::vector<Message> received;

protected:
    win::LResult OnMessage(win::Msg msg, win::WParam w, win::LParam l) override {
        received.push_back({msg, w, l});
        return 0;
    }
};

class DelayPanelTest : public ::testing::Test {
protected:
    DelayPanelTest() {
        image.ResetToDefaults(profile);
        main.CreateHidden();
    }

    Dlg& Open() {
        panel = CreatePanel<Dlg>(PanelContext{loop, image, profile, link, main.Handle()}, [] {});
        panel->Show();
        return static_cast<Dlg&>(*panel);
    }
    std::vector<Message> Posted() {
        loop.DrainPosted();
        return std::exchange(main.received, {});
    }
    void SendRefresh() {
        loop.Post(panel->Handle(), Dlg::kSpec.refreshMessage);
        loop.DrainPosted();
    }
    int Pos() const { return panel->Get<win::Slider>(Dlg::kDelaySlider)->GetPos(); }
    std::string Readout() const { return panel->GetDlgItemText(Dlg::kDelayReadout); }

    win::VirtualClock clock;
    win::EventLoop loop{clock};
    ReceiverImage image;
    ModelProfile profile;
    LinkState link;
    MainWindowStub main{loop};
    std::unique_ptr<PanelDlg> panel;
};

TEST_F(DelayPanelTest, RefreshPutsLongerDelaysHigherAndClampsBeyondTheTop) {
    auto& dlg = Open();
    EXPECT_EQ(dlg.GetWindowText(), "DELAY");
    EXPECT_EQ(Pos(), 200);  // start-up delay 0 at the bottom
    EXPECT_EQ(Readout(), "0");
    EXPECT_EQ(dlg.GetDlgItem(Dlg::kDelayReadout)->TextColor(), win::kCyan);
    EXPECT_EQ(dlg.GetDlgItem(Dlg::kDelayReadout)->BackgroundColor(), win::kBlack);

    image.AudioDelay[0] = 200;
    SendRefresh();
    EXPECT_EQ(Pos(), 0);
    EXPECT_EQ(Readout(), "200");

    image.AudioDelay[0] = 37;
    SendRefresh();
    EXPECT_EQ(Pos(), 163);
    EXPECT_EQ(Readout(), "37");

    // Beyond the range: the thumb stays at the top and the read-out shows what it shows; a
    // release there is no change.
    image.AudioDelay[0] = 250;
    SendRefresh();
    EXPECT_EQ(Pos(), 0);
    EXPECT_EQ(Readout(), "200");
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, Dlg::kDelaySlider, 0));
    EXPECT_EQ(image.AudioDelay[0], 250);
    EXPECT_TRUE(Posted().empty());
}

TEST_F(DelayPanelTest, ReleaseStoresHoldsAndPostsOnceAndOnlyOnAChange) {
    image.AudioDelay = {10, 4, 6};
    auto& dlg = Open();

    ASSERT_TRUE(win::user::ReleaseSlider(dlg, Dlg::kDelaySlider, 150));
    EXPECT_EQ(image.AudioDelay[0], 50);
    EXPECT_EQ(image.AudioDelay[1], 4);  // the hidden delays are left alone
    EXPECT_EQ(image.AudioDelay[2], 6);
    EXPECT_EQ(dlg.HoldCounter(), 8);
    EXPECT_EQ(Readout(), "50");
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA007, 0, 0}}));

    // Picked up and let go where it was.
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, Dlg::kDelaySlider, 150));
    EXPECT_TRUE(Posted().empty());
}

TEST_F(DelayPanelTest, RealtimeHoldsEightRefreshesAsynchronousNone) {
    link.realtimeMode = true;
    auto& dlg = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, Dlg::kDelaySlider, 80));  // 120 ms
    Posted();

    image.AudioDelay[0] = 30;  // the receiver still reports another value
    for (int i = 0; i < 8; ++i) {
        SendRefresh();
        EXPECT_EQ(Pos(), 80) << "refresh " << i + 1;
    }
    EXPECT_EQ(dlg.HoldCounter(), 0);
    SendRefresh();
    EXPECT_EQ(Pos(), 170);
    EXPECT_EQ(Readout(), "30");

    link.realtimeMode = false;
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, Dlg::kDelaySlider, 80));
    image.AudioDelay[0] = 30;
    SendRefresh();
    EXPECT_EQ(Pos(), 170);
}

TEST_F(DelayPanelTest, DefaultRestoresZeroMillisecondsLikeARelease) {
    image.AudioDelay[0] = 120;
    auto& dlg = Open();

    ASSERT_TRUE(win::user::Click(dlg, Dlg::kDefaultButton));
    EXPECT_EQ(Pos(), 200);
    EXPECT_EQ(image.AudioDelay[0], 0);
    EXPECT_EQ(Readout(), "0");
    EXPECT_EQ(dlg.HoldCounter(), 8);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA007, 0, 0}}));

    // Already at the default: nothing to tell.
    ASSERT_TRUE(win::user::Click(dlg, Dlg::kDefaultButton));
    EXPECT_TRUE(Posted().empty());
}

}  // namespace
}  // namespace tra1
