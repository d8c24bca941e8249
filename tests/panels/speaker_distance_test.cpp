// Speaker Distance panel: distances in metres and feet on inverted sliders, the unit selector
// and its reset of every distance, the "Default" button, the open unit list, and the hold that
// runs in either control mode.

#include "panels/speaker_distance_dlg.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
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

using SpeakerDistanceDlg = CSPEAKERDISTANCEDlg;

using test::Message;

constexpr SpeakerDistanceDlg::Speaker kFl = SpeakerDistanceDlg::kSpeakers[1];
constexpr SpeakerDistanceDlg::Speaker kSwr = SpeakerDistanceDlg::kSpeakers[10];

// The eleven change messages of a unit change, in the order they are posted.
std::vector<Message> AllEntriesAnnounced() {
    std::vector<Message> all;
    for (const int entry : {2, 3, 0, 4, 5, 6, 7, 8, 9, 10, 11}) {
        all.push_back({0xA012, static_cast<win::WParam>(entry), 0});
    }
    return all;
}

class SpeakerDistancePanelTest : public test::PanelTest<SpeakerDistanceDlg> {
protected:
    void SetMetres(std::int32_t first) {
        image_.SpeakerDistances[15] = SpeakerDistanceDlg::kMeters;
        for (int entry = 0; entry < 12; ++entry) {
            image_.SpeakerDistances[static_cast<std::size_t>(entry)] = first + 10 * entry;
        }
    }
    int Unit() const { return Sel(SpeakerDistanceDlg::kUnitCombo); }
};

TEST_F(SpeakerDistancePanelTest, RefreshShowsEachEntryInItsUnit) {
    auto& dlg = Open();
    EXPECT_EQ(dlg.GetWindowText(), "Speaker Distance");
    EXPECT_EQ(panel_->Get<win::ComboBox>(SpeakerDistanceDlg::kUnitCombo)->Items(),
              (std::vector<std::string>{"Meter", "Feet"}));
    // Start-up: 10.0 ft everywhere.
    EXPECT_EQ(Unit(), SpeakerDistanceDlg::kFeet);
    for (const auto& speaker : SpeakerDistanceDlg::kSpeakers) {
        EXPECT_EQ(Pos(speaker.slider), 2130) << speaker.label;
        EXPECT_EQ(Text(speaker.readout), "10") << speaker.label;
        EXPECT_EQ(dlg.GetDlgItem(speaker.readout)->TextColor(), win::kCyan);
    }

    SetMetres(245);  // entry e holds 245 + 10 e centimetres
    SendRefresh();
    EXPECT_EQ(Unit(), SpeakerDistanceDlg::kMeters);
    for (const auto& speaker : SpeakerDistanceDlg::kSpeakers) {
        EXPECT_EQ(Pos(speaker.slider), 2430 - (245 + 10 * speaker.entry)) << speaker.label;
    }
    EXPECT_EQ(Text(SpeakerDistanceDlg::kSpeakers[0].readout), "2.45");
    EXPECT_EQ(Text(kFl.readout), "2.65");
    EXPECT_EQ(Text(kSwr.readout), "3.55");

    image_.SpeakerDistances[15] = SpeakerDistanceDlg::kFeet;
    image_.SpeakerDistances[2] = 105;
    SendRefresh();
    EXPECT_EQ(Pos(kFl.slider), 2115);
    EXPECT_EQ(Text(kFl.readout), "10.5");
}

TEST_F(SpeakerDistancePanelTest, ValuesFromOutsideNeverOverflowOrSelectAMissingUnit) {
    image_.SpeakerDistances[2] = std::numeric_limits<std::int32_t>::max();
    image_.SpeakerDistances[3] = std::numeric_limits<std::int32_t>::min();
    auto& dlg = Open();
    EXPECT_EQ(Pos(kFl.slider), 30);
    EXPECT_EQ(Pos(SpeakerDistanceDlg::kSpeakers[2].slider), 2400);
    // A release at the clamped end is a change: the entry gets a real distance.
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, kFl.slider, 30));
    EXPECT_EQ(image_.SpeakerDistances[2], 800);

    // An unknown unit: no selection, sliders left where they were, metre read-outs.
    image_.SpeakerDistances[15] = 7;
    image_.SpeakerDistances[2] = 450;
    SendRefresh();  // still held by the release
    dlg.ResetHoldCounter();
    SendRefresh();
    EXPECT_EQ(Unit(), win::CB_ERR);
    EXPECT_EQ(Pos(kFl.slider), 30);
    EXPECT_EQ(Text(kFl.readout), "4.5");
    image_.SpeakerDistances[15] = -1;
    SendRefresh();
    EXPECT_EQ(Unit(), win::CB_ERR);
}

TEST_F(SpeakerDistancePanelTest, ReleaseStoresByTheUnitHoldsAndPostsTheEntryOnce) {
    auto& dlg = Open();  // feet

    ASSERT_TRUE(win::user::ReleaseSlider(dlg, kSwr.slider, 2399));
    EXPECT_EQ(image_.SpeakerDistances[11], 10);  // 31 / 3, remainder dropped
    EXPECT_EQ(Text(kSwr.readout), "1");
    EXPECT_EQ(dlg.HoldCounter(), 40);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA012, 11, 0}}));

    ASSERT_TRUE(win::user::ReleaseSlider(dlg, kSwr.slider, 30));
    EXPECT_EQ(image_.SpeakerDistances[11], 800);
    EXPECT_EQ(Text(kSwr.readout), "80");
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, kSwr.slider, 30));  // where it was
    EXPECT_EQ(Posted().size(), 1u);

    SetMetres(300);
    dlg.ResetHoldCounter();
    SendRefresh();
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, kFl.slider, 2000));
    EXPECT_EQ(image_.SpeakerDistances[2], 430);
    EXPECT_EQ(Text(kFl.readout), "4.3");
    EXPECT_EQ(image_.SpeakerDistances[1], 310);  // entry 1 has no slider and is never touched
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA012, 2, 0}}));

    // While the unit list is open a release changes nothing.
    ASSERT_TRUE(win::user::OpenComboList(dlg, SpeakerDistanceDlg::kUnitCombo));
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, kFl.slider, 1000));
    EXPECT_EQ(image_.SpeakerDistances[2], 430);
    EXPECT_TRUE(Posted().empty());
}

TEST_F(SpeakerDistancePanelTest, UnitChangeResetsEveryDistanceAndAnnouncesEachEntry) {
    SetMetres(300);
    auto& dlg = Open();

    // Picked from the open list, as a mouse does: the sliders follow all the same.
    ASSERT_TRUE(win::user::OpenComboList(dlg, SpeakerDistanceDlg::kUnitCombo));
    ASSERT_TRUE(
        win::user::PickComboItem(dlg, SpeakerDistanceDlg::kUnitCombo, SpeakerDistanceDlg::kFeet));
    EXPECT_EQ(image_.SpeakerDistances[15], SpeakerDistanceDlg::kFeet);
    for (const auto& speaker : SpeakerDistanceDlg::kSpeakers) {
        EXPECT_EQ(image_.SpeakerDistances[static_cast<std::size_t>(speaker.entry)], 100);
        EXPECT_EQ(Pos(speaker.slider), 2130) << speaker.label;
        EXPECT_EQ(Text(speaker.readout), "10") << speaker.label;
    }
    EXPECT_EQ(image_.SpeakerDistances[1], 310);
    EXPECT_EQ(dlg.HoldCounter(), 40);
    EXPECT_EQ(Posted(), AllEntriesAnnounced());

    // A release right after is compared with the new positions.
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, kFl.slider, 2130));
    EXPECT_TRUE(Posted().empty());

    // Choosing the unit that is already set keeps the distances.
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, kFl.slider, 2400));
    Posted();
    ASSERT_TRUE(
        win::user::PickComboItem(dlg, SpeakerDistanceDlg::kUnitCombo, SpeakerDistanceDlg::kFeet));
    EXPECT_EQ(image_.SpeakerDistances[2], 10);
    EXPECT_TRUE(Posted().empty());

    ASSERT_TRUE(
        win::user::PickComboItem(dlg, SpeakerDistanceDlg::kUnitCombo, SpeakerDistanceDlg::kMeters));
    EXPECT_EQ(image_.SpeakerDistances[2], 300);
    EXPECT_EQ(Pos(kFl.slider), 2130);
    EXPECT_EQ(Text(kFl.readout), "3");
    EXPECT_EQ(Posted(), AllEntriesAnnounced());
}

TEST_F(SpeakerDistancePanelTest, DefaultSetsTenFeetEverywhereAndAnnouncesIt) {
    SetMetres(500);
    auto& dlg = Open();
    ASSERT_TRUE(win::user::Click(dlg, SpeakerDistanceDlg::kDefaultButton));
    EXPECT_EQ(Unit(), SpeakerDistanceDlg::kFeet);
    EXPECT_EQ(image_.SpeakerDistances[15], SpeakerDistanceDlg::kFeet);
    EXPECT_EQ(image_.SpeakerDistances[11], 100);
    EXPECT_EQ(Pos(kSwr.slider), 2130);
    EXPECT_EQ(Text(kSwr.readout), "10");
    EXPECT_EQ(dlg.HoldCounter(), 40);
    EXPECT_EQ(Posted(), AllEntriesAnnounced());
}

TEST_F(SpeakerDistancePanelTest, FortyRefreshesAreSkippedInEitherModeUntilTheCounterIsCleared) {
    for (const bool realtime : {false, true}) {
        link_.realtimeMode = realtime;
        auto& dlg = Open();
        ASSERT_TRUE(win::user::ReleaseSlider(dlg, kFl.slider, 1230));  // 400
        Posted();

        image_.SpeakerDistances[2] = 200;
        for (int i = 0; i < 40; ++i) {
            SendRefresh();
            ASSERT_EQ(Pos(kFl.slider), 1230) << "refresh " << i + 1;
        }
        SendRefresh();
        EXPECT_EQ(Pos(kFl.slider), 1830);
        EXPECT_EQ(Text(kFl.readout), "20");

        // The main window clears the counter: the next refresh goes through.
        ASSERT_TRUE(win::user::ReleaseSlider(dlg, kFl.slider, 1230));
        image_.SpeakerDistances[2] = 150;
        dlg.ResetHoldCounter();
        SendRefresh();
        EXPECT_EQ(Pos(kFl.slider), 1980);
        panel_.reset();
    }
}

TEST_F(SpeakerDistancePanelTest, RefreshLeavesTheSlidersAloneWhileTheUnitListIsOpen) {
    auto& dlg = Open();
    ASSERT_TRUE(win::user::OpenComboList(dlg, SpeakerDistanceDlg::kUnitCombo));
    SetMetres(300);
    SendRefresh();
    EXPECT_EQ(Unit(), SpeakerDistanceDlg::kFeet);
    EXPECT_EQ(Pos(kFl.slider), 2130);

    ASSERT_TRUE(win::user::CloseComboList(dlg, SpeakerDistanceDlg::kUnitCombo));
    SendRefresh();
    EXPECT_EQ(Unit(), SpeakerDistanceDlg::kMeters);
    EXPECT_EQ(Pos(kFl.slider), 2110);
}

}  // namespace
}  // namespace tra1
