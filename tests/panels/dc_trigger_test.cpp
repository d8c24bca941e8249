// DC TRIGGER panel: the switch columns of both triggers and their lParam codes, the mode
// selectors, "Multi Ch Input", "All High" / "All Low" and the hold counter.

#include "panels/dc_trigger_dlg.h"

#include <gtest/gtest.h>

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

using DcTriggerDlg = CDCTRIGGERDlg;
using win::user::ReleaseSlider;

using test::Message;

constexpr int kDvr = 11;
constexpr int kVaux = 12;

int SwitchId(int side, int zone, int input) {
    return DcTriggerDlg::kSwitches.at(side).at(zone).at(input);
}

using DcTriggerTest = test::PanelTest<DcTriggerDlg>;

TEST_F(DcTriggerTest, RefreshPutsEachBlockByteOnItsSwitch) {
    auto& dlg = Open();
    EXPECT_EQ(dlg.GetWindowText(), "DC TRIGGER");
    EXPECT_EQ(Combo(1143).GetWindowText(), "ZONE1");  // start-up mode byte 1
    EXPECT_EQ(Combo(1144).GetCount(), 3);
    EXPECT_EQ(Pos(SwitchId(0, 0, 0)), 1);
    EXPECT_EQ(Pos(1178), 1);
    EXPECT_FALSE(dlg.GetDlgItem(1239)->IsVisible());  // Trigger 1, "ZONE 3", Phono

    image_.DcTrigger1.fill(0);
    image_.DcTrigger1[1 + 4] = 1;       // ZONE 1, MD/Tape
    image_.DcTrigger1[17 + kVaux] = 1;  // ZONE 2, VAUX
    image_.DcTrigger1[33 + 0] = 1;      // ZONE 3: not shown here
    image_.DcTrigger2[17 + kDvr] = 0;   // ZONE 2, DVR
    image_.DcTrigger2[49] = 0;
    image_.DcTrigger2[0] = 2;
    SendRefresh();
    EXPECT_EQ(Pos(1170), 1);
    EXPECT_EQ(Pos(1169), 0);
    EXPECT_EQ(Pos(1262), 1);
    EXPECT_EQ(Pos(1205), 0);
    EXPECT_EQ(Pos(1239), 0);  // the hidden "ZONE 3" switch does not follow byte 33
    EXPECT_EQ(Pos(1267), 0);
    EXPECT_EQ(Pos(1266), 1);
    EXPECT_EQ(Pos(1177), 0);
    EXPECT_EQ(Pos(1178), 0);
    EXPECT_EQ(Combo(1143).GetWindowText(), "ALL ZONE");
    EXPECT_EQ(Combo(1144).GetWindowText(), "ZONE2");

    // A mode without an item (zone 3) shows the first item; a switch byte beyond 1 parks at H.
    image_.DcTrigger1[0] = 3;
    image_.DcTrigger1[1] = 9;
    SendRefresh();
    EXPECT_EQ(Combo(1143).GetCurSel(), 0);
    EXPECT_EQ(Pos(1205), 1);
    EXPECT_EQ(image_.DcTrigger1[0], 3);
}

TEST_F(DcTriggerTest, SwitchesPostTheirSideAndInputCode) {
    auto& dlg = Open();
    ASSERT_TRUE(ReleaseSlider(dlg, SwitchId(1, 1, kDvr), 0));
    EXPECT_EQ(image_.DcTrigger2[17 + kDvr], 0);
    EXPECT_EQ(dlg.HoldCounter(), 120);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA105, 1, 0x8C}}));

    ASSERT_TRUE(ReleaseSlider(dlg, SwitchId(0, 0, 0), 0));
    ASSERT_TRUE(ReleaseSlider(dlg, SwitchId(0, 0, kVaux), 0));
    ASSERT_TRUE(ReleaseSlider(dlg, SwitchId(1, 0, 5), 0));
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA105, 0, 1}, {0xA105, 0, 13}, {0xA105, 1, 6}}));
    EXPECT_EQ(image_.DcTrigger1[1], 0);
    EXPECT_EQ(image_.DcTrigger1[13], 0);
    EXPECT_EQ(image_.DcTrigger2[6], 0);

    // "Multi Ch Input" to H.
    image_.DcTrigger1[49] = 0;
    dlg.ResetHoldCounter();
    SendRefresh();
    ASSERT_TRUE(ReleaseSlider(dlg, 1177, 1));
    EXPECT_EQ(image_.DcTrigger1[49], 1);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA105, 0, 0x801}}));

    // Where it already stands: nothing.
    ASSERT_TRUE(ReleaseSlider(dlg, 1177, 1));
    ASSERT_TRUE(ReleaseSlider(dlg, SwitchId(1, 1, kDvr), 0));
    EXPECT_TRUE(Posted().empty());
}

TEST_F(DcTriggerTest, ModeSelectorStoresByteZeroAndAnOpenListIsLeftAlone) {
    auto& dlg = Open();
    ASSERT_TRUE(win::user::PickComboItem(dlg, 1144, 0));
    EXPECT_EQ(image_.DcTrigger2[0], 0);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA105, 1, 0}}));
    ASSERT_TRUE(win::user::PickComboItem(dlg, 1144, 0));
    EXPECT_TRUE(Posted().empty());

    dlg.ResetHoldCounter();
    ASSERT_TRUE(win::user::OpenComboList(dlg, 1143));
    image_.DcTrigger1[0] = 2;
    image_.DcTrigger1[2] = 0;
    SendRefresh();
    EXPECT_EQ(Combo(1143).GetCurSel(), 1);
    EXPECT_EQ(Pos(SwitchId(0, 0, 1)), 0);
}

TEST_F(DcTriggerTest, AllLowAndAllHighSetOneSideAndAnnounceEachSwitchThatMoves) {
    image_.DcTrigger1[0] = 2;
    image_.DcTrigger1[1 + 4] = 0;  // MD/TAPE's ZONE 1 switch is low already
    auto& dlg = Open();
    const auto sleptBefore = clock_.SleptMs();
    ASSERT_TRUE(win::user::Click(dlg, 1146));  // Trigger 1 "All Low"
    EXPECT_EQ(clock_.SleptMs() - sleptBefore, 26 * 40);
    for (int input = 0; input < 13; ++input) {
        EXPECT_EQ(image_.DcTrigger1[1 + input], 0) << input;
        EXPECT_EQ(image_.DcTrigger1[17 + input], 0) << input;
        EXPECT_EQ(Pos(SwitchId(0, 0, input)), 0) << input;
        EXPECT_EQ(Pos(SwitchId(0, 1, input)), 0) << input;
    }
    EXPECT_EQ(image_.DcTrigger1[49], 0);
    EXPECT_EQ(Pos(1177), 0);
    // Entries without a switch, the zone 3 row, the mode and the other side keep their bytes.
    EXPECT_EQ(image_.DcTrigger1[14], 1);
    EXPECT_EQ(image_.DcTrigger1[33], 1);
    EXPECT_EQ(image_.DcTrigger1[0], 2);
    EXPECT_EQ(image_.DcTrigger2[1], 1);
    // Each switch that moved is announced as its own release would be, in the order they
    // moved; the one that was low already is not.
    std::vector<Message> expected;
    for (int input = 0; input < 13; ++input) {
        if (input != 4) {
            expected.push_back({0xA105, 0, static_cast<win::LParam>(input + 1)});
        }
        expected.push_back({0xA105, 0, static_cast<win::LParam>(0x80 + input + 1)});
    }
    expected.push_back({0xA105, 0, 0x800});
    EXPECT_EQ(Posted(), expected);
    EXPECT_EQ(dlg.HoldCounter(), 120);

    // The caches follow, so the next move to H is a change.
    ASSERT_TRUE(ReleaseSlider(dlg, SwitchId(0, 1, 3), 1));
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA105, 0, 0x84}}));

    // "All High" on a side that is all high already announces nothing.
    ASSERT_TRUE(win::user::Click(dlg, 1147));  // Trigger 2 "All High"
    EXPECT_TRUE(Posted().empty());
    ASSERT_TRUE(win::user::Click(dlg, 1145));  // Trigger 1 "All High"
    EXPECT_EQ(image_.DcTrigger1[1 + 7], 1);
    EXPECT_EQ(image_.DcTrigger1[49], 1);
    EXPECT_EQ(Posted().size(), 26u - 1u + 1u);  // all but the ZONE 2 switch moved just now
    ASSERT_TRUE(ReleaseSlider(dlg, SwitchId(0, 0, 7), 0));
    ASSERT_TRUE(ReleaseSlider(dlg, 1177, 0));
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA105, 0, 8}, {0xA105, 0, 0x800}}));
}

TEST_F(DcTriggerTest, RefreshesAreHeldOnlyInRealtimeMode) {
    link_.realtimeMode = true;
    auto& dlg = Open();
    ASSERT_TRUE(ReleaseSlider(dlg, SwitchId(0, 0, 2), 0));
    image_.DcTrigger1[3] = 1;
    for (int i = 0; i < 120; ++i) {
        SendRefresh();
        ASSERT_EQ(Pos(SwitchId(0, 0, 2)), 0) << "refresh " << i + 1;
    }
    SendRefresh();
    EXPECT_EQ(Pos(SwitchId(0, 0, 2)), 1);

    link_.realtimeMode = false;
    ASSERT_TRUE(ReleaseSlider(dlg, SwitchId(0, 0, 2), 0));
    image_.DcTrigger1[3] = 1;
    SendRefresh();
    EXPECT_EQ(Pos(SwitchId(0, 0, 2)), 1);
}

}  // namespace
}  // namespace tra1
