// SPEAKER SET / SUBWOOFER SET panel: the twelve selectors and their items, refresh from the
// image (with an open list left alone), the change message per selector and the hold that runs
// in either control mode.

#include "panels/speaker_set_dlg.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/receiver_image.h"
#include "platform/win/combo_box.h"
#include "platform/win/user_input.h"
#include "tests/panels/panel_test_support.h"

namespace tra1 {
namespace {

using SpeakerSetDlg = CSPEAKERSETDlg;

using test::Message;

using SpeakerSetPanelTest = test::PanelTest<SpeakerSetDlg>;

using Items = std::vector<std::string>;

TEST_F(SpeakerSetPanelTest, SelectorsCarryTheirItemsAndShowTheirOwnBytes) {
    auto& dlg = Open();
    EXPECT_EQ(dlg.GetWindowText(), "SPEAKER SET / SUBWOOFER SET");
    EXPECT_EQ(Combo(SpeakerSetDlg::kCenterCombo).Items(), (Items{"LARGE", "SMALL", "NONE"}));
    EXPECT_EQ(Combo(SpeakerSetDlg::kFrontCombo).Items(), (Items{"LARGE", "SMALL"}));
    EXPECT_EQ(Combo(SpeakerSetDlg::kSurroundCombo).Items(), (Items{"LARGE", "SMALL", "NONE"}));
    EXPECT_EQ(Combo(SpeakerSetDlg::kSurroundBackCombo).Items(),
              (Items{"LARGE x 2", "LARGE x 1", "SMALL x 2", "SMALL x 1", "NONE"}));
    EXPECT_EQ(Combo(SpeakerSetDlg::kPresenceCombo).Items(), (Items{"YES", "NONE"}));
    EXPECT_EQ(Combo(SpeakerSetDlg::kBassOutCombo).Items(), (Items{"SUBWOOFER", "FRONT", "BOTH"}));
    EXPECT_EQ(Combo(SpeakerSetDlg::kConfigCombo).Items(),
              (Items{"None", "Monaural", "Stereo", "Front & Rear"}));
    EXPECT_EQ(Combo(SpeakerSetDlg::kMainLevelCombo).Items(), (Items{"NORMAL", "-10dB"}));
    EXPECT_EQ(Combo(SpeakerSetDlg::kSpeakerBCombo).Items(), (Items{"ZONE 1", "ZONE B"}));
    EXPECT_EQ(
        Combo(SpeakerSetDlg::kCrossoverCombo).Items(),
        (Items{"40Hz", "60Hz", "80Hz(THX)", "90Hz", "100Hz", "110Hz", "120Hz", "160Hz", "200Hz"}));
    EXPECT_EQ(Combo(SpeakerSetDlg::kPresenceOrSurroundBackCombo).Items(),
              (Items{"Presence", "Surround Back"}));
    EXPECT_EQ(Combo(SpeakerSetDlg::kPhaseCombo).Items(),
              (Items{"Normal", "L Reverse", "R Reverse", "L&R Reverse"}));
    EXPECT_TRUE(Combo(SpeakerSetDlg::kPresenceCombo).IsEnabled());
    EXPECT_FALSE(Combo(SpeakerSetDlg::kPhaseCombo).IsEnabled());
    EXPECT_FALSE(Combo(SpeakerSetDlg::kMainLevelCombo).IsVisible());
    EXPECT_FALSE(Combo(SpeakerSetDlg::kPresenceOrSurroundBackCombo).IsVisible());

    // Start-up row: 0, 0, 0, 0, 0, 2, 0, 0, 0, 2, 1, 0.
    EXPECT_EQ(Sel(SpeakerSetDlg::kBassOutCombo), 2);
    EXPECT_EQ(Sel(SpeakerSetDlg::kCrossoverCombo), 2);
    EXPECT_EQ(Sel(SpeakerSetDlg::kPresenceOrSurroundBackCombo), 1);

    // The last item of each selector, so that a selector wired to another byte shows.
    for (const auto& selector : SpeakerSetDlg::Selectors()) {
        image_.SpeakerSetup.at(selector.byte) =
            static_cast<std::uint8_t>(static_cast<std::size_t>(selector.names.Count()) - 1);
    }
    SendRefresh();
    for (const auto& selector : SpeakerSetDlg::Selectors()) {
        if (selector.combo != SpeakerSetDlg::kMainLevelCombo) {  // nothing shows MAIN LEVEL
            EXPECT_EQ(Sel(selector.combo),
                      static_cast<int>(static_cast<std::size_t>(selector.names.Count())) - 1)
                << selector.combo;
        }
    }

    // A value without an item: no visible selection.
    image_.SpeakerSetup[0] = 5;
    image_.SpeakerSetup[9] = 255;
    SendRefresh();
    EXPECT_EQ(Sel(SpeakerSetDlg::kCenterCombo), win::CB_ERR);
    EXPECT_EQ(Sel(SpeakerSetDlg::kCrossoverCombo), win::CB_ERR);
}

TEST_F(SpeakerSetPanelTest, ChoiceStoresHoldsAndPostsTheSelectorsItemOnce) {
    auto& dlg = Open();

    ASSERT_TRUE(win::user::PickComboItem(dlg, SpeakerSetDlg::kSurroundBackCombo, 4));
    EXPECT_EQ(image_.SpeakerSetup[3], 4);
    EXPECT_EQ(dlg.HoldCounter(), 32);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA005, 3, 0}}));

    // The item already chosen: nothing.
    ASSERT_TRUE(win::user::PickComboItem(dlg, SpeakerSetDlg::kSurroundBackCombo, 4));
    EXPECT_TRUE(Posted().empty());

    ASSERT_TRUE(win::user::PickComboItem(dlg, SpeakerSetDlg::kCrossoverCombo, 8));
    EXPECT_EQ(image_.SpeakerSetup[9], 8);
    ASSERT_TRUE(win::user::PickComboItem(dlg, SpeakerSetDlg::kSpeakerBCombo, 1));
    EXPECT_EQ(image_.SpeakerSetup[8], 1);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA005, 9, 0}, {0xA005, 8, 0}}));

    // CONFIG and PHASE are one setting for the receiver: both announce item 6.
    ASSERT_TRUE(win::user::PickComboItem(dlg, SpeakerSetDlg::kConfigCombo, 3));
    EXPECT_EQ(image_.SpeakerSetup[6], 3);
    EXPECT_FALSE(win::user::PickComboItem(dlg, SpeakerSetDlg::kPhaseCombo, 2));  // disabled
    dlg.EnableDlgItem(SpeakerSetDlg::kPhaseCombo, true);
    ASSERT_TRUE(win::user::PickComboItem(dlg, SpeakerSetDlg::kPhaseCombo, 2));
    EXPECT_EQ(image_.SpeakerSetup[11], 2);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA005, 6, 0}, {0xA005, 6, 0}}));
}

TEST_F(SpeakerSetPanelTest, ThirtyTwoRefreshesAreSkippedInEitherModeUntilTheCounterIsCleared) {
    for (const bool realtime : {false, true}) {
        link_.realtimeMode = realtime;
        image_.SpeakerSetup[0] = 0;
        auto& dlg = Open();
        ASSERT_TRUE(win::user::PickComboItem(dlg, SpeakerSetDlg::kCenterCombo, 1));
        Posted();

        image_.SpeakerSetup[0] = 2;
        for (int i = 0; i < 32; ++i) {
            SendRefresh();
            ASSERT_EQ(Sel(SpeakerSetDlg::kCenterCombo), 1) << "refresh " << i + 1;
        }
        SendRefresh();
        EXPECT_EQ(Sel(SpeakerSetDlg::kCenterCombo), 2);

        ASSERT_TRUE(win::user::PickComboItem(dlg, SpeakerSetDlg::kCenterCombo, 0));
        image_.SpeakerSetup[0] = 1;
        dlg.ResetHoldCounter();
        SendRefresh();
        EXPECT_EQ(Sel(SpeakerSetDlg::kCenterCombo), 1);
        panel_.reset();
    }
}

TEST_F(SpeakerSetPanelTest, RefreshPassesOverTheSelectorWhoseListIsOpen) {
    auto& dlg = Open();
    ASSERT_TRUE(win::user::OpenComboList(dlg, SpeakerSetDlg::kCenterCombo));
    image_.SpeakerSetup[0] = 2;
    image_.SpeakerSetup[1] = 1;
    image_.SpeakerSetup[5] = 0;
    SendRefresh();
    EXPECT_EQ(Sel(SpeakerSetDlg::kCenterCombo), 0);
    EXPECT_EQ(Sel(SpeakerSetDlg::kFrontCombo), 1);
    EXPECT_EQ(Sel(SpeakerSetDlg::kBassOutCombo), 0);

    // The user picks from the open list what the image holds already: nothing to tell.
    ASSERT_TRUE(win::user::PickComboItem(dlg, SpeakerSetDlg::kCenterCombo, 2));
    EXPECT_TRUE(Posted().empty());
}

}  // namespace
}  // namespace tra1
