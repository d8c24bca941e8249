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
        image_.InputProgramMap[5] = static_cast<std::uint8_t>(program);
        return PanelTest::Open();
    }
    Rows Names() const { return List(DspParameterDlg::kParameterList).Items(); }
    Rows Values() const { return List(DspParameterDlg::kValueList).Items(); }
    void PickSourceType(int type) {
        ASSERT_TRUE(win::user::SelectListRow(*panel_, DspParameterDlg::kSourceTypeList, type));
    }
    void SelectRow(int row) {
        ASSERT_TRUE(win::user::SelectListRow(*panel_, DspParameterDlg::kValueList, row));
    }
    int Slot(int row) const { return static_cast<const DspParameterDlg&>(*panel_).RowSlotAt(row); }
};

TEST_F(DspParameterTest, OpensOnTheMainInputsProgramWithItsRowsAndValues) {
    image_.MainZoneState[main_zone::kDspParameterPage] = 0;
    Open(0);  // "Munich A"
    const auto* combo = panel_->Get<win::ComboBox>(DspParameterDlg::kProgramCombo);
    ASSERT_EQ(combo->GetCount(), 38);
    EXPECT_EQ(combo->GetCurSel(), 0);
    EXPECT_EQ(List(DspParameterDlg::kSourceTypeList).Items(),
              (Rows{"Dual Field (2ch)", "Tri Field (5.1ch)", "Quad Field (EX/ES)"}));
    EXPECT_EQ(List(DspParameterDlg::kSourceTypeList).GetCurSel(), 0);
    EXPECT_EQ(Names(), (Rows{"(P.)Init. Delay", "(P.)Room Size", "(P.)Liveness", "DSP.Level"}));
    EXPECT_EQ(Values(), (Rows{"30", "1.0", "5", "0"}));
    EXPECT_EQ(panel_->Get<win::Slider>(DspParameterDlg::kDialogLiftSlider)->GetPos(), 0);
    EXPECT_FALSE(panel_->Get<win::Slider>(DspParameterDlg::kDialogLiftSlider)->IsVisible());
    EXPECT_EQ(List(DspParameterDlg::kValueList).TextColor(), win::kCyan);
    EXPECT_EQ(List(DspParameterDlg::kValueList).BackgroundColor(), win::kBlack);

    // Dialog lift on: its row appears, for every source type alike.
    image_.MainZoneState[main_zone::kDspParameterPage] = 1;
    panel_->SendMessage(DspParameterDlg::kDescriptor.refreshMessage);
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
    ASSERT_TRUE(win::user::PickComboItem(*panel_, DspParameterDlg::kProgramCombo, kStandard));
    PickSourceType(source_type::kDualField);
    EXPECT_EQ(Names(), (Rows{"Panorama", "Dimention", "CT.Width", "C.Image", "Decode Type"}));
    EXPECT_EQ(Slot(4), 41);
    EXPECT_EQ(Values(), (Rows{"OFF", "STD", "0", "0.0", "Pro Logic"}));
}

TEST_F(DspParameterTest, UpAndDownStepWithinTheRangeAndPostEachStoredValueOnce) {
    Open(0);
    SelectRow(1);  // (P.)Room Size, slot 1, 1..20
    EXPECT_EQ(List(DspParameterDlg::kParameterList).GetCurSel(), 1);
    ASSERT_TRUE(win::user::MousePress(*panel_, DspParameterDlg::kUpButton));
    ASSERT_TRUE(win::user::MouseRelease(*panel_, DspParameterDlg::kUpButton));
    ASSERT_TRUE(
        win::user::Click(*panel_, DspParameterDlg::kUpButton));  // the click itself does nothing
    EXPECT_EQ(image_.DspParameter(0, 1), 11);
    EXPECT_EQ(Values().at(1), "1.1");
    EXPECT_EQ(List(DspParameterDlg::kValueList).GetCurSel(), 1);
    EXPECT_EQ(panel_->HoldCounter(), 0);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA106, 0, 1}}));

    image_.SetDspParameter(0, 1, 20);
    panel_->SendMessage(DspParameterDlg::kDescriptor.refreshMessage);
    ASSERT_TRUE(win::user::MousePress(*panel_, DspParameterDlg::kUpButton));
    ASSERT_TRUE(win::user::MouseRelease(*panel_, DspParameterDlg::kUpButton));
    EXPECT_EQ(image_.DspParameter(0, 1), 20);
    EXPECT_TRUE(Posted().empty());

    SelectRow(3);  // DSP.Level, 0..9
    image_.SetDspParameter(0, 14, 0);
    panel_->SendMessage(DspParameterDlg::kDescriptor.refreshMessage);
    ASSERT_TRUE(win::user::MousePress(*panel_, DspParameterDlg::kDownButton));
    ASSERT_TRUE(win::user::MouseRelease(*panel_, DspParameterDlg::kDownButton));
    EXPECT_TRUE(Posted().empty());
}

TEST_F(DspParameterTest, WithNoRowSelectedAPressSelectsTheFirstRowOnly) {
    Open(0);
    List(DspParameterDlg::kValueList).SetCurSel(-1);
    ASSERT_TRUE(win::user::MousePress(*panel_, DspParameterDlg::kUpButton));
    ASSERT_TRUE(win::user::MouseRelease(*panel_, DspParameterDlg::kUpButton));
    EXPECT_EQ(List(DspParameterDlg::kValueList).GetCurSel(), 0);
    EXPECT_EQ(image_.DspParameter(0, 0), 30);
    EXPECT_TRUE(Posted().empty());
}

TEST_F(DspParameterTest, HeldButtonStepsAtThePressThenFromTheFifthTick) {
    Open(9);  // Tokyo: REV.Delay 0..250 at 122
    const auto names = Names();
    const auto row = std::find(names.begin(), names.end(), "REV.Delay") - names.begin();
    SelectRow(static_cast<int>(row));
    ASSERT_TRUE(win::user::MousePress(*panel_, DspParameterDlg::kDownButton));
    EXPECT_EQ(image_.DspParameter(9, 12), 121);
    loop_.AdvanceBy(20 * DspParameterDlg::kRepeatPeriodMs);
    EXPECT_EQ(image_.DspParameter(9, 12), 121 - 16);
    EXPECT_EQ(Posted().size(), 17u);

    ASSERT_TRUE(win::user::MouseRelease(*panel_, DspParameterDlg::kDownButton));
    loop_.AdvanceBy(10 * DspParameterDlg::kRepeatPeriodMs);
    EXPECT_EQ(image_.DspParameter(9, 12), 105);

    // A key press stops a held button too.
    ASSERT_TRUE(win::user::MousePress(*panel_, DspParameterDlg::kUpButton));
    loop_.AdvanceBy(6 * DspParameterDlg::kRepeatPeriodMs);
    EXPECT_EQ(image_.DspParameter(9, 12), 108);
    win::user::PressKey(*panel_, win::VK_UP);
    loop_.AdvanceBy(10 * DspParameterDlg::kRepeatPeriodMs);
    EXPECT_EQ(image_.DspParameter(9, 12), 108);
}

TEST_F(DspParameterTest, ValuesOutsideTheirRangeStepBackIntoIt) {
    image_.SetDspParameter(0, 0, 200);  // (P.)Init. Delay 1..99
    image_.SetDspParameter(0, 2, 0);
    image_.SetDspParameter(0, 1, 0);  // (P.)Room Size 1..20
    Open(0);
    SelectRow(0);
    ASSERT_TRUE(win::user::MousePress(*panel_, DspParameterDlg::kUpButton));
    EXPECT_EQ(image_.DspParameter(0, 0), 200);
    ASSERT_TRUE(win::user::MousePress(*panel_, DspParameterDlg::kDownButton));
    EXPECT_EQ(image_.DspParameter(0, 0), 99);
    SelectRow(1);
    ASSERT_TRUE(win::user::MousePress(*panel_, DspParameterDlg::kDownButton));
    EXPECT_EQ(image_.DspParameter(0, 1), 0);
    ASSERT_TRUE(win::user::MousePress(*panel_, DspParameterDlg::kUpButton));
    EXPECT_EQ(image_.DspParameter(0, 1), 1);
    EXPECT_EQ(Posted(), (std::vector<Message>{{0xA106, 0, 0}, {0xA106, 0, 1}}));
}

TEST_F(DspParameterTest, PickingAProgramStoresItWithTheFlagAndAsksEveryoneToReload) {
    image_.InputProgramMap[5] = 0x80 | 29;
    panel_ = Create();
    auto inputDsp = Create<CINPUTDSPPROGRAMDlg>();
    const auto* assignments = inputDsp->Get<win::ListBox>(CINPUTDSPPROGRAMDlg::kAssignmentList);

    image_.InputProgramMap[3] = 12;  // unseen by the other panel until it reloads
    ASSERT_TRUE(win::user::PickComboItem(*panel_, DspParameterDlg::kProgramCombo, 15));
    EXPECT_EQ(image_.InputProgramMap[5], 0x80 | 15);
    EXPECT_EQ(Names().front(), "(P.)Init. Delay");
    EXPECT_EQ(Names().at(3), "REV.Time");
    EXPECT_EQ(assignments->GetText(3), "USA Hall B");
    EXPECT_EQ(Posted(), (std::vector<Message>{{0x900F, 0, 0}, {0xA00E, 0, 0}}));
    EXPECT_EQ(assignments->GetText(3), "Village Gate");

    // The source type list takes over a program that the combo shows and the image lost.
    image_.InputProgramMap[5] = 3;
    PickSourceType(1);
    EXPECT_EQ(image_.InputProgramMap[5], 15);
    EXPECT_TRUE(Posted().empty());
}

TEST_F(DspParameterTest, DefaultRestoresTheProgramsSetWithAPausedMessageEach) {
    Open(0);
    for (int k = 0; k < 42; ++k) {
        image_.SetDspParameter(0, k, 7);
    }
    panel_->SendMessage(DspParameterDlg::kDescriptor.refreshMessage);
    const auto slept = clock_.SleptMs();
    ASSERT_TRUE(win::user::Click(*panel_, DspParameterDlg::kDefaultButton));
    EXPECT_EQ(image_.DspParameter(0, 0), 30);
    EXPECT_EQ(image_.DspParameter(0, 14), 6);
    EXPECT_EQ(image_.DspParameter(0, 28), 0);
    EXPECT_EQ(image_.DspParameter(0, 3), 7);  // not in the program's set
    EXPECT_EQ(clock_.SleptMs() - slept, 5 * DspParameterDlg::kDefaultPauseMs);
    EXPECT_EQ(
        Posted(),
        (std::vector<Message>{
            {0xA106, 0, 0}, {0xA106, 0, 1}, {0xA106, 0, 2}, {0xA106, 0, 14}, {0xA106, 0, 28}}));
    EXPECT_EQ(Values(), (Rows{"30", "1.0", "5", "0", "0"}));

    // "Direct Stereo" has no parameters.
    ASSERT_TRUE(win::user::PickComboItem(*panel_, DspParameterDlg::kProgramCombo, 34));
    EXPECT_TRUE(Names().empty());
    Posted();
    const auto before = image_.DspParameterTable;
    ASSERT_TRUE(win::user::Click(*panel_, DspParameterDlg::kDefaultButton));
    EXPECT_EQ(image_.DspParameterTable, before);
    EXPECT_TRUE(Posted().empty());
}

TEST_F(DspParameterTest, AMainInputWithoutAnEntryShowsNothingAndStoresNothing) {
    image_.MainZoneState[main_zone::kMainInput] = 200;
    panel_ = CreatePanel<DspParameterDlg>(Context(), [] {});
    panel_->Show();
    EXPECT_EQ(panel_->Get<win::ComboBox>(DspParameterDlg::kProgramCombo)->GetCurSel(), win::CB_ERR);
    EXPECT_TRUE(Names().empty());
    const auto before = image_;
    ASSERT_TRUE(win::user::MousePress(*panel_, DspParameterDlg::kUpButton));
    PickSourceType(2);
    ASSERT_TRUE(win::user::Click(*panel_, DspParameterDlg::kDefaultButton));
    loop_.AdvanceBy(500);
    EXPECT_EQ(image_.ToBytes(), before.ToBytes());
    EXPECT_TRUE(Posted().empty());
}

TEST_F(DspParameterTest, RefreshIsNeverHeldAndClosingStopsTheRepeatTimer) {
    link_.realtimeMode = true;
    Open(0);
    SelectRow(0);
    ASSERT_TRUE(win::user::MousePress(*panel_, DspParameterDlg::kUpButton));
    ASSERT_TRUE(win::user::MouseRelease(*panel_, DspParameterDlg::kUpButton));
    image_.SetDspParameter(0, 0, 50);
    panel_->SendMessage(DspParameterDlg::kDescriptor.refreshMessage);
    EXPECT_EQ(Values().at(0), "50");

    const win::WindowHandle window = panel_->Handle();
    EXPECT_TRUE(loop_.HasTimer(window, DspParameterDlg::kRepeatTimer));
    win::user::PressEsc(*panel_);
    EXPECT_FALSE(loop_.HasTimer(window, DspParameterDlg::kRepeatTimer));
}

}  // namespace
}  // namespace tra1
