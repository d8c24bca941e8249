// The whole editor against the virtual receiver, driven the way a user drives it: panels opened
// from the Window menu, values changed with gestures, and what the receiver and the panels end
// up holding in realtime mode, in asynchronous mode with Download and Upload, and through a
// configuration file.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/panel_table.h"
#include "link/dsp_parameter_slot.h"
#include "model/model_profile.h"
#include "panels/dsp_parameter_dlg.h"
#include "panels/eq_control_dlg.h"
#include "panels/panel_dlg.h"
#include "panels/speaker_level_dlg.h"
#include "platform/win/combo_box.h"
#include "platform/win/list_box.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace id = main_window;

constexpr int kMenuShowGraphicEq = 32771;
constexpr int kShowSpeakerLevelMenu = 32775;
constexpr int kMenuShowDspParameter = 32782;
constexpr std::int64_t kEndToEndTransferLimitMs = 15 * 60 * 1000;

constexpr int kSubwooferSlider = CSPEAKERLEVELDlg::kChannels.at(speaker_levels::kSW).slider;
constexpr int SpeakerSliderPos(int level) {
    return CSPEAKERLEVELDlg::kInversion - level;
}
// The GRAPHIC EQ shows channel item 0 (record 0) when it opens; band column 2 is byte 3.
constexpr std::size_t kEqBand = 2;
constexpr int kEqBandSlider = CEQCONTROLDlg::kBands.at(kEqBand).slider;
constexpr std::size_t kEqByte = CEQCONTROLDlg::kBands.at(kEqBand).offset;
constexpr int EqSliderPos(int band) {
    return CEQCONTROLDlg::kMaxPosition - band;
}

// A DSP parameter value as the receiver holds it: under the parameter number and sub-digit the
// slot goes by on the line, else (never written) the receiver's parameter table.
std::optional<int> ReceiverDspValue(sim::VirtualReceiver& receiver, int program, int slot) {
    const auto line = DspLineParameterOf(slot);
    if (!line) {
        return std::nullopt;
    }
    const auto& written = receiver.State().dspParameters;
    const auto found =
        written.find({ModelProfile::ProgramCode(program), line->parameter, line->subDigit});
    if (found == written.end()) {
        return std::nullopt;
    }
    return found->second;
}

class EditorEndToEndTest : public EditorFixture {
protected:
    EditorEndToEndTest() { portSwitch_.Wire(3, receiver_); }

    void StartConnected() {
        Start();
        ConnectTo(3);
    }
    void EnterRealtime() {
        ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuRealtime));
        ASSERT_TRUE(State().realtimeMode);
    }

    // Opens SPEAKER LEVEL, GRAPHIC EQ and DSP PARAMETER through their Window menu items.
    void OpenPanels() {
        level_ = OpenPanel<CSPEAKERLEVELDlg>(kShowSpeakerLevelMenu);
        eq_ = OpenPanel<CEQCONTROLDlg>(kMenuShowGraphicEq);
        dsp_ = OpenPanel<CDSPPARAMETERDlg>(kMenuShowDspParameter);
        ASSERT_NE(level_, nullptr);
        ASSERT_NE(eq_, nullptr);
        ASSERT_NE(dsp_, nullptr);
    }
    template <typename Panel>
    Panel* OpenPanel(int menuId) {
        EXPECT_TRUE(win::user::ChooseMenuItem(Main(), menuId));
        loop_.DrainPosted();
        const std::size_t index = PanelTable::IndexForCommand(menuId);
        return dynamic_cast<Panel*>(Main().Panels().Window(index));
    }
    static int SliderPos(PanelDlg& panel, int slider) {
        const auto* control = panel.Get<win::Slider>(slider);
        return control != nullptr ? control->GetPos() : -1;
    }

    void RunTransferToEnd() {
        ASSERT_TRUE(loop_.AdvanceUntil(
            [this] { return State().uploadInProgress == 0 && State().downloadInProgress == 0; },
            kEndToEndTransferLimitMs));
        loop_.DrainPosted();
    }

    // The (program, slot) of the DSP PARAMETER panel's first row.
    std::pair<int, int> FirstDspRow() const {
        const auto* combo = dsp_->Get<win::ComboBox>(CDSPPARAMETERDlg::kProgramCombo);
        return {combo != nullptr ? combo->GetCurSel() : -1, dsp_->RowSlotAt(0)};
    }
    // Steps the DSP PARAMETER panel's first row up once with the UP button.
    void StepFirstDspRowUp() {
        EXPECT_TRUE(win::user::SelectListRow(*dsp_, CDSPPARAMETERDlg::kValueList, 0));
        EXPECT_TRUE(win::user::MousePress(*dsp_, CDSPPARAMETERDlg::kUpButton));
        EXPECT_TRUE(win::user::MouseRelease(*dsp_, CDSPPARAMETERDlg::kUpButton));
    }

    sim::VirtualReceiver receiver_;
    CSPEAKERLEVELDlg* level_ = nullptr;
    CEQCONTROLDlg* eq_ = nullptr;
    CDSPPARAMETERDlg* dsp_ = nullptr;
};

TEST_F(EditorEndToEndTest, RealtimeGesturesReachTheReceiverAndItsReportsDoNotUndoThem) {
    StartConnected();
    EnterRealtime();
    OpenPanels();
    Advance(2'000);  // the poll runs with every panel open
    const auto [program, slot] = FirstDspRow();
    ASSERT_GE(slot, 0);

    // The gestures come between two status requests, once the last configuration frame has
    // been decoded. (A frame already on its way still carries the old values into the image;
    // the panels' holds only cover the refreshes that follow it, and the poll's replies use
    // them up within about half a second, before the next status request corrects the image.)
    ASSERT_NE(receiver_.Image().SpeakerLevels.at(speaker_levels::kSW), 52);
    const int requests = StatusRequestsWritten();
    ASSERT_TRUE(loop_.AdvanceUntil([&] { return StatusRequestsWritten() > requests; }, 2'000));
    Advance(500);
    ASSERT_TRUE(win::user::ReleaseSlider(*level_, kSubwooferSlider, SpeakerSliderPos(52)));
    ASSERT_TRUE(win::user::ReleaseSlider(*eq_, kEqBandSlider, EqSliderPos(20)));
    StepFirstDspRowUp();
    const int dspValue = EditorImage().DspParameter(program, slot);
    EXPECT_EQ(level_->HoldCounter(), CSPEAKERLEVELDlg::kDescriptor.holdCount);
    EXPECT_EQ(eq_->HoldCounter(), CEQCONTROLDlg::kDescriptor.holdCount);
    // The refreshes that follow decoded reports count the holds down; they never clear them.
    Advance(60);
    EXPECT_GT(level_->HoldCounter(), 0);
    EXPECT_LT(level_->HoldCounter(), CSPEAKERLEVELDlg::kDescriptor.holdCount);
    // The receiver's next configuration frames and the poll's replies never move them back.
    const int requestsAfter = StatusRequestsWritten();
    for (int tick = 0; tick < 300; ++tick) {
        Advance(10);
        ASSERT_EQ(EditorImage().SpeakerLevels.at(speaker_levels::kSW), 52) << tick;
        ASSERT_EQ(SliderPos(*level_, kSubwooferSlider), SpeakerSliderPos(52)) << tick;
        ASSERT_EQ(SliderPos(*eq_, kEqBandSlider), EqSliderPos(20)) << tick;
        ASSERT_EQ(EditorImage().DspParameter(program, slot), dspValue) << tick;
    }
    EXPECT_GE(StatusRequestsWritten(), requestsAfter + 2);

    EXPECT_EQ(receiver_.Image().SpeakerLevels.at(speaker_levels::kSW), 52);
    EXPECT_EQ(receiver_.Image().EqSettings.at(kEqByte), 20);
    EXPECT_EQ(ReceiverDspValue(receiver_, program, slot), DspLineValueOf(slot, dspValue))
        << "program " << program << " slot " << slot;

    // A change on the receiver itself reaches the panel with its next report.
    receiver_.Image().SpeakerLevels.at(speaker_levels::kSW) = 44;
    Advance(2'000);
    EXPECT_EQ(EditorImage().SpeakerLevels.at(speaker_levels::kSW), 44);
    EXPECT_EQ(SliderPos(*level_, kSubwooferSlider), SpeakerSliderPos(44));
    // Nothing the receiver reported moved the values it was given.
    EXPECT_EQ(EditorImage().EqSettings.at(kEqByte), 20);
    EXPECT_EQ(SliderPos(*eq_, kEqBandSlider), EqSliderPos(20));
}

TEST_F(EditorEndToEndTest, AsynchronousChangesReachTheReceiverOnlyWithDownload) {
    StartConnected();
    ASSERT_FALSE(State().realtimeMode);
    OpenPanels();
    const auto [program, slot] = FirstDspRow();
    ASSERT_GE(slot, 0);
    const std::uint8_t receiverLevel = receiver_.Image().SpeakerLevels.at(speaker_levels::kSW);
    const std::uint8_t receiverBand = receiver_.Image().EqSettings.at(kEqByte);
    const auto dspWrites = receiver_.State().dspParameters;

    ASSERT_TRUE(win::user::ReleaseSlider(*level_, kSubwooferSlider, SpeakerSliderPos(52)));
    ASSERT_TRUE(win::user::ReleaseSlider(*eq_, kEqBandSlider, EqSliderPos(20)));
    StepFirstDspRowUp();
    const int dspValue = EditorImage().DspParameter(program, slot);
    Advance(3'000);
    EXPECT_EQ(level_->HoldCounter(), 0);  // the change stops at the image

    // The receiver's reports watch the line only: they neither carry the change nor undo it.
    EXPECT_EQ(receiver_.Image().SpeakerLevels.at(speaker_levels::kSW), receiverLevel);
    EXPECT_EQ(receiver_.Image().EqSettings.at(kEqByte), receiverBand);
    EXPECT_EQ(receiver_.State().dspParameters, dspWrites);
    EXPECT_EQ(EditorImage().SpeakerLevels.at(speaker_levels::kSW), 52);
    EXPECT_EQ(SliderPos(*level_, kSubwooferSlider), SpeakerSliderPos(52));

    ASSERT_TRUE(win::user::Click(Main(), id::kDownloadButton));
    RunTransferToEnd();
    EXPECT_EQ(receiver_.Image().SpeakerLevels.at(speaker_levels::kSW), 52);
    EXPECT_EQ(receiver_.Image().EqSettings.at(kEqByte), 20);
    EXPECT_EQ(ReceiverDspValue(receiver_, program, slot), DspLineValueOf(slot, dspValue))
        << "program " << program << " slot " << slot;
    EXPECT_EQ(SliderPos(*level_, kSubwooferSlider), SpeakerSliderPos(52));
}

TEST_F(EditorEndToEndTest, AFileSavedFromTheEditorOpensByteForByteInAFreshEditor) {
    Start();
    OpenPanels();
    ASSERT_TRUE(win::user::ReleaseSlider(*level_, kSubwooferSlider, SpeakerSliderPos(23)));
    ASSERT_TRUE(win::user::ReleaseSlider(*eq_, kEqBandSlider, EqSliderPos(5)));
    StepFirstDspRowUp();
    EditorImage().SetInputName(2, "MY DVD");
    EditorImage().SetTunerPreset(17, tuner_presets::kBandAm, 33);
    loop_.DrainPosted();
    const std::vector<std::uint8_t> saved = EditorImage().ToBytes();

    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "tra1-editor-end-to-end-test.tcf";
    std::filesystem::remove(path);
    prompter_.QueueFile(path.string());
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuSave));
    ASSERT_TRUE(std::filesystem::exists(path));

    RestartEditor();
    ASSERT_NE(EditorImage().ToBytes(), saved);
    auto* fresh = OpenPanel<CSPEAKERLEVELDlg>(kShowSpeakerLevelMenu);
    ASSERT_NE(fresh, nullptr);
    prompter_.QueueFile(path.string());
    prompter_.QueueAnswer(win::Answer::kNo);  // do not save the current configuration first
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuOpen));
    loop_.DrainPosted();

    EXPECT_EQ(EditorImage().ToBytes(), saved);
    EXPECT_EQ(SliderPos(*fresh, kSubwooferSlider), SpeakerSliderPos(23));
    std::filesystem::remove(path);
}

TEST_F(EditorEndToEndTest, UploadBringsTheReceiversValuesIntoTheOpenPanels) {
    StartConnected();
    OpenPanels();
    const auto [program, slot] = FirstDspRow();
    ASSERT_GE(slot, 0);
    const auto line = DspLineParameterOf(slot);
    ASSERT_TRUE(line.has_value());
    const std::string shownBefore =
        dsp_->Get<win::ListBox>(CDSPPARAMETERDlg::kValueList)->GetText(0);

    receiver_.Image().SpeakerLevels.at(speaker_levels::kSW) = 57;
    receiver_.Image().EqSettings.at(kEqByte) = 8;
    // The receiver holds a new value for the DSP PARAMETER panel's first row.
    const int newValue = EditorImage().DspParameter(program, slot) == 0 ? 1 : 0;
    receiver_.State()
        .dspParameters[{ModelProfile::ProgramCode(program), line->parameter, line->subDigit}] =
        static_cast<std::uint8_t>(DspLineValueOf(slot, newValue));

    ASSERT_TRUE(win::user::Click(Main(), id::kUploadButton));
    RunTransferToEnd();

    EXPECT_EQ(EditorImage().SpeakerLevels.at(speaker_levels::kSW), 57);
    EXPECT_EQ(SliderPos(*level_, kSubwooferSlider), SpeakerSliderPos(57));
    EXPECT_EQ(EditorImage().EqSettings.at(kEqByte), 8);
    EXPECT_EQ(SliderPos(*eq_, kEqBandSlider), EqSliderPos(8));
    EXPECT_EQ(EditorImage().DspParameter(program, slot), newValue)
        << "program " << program << " slot " << slot;
    EXPECT_NE(dsp_->Get<win::ListBox>(CDSPPARAMETERDlg::kValueList)->GetText(0), shownBefore);
}

}  // namespace
}  // namespace tra1::testing
