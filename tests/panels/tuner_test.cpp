// TUNER panel: preset addressing by page and row, the two lists, the band switch and the
// frequency selector with its step order, the change message, odd bytes from the image and the
// hold counter.

#include "panels/tuner_dlg.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/receiver_image.h"
#include "platform/win/combo_box.h"
#include "platform/win/list_box.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "tests/panels/panel_test_support.h"

namespace tra1 {
namespace {

using TunerDlg = CTUNERDlg;
using win::user::PickComboItem;
using win::user::SelectListRow;

using test::Message;

class TunerTest : public test::PanelTest<TunerDlg> {
protected:
    int Band() const { return Pos(TunerDlg::kBandSwitch); }
};

TEST_F(TunerTest, OpensOnTheCurrentStationWithTheFmSelector) {
    auto& dlg = Open();
    EXPECT_EQ(dlg.GetWindowText(), "TUNER");
    EXPECT_EQ(Combo(TunerDlg::kPageCombo).GetWindowText(), "Current");
    EXPECT_EQ(List(TunerDlg::kPresetList).Items(), (std::vector<std::string>{"Current"}));
    EXPECT_EQ(List(TunerDlg::kFrequencyList).Items(), (std::vector<std::string>{"FM : 87.5 MHz"}));
    EXPECT_EQ(List(TunerDlg::kFrequencyList).GetCurSel(), 0);
    EXPECT_EQ(Band(), 1);
    const auto& selector = Combo(TunerDlg::kFrequencyCombo);
    ASSERT_EQ(selector.GetCount(), 103);
    EXPECT_EQ(selector.GetLBText(0), "107.9 MHz");
    EXPECT_EQ(selector.GetLBText(1), "107.7 MHz");
    EXPECT_EQ(selector.GetLBText(102), "87.5 MHz");
    EXPECT_EQ(selector.GetCurSel(), 102);
    EXPECT_EQ(dlg.GetDlgItem(TunerDlg::kFrequencyList)->TextColor(), win::kCyan);
    EXPECT_EQ(dlg.GetDlgItem(TunerDlg::kFrequencyList)->BackgroundColor(), win::kBlack);
}

TEST_F(TunerTest, PresetAddressingAndTheChangeMessage) {
    EXPECT_EQ(TunerDlg::EntryFor(0, 0), 0);
    EXPECT_EQ(TunerDlg::EntryFor(1, 0), 1);
    EXPECT_EQ(TunerDlg::EntryFor(3, 2), 19);
    EXPECT_EQ(TunerDlg::EntryFor(5, 7), 40);
    EXPECT_EQ(TunerDlg::EntryFor(0, 1), -1);
    EXPECT_EQ(TunerDlg::EntryFor(6, 0), -1);
    EXPECT_EQ(TunerDlg::EntryFor(1, 8), -1);
    EXPECT_EQ(TunerDlg::EntryFor(-1, 0), -1);

    auto& dlg = Open();
    ASSERT_TRUE(PickComboItem(dlg, TunerDlg::kPageCombo, 3));  // "Page C"
    EXPECT_EQ(List(TunerDlg::kPresetList).GetCount(), 8);
    EXPECT_EQ(List(TunerDlg::kPresetList).GetText(2), "Preset 3");
    ASSERT_TRUE(SelectListRow(dlg, TunerDlg::kPresetList, 2));
    EXPECT_EQ(List(TunerDlg::kFrequencyList).GetCurSel(), 2);
    EXPECT_TRUE(Posted().empty());

    ASSERT_TRUE(PickComboItem(dlg, TunerDlg::kFrequencyCombo, 0));
    EXPECT_EQ(image_.TunerBand(19), 1);
    EXPECT_EQ(image_.TunerStep(19), 0);
    EXPECT_EQ(List(TunerDlg::kFrequencyList).GetText(2), "FM : 107.9 MHz");
    EXPECT_EQ(List(TunerDlg::kFrequencyList).GetCurSel(), 2);
    EXPECT_EQ(dlg.HoldCounter(), 80);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA104, 3, 3}}));

    // The current station: one line in each list, lParam 1.
    ASSERT_TRUE(PickComboItem(dlg, TunerDlg::kPageCombo, 0));
    EXPECT_EQ(List(TunerDlg::kPresetList).GetCount(), 1);
    EXPECT_EQ(List(TunerDlg::kFrequencyList).GetCount(), 1);
    ASSERT_TRUE(PickComboItem(dlg, TunerDlg::kFrequencyCombo, 10));
    EXPECT_EQ(image_.TunerStep(0), 10);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA104, 0, 1}}));
}

TEST_F(TunerTest, BandSwitchAndTheEndsOfEachBand) {
    auto& dlg = Open();
    ASSERT_TRUE(PickComboItem(dlg, TunerDlg::kPageCombo, 1));
    ASSERT_TRUE(SelectListRow(dlg, TunerDlg::kFrequencyList, 4));  // selects the preset row too
    EXPECT_EQ(List(TunerDlg::kPresetList).GetCurSel(), 4);

    ASSERT_TRUE(win::user::ReleaseSlider(dlg, TunerDlg::kBandSwitch, 0));  // to AM
    EXPECT_EQ(image_.TunerBand(5), 0);
    EXPECT_EQ(image_.TunerStep(5), 118);
    EXPECT_EQ(List(TunerDlg::kFrequencyList).GetText(4), "AM : 530 kHz");
    const auto& selector = Combo(TunerDlg::kFrequencyCombo);
    ASSERT_EQ(selector.GetCount(), 119);
    EXPECT_EQ(selector.GetLBText(0), "1710 kHz");
    EXPECT_EQ(selector.GetLBText(118), "530 kHz");
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA104, 1, 5}}));

    ASSERT_TRUE(PickComboItem(dlg, TunerDlg::kFrequencyCombo, 0));
    EXPECT_EQ(image_.TunerStep(5), 0);
    EXPECT_EQ(List(TunerDlg::kFrequencyList).GetText(4), "AM : 1710 kHz");
    // Releasing the switch at the band it shows stores nothing.
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, TunerDlg::kBandSwitch, 0));
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA104, 1, 5}}));

    ASSERT_TRUE(win::user::ReleaseSlider(dlg, TunerDlg::kBandSwitch, 1));  // back to FM
    EXPECT_EQ(image_.TunerBand(5), 1);
    EXPECT_EQ(image_.TunerStep(5), 102);
    EXPECT_EQ(List(TunerDlg::kFrequencyList).GetText(4), "FM : 87.5 MHz");
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA104, 1, 5}}));
}

TEST_F(TunerTest, PagesAToEKeepThePresetRowAndShowTheirOwnFrequencies) {
    image_.SetTunerPreset(8 * 2 - 7 + 5, 0, 100);  // Page B, Preset 6: AM 710 kHz
    auto& dlg = Open();
    ASSERT_TRUE(PickComboItem(dlg, TunerDlg::kPageCombo, 1));
    ASSERT_TRUE(SelectListRow(dlg, TunerDlg::kPresetList, 5));
    EXPECT_EQ(Band(), 1);

    ASSERT_TRUE(PickComboItem(dlg, TunerDlg::kPageCombo, 2));
    EXPECT_EQ(List(TunerDlg::kPresetList).GetCurSel(), 5);
    EXPECT_EQ(List(TunerDlg::kFrequencyList).GetCurSel(), 5);
    EXPECT_EQ(List(TunerDlg::kFrequencyList).GetText(5), "AM : 710 kHz");
    EXPECT_EQ(Band(), 0);
    EXPECT_EQ(Combo(TunerDlg::kFrequencyCombo).GetCurSel(), 100);
    EXPECT_TRUE(Posted().empty());

    // From a page to the current station and back starts again at the first row.
    ASSERT_TRUE(PickComboItem(dlg, TunerDlg::kPageCombo, 0));
    ASSERT_TRUE(PickComboItem(dlg, TunerDlg::kPageCombo, 5));
    EXPECT_EQ(List(TunerDlg::kPresetList).GetCurSel(), 0);
    EXPECT_EQ(List(TunerDlg::kFrequencyList).GetCount(), 8);
}

TEST_F(TunerTest, RefreshShowsReportedPresetsAndOddBytesStayHarmless) {
    auto& dlg = Open();
    ASSERT_TRUE(PickComboItem(dlg, TunerDlg::kPageCombo, 1));
    ASSERT_TRUE(SelectListRow(dlg, TunerDlg::kPresetList, 3));
    image_.SetTunerPreset(4, 1, 200);  // a step beyond the FM items: held at the band's end
    image_.SetTunerPreset(2, 7, 0);    // an unknown band byte reads as FM
    SendRefresh();
    EXPECT_EQ(List(TunerDlg::kFrequencyList).GetText(3), "FM : 87.5 MHz");
    EXPECT_EQ(List(TunerDlg::kFrequencyList).GetText(1), "FM : 107.9 MHz");
    EXPECT_EQ(List(TunerDlg::kFrequencyList).GetCurSel(), 3);
    EXPECT_EQ(Combo(TunerDlg::kFrequencyCombo).GetCurSel(), win::CB_ERR);

    ASSERT_TRUE(SelectListRow(dlg, TunerDlg::kPresetList, 1));
    EXPECT_EQ(Band(), 1);
    EXPECT_EQ(Combo(TunerDlg::kFrequencyCombo).GetCurSel(), 0);
    ASSERT_TRUE(win::user::ReleaseSlider(dlg, TunerDlg::kBandSwitch, 1));
    EXPECT_TRUE(Posted().empty());
    EXPECT_EQ(image_.TunerBand(2), 7);

    // An open frequency list keeps the user's item.
    ASSERT_TRUE(win::user::OpenComboList(dlg, TunerDlg::kFrequencyCombo));
    image_.SetTunerPreset(2, 1, 50);
    SendRefresh();
    EXPECT_EQ(Combo(TunerDlg::kFrequencyCombo).GetCurSel(), 0);
    EXPECT_EQ(List(TunerDlg::kFrequencyList).GetText(1), "FM : 97.9 MHz");
}

TEST_F(TunerTest, RefreshesAreHeldOnlyInRealtimeMode) {
    link_.realtimeMode = true;
    auto& dlg = Open();
    ASSERT_TRUE(PickComboItem(dlg, TunerDlg::kFrequencyCombo, 1));
    image_.SetTunerPreset(0, 1, 2);
    for (int i = 0; i < 80; ++i) {
        SendRefresh();
        ASSERT_EQ(List(TunerDlg::kFrequencyList).GetText(0), "FM : 107.7 MHz")
            << "refresh " << i + 1;
    }
    SendRefresh();
    EXPECT_EQ(List(TunerDlg::kFrequencyList).GetText(0), "FM : 107.5 MHz");

    link_.realtimeMode = false;
    ASSERT_TRUE(PickComboItem(dlg, TunerDlg::kFrequencyCombo, 1));
    image_.SetTunerPreset(0, 0, 0);
    SendRefresh();
    EXPECT_EQ(List(TunerDlg::kFrequencyList).GetText(0), "AM : 1710 kHz");
}

}  // namespace
}  // namespace tra1
