// SPEAKER LEVEL panel: eleven inverted level sliders with their dB boxes, the change message per
// channel, the hold counter in both control modes and the FLAT button.

#include "panels/speaker_level_dlg.h"

#include <gtest/gtest.h>

#include <array>
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

using SpeakerLevelDlg = CSPEAKERLEVELDlg;

using test::Message;

constexpr int kSwSlider = SpeakerLevelDlg::kChannels[speaker_levels::kSW].slider;
constexpr int kSwBox = SpeakerLevelDlg::kChannels[speaker_levels::kSW].box;

using SpeakerLevelPanelTest = test::PanelTest<SpeakerLevelDlg>;

TEST_F(SpeakerLevelPanelTest, EachChannelShowsItsOwnByteInvertedWithItsLevelInDb) {
    auto& dlg = Open();
    EXPECT_EQ(dlg.GetWindowText(), "SPEAKER LEVEL");
    EXPECT_EQ(dlg.GetDlgItem(kSwBox)->TextColor(), win::kCyan);
    EXPECT_TRUE(
        dlg.GetDlgItem(SpeakerLevelDlg::kChannels[speaker_levels::kPRL].slider)->IsEnabled());
    for (const auto& channel : SpeakerLevelDlg::kChannels) {
        EXPECT_EQ(Pos(channel.slider), 40) << channel.label;
        EXPECT_EQ(Text(channel.box), "0") << channel.label;
    }

    // A different level per byte, so that a crossed slider or box shows.
    for (std::size_t i = 0; i < SpeakerLevelDlg::kChannelCount; ++i) {
        image_.SpeakerLevels[i] = static_cast<std::uint8_t>(21 + 3 * i);
    }
    SendRefresh();
    const std::array<const char*, SpeakerLevelDlg::kChannelCount> db{
        "-9.5", "-8", "-6.5", "-5", "-3.5", "-2", "-0.5", "1", "2.5", "4", "5.5"};
    for (std::size_t i = 0; i < SpeakerLevelDlg::kChannelCount; ++i) {
        EXPECT_EQ(Pos(SpeakerLevelDlg::kChannels[i].slider), 80 - (21 + 3 * static_cast<int>(i)))
            << SpeakerLevelDlg::kChannels[i].label;
        EXPECT_EQ(Text(SpeakerLevelDlg::kChannels[i].box), db[i])
            << SpeakerLevelDlg::kChannels[i].label;
    }

    // Out of range: the thumb parks at the nearer end.
    image_.SpeakerLevels[speaker_levels::kSW] = 255;
    image_.SpeakerLevels[speaker_levels::kCT] = 3;
    SendRefresh();
    EXPECT_EQ(Pos(kSwSlider), 20);
    EXPECT_EQ(Pos(SpeakerLevelDlg::kChannels[speaker_levels::kCT].slider), 60);
}

TEST_F(SpeakerLevelPanelTest, ReleaseStoresTheLevelHoldsAndPostsItsPositionOnce) {
    auto& dlg = Open();

    ASSERT_TRUE(win::user::ReleaseSlider(dlg, kSwSlider, 20));  // the top
    EXPECT_EQ(image_.SpeakerLevels[speaker_levels::kSW], 60);
    EXPECT_EQ(Text(kSwBox), "10");
    EXPECT_EQ(dlg.HoldCounter(), 25);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA001, 9, 0}}));

    ASSERT_TRUE(win::user::ReleaseSlider(dlg, kSwSlider, 60));  // the bottom
    EXPECT_EQ(image_.SpeakerLevels[speaker_levels::kSW], 20);
    EXPECT_EQ(Text(kSwBox), "-10");
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, kSwSlider, 41));  // one step below the middle
    EXPECT_EQ(image_.SpeakerLevels[speaker_levels::kSW], 39);
    EXPECT_EQ(Text(kSwBox), "-0.5");
    EXPECT_EQ(Posted().size(), 2u);

    // Let go where it was picked up: nothing.
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, kSwSlider, 41));
    EXPECT_TRUE(Posted().empty());

    // Another channel posts its own block position; the others stay as they were.
    const int flSlider = SpeakerLevelDlg::kChannels[speaker_levels::kFL].slider;
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, flSlider, 35));
    EXPECT_EQ(image_.SpeakerLevels[speaker_levels::kFL], 45);
    EXPECT_EQ(Text(SpeakerLevelDlg::kChannels[speaker_levels::kFL].box), "2.5");
    EXPECT_EQ(image_.SpeakerLevels[speaker_levels::kFR], 40);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA001, 1, 0}}));
}

TEST_F(SpeakerLevelPanelTest, RealtimeHoldsTwentyFiveRefreshesAsynchronousNone) {
    link_.realtimeMode = true;
    auto& dlg = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, kSwSlider, 30));  // level 50, +5 dB
    Posted();

    image_.SpeakerLevels[speaker_levels::kSW] = 44;  // a report still carrying another value
    for (int i = 0; i < 25; ++i) {
        SendRefresh();
        ASSERT_EQ(Pos(kSwSlider), 30) << "refresh " << i + 1;
        ASSERT_EQ(Text(kSwBox), "5");
    }
    SendRefresh();
    EXPECT_EQ(Pos(kSwSlider), 36);
    EXPECT_EQ(Text(kSwBox), "2");

    link_.realtimeMode = false;
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, kSwSlider, 30));
    image_.SpeakerLevels[speaker_levels::kSW] = 44;
    SendRefresh();
    EXPECT_EQ(Pos(kSwSlider), 36);
}

TEST_F(SpeakerLevelPanelTest, FlatStoresZeroDbInEveryChannelAndPostsTheChangedOnes) {
    image_.SpeakerLevels[speaker_levels::kFR] = 50;
    image_.SpeakerLevels[speaker_levels::kSW] = 22;
    image_.SpeakerLevels[speaker_levels::kSW2] = 58;
    image_.SpeakerLevels[speaker_levels::kSecondSet] = 30;
    auto& dlg = Open();

    ASSERT_TRUE(win::user::Click(dlg, SpeakerLevelDlg::kFlatButton));
    for (std::size_t i = 0; i < SpeakerLevelDlg::kChannelCount; ++i) {
        EXPECT_EQ(image_.SpeakerLevels[i], 40) << SpeakerLevelDlg::kChannels[i].label;
        EXPECT_EQ(Pos(SpeakerLevelDlg::kChannels[i].slider), 40)
            << SpeakerLevelDlg::kChannels[i].label;
        EXPECT_EQ(Text(SpeakerLevelDlg::kChannels[i].box), "0")
            << SpeakerLevelDlg::kChannels[i].label;
    }
    EXPECT_EQ(image_.SpeakerLevels[speaker_levels::kSecondSet], 30);
    EXPECT_EQ(dlg.HoldCounter(), 25);
    // In screen order: FR stands left of SW, SW left of SW2.
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA001, 0, 0}, {0xA001, 9, 0}, {0xA001, 10, 0}}));

    ASSERT_TRUE(win::user::Click(dlg, SpeakerLevelDlg::kFlatButton));
    EXPECT_TRUE(Posted().empty());
}

}  // namespace
}  // namespace tra1
