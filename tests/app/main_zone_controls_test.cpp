// The main zone and zone 2 controls of the main window, driven as a user drives them, against
// the virtual receiver on the virtual clock: what reaches the receiver in realtime mode, what
// asynchronous mode keeps to the image, the volume track bars and buttons with their repeat, the
// enable rules, and the decode skip count that keeps stale reports from moving a control back.

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/panel_table.h"
#include "app/volume_text.h"
#include "model/command_frame_builder.h"
#include "platform/win/button.h"
#include "platform/win/combo_box.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "sim/virtual_receiver.h"
#include "tests/app/counting_panel.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace id = main_window;
namespace mz = main_zone;

class MainZoneControlsTest : public EditorFixture {
protected:
    MainZoneControlsTest() { portSwitch_.Wire(3, receiver_); }
    ~MainZoneControlsTest() override {
        // The panels below go before the fixture's main window: close it (and them) first.
        if (window_ && window_->IsWindow()) {
            window_->DestroyWindow();
        }
    }

    void StartRealtime() {
        Start();
        ConnectTo(3);
        ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuRealtime));
    }

    // Lets the panel with this refresh message be opened as a counting stand-in.
    CountingPanel* OpenPanel(unsigned refreshMessage) {
        const std::size_t index = PanelTable::IndexForRefresh(refreshMessage);
        auto panel = std::make_unique<CountingPanel>(loop_, PanelDescriptors().at(index));
        CountingPanel* raw = panel.get();
        panels_.push_back(std::move(panel));
        Main().Panels().SetFactory(index, [raw](std::function<void()>) {
            if (!raw->Create()) {
                return tra1::OpenPanel{};
            }
            return tra1::OpenPanel{raw, [raw] { ++raw->holdResets; }};
        });
        EXPECT_EQ(Main().Panels().Show(index), PanelTable::ShowResult::kCreated);
        return raw;
    }

    std::uint8_t Zone(std::size_t byte) { return EditorImage().MainZoneState.at(byte); }
    std::uint8_t ReceiverZone(std::size_t byte) { return receiver_.Image().MainZoneState.at(byte); }
    std::string Frame(int command, int value) {
        return std::string(CommandFrameBuilder{}.BuildCommandFrame(command, value));
    }
    bool Wrote(const std::string& frame) const {
        return port_->Written().find(frame) != std::string::npos;
    }
    bool Enabled(int control) { return Main().GetDlgItem(control)->IsEnabled(); }
    int SliderPos(int control) { return Main().Get<win::Slider>(control)->GetPos(); }
    std::string Text(int control) { return Main().GetDlgItemText(control); }

    sim::VirtualReceiver receiver_;
    std::vector<std::unique_ptr<CountingPanel>> panels_;
};

// One user gesture on a main zone control and what it must do.
struct Gesture {
    const char* name;
    std::function<bool(win::Dialog&)> act;
    std::size_t byte;  // MainZoneState byte it edits
    std::uint8_t value;
    int command;
    int sentValue;
};

std::vector<Gesture> EveryControl() {
    using win::user::Click;
    using win::user::PickComboItem;
    return {
        {"input", [](win::Dialog& d) { return PickComboItem(d, id::kMainInputCombo, 1); },
         mz::kMainInput, 1, 2, 1},
        {"input mode DTS", [](win::Dialog& d) { return PickComboItem(d, id::kInputModeCombo, 1); },
         mz::kInputMode, 1, 4, 2},
        {"on screen", [](win::Dialog& d) { return PickComboItem(d, id::kOnScreenCombo, 0); },
         mz::kOnScreenDisplay, 0, 15, 0},
        {"speaker A", [](win::Dialog& d) { return Click(d, id::kSpeakerACheck); }, mz::kSpeakerA, 1,
         25, 1},
        {"speaker B", [](win::Dialog& d) { return Click(d, id::kSpeakerBCheck); }, mz::kSpeakerB, 1,
         26, 1},
        {"EX/ES", [](win::Dialog& d) { return PickComboItem(d, id::kExEsCombo, 3); },
         mz::kExEsDecoder, 3, 17, 3},
        {"night mode", [](win::Dialog& d) { return Click(d, id::kNightModeCheck); }, mz::kNightMode,
         1, 18, 1},
        {"zone 2 input", [](win::Dialog& d) { return PickComboItem(d, id::kZone2InputCombo, 6); },
         mz::kZone2Input, 6, 7, 6},
        {"main volume",
         [](win::Dialog& d) { return win::user::ReleaseSlider(d, id::kMainVolumeSlider, 94); },
         mz::kMainVolume, 100, 48, 100},
        {"zone 2 volume",
         [](win::Dialog& d) { return win::user::ReleaseSlider(d, id::kZone2VolumeSlider, 33); },
         mz::kZone2Volume, 161, 49, 161},
        {"zone 2 mute", [](win::Dialog& d) { return Click(d, id::kZone2MuteCheck); },
         mz::kZone2Mute, 1, 6, 1},
        {"main mute", [](win::Dialog& d) { return Click(d, id::kMainMuteCheck); }, mz::kMainMute, 1,
         1, 1},
        {"multi ch input", [](win::Dialog& d) { return Click(d, id::kMultiChannelCheck); },
         mz::kMultiChannelInput, 1, 3, 1},
    };
}

TEST_F(MainZoneControlsTest, RealtimeModeSendsEveryChangeToTheReceiverAtOnce) {
    StartRealtime();
    for (const Gesture& g : EveryControl()) {
        SCOPED_TRACE(g.name);
        State().decodeSkipCount = 0;
        ASSERT_TRUE(g.act(Main()));
        EXPECT_EQ(Zone(g.byte), g.value);
        EXPECT_TRUE(Wrote(Frame(g.command, g.sentValue)));
        EXPECT_EQ(ReceiverZone(g.byte), g.value);
        EXPECT_EQ(State().decodeSkipCount, 3);
        EXPECT_EQ(State().linkBusy, 0);
    }
    // "DTS" goes out as the input mode row's third code.
    EXPECT_TRUE(
        Wrote("\x02"
              "07EA8\x03"));
    EXPECT_EQ(Text(id::kMainVolumeReadout), "-30.5 dB");
    EXPECT_EQ(Text(id::kZone2VolumeReadout), "0.0 dB");

    // Zone 2 and the main zone switched off, and the hidden test tone.
    ASSERT_TRUE(win::user::Click(Main(), 1199));
    EXPECT_FALSE(receiver_.State().zone2Power);
    ASSERT_TRUE(win::user::Click(Main(), 1198));
    EXPECT_TRUE(receiver_.State().zone2Power);
    Main().SendMessage(win::WM_COMMAND, win::MakeWParam(1181, win::BN_CLICKED));
    EXPECT_TRUE(Wrote(Frame(98, 1)));
    ASSERT_TRUE(win::user::Click(Main(), 1197));
    EXPECT_FALSE(receiver_.PoweredOn());
    ASSERT_TRUE(win::user::Click(Main(), 1196));
    EXPECT_TRUE(receiver_.PoweredOn());
}

TEST_F(MainZoneControlsTest, KeyAndWheelMovesOfAVolumeSendOnceTheThumbStandsStill) {
    StartRealtime();
    auto volumesSent = [this] {
        std::size_t count = 0;
        for (int step = 0; step <= volume::kMaxStep; ++step) {
            count += Wrote(Frame(48, step)) ? 1 : 0;
        }
        return count;
    };
    // Page Up three times: the read-out follows each step, nothing is stored or sent yet.
    for (int position : {111, 109, 107}) {
        ASSERT_TRUE(win::user::KeyboardSlider(Main(), id::kMainVolumeSlider, position));
        EXPECT_EQ(Text(id::kMainVolumeReadout), volume::MainReadout(volume::StepOf(position)));
        loop_.AdvanceBy(100);
    }
    EXPECT_EQ(Zone(mz::kMainVolume), 81);
    EXPECT_EQ(volumesSent(), 0u);
    // The receiver's reports in between do not pull the thumb back.
    EXPECT_EQ(SliderPos(id::kMainVolumeSlider), 107);
    // Once the thumb has stood still: stored and sent once, as a release there.
    loop_.AdvanceBy(win::Dialog::kSliderIdleMs);
    EXPECT_EQ(Zone(mz::kMainVolume), 87);
    EXPECT_TRUE(Wrote(Frame(48, 87)));
    EXPECT_EQ(volumesSent(), 1u);
    loop_.AdvanceBy(2000);
    EXPECT_EQ(ReceiverZone(mz::kMainVolume), 87);
    EXPECT_EQ(Zone(mz::kMainVolume), 87);  // the receiver's next reports keep it

    // The wheel on zone 2, and a drag: the read-out follows the thumb at once.
    ASSERT_TRUE(win::user::WheelSlider(Main(), id::kZone2VolumeSlider, 33));
    EXPECT_EQ(Text(id::kZone2VolumeReadout), "0.0 dB");
    loop_.AdvanceBy(win::Dialog::kSliderIdleMs);
    EXPECT_EQ(Zone(mz::kZone2Volume), 161);
    ASSERT_TRUE(win::user::DragSlider(Main(), id::kMainVolumeSlider, 100));
    EXPECT_EQ(Text(id::kMainVolumeReadout), volume::MainReadout(94));
    EXPECT_EQ(Zone(mz::kMainVolume), 87);
}

TEST_F(MainZoneControlsTest, AnUnchangedValueSendsNothing) {
    StartRealtime();
    const std::size_t written = port_->Written().size();
    ASSERT_TRUE(win::user::PickComboItem(Main(), id::kExEsCombo, 1));           // already AUTO
    ASSERT_TRUE(win::user::ReleaseSlider(Main(), id::kMainVolumeSlider, 113));  // where it is
    ASSERT_TRUE(win::user::PickComboItem(Main(), id::kMainInputCombo, 5));      // already DVD
    EXPECT_EQ(port_->Written().size(), written);
    EXPECT_EQ(State().decodeSkipCount, 0);
}

TEST_F(MainZoneControlsTest, AsynchronousModeKeepsEveryChangeInTheImage) {
    Start();
    ConnectTo(3);
    const auto receiverBefore = receiver_.Image().MainZoneState;
    const std::size_t written = port_->Written().size();
    for (const Gesture& g : EveryControl()) {
        SCOPED_TRACE(g.name);
        ASSERT_TRUE(g.act(Main()));
        EXPECT_EQ(Zone(g.byte), g.value);
    }
    for (int power : {1199, 1198, 1197, 1196}) {
        ASSERT_TRUE(win::user::Click(Main(), power));
    }
    // Power (command 9 and 10) and the main zone's settings are held back by the sender's
    // filter: nothing but status requests went out.
    EXPECT_EQ(port_->Written().substr(written).find('\x02'), std::string::npos);
    EXPECT_EQ(receiver_.Image().MainZoneState, receiverBefore);
    EXPECT_TRUE(receiver_.PoweredOn());
}

TEST_F(MainZoneControlsTest, AStaleReportDoesNotMoveAChangedControlBack) {
    StartRealtime();
    ASSERT_TRUE(win::user::Click(Main(), id::kSpeakerACheck));
    ASSERT_EQ(ReceiverZone(mz::kSpeakerA), 1);
    // The receiver goes on reporting the old value for a while.
    receiver_.Image().MainZoneState[mz::kSpeakerA] = 0;
    ASSERT_EQ(State().decodeSkipCount, 3);
    // Three configuration frames pass undecoded, the check box staying ticked; the fourth is
    // decoded and the receiver has the last word.
    std::vector<int> skips{3};
    for (int ms = 0; ms < 8000 && Zone(mz::kSpeakerA) == 1; ms += 10) {
        Advance(10);
        if (State().decodeSkipCount != skips.back()) {
            skips.push_back(State().decodeSkipCount);
        }
        if (Zone(mz::kSpeakerA) == 1) {
            ASSERT_EQ(Main().IsDlgButtonChecked(id::kSpeakerACheck), win::BST_CHECKED);
        }
    }
    EXPECT_EQ(skips, (std::vector<int>{3, 2, 1, 0}));
    EXPECT_EQ(Zone(mz::kSpeakerA), 0);
    loop_.DrainPosted();
    EXPECT_EQ(Main().IsDlgButtonChecked(id::kSpeakerACheck), win::BST_UNCHECKED);
}

TEST_F(MainZoneControlsTest, AHeldVolumeButtonRepeatsAfterTenTicks) {
    Start();
    ASSERT_TRUE(win::user::MousePress(Main(), id::kMainVolumeUp));
    EXPECT_EQ(Zone(mz::kMainVolume), 82);  // one step at once
    EXPECT_EQ(SliderPos(id::kMainVolumeSlider), 112);
    Advance(500);  // ten ticks of delay
    EXPECT_EQ(Zone(mz::kMainVolume), 82);
    Advance(500);  // then one step per tick
    EXPECT_EQ(Zone(mz::kMainVolume), 92);
    EXPECT_EQ(Text(id::kMainVolumeReadout), "-34.5 dB");
    ASSERT_TRUE(win::user::MouseRelease(Main(), id::kMainVolumeUp));
    ASSERT_TRUE(win::user::Click(Main(), id::kMainVolumeUp));  // the click itself does nothing
    Advance(1000);
    EXPECT_EQ(Zone(mz::kMainVolume), 92);

    // Zone 2 down, stopped by a key.
    ASSERT_TRUE(win::user::MousePress(Main(), id::kZone2VolumeDown));
    Advance(600);
    EXPECT_EQ(Zone(mz::kZone2Volume), 81 - 3);
    ASSERT_TRUE(win::user::PressKey(Main(), win::VK_UP));
    EXPECT_FALSE(Main().ZoneControls().Repeating());
    Advance(600);
    EXPECT_EQ(Zone(mz::kZone2Volume), 81 - 3);
    EXPECT_EQ(Text(id::kZone2VolumeReadout), "-41.5 dB");
}

TEST_F(MainZoneControlsTest, HeldButtonStepsReachTheReceiverInRealtimeMode) {
    StartRealtime();
    Advance(1);  // whatever fell due while connecting has run
    ASSERT_TRUE(win::user::MousePress(Main(), id::kMainVolumeUp));
    Advance(1000);
    ASSERT_TRUE(win::user::MouseRelease(Main(), id::kMainVolumeUp));
    EXPECT_EQ(Zone(mz::kMainVolume), 92);
    EXPECT_EQ(ReceiverZone(mz::kMainVolume), 92);
    Advance(3000);  // the receiver's reports agree
    loop_.DrainPosted();
    EXPECT_EQ(Zone(mz::kMainVolume), 92);
    EXPECT_EQ(SliderPos(id::kMainVolumeSlider), 102);
}

TEST_F(MainZoneControlsTest, VolumeEndsAndReadouts) {
    Start();
    ASSERT_TRUE(win::user::ReleaseSlider(Main(), id::kMainVolumeSlider, 33));
    EXPECT_EQ(Text(id::kMainVolumeReadout), "0.0dB");
    ASSERT_TRUE(win::user::ReleaseSlider(Main(), id::kMainVolumeSlider, 0));
    EXPECT_EQ(Zone(mz::kMainVolume), 194);
    EXPECT_EQ(Text(id::kMainVolumeReadout), "16.5dB");
    ASSERT_TRUE(win::user::MousePress(Main(), id::kMainVolumeUp));
    ASSERT_TRUE(win::user::MouseRelease(Main(), id::kMainVolumeUp));
    EXPECT_EQ(Zone(mz::kMainVolume), 194);

    ASSERT_TRUE(win::user::ReleaseSlider(Main(), id::kMainVolumeSlider, 193));
    ASSERT_TRUE(win::user::MousePress(Main(), id::kMainVolumeDown));
    ASSERT_TRUE(win::user::MouseRelease(Main(), id::kMainVolumeDown));
    EXPECT_EQ(Zone(mz::kMainVolume), 0);
    EXPECT_EQ(Text(id::kMainVolumeReadout), "MUTE");
    EXPECT_EQ(SliderPos(id::kMainVolumeSlider), 194);
    ASSERT_TRUE(win::user::MousePress(Main(), id::kMainVolumeDown));
    ASSERT_TRUE(win::user::MouseRelease(Main(), id::kMainVolumeDown));
    EXPECT_EQ(Zone(mz::kMainVolume), 0);

    ASSERT_TRUE(win::user::ReleaseSlider(Main(), id::kZone2VolumeSlider, 194));
    EXPECT_EQ(Text(id::kZone2VolumeReadout), "MUTE");
    ASSERT_TRUE(win::user::ReleaseSlider(Main(), id::kZone2VolumeSlider, 0));
    EXPECT_EQ(Text(id::kZone2VolumeReadout), "16.5 dB");
}

TEST_F(MainZoneControlsTest, FixedZone2OutputRefusesTheZone2Buttons) {
    Start();
    EditorImage().MultiZoneSetting = {1, 1};
    Main().PostMessage(id::kRefreshMainWindow);
    loop_.DrainPosted();
    EXPECT_EQ(Text(id::kZone2VolumeReadout), "FIX");
    EXPECT_FALSE(Enabled(id::kZone2VolumeSlider));
    EXPECT_FALSE(win::user::MousePress(Main(), id::kZone2VolumeUp));
    // Even a press that reached the window (ZONE2 OUT "FIX") neither steps nor repeats.
    Main().SendMessage(win::WM_LBUTTONDOWN, id::kZone2VolumeUp, 0);
    EXPECT_FALSE(Main().ZoneControls().Repeating());
    Advance(1000);
    EXPECT_EQ(Zone(mz::kZone2Volume), 81);
    EXPECT_EQ(Text(id::kZone2VolumeReadout), "FIX");
}

TEST_F(MainZoneControlsTest, MutesLockTheirVolumeControlsAndStopAHeldButton) {
    Start();
    ASSERT_TRUE(win::user::MousePress(Main(), id::kMainVolumeUp));
    ASSERT_TRUE(win::user::Click(Main(), id::kMainMuteCheck));
    EXPECT_EQ(Zone(mz::kMainMute), 1);
    for (int control : {id::kMainVolumeSlider, id::kMainVolumeUp, id::kMainVolumeDown}) {
        EXPECT_FALSE(Enabled(control)) << control;
    }
    // The button went dead under the mouse: the volume no longer moves.
    Advance(1000);
    EXPECT_EQ(Zone(mz::kMainVolume), 82);
    EXPECT_FALSE(Main().ZoneControls().Repeating());
    ASSERT_TRUE(win::user::Click(Main(), id::kMainMuteCheck));
    EXPECT_TRUE(Enabled(id::kMainVolumeUp));

    ASSERT_TRUE(win::user::Click(Main(), id::kZone2MuteCheck));
    EXPECT_FALSE(Enabled(id::kZone2VolumeSlider));
    EXPECT_FALSE(Enabled(id::kZone2VolumeDown));
    EXPECT_TRUE(Enabled(id::kMainVolumeSlider));
    ASSERT_TRUE(win::user::Click(Main(), id::kZone2MuteCheck));
    EXPECT_TRUE(Enabled(id::kZone2VolumeSlider));
}

TEST_F(MainZoneControlsTest, MultiChannelInputLocksTheProgramControlsAndHidesTheirPanels) {
    Start();
    CountingPanel* parameters = OpenPanel(0x900C);
    CountingPanel* inputDsp = OpenPanel(0x900D);
    ASSERT_TRUE(win::user::Click(Main(), id::kMultiChannelCheck));
    EXPECT_EQ(Text(id::kProgramReadout), "Not Available");
    for (int control :
         {id::kInputModeCombo, id::kExEsCombo, id::kInputDspButton, id::kParameterButton}) {
        EXPECT_FALSE(Enabled(control)) << control;
    }
    EXPECT_FALSE(parameters->IsWindowVisible());
    EXPECT_FALSE(inputDsp->IsWindowVisible());
    EXPECT_TRUE(Main().Panels().IsOpen(PanelTable::IndexForRefresh(0x900C)));

    // Off again: the panels come back instead of staying out of reach.
    ASSERT_TRUE(win::user::Click(Main(), id::kMultiChannelCheck));
    EXPECT_EQ(Text(id::kProgramReadout), "Sci-Fi");
    EXPECT_TRUE(Enabled(id::kExEsCombo));
    EXPECT_TRUE(Enabled(id::kInputModeCombo));
    EXPECT_TRUE(parameters->IsWindowVisible());
    EXPECT_TRUE(inputDsp->IsWindowVisible());

    // The tuner has no input mode.
    ASSERT_TRUE(win::user::PickComboItem(Main(), id::kMainInputCombo, input_index::kTuner));
    EXPECT_FALSE(Enabled(id::kInputModeCombo));
}

TEST_F(MainZoneControlsTest, ChoosingTheSameInputRefreshesTheProgramButSendsNothing) {
    StartRealtime();
    CountingPanel* parameters = OpenPanel(0x900C);
    CountingPanel* inputDsp = OpenPanel(0x900D);
    CountingPanel* display = OpenPanel(0x900A);
    loop_.DrainPosted();
    parameters->refreshes = inputDsp->refreshes = display->refreshes = 0;
    EditorImage().SetInputProgramByte(5, 0x9D);
    const std::size_t written = port_->Written().size();

    ASSERT_TRUE(win::user::PickComboItem(Main(), id::kMainInputCombo, 5));
    EXPECT_EQ(port_->Written().size(), written);
    loop_.DrainPosted();
    EXPECT_EQ(Text(id::kProgramReadout), "STRAIGHT");
    EXPECT_EQ(Zone(mz::kCurrentProgram), 0x9D);  // flag bit kept
    EXPECT_EQ(parameters->refreshes, 1);
    EXPECT_EQ(inputDsp->refreshes, 1);
    EXPECT_EQ(display->refreshes, 0);

    // On Screen tells the DISPLAY SET panel.
    ASSERT_TRUE(win::user::PickComboItem(Main(), id::kOnScreenCombo, 0));
    loop_.DrainPosted();
    EXPECT_EQ(display->refreshes, 1);
}

}  // namespace
}  // namespace tra1::testing
