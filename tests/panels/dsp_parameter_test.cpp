// DSP PARAMETER: which rows a program lists for each source type and what its values read;
// stepping with UP and DOWN (one step at the press, then repeating on timer 5), the program
// change with its messages, "Default", and values or indices out of range.

#include "panels/dsp_parameter_dlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/dsp_parameter_sets.h"
#include "model/receiver_image.h"
#include "panels/input_dsp_program_dlg.h"
#include "platform/win/combo_box.h"
#include "platform/win/list_box.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "tests/panels/panel_test_support.h"

namespace tra1 {
namespace {

using DspParameterDlg = CDSPPARAMETERDlg;
using Rows = std::vector<std::string>;

using test::Message;

constexpr int kSpectacle = 28;  // a program of the set with every surround alternative
constexpr int kStandard = 32;

class DspParameterTest : public test::PanelTest<DspParameterDlg> {
protected:
    // Opens the panel with the main input (DVD) playing `program`.
    DspParameterDlg& Open(int program = 29) {
        image.InputProgramMap[5] = static_cast<std::uint8_t>(program);
        return PanelTest::Open();
    }
    Rows Names() const { return List(DspParameterDlg::kParameterList).items(); }
    Rows Values() const { return List(DspParameterDlg::kValueList).items(); }
    void PickSourceType(int type) {
        ASSERT_TRUE(win::user::SelectListRow(*panel, DspParameterDlg::kSourceTypeList, type));
    }
    void SelectRow(int row) {
        ASSERT_TRUE(win::user::SelectListRow(*panel, DspParameterDlg::kValueList, row));
    }
    int Slot(int row) const { return static_cast<const DspParameterDlg&>(*panel).RowSlotAt(row); }
};

TEST_F(DspParameterTest, OpensOnTheMainInputsProgramWithItsRowsAndValues) {
    image.MainZoneState[main_zone::kDspParameterPage] = 0;
    Open(0);  // "Munich A"
    const auto* combo = panel->Get<win::ComboBox>(DspParameterDlg::kProgramCombo);
    ASSERT_EQ(combo->GetCount(), 38);
    EXPECT_EQ(combo->GetCurSel(), 0);
    EXPECT_EQ(List(DspParameterDlg::kSourceTypeList).items(),
              (Rows{"Dual Field (2ch)", "Tri Field (5.1ch)", "Quad Field (EX/ES)"}));
    EXPECT_EQ(List(DspParameterDlg::kSourceTypeList).GetCurSel(), 0);
    EXPECT_EQ(Names(), (Rows{"(P.)Init. Delay", "(P.)Room Size", "(P.)Liveness", "DSP.Level"}));
    EXPECT_EQ(Values(), (Rows{"30", "1.0", "5", "0"}));
    EXPECT_EQ(panel->Get<win::Slider>(DspParameterDlg::kDialogLiftSlider)->GetPos(), 0);
    EXPECT_FALSE(panel->Get<win::Slider>(DspParameterDlg::kDialogLiftSlider)->IsVisible());
    EXPECT_EQ(List(DspParameterDlg::kValueList).TextColor(), win::kCyan);
    EXPECT_EQ(List(DspParameterDlg::kValueList).BackgroundColor(), win::kBlack);

    // Dialog lift on: its row appears, for every source type alike.
    image.MainZoneState[main_zone::kDspParameterPage] = 1;
    panel->SendMessage(DspParameterDlg::kDescriptor.refreshMessage);
    const Rows munich{"(P.)Init. Delay", "(P.)Room Size", "(P.)Liveness", "DSP.Level",
                      "Dialog Lift"};
    for (int type = 0; type < 3; ++type) {
        PickSourceType(type);
        EXPECT_EQ(Names(), munich) << "source type " << type;
    }
    EXPECT_TRUE(Posted().empty());  // a source type is panel state only
}

TEST_F(DspParameterTest, SurroundRowsFollowTheSourceType) {
    Open(kSpectacle);
    // Dual field: S.Init. Delay shows slot 32, no surround-back rows.
    EXPECT_EQ(Names(), (Rows{"(P.)Init. Delay", "(P.)Room Size", "S.Init. Delay", "S.Room Size",
                             "DSP.Level", "Decode Type", "Dialog Lift"}));
    EXPECT_EQ(Slot(2), 32);
    EXPECT_EQ(Slot(3), 35);
    EXPECT_EQ(Values().at(2), "23");

    PickSourceType(source_type::kQuadField);
    EXPECT_EQ(Names(),
              (Rows{"(P.)Init. Delay", "(P.)Room Size", "S. Delay", "S.Init. Delay", "S.Room Size",
                    "SB.Init.Delay", "SB.Room Size", "DSP.Level", "Decode Type", "Dialog Lift"}));
    EXPECT_EQ(Slot(2), 30);
    EXPECT_EQ(Slot(3), 34);
    EXPECT_EQ(Slot(4), 37);
    EXPECT_EQ(Values().at(3), "15");
    EXPECT_EQ(Values().at(4), "1.0");

    // "Standard" shows its decoder as parameter 41, never as 27.
    ASSERT_TRUE(win::user::PickComboItem(*panel, DspParameterDlg::kProgramCombo, kStandard));
    PickSourceType(source_type::kDualField);
    EXPECT_EQ(Names(), (Rows{"Panorama", "Dimention", "CT.Width", "C.Image", "Decode Type"}));
    EXPECT_EQ(Slot(4), 41);
    EXPECT_EQ(Values(), (Rows{"OFF", "STD", "0", "0.0", "Pro Logic"}));
}

TEST_F(DspParameterTest, UpAndDownStepWithinTheRangeAndPostEachStoredValueOnce) {
    Open(0);
    SelectRow(1);  // (P.)Room Size, slot 1, 1..20
    EXPECT_EQ(List(DspParameterDlg::kParameterList).GetCurSel(), 1);
    ASSERT_TRUE(win::user::MousePress(*panel, DspParameterDlg::kUpButton));
    ASSERT_TRUE(win::user::MouseRelease(*panel, DspParameterDlg::kUpButton));
    ASSERT_TRUE(
        win::user::Click(*panel, DspParameterDlg::kUpButton));  // the click itself does nothing
    EXPECT_EQ(image.DspParameter(0, 1), 11);
    EXPECT_EQ(Values().at(1), "1.1");
    EXPECT_EQ(List(DspParameterDlg::kValueList).GetCurSel(), 1);
    EXPECT_EQ(panel->HoldCounter(), 0);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA106, 0, 1}}));

    image.SetDspParameter(0, 1, 20);
    panel->SendMessage(DspParameterDlg::kDescriptor.refreshMessage);
    ASSERT_TRUE(win::user::MousePress(*panel, DspParameterDlg::kUpButton));
    ASSERT_TRUE(win::user::MouseRelease(*panel, DspParameterDlg::kUpButton));
    EXPECT_EQ(image.DspParameter(0, 1), 20);
    EXPECT_TRUE(Posted().empty());

    SelectRow(3);  // DSP.Level, 0..9
    image.SetDspParameter(0, 14, 0);
    panel->SendMessage(DspParameterDlg::kDescriptor.refreshMessage);
    ASSERT_TRUE(win::user::MousePress(*panel, DspParameterDlg::kDownButton));
    ASSERT_TRUE(win::user::MouseRelease(*panel, DspParameterDlg::kDownButton));
    EXPECT_TRUE(Posted().empty());
}

TEST_F(DspParameterTest, WithNoRowSelectedAPressSelectsTheFirstRowOnly) {
    Open(0);
    List(DspParameterDlg::kValueList).SetCurSel(-1);
    ASSERT_TRUE(win::user::MousePress(*panel, DspParameterDlg::kUpButton));
    ASSERT_TRUE(win::user::MouseRelease(*panel, DspParameterDlg::kUpButton));
    EXPECT_EQ(List(DspParameterDlg::kValueList).GetCurSel(), 0);
    EXPECT_EQ(image.DspParameter(0, 0), 30);
    EXPECT_TRUE(Posted().empty());
}

TEST_F(DspParameterTest, HeldButtonStepsAtThePressThenFromTheFifthTick) {
    Open(9);  // Tokyo: REV.Delay 0..250 at 122
    const auto names = Names();
    const auto row = std::find(names.begin(), names.end(), "REV.Delay") - names.begin();
    SelectRow(static_cast<int>(row));
    ASSERT_TRUE(win::user::MousePress(*panel, DspParameterDlg::kDownButton));
    EXPECT_EQ(image.DspParameter(9, 12), 121);
    loop.AdvanceBy(20 * DspParameterDlg::kRepeatPeriodMs);
    EXPECT_EQ(image.DspParameter(9, 12), 121 - 16);
    EXPECT_EQ(Posted().size(), 17u);

    ASSERT_TRUE(win::user::MouseRelease(*panel, DspParameterDlg::kDownButton));
    loop.AdvanceBy(10 * DspParameterDlg::kRepeatPeriodMs);
    EXPECT_EQ(image.DspParameter(9, 12), 105);

    // A key press stops a held button too.
    ASSERT_TRUE(win::user::MousePress(*panel, DspParameterDlg::kUpButton));
    loop.AdvanceBy(6 * DspParameterDlg::kRepeatPeriodMs);
    EXPECT_EQ(image.DspParameter(9, 12), 108);
    win::user::PressKey(*panel, win::VK_UP);
    loop.AdvanceBy(10 * DspParameterDlg::kRepeatPeriodMs);
    EXPECT_EQ(image.DspParameter(9, 12), 108);
}

TEST_F(DspParameterTest, ValuesOutsideTheirRangeStepBackIntoIt) {
    image.SetDspParameter(0, 0, 200);  // (P.)Init. Delay 1..99
    image.SetDspParameter(0, 2, 0);
    image.SetDspParameter(0, 1, 0);  // (P.)Room Size 1..20
    Open(0);
    SelectRow(0);
    ASSERT_TRUE(win::user::MousePress(*panel, DspParameterDlg::kUpButton));
    EXPECT_EQ(image.DspParameter(0, 0), 200);
    ASSERT_TRUE(win::user::MousePress(*panel, DspParameterDlg::kDownButton));
    EXPECT_EQ(image.DspParameter(0, 0), 99);
    SelectRow(1);
    ASSERT_TRUE(win::user::MousePress(*panel, DspParameterDlg::kDownButton));
    EXPECT_EQ(image.DspParameter(0, 1), 0);
    ASSERT_TRUE(win::user::MousePress(*panel, DspParameterDlg::kUpButton));
    EXPECT_EQ(image.DspParameter(0, 1), 1);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA106, 0, 0}, {0xA106, 0, 1}}));
}

TEST_F(DspParameterTest, PickingAProgramStoresItWithTheFlagAndAsksEveryoneToReload) {
    image.InputProgramMap[5] = 0x80 | 29;
    panel = Create();
    auto inputDsp = Create<CINPUTDSPPROGRAMDlg>();
    const auto* assignments = inputDsp->Get<win::ListBox>(CINPUTDSPPROGRAMDlg::kAssignmentList);

    image.InputProgramMap[3] = 12;  // unseen by the other panel until it reloads
    ASSERT_TRUE(win::user::PickComboItem(*panel, DspParameterDlg::kProgramCombo, 15));
    EXPECT_EQ(image.InputProgramMap[5], 0x80 | 15);
    EXPECT_EQ(Names().front(), "(P.)Init. Delay");
    EXPECT_EQ(Names().at(3), "REV.Time");
    EXPECT_EQ(assignments->GetText(3), "USA Hall B");
    EXPECT_EQ(Posted(), (std::vector<Message>{{0x900F, 0, 0}, {0xA00E, 0, 0}}));
    EXPECT_EQ(assignments->GetText(3), "Village Gate");

    // The source type list takes over a program that the combo shows and the image lost.
    image.InputProgramMap[5] = 3;
    PickSourceType(1);
    EXPECT_EQ(image.InputProgramMap[5], 15);
    EXPECT_TRUE(Posted().empty());
}

TEST_F(DspParameterTest, DefaultRestoresTheProgramsSetWithAPausedMessageEach) {
    Open(0);
    for (int k = 0; k < 42; ++k) {
        image.SetDspParameter(0, k, 7);
    }
    panel->SendMessage(DspParameterDlg::kDescriptor.refreshMessage);
    const auto slept = clock.SleptMs();
    ASSERT_TRUE(win::user::Click(*panel, DspParameterDlg::kDefaultButton));
    EXPECT_EQ(image.DspParameter(0, 0), 30);
    EXPECT_EQ(image.DspParameter(0, 14), 6);
    EXPECT_EQ(image.DspParameter(0, 28), 0);
    EXPECT_EQ(image.DspParameter(0, 3), 7);  // not in the program's set
    EXPECT_EQ(clock.SleptMs() - slept, 5 * DspParameterDlg::kDefaultPauseMs);
    EXPECT_EQ(
        Posted(),
        (std::vector<Message>{
            {0xA106, 0, 0}, {0xA106, 0, 1}, {0xA106, 0, 2}, {0xA106, 0, 14}, {0xA106, 0, 28}}));
    EXPECT_EQ(Values(), (Rows{"30", "1.0", "5", "0", "0"}));

    // "Direct Stereo" has no parameters.
    ASSERT_TRUE(win::user::PickComboItem(*panel, DspParameterDlg::kProgramCombo, 34));
    EXPECT_TRUE(Names().empty());
    Posted();
    const auto before = image.DspParameterTable;
    ASSERT_TRUE(win::user::Click(*panel, DspParameterDlg::kDefaultButton));
    EXPECT_EQ(image.DspParameterTable, before);
    EXPECT_TRUE(Posted().empty());
}

TEST_F(DspParameterTest, AMainInputWithoutAnEntryShowsNothingAndStoresNothing) {
    image.MainZoneState[main_zone::kMainInput] = 200;
    panel = CreatePanel<DspParameterDlg>(Context(), [] {});
    panel->Show();
    EXPECT_EQ(panel->Get<win::ComboBox>(DspParameterDlg::kProgramCombo)->GetCurSel(), win::CB_ERR);
    EXPECT_TRUE(Names().empty());
    const auto before = image;
    ASSERT_TRUE(win::user::MousePress(*panel, DspParameterDlg::kUpButton));
    PickSourceType(2);
    ASSERT_TRUE(win::user::Click(*panel, DspParameterDlg::kDefaultButton));
    loop.AdvanceBy(500);
    EXPECT_EQ(image.ToBytes(), before.ToBytes());
    EXPECT_TRUE(Posted().empty());
}

TEST_F(DspParameterTest, RefreshIsNeverHeldAndClosingStopsTheRepeatTimer) {
    link.realtimeMode = true;
    Open(0);
    SelectRow(0);
    ASSERT_TRUE(win::user::MousePress(*panel, DspParameterDlg::kUpButton));
    ASSERT_TRUE(win::user::MouseRelease(*panel, DspParameterDlg::kUpButton));
    image.SetDspParameter(0, 0, 50);
    panel->SendMessage(DspParameterDlg::kDescriptor.refreshMessage);
    EXPECT_EQ(Values().at(0), "50");

    const win::WindowHandle window = panel->Handle();
    EXPECT_TRUE(loop.HasTimer(window, DspParameterDlg::kRepeatTimer));
    win::user::PressEsc(*panel);
    EXPECT_FALSE(loop.HasTimer(window, DspParameterDlg::kRepeatTimer));
}

}  // namespace
}  // namespace tra1
