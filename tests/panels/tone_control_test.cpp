// Tone Control panel: inverted level sliders and their dB read-outs, frequency combos, the FLAT
// buttons, refresh through the cache and the 0xA107 messages.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/receiver_image.h"
#include "panels/panel_list.h"
#include "panels/tone_control_dlg.h"
#include "platform/win/combo_box.h"
#include "platform/win/control.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "tests/panels/panel_test_support.h"

namespace tra1 {
namespace {

using ToneControlDlg = CTONECONTROLDlg;

// Control ids by band, in the order of ToneControlDlg::kBands.
constexpr int kSpeakerBassSlider = 1242;
constexpr int kSpeakerTrebleSlider = 1243;
constexpr int kHeadphoneBassCombo = 1245;
constexpr int kHeadphoneTrebleSlider = 1249;

using ToneMessage = test::Message;
using ToneChangeCounter = test::ChangeCounter;

class ToneControlPanelTest : public test::PanelTest<ToneControlDlg> {
protected:
    std::vector<ToneMessage> Delivered() { return Posted(); }
    std::vector<std::string> Readouts() const {
        std::vector<std::string> out;
        for (const auto& band : ToneControlDlg::kBands) {
            out.push_back(Text(band.readout));
        }
        return out;
    }
};

TEST_F(ToneControlPanelTest, OpensShowingLevelsFrequenciesAndCyanReadouts) {
    // The main window finds the panel under its refresh message.
    EXPECT_NE(FindSettingPanel(ToneControlDlg::kDescriptor.refreshMessage), nullptr);
    image_.ToneSettings = {0, 24, 2, 7, 1, 12, 0, 0};
    auto& dlg = Open();
    EXPECT_EQ(dlg.GetWindowText(), "Tone Control");
    EXPECT_EQ(dlg.Get<win::ComboBox>(1238)->Items(),
              (std::vector<std::string>{"125Hz", "350Hz", "500Hz"}));
    EXPECT_EQ(dlg.Get<win::ComboBox>(1247)->Items(),
              (std::vector<std::string>{"2.5kHz", "3.5kHz", "8.0kHz"}));
    EXPECT_EQ(Sel(1238), 0);
    EXPECT_EQ(Sel(1239), 2);
    EXPECT_EQ(Sel(1245), 1);
    EXPECT_EQ(Pos(kSpeakerBassSlider), 3);
    EXPECT_EQ(Pos(kSpeakerTrebleSlider), 20);
    EXPECT_EQ(Pos(1248), 15);
    EXPECT_EQ(Pos(kHeadphoneTrebleSlider), 27);
    EXPECT_EQ(Readouts(), (std::vector<std::string>{"6", "-2.5", "0", "-6"}));
    for (const auto& band : ToneControlDlg::kBands) {
        EXPECT_EQ(dlg.GetDlgItem(band.readout)->TextColor(), win::kCyan);
        EXPECT_EQ(dlg.GetDlgItem(band.readout)->BackgroundColor(), win::kBlack);
        EXPECT_EQ(dlg.Get<win::Slider>(band.slider)->GetRangeMin(), 3);
        EXPECT_EQ(dlg.Get<win::Slider>(band.slider)->GetRangeMax(), 27);
    }
    EXPECT_TRUE(Delivered().empty());
}

TEST_F(ToneControlPanelTest, SliderEndsStoreTheLevelShowTheDecibelsAndPostTheBand) {
    auto& dlg = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, kSpeakerBassSlider, 3));
    EXPECT_EQ(image_.ToneSettings[1], 24);
    EXPECT_EQ(Text(1240), "6");
    EXPECT_EQ(Delivered(), (std::vector<ToneMessage>{{0xA107, 0, 0}}));

    ASSERT_TRUE(win::user::ReleaseSlider(dlg, kSpeakerBassSlider, 27));
    EXPECT_EQ(image_.ToneSettings[1], 0);
    EXPECT_EQ(Text(1240), "-6");
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, kHeadphoneTrebleSlider, 14));
    EXPECT_EQ(image_.ToneSettings[7], 13);
    EXPECT_EQ(Text(1246), "0.5");
    EXPECT_EQ(Delivered(), (std::vector<ToneMessage>{{0xA107, 0, 0}, {0xA107, 1, 1}}));
    // Never held, even in realtime mode.
    EXPECT_EQ(dlg.HoldCounter(), 0);
    link_.realtimeMode = true;
    image_.ToneSettings[1] = 12;
    SendRefresh();
    EXPECT_EQ(Pos(kSpeakerBassSlider), 15);
}

TEST_F(ToneControlPanelTest, FrequencyChoiceStoresTheSelectorAndPostsTheBand) {
    auto& dlg = Open();
    ASSERT_TRUE(win::user::PickComboItem(dlg, kHeadphoneBassCombo, 2));
    EXPECT_EQ(image_.ToneSettings[4], 2);
    EXPECT_EQ(Delivered(), (std::vector<ToneMessage>{{0xA107, 1, 0}}));
}

TEST_F(ToneControlPanelTest, UnchangedValuesPostNothing) {
    auto& dlg = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, kSpeakerBassSlider, 15));
    ASSERT_TRUE(win::user::PickComboItem(dlg, kHeadphoneBassCombo, 1));
    ASSERT_TRUE(win::user::KeyboardSlider(dlg, kSpeakerTrebleSlider, 3));
    EXPECT_TRUE(Delivered().empty());
    EXPECT_EQ(image_.ToneSettings[3], 12);
}

TEST_F(ToneControlPanelTest, FlatSetsItsGroupAndAlwaysPostsBothBands) {
    auto& dlg = Open();
    // Already flat: both messages all the same.
    ASSERT_TRUE(win::user::Click(dlg, ToneControlDlg::kSpeakerFlat));
    EXPECT_EQ(Delivered(), (std::vector<ToneMessage>{{0xA107, 0, 0}, {0xA107, 0, 1}}));

    image_.ToneSettings = {0, 3, 2, 20, 0, 0, 2, 24};
    SendRefresh();
    ASSERT_TRUE(win::user::Click(dlg, ToneControlDlg::kHeadphoneFlat));
    EXPECT_EQ(image_.ToneSettings, (ImageBytes<8>{0, 3, 2, 20, 1, 12, 1, 12}));
    EXPECT_EQ(Sel(1245), 1);
    EXPECT_EQ(Sel(1247), 1);
    EXPECT_EQ(Pos(1248), 15);
    EXPECT_EQ(Readouts(), (std::vector<std::string>{"-4.5", "4", "0", "0"}));
    EXPECT_EQ(Delivered(), (std::vector<ToneMessage>{{0xA107, 1, 0}, {0xA107, 1, 1}}));
    // The controls follow the flat values, so moving back to them again is a change.
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, 1248, 15));
    EXPECT_TRUE(Delivered().empty());
}

TEST_F(ToneControlPanelTest, RefreshMovesOnlyTheControlWhoseValueChanged) {
    Open();
    std::vector<ToneChangeCounter> counters(8);
    for (std::size_t i = 0; i < ToneControlDlg::kBands.size(); ++i) {
        panel_->GetDlgItem(ToneControlDlg::kBands[i].combo)->SetObserver(&counters[2 * i]);
        panel_->GetDlgItem(ToneControlDlg::kBands[i].slider)->SetObserver(&counters[2 * i + 1]);
    }
    image_.ToneSettings[3] = 20;  // speaker treble level
    SendRefresh();
    EXPECT_EQ(Pos(kSpeakerTrebleSlider), 7);
    EXPECT_EQ(Text(1241), "4");
    for (std::size_t i = 0; i < counters.size(); ++i) {
        EXPECT_EQ(counters[i].changes > 0, i == 3) << "control " << i;
    }
}

TEST_F(ToneControlPanelTest, OutOfRangeBytesAreShownClampedWithoutSelection) {
    image_.ToneSettings = {9, 200, 1, 12, 1, 12, 1, 12};
    auto& dlg = Open();
    EXPECT_EQ(Sel(1238), win::CB_ERR);
    EXPECT_EQ(Pos(kSpeakerBassSlider), 3);
    EXPECT_EQ(Text(1240), "6");
    // The thumb stands at the end but the value is not the image's: releasing there stores it.
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, kSpeakerBassSlider, 3));
    EXPECT_EQ(image_.ToneSettings[1], 24);
    EXPECT_EQ(Delivered(), (std::vector<ToneMessage>{{0xA107, 0, 0}}));
}

}  // namespace
}  // namespace tra1
