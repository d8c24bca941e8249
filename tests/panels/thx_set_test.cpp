// THX SET panel: refresh through the cache, the three user changes and their 0xA010 messages.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/receiver_image.h"
#include "panels/panel_list.h"
#include "panels/thx_set_dlg.h"
#include "platform/win/combo_box.h"
#include "platform/win/control.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "tests/panels/panel_test_support.h"

namespace tra1 {
namespace {

using ThxMessage = test::Message;
using test::ChangeCounter;

class ThxSetPanelTest : public test::PanelTest<CTHXSETDlg> {
protected:
    std::vector<ThxMessage> Delivered() { return Posted(); }
    int Sel() const { return PanelTest::Sel(CTHXSETDlg::kSbSpeakerDistance); }
};

TEST_F(ThxSetPanelTest, OpensShowingTheImageWithTheDistanceItems) {
    // The main window finds the panel under its refresh message.
    EXPECT_NE(FindSettingPanel(CTHXSETDlg::kDescriptor.refreshMessage), nullptr);
    image_.ThxSettings = {1, 0, 2};
    auto& dlg = Open();
    EXPECT_EQ(dlg.GetWindowText(), "THX SET");
    EXPECT_EQ(Pos(CTHXSETDlg::kUltra2Subwoofer), 1);
    EXPECT_EQ(Pos(CTHXSETDlg::kBoundaryGainComp), 0);
    EXPECT_EQ(dlg.Get<win::Slider>(CTHXSETDlg::kBoundaryGainComp)->GetRangeMax(), 1);
    const auto* combo = dlg.Get<win::ComboBox>(CTHXSETDlg::kSbSpeakerDistance);
    EXPECT_EQ(combo->Items(), (std::vector<std::string>{"under 1ft", "1 - 4ft", "over 4ft"}));
    EXPECT_EQ(Sel(), 2);
    EXPECT_TRUE(Delivered().empty());
}

TEST_F(ThxSetPanelTest, EachChangeStoresTheByteAndPostsItsNumberAndValueOnce) {
    auto& dlg = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, CTHXSETDlg::kBoundaryGainComp, 1));
    EXPECT_EQ(image_.ThxSettings[1], 1);
    EXPECT_EQ(Delivered(), (std::vector<ThxMessage>{{0xA010, 1, 1}}));
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, CTHXSETDlg::kBoundaryGainComp, 0));
    EXPECT_EQ(image_.ThxSettings[1], 0);
    EXPECT_EQ(Delivered(), (std::vector<ThxMessage>{{0xA010, 1, 0}}));

    ASSERT_TRUE(win::user::PickComboItem(dlg, CTHXSETDlg::kSbSpeakerDistance, 2));
    EXPECT_EQ(image_.ThxSettings[2], 2);
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, CTHXSETDlg::kUltra2Subwoofer, 1));
    EXPECT_EQ(image_.ThxSettings[0], 1);
    EXPECT_EQ(Delivered(), (std::vector<ThxMessage>{{0xA010, 2, 2}, {0xA010, 0, 1}}));
    // The panel never holds its refreshes back, even in realtime mode.
    EXPECT_EQ(dlg.HoldCounter(), 0);
    link_.realtimeMode = true;
    image_.ThxSettings[0] = 0;
    SendRefresh();
    EXPECT_EQ(Pos(CTHXSETDlg::kUltra2Subwoofer), 0);
}

TEST_F(ThxSetPanelTest, UnchangedValuesPostNothing) {
    auto& dlg = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, CTHXSETDlg::kUltra2Subwoofer, 0));
    ASSERT_TRUE(win::user::PickComboItem(dlg, CTHXSETDlg::kSbSpeakerDistance, 1));
    // Dragging past the end of a switch clamps to the position it has.
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, CTHXSETDlg::kBoundaryGainComp, -3));
    // The keyboard alone stores nothing.
    ASSERT_TRUE(win::user::KeyboardSlider(dlg, CTHXSETDlg::kUltra2Subwoofer, 1));
    EXPECT_TRUE(Delivered().empty());
    EXPECT_EQ(image_.ThxSettings, (ImageBytes<3>{0, 0, 1}));
}

TEST_F(ThxSetPanelTest, RefreshTouchesOnlyControlsWhoseByteChanged) {
    Open();
    ChangeCounter ultra2, boundary, distance;
    panel_->GetDlgItem(CTHXSETDlg::kUltra2Subwoofer)->SetObserver(&ultra2);
    panel_->GetDlgItem(CTHXSETDlg::kBoundaryGainComp)->SetObserver(&boundary);
    panel_->GetDlgItem(CTHXSETDlg::kSbSpeakerDistance)->SetObserver(&distance);

    SendRefresh();
    EXPECT_EQ(ultra2.changes + boundary.changes + distance.changes, 0);

    image_.ThxSettings[1] = 1;
    SendRefresh();
    EXPECT_EQ(Pos(CTHXSETDlg::kBoundaryGainComp), 1);
    EXPECT_GT(boundary.changes, 0);
    EXPECT_EQ(ultra2.changes + distance.changes, 0);
}

TEST_F(ThxSetPanelTest, OutOfRangeBytesAreShownClampedAndCanBeSetBack) {
    image_.ThxSettings = {7, 200, 3};
    auto& dlg = Open();
    EXPECT_EQ(Pos(CTHXSETDlg::kUltra2Subwoofer), 1);
    EXPECT_EQ(Pos(CTHXSETDlg::kBoundaryGainComp), 1);
    EXPECT_EQ(Sel(), win::CB_ERR);
    // The cache holds the image's value, so the position the thumb shows is a real change.
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, CTHXSETDlg::kUltra2Subwoofer, 1));
    ASSERT_TRUE(win::user::PickComboItem(dlg, CTHXSETDlg::kSbSpeakerDistance, 0));
    EXPECT_EQ(image_.ThxSettings, (ImageBytes<3>{1, 200, 0}));
    EXPECT_EQ(Delivered(), (std::vector<ThxMessage>{{0xA010, 0, 1}, {0xA010, 2, 0}}));
}

}  // namespace
}  // namespace tra1
