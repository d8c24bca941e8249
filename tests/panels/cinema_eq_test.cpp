// CINEMA EQ panel: the four records and their controls, read-outs, the synchronous 0xA108, the
// switches' enabling, the refresh around an open frequency list.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/receiver_image.h"
#include "panels/cinema_eq_dlg.h"
#include "panels/panel_list.h"
#include "platform/win/combo_box.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "tests/panels/panel_test_support.h"

namespace tra1 {
namespace {

using CinemaEqDlg = CCINEMAEQDlg;

using CinemaMessage = test::Message;

class CinemaEqPanelTest : public test::PanelTest<CinemaEqDlg> {
protected:
    // What reached the main window, without running the loop: the panel sends, never posts.
    std::vector<CinemaMessage> Handled() {
        EXPECT_EQ(loop_.PostedCount(), 0u);
        return main_.Take();
    }
};

const CinemaEqDlg::Group& FrontCenter() {
    return CinemaEqDlg::kGroups[0];
}
const CinemaEqDlg::Group& Surround() {
    return CinemaEqDlg::kGroups[1];
}
const CinemaEqDlg::Group& SurroundBack() {
    return CinemaEqDlg::kGroups[2];
}
const CinemaEqDlg::Group& Presence() {
    return CinemaEqDlg::kGroups[3];
}

TEST_F(CinemaEqPanelTest, OpensWithTheStartUpDefaults) {
    // The main window finds the panel under its refresh message.
    EXPECT_NE(FindSettingPanel(CinemaEqDlg::kDescriptor.refreshMessage), nullptr);
    auto& d = Open();
    EXPECT_EQ(d.GetWindowText(), "CINEMA EQ");
    const auto& fc = FrontCenter();
    EXPECT_EQ(Pos(fc.onOff), 0);
    EXPECT_EQ(d.Get<win::ComboBox>(fc.highFrequency)->GetWindowText(), "12.7kHz");
    EXPECT_EQ(Pos(fc.highGain), 15);
    EXPECT_EQ(Text(fc.highReadout), "-1.5");
    EXPECT_EQ(d.Get<win::ComboBox>(fc.peqFrequency)->GetWindowText(), "8.0kHz");
    EXPECT_EQ(Text(fc.peqReadout), "-2");
    for (const auto& group : {Surround(), SurroundBack(), Presence()}) {
        EXPECT_EQ(Text(group.highReadout), "0");
        EXPECT_EQ(Text(group.peqReadout), "-1.5");
        EXPECT_EQ(d.Get<win::Slider>(group.onOff)->GetRangeMax(), 1);
        EXPECT_EQ(d.Get<win::Slider>(group.peqGain)->GetRangeMax(), 24);
        EXPECT_EQ(d.GetDlgItem(group.peqReadout)->TextColor(), win::kCyan);
        EXPECT_EQ(d.GetDlgItem(group.highReadout)->BackgroundColor(), win::kBlack);
    }
    const auto& items = d.Get<win::ComboBox>(Presence().highFrequency)->Items();
    // The frequency names of the model's one list, as the report prints them; 16 is "Through".
    ASSERT_EQ(items.size(), 17u);
    EXPECT_EQ(items.front(), "1.0kHz");
    EXPECT_EQ(items[3], "2.0kHz");
    EXPECT_EQ(items[13], "10.1kHz");
    EXPECT_EQ(items[16], "Through");
    EXPECT_TRUE(Handled().empty());
}

TEST_F(CinemaEqPanelTest, GainChangeIsStoredBeforeTheMainWindowHandlesIt) {
    auto& d = Open();
    int seen = -1;
    main_.onMessage = [&] { seen = image_.EqSettings[141]; };
    ASSERT_TRUE(win::user::ReleaseSlider(d, Presence().peqGain, 24));
    // Handled inside the gesture: nothing waits in the queue.
    EXPECT_EQ(Handled(), (std::vector<CinemaMessage>{{0xA108, 1, 0}}));
    EXPECT_EQ(seen, 24);
    EXPECT_EQ(image_.EqSettings[141], 24);
    EXPECT_EQ(Text(Presence().peqReadout), "3");
    EXPECT_EQ(d.HoldCounter(), 0);
}

TEST_F(CinemaEqPanelTest, EachControlWritesItsOwnRecordByte) {
    auto& d = Open();
    ASSERT_TRUE(win::user::PickComboItem(d, SurroundBack().highFrequency, 2));
    ASSERT_TRUE(win::user::PickComboItem(d, FrontCenter().peqFrequency, 0));
    ASSERT_TRUE(win::user::ReleaseSlider(d, Surround().highGain, 0));
    ASSERT_TRUE(win::user::ReleaseSlider(d, Presence().onOff, 1));
    EXPECT_EQ(image_.EqSettings[148], 2);
    EXPECT_EQ(image_.EqSettings[135], 0);
    EXPECT_EQ(image_.EqSettings[144], 0);
    EXPECT_EQ(Text(Surround().highReadout), "-9");
    EXPECT_EQ(image_.EqSettings[137], 1);
    EXPECT_EQ(Handled(), (std::vector<CinemaMessage>{
                             {0xA108, 3, 0}, {0xA108, 0, 0}, {0xA108, 2, 0}, {0xA108, 1, 0}}));
}

TEST_F(CinemaEqPanelTest, UnchangedValuesSendNothing) {
    auto& d = Open();
    ASSERT_TRUE(win::user::ReleaseSlider(d, FrontCenter().peqGain, 14));
    ASSERT_TRUE(win::user::ReleaseSlider(d, FrontCenter().onOff, 0));
    ASSERT_TRUE(win::user::PickComboItem(d, Surround().peqFrequency, 11));
    ASSERT_TRUE(win::user::KeyboardSlider(d, Surround().highGain, 24));
    EXPECT_TRUE(Handled().empty());
    EXPECT_EQ(image_.EqSettings[144], 18);
}

TEST_F(CinemaEqPanelTest, SwitchDisablesAndEnablesItsGroupsBands) {
    auto& d = Open();
    const auto& s = Surround();
    const std::vector<int> bands{s.peqFrequency, s.highFrequency, s.peqGain, s.highGain};
    ASSERT_TRUE(win::user::ReleaseSlider(d, s.onOff, 1));
    for (const int id : bands) {
        EXPECT_TRUE(Enabled(id)) << id;
    }
    ASSERT_TRUE(win::user::ReleaseSlider(d, s.onOff, 0));
    EXPECT_EQ(image_.EqSettings[142], 0);
    for (const int id : bands) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
    EXPECT_TRUE(Enabled(SurroundBack().peqGain));
    // A refresh leaves the enabling as the user's switch made it.
    image_.EqSettings[142] = 1;
    SendRefresh();
    EXPECT_EQ(Pos(s.onOff), 1);
    EXPECT_FALSE(Enabled(s.peqGain));
    ASSERT_TRUE(win::user::ReleaseSlider(d, s.onOff, 0));
    ASSERT_TRUE(win::user::ReleaseSlider(d, s.onOff, 1));
    for (const int id : bands) {
        EXPECT_TRUE(Enabled(id)) << id;
    }
    EXPECT_EQ(Handled(), std::vector<CinemaMessage>(4, CinemaMessage{0xA108, 2, 0}));
}

TEST_F(CinemaEqPanelTest, RefreshLeavesAnOpenFrequencyListAlone) {
    auto& d = Open();
    const auto& p = Presence();
    ASSERT_TRUE(win::user::OpenComboList(d, p.peqFrequency));
    image_.EqSettings[140] = 3;   // Presence PEQ frequency
    image_.EqSettings[138] = 4;   // Presence HIGH frequency
    image_.EqSettings[141] = 20;  // Presence PEQ gain
    SendRefresh();
    EXPECT_EQ(Sel(p.peqFrequency), 11);
    EXPECT_EQ(Sel(p.highFrequency), 4);
    EXPECT_EQ(Pos(p.peqGain), 20);
    EXPECT_EQ(Text(p.peqReadout), "1");
    // Picking the item the image now holds is still a change for this panel: its combo never
    // showed it.
    ASSERT_TRUE(win::user::PickComboItem(d, p.peqFrequency, 3));
    EXPECT_EQ(Handled(), (std::vector<CinemaMessage>{{0xA108, 1, 0}}));
}

TEST_F(CinemaEqPanelTest, MovingBackToAValueARefreshReplacedSendsItAgain) {
    link_.realtimeMode = true;
    auto& d = Open();
    const auto& fc = FrontCenter();
    ASSERT_TRUE(win::user::ReleaseSlider(d, fc.highGain, 20));
    image_.EqSettings[134] = 15;  // the receiver's report still had the old gain
    SendRefresh();                // never held, even in realtime mode
    EXPECT_EQ(Pos(fc.highGain), 15);
    ASSERT_TRUE(win::user::ReleaseSlider(d, fc.highGain, 20));
    EXPECT_EQ(image_.EqSettings[134], 20);
    EXPECT_EQ(Handled(), (std::vector<CinemaMessage>{{0xA108, 0, 0}, {0xA108, 0, 0}}));
}

TEST_F(CinemaEqPanelTest, OutOfRangeBytesShowClampedAndWithoutSelection) {
    image_.EqSettings[132] = 9;   // on/off
    image_.EqSettings[133] = 17;  // HIGH frequency beyond the items
    image_.EqSettings[134] = 99;  // HIGH gain
    auto& d = Open();
    const auto& fc = FrontCenter();
    EXPECT_EQ(Pos(fc.onOff), 1);
    EXPECT_EQ(Sel(fc.highFrequency), win::CB_ERR);
    EXPECT_EQ(Pos(fc.highGain), 24);
    EXPECT_EQ(Text(fc.highReadout), "3");
    ASSERT_TRUE(win::user::ReleaseSlider(d, fc.highGain, 24));
    EXPECT_EQ(image_.EqSettings[134], 24);
    EXPECT_EQ(Handled(), (std::vector<CinemaMessage>{{0xA108, 0, 0}}));
}

}  // namespace
}  // namespace tra1
