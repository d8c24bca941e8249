// The buttons that change several values at once, against the virtual receiver in realtime
// mode: each value they change reaches the receiver, and the receiver's next reports leave the
// panel showing what the button set. Also: a rename shows in the main window's input lists at
// once.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app/panel_table.h"
#include "panels/dc_trigger_dlg.h"
#include "panels/display_set_dlg.h"
#include "panels/eq_control_dlg.h"
#include "panels/input_rename_dlg.h"
#include "panels/lfe_level_drange_dlg.h"
#include "platform/win/combo_box.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace id = main_window;

class PanelButtonsEndToEndTest : public EditorFixture {
protected:
    PanelButtonsEndToEndTest() { portSwitch_.Wire(2, receiver_); }

    // Connected in realtime mode once the realtime poll has brought the receiver's settings in.
    void StartRealtime() {
        Start();
        ConnectTo(2);
        ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuRealtime));
        Advance(kSettle);
    }
    template <typename Dlg>
    Dlg& Open() {
        const std::size_t index = PanelTable::IndexForRefresh(Dlg::kDescriptor.refreshMessage);
        Main().Panels().Show(index);
        loop_.DrainPosted();
        return *dynamic_cast<Dlg*>(Main().Panels().Window(index));
    }
    int Pos(const win::Dialog& panel, int slider) {
        return panel.Get<win::Slider>(slider)->GetPos();
    }

    // Long enough for the queue to send every announced value and for the realtime poll and the
    // status requests to bring several rounds of reports back.
    static constexpr std::int64_t kSettle = 20'000;

    sim::VirtualReceiver receiver_;
};

TEST_F(PanelButtonsEndToEndTest, GraphicEqFlatReachesTheReceiverAndStays) {
    receiver_.Image().EqSettings.at(eq_layout::kFrontL * 13 + 6) = 20;
    receiver_.Image().EqSettings.at(eq_layout::kCenter * 13 + 0) = 3;
    StartRealtime();
    ASSERT_EQ(EditorImage().EqSettings.at(eq_layout::kFrontL * 13 + 6), 20);
    auto& eq = Open<CEQCONTROLDlg>();
    ASSERT_TRUE(win::user::Click(eq, CEQCONTROLDlg::kFlatButton));
    Advance(kSettle);
    EXPECT_EQ(receiver_.Image().EqSettings.at(eq_layout::kFrontL * 13 + 6), 12);
    EXPECT_EQ(receiver_.Image().EqSettings.at(eq_layout::kCenter * 13 + 0), 12);
    EXPECT_EQ(EditorImage().EqSettings.at(eq_layout::kCenter * 13 + 0), 12);
    EXPECT_EQ(Pos(eq, CEQCONTROLDlg::kBands.at(0).slider), 15);  // channel "Center", 0 dB
}

TEST_F(PanelButtonsEndToEndTest, DcTriggerAllLowAndAllHighReachTheReceiverAndStay) {
    StartRealtime();
    auto& dc = Open<CDCTRIGGERDlg>();
    ASSERT_TRUE(win::user::Click(dc, CDCTRIGGERDlg::kAllLowButton.at(1)));
    Advance(kSettle);
    for (int input = 0; input < CDCTRIGGERDlg::kInputCount; ++input) {
        const auto i = static_cast<std::size_t>(input);
        EXPECT_EQ(receiver_.Image().DcTrigger2.at(dc_trigger::kZone1Row + i), 0) << input;
        EXPECT_EQ(receiver_.Image().DcTrigger2.at(dc_trigger::kZone2Row + i), 0) << input;
        EXPECT_EQ(Pos(dc, CDCTRIGGERDlg::kSwitches.at(1).at(0).at(i)), 0) << input;
    }
    EXPECT_EQ(receiver_.Image().DcTrigger2.at(dc_trigger::kMultiChannel), 0);
    EXPECT_EQ(Pos(dc, CDCTRIGGERDlg::kMultiSwitch.at(1)), 0);
    // The other side is untouched.
    EXPECT_EQ(receiver_.Image().DcTrigger1.at(dc_trigger::kZone1Row), 1);

    // "All High" puts them back on, and that stays too.
    ASSERT_TRUE(win::user::Click(dc, CDCTRIGGERDlg::kAllHighButton.at(1)));
    Advance(kSettle);
    for (int input = 0; input < CDCTRIGGERDlg::kInputCount; ++input) {
        const auto i = static_cast<std::size_t>(input);
        EXPECT_EQ(receiver_.Image().DcTrigger2.at(dc_trigger::kZone1Row + i), 1) << input;
        EXPECT_EQ(receiver_.Image().DcTrigger2.at(dc_trigger::kZone2Row + i), 1) << input;
        EXPECT_EQ(EditorImage().DcTrigger2.at(dc_trigger::kZone2Row + i), 1) << input;
        EXPECT_EQ(Pos(dc, CDCTRIGGERDlg::kSwitches.at(1).at(1).at(i)), 1) << input;
    }
    EXPECT_EQ(receiver_.Image().DcTrigger2.at(dc_trigger::kMultiChannel), 1);
    EXPECT_EQ(Pos(dc, CDCTRIGGERDlg::kMultiSwitch.at(1)), 1);
}

TEST_F(PanelButtonsEndToEndTest, LfeAndDrangeDefaultsReachTheReceiverAndStay) {
    receiver_.Image().LfeDrange = {10, 20, 2, 1};
    StartRealtime();
    ASSERT_EQ(EditorImage().LfeDrange, (ImageBytes<4>{10, 20, 2, 1}));
    auto& lfe = Open<CLFELEVELDRANGEDlg>();
    ASSERT_TRUE(win::user::Click(lfe, CLFELEVELDRANGEDlg::kLfeDefaultButton));
    ASSERT_TRUE(win::user::Click(lfe, CLFELEVELDRANGEDlg::kDrangeDefaultButton));
    Advance(kSettle);
    EXPECT_EQ(receiver_.Image().LfeDrange, (ImageBytes<4>{40, 40, 0, 0}));
    EXPECT_EQ(EditorImage().LfeDrange, (ImageBytes<4>{40, 40, 0, 0}));
    EXPECT_EQ(Pos(lfe, CLFELEVELDRANGEDlg::kLfeSpeakerSlider), 0);
    EXPECT_EQ(Pos(lfe, CLFELEVELDRANGEDlg::kDrangeHeadphoneSlider), 0);
}

TEST_F(PanelButtonsEndToEndTest, DisplaySetDefaultReachesTheReceiverAndStays) {
    receiver_.Image().DisplaySettings.at(display_layout::kDimmer) = 1;
    receiver_.Image().DisplaySettings.at(display_layout::kOsdShiftH) = 9;
    StartRealtime();
    ASSERT_EQ(EditorImage().DisplaySettings.at(display_layout::kDimmer), 1);
    auto& display = Open<CDISPLAYSETDlg>();
    ASSERT_TRUE(win::user::Click(display, CDISPLAYSETDlg::kDefaultButton));
    Advance(kSettle);
    EXPECT_EQ(receiver_.Image().DisplaySettings.at(display_layout::kDimmer), 4);
    EXPECT_EQ(receiver_.Image().DisplaySettings.at(display_layout::kOsdShiftH), 5);
    EXPECT_EQ(Pos(display, CDISPLAYSETDlg::kDimmerSlider), 4);
    EXPECT_EQ(Pos(display, CDISPLAYSETDlg::kHPosSlider), 5);
    EXPECT_EQ(display.GetDlgItemText(CDISPLAYSETDlg::kDimmerReadout), "0");
}

TEST_F(PanelButtonsEndToEndTest, ARenameShowsInTheMainWindowsInputListsAtOnce) {
    Start();
    auto& rename = Open<CINPUTRENAMEDlg>();
    ASSERT_TRUE(win::user::SelectListRow(rename, CINPUTRENAMEDlg::kNewNameList, 5));
    ASSERT_TRUE(win::user::TypeText(rename, CINPUTRENAMEDlg::kNameBox, "BluRay"));
    ASSERT_TRUE(win::user::PressEnter(rename));
    loop_.DrainPosted();
    auto* main = Main().Get<win::ComboBox>(id::kMainInputCombo);
    auto* zone2 = Main().Get<win::ComboBox>(id::kZone2InputCombo);
    EXPECT_EQ(main->GetLBText(5), "BluRay");
    EXPECT_EQ(zone2->GetLBText(5), "BluRay");
    // The selections stay (DVD, input 5, is the main input: it now reads by its new name).
    EXPECT_EQ(main->GetCurSel(), 5);
    EXPECT_EQ(main->GetWindowText(), "BluRay");
    EXPECT_EQ(zone2->GetCurSel(), 4);
}

}  // namespace
}  // namespace tra1::testing
