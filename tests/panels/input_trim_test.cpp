// INPUT TRIM: fourteen sliders over InputTrims with dB read-outs; each slider compares with its
// own cache entry; a change holds 20 refreshes in realtime mode only; the panel stays at its
// template position.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/receiver_image.h"
#include "panels/input_trim_dlg.h"
#include "panels/panel_list.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "tests/panels/panel_test_support.h"

namespace tra1 {
namespace {

using InputTrimDlg = CINPUTTRIMDlg;

class InputTrimTest : public test::PanelTest<InputTrimDlg> {
protected:
    using Posted = test::Message;

    std::unique_ptr<PanelDlg> Open() { return Create(); }
    std::vector<Posted> Received() { return PanelTest::Posted(); }
    static int Pos(PanelDlg& panel, std::size_t k) {
        return panel.Get<win::Slider>(InputTrimDlg::kSliders.at(k))->GetPos();
    }
    static std::string Readout(PanelDlg& panel, std::size_t k) {
        return panel.GetDlgItemText(InputTrimDlg::kReadouts.at(k));
    }
};

TEST_F(InputTrimTest, DefaultsStandInTheMiddleReadingZeroAtTheTemplatePosition) {
    auto panel = Open();
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->GetWindowText(), "INPUT TRIM");
    EXPECT_NE(FindSettingPanel(InputTrimDlg::kDescriptor.refreshMessage), nullptr);
    EXPECT_EQ(panel->GetPlacement(), win::Placement::kTemplate);
    for (std::size_t k = 0; k < InputTrimDlg::kTrimCount; ++k) {
        const auto* slider = panel->Get<win::Slider>(InputTrimDlg::kSliders.at(k));
        ASSERT_NE(slider, nullptr) << k;
        EXPECT_EQ(slider->GetRangeMin(), 0);
        EXPECT_EQ(slider->GetRangeMax(), 24);
        EXPECT_EQ(slider->GetPos(), 12);
        EXPECT_EQ(Readout(*panel, k), "0") << k;
        const auto* readout = panel->GetDlgItem(InputTrimDlg::kReadouts.at(k));
        ASSERT_NE(readout, nullptr);
        EXPECT_EQ(readout->TextColor(), win::kCyan);
        EXPECT_EQ(readout->BackgroundColor(), win::kBlack);
    }
}

TEST_F(InputTrimTest, RefreshShowsTheImageInHalfDecibels) {
    auto panel = Open();
    image_.InputTrims[0] = 0;
    image_.InputTrims[6] = 13;
    image_.InputTrims[13] = 24;
    image_.InputTrims[14] = 0;  // not shown
    panel->SendMessage(0x9016);
    EXPECT_EQ(Pos(*panel, 0), 0);
    EXPECT_EQ(Readout(*panel, 0), "-6");
    EXPECT_EQ(Readout(*panel, 6), "0.5");
    EXPECT_EQ(Pos(*panel, 13), 24);
    EXPECT_EQ(Readout(*panel, 13), "6");
}

TEST_F(InputTrimTest, ReleaseStoresPostsOnceAndComparesWithItsOwnEntry) {
    auto panel = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, InputTrimDlg::kSliders[1], 24));  // "CD"
    EXPECT_EQ(image_.InputTrims[1], 24);
    EXPECT_EQ(Readout(*panel, 1), "6");
    EXPECT_EQ(panel->HoldCounter(), 20);
    EXPECT_EQ(Received(), (std::vector<Posted>{{0xA013, 1, 0}}));

    ASSERT_TRUE(win::user::ReleaseSlider(*panel, InputTrimDlg::kSliders[1], 24));
    EXPECT_TRUE(Received().empty());

    // "Phono" at 14, "CD" at 12: moving "CD" to 14 is a change of "CD".
    image_.InputTrims[0] = 14;
    image_.InputTrims[1] = 12;
    panel->ResetHoldCounter();
    panel->SendMessage(0x9016);
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, InputTrimDlg::kSliders[1], 14));
    EXPECT_EQ(image_.InputTrims[1], 14);
    EXPECT_EQ(Received(), (std::vector<Posted>{{0xA013, 1, 0}}));
}

TEST_F(InputTrimTest, OutOfRangeTrimStandsAtTheEndAndAReleaseThereRepairsIt) {
    image_.InputTrims[12] = 200;
    auto panel = Open();
    EXPECT_EQ(Pos(*panel, 12), 24);
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, InputTrimDlg::kSliders[12], 24));
    EXPECT_EQ(image_.InputTrims[12], 24);
    EXPECT_EQ(Received(), (std::vector<Posted>{{0xA013, 12, 0}}));
}

TEST_F(InputTrimTest, RealtimeHoldsTwentyRefreshesAsynchronousNone) {
    link_.realtimeMode = true;
    auto panel = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, InputTrimDlg::kSliders[5], 20));
    image_.InputTrims[5] = 12;  // a report that still carries the old trim
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(panel->SendMessage(0x9016), 1);
        EXPECT_EQ(Pos(*panel, 5), 20) << "refresh " << i;
    }
    panel->SendMessage(0x9016);
    EXPECT_EQ(Pos(*panel, 5), 12);
    EXPECT_EQ(Readout(*panel, 5), "0");

    link_.realtimeMode = false;
    ASSERT_TRUE(win::user::ReleaseSlider(*panel, InputTrimDlg::kSliders[5], 20));
    image_.InputTrims[5] = 12;
    panel->SendMessage(0x9016);
    EXPECT_EQ(Pos(*panel, 5), 12);
}

}  // namespace
}  // namespace tra1
