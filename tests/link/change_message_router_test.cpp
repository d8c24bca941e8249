// The main window's change-message handlers, checked by the frames that reach the line: what
// each mode sends, the hold reset, link busy around the level sends, and the encodings of the
// display shifts, the tuner preset, the DC triggers and the DSP parameters.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "link/change_message_router.h"
#include "link/command_sender.h"
#include "link/crs232c_dlg.h"
#include "link/frame_assembler.h"
#include "link/frame_sink.h"
#include "link/link_state.h"
#include "link/protocol_log.h"
#include "model/command_frame_builder.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "platform/serial/far_end.h"
#include "platform/serial/in_memory_serial_port.h"
#include "platform/win/event_loop.h"
#include "platform/win/virtual_clock.h"
#include "platform/win/window.h"
#include "sim/win_line_clock.h"

namespace tra1 {
namespace {

namespace cm = change_message;

// A receiver that says nothing and notes each frame with the link-busy flag of that moment.
class SilentFarEnd final : public serial::FarEnd {
public:
    explicit SilentFarEnd(const LinkState& state) : state_(state) {}
    std::vector<serial::LineSegment> Receive(std::string_view bytes) override {
        frames.emplace_back(bytes);
        busy.push_back(state_.linkBusy);
        return {};
    }
    std::vector<std::string> frames;
    std::vector<int> busy;

private:
    const LinkState& state_;
};

class NoFrames final : public FrameSink {
public:
    void OnConfigurationFrame(std::string_view) override {}
    void OnReportFrame(std::string_view) override {}
    void OnExtendedReply(std::string_view) override {}
};

class NoSenderHost final : public CommandSenderHost {
public:
    void SearchPort(int) override {}
    void ShowReceiverGone() override {}
    void ReplyGivenUp() override {}
    void UploadStep() override {}
    void DownloadStep() override {}
    void RealtimeStep() override {}
};

// The main window's side: two open panels' hold counters, and what it was asked to show.
class MainWindowHost final : public ChangeMessageHost {
public:
    void ResetPanelHolds() override {
        for (int& hold : holds) {
            hold = 0;
        }
        ++holdResets;
    }
    void ShowProgram() override { ++programShown; }
    void ShowZone2Controls() override { ++zone2Shown; }

    std::vector<int> holds{36, 80};
    int holdResets = 0;
    int programShown = 0;
    int zone2Shown = 0;
};

class ChangeMessageRouterTest : public ::testing::Test {
protected:
    ChangeMessageRouterTest() {
        image_.ResetToDefaults(profile_);
        main_.CreateHidden();
        rs232c_.Create(main_.Handle());
        rs232c_.SetLinkState(kOpenPortSlot, 3);
        rs232c_.OpenPort();
        state_.realtimeMode = true;
    }

    std::vector<std::string>& Written() { return farEnd_.frames; }
    std::string Command(int number, int value) {
        return std::string(expected_.BuildCommandFrame(number, value));
    }
    std::string Extended(int function, int p1 = 0, int p2 = 0, int p3 = 0, int p4 = 0, int p5 = 0,
                         int p6 = 0, std::string_view text = {}) {
        return std::string(expected_.BuildExtendedFrame(function, 1, p1, p2, p3, p4, p5, p6, text));
    }
    // The frames one message sends.
    std::vector<std::string> Send(win::Msg msg, win::WParam w = 0, win::LParam l = 0) {
        Written().clear();
        router_.Handle(msg, w, l);
        return Written();
    }

    win::VirtualClock clock_;
    win::EventLoop loop_{clock_};
    ReceiverImage image_;
    ModelProfile profile_;
    CommandFrameBuilder expected_;
    LinkState state_;
    SilentFarEnd farEnd_{state_};
    sim::WinLineClock lineClock_{clock_};
    serial::InMemorySerialPort port_{lineClock_, farEnd_};
    win::Window main_{loop_};
    CRS232CDlg rs232c_{loop_, state_, port_};
    ProtocolLog log_;
    NoFrames sink_;
    FrameAssembler assembler_{sink_};
    NoSenderHost senderHost_;
    CommandFrameBuilder frames_;
    CommandSender sender_{main_, rs232c_, frames_, state_, log_, assembler_, senderHost_};
    MainWindowHost host_;
    ChangeMessageRouter router_{image_, profile_, state_, sender_, host_};
};

using Frames = std::vector<std::string>;

TEST_F(ChangeMessageRouterTest, AsynchronousChangesSendNothingAndResetEveryHold) {
    state_.realtimeMode = false;
    const std::vector<win::Msg> resetting{
        cm::kSpeakerLevel,    cm::kLfeLevel,        cm::kDynamicRange, cm::kSpeakerSet,
        cm::kDelay,           cm::kInputMode,       cm::kDisplaySet,   cm::kMultiZone,
        cm::kMainInput,       cm::kProgram,         cm::kDialogLift,   cm::kThxSet,
        cm::kVideoProcessor,  cm::kSpeakerDistance, cm::kInputRename,  cm::kGraphicEq,
        cm::kGraphicEqOption, cm::kIoAssign,        cm::kTuner,        cm::kDspParameter,
        cm::kToneControl,     cm::kCinemaEq};
    for (const win::Msg msg : resetting) {
        state_.decodeSkipCount = 3;
        host_.holds = {36, 80};
        EXPECT_EQ(Send(msg, 3), Frames{}) << std::hex << msg;
        EXPECT_EQ(state_.decodeSkipCount, 0) << std::hex << msg;
        EXPECT_EQ(host_.holds, (std::vector<int>{0, 0})) << std::hex << msg;
    }
    EXPECT_EQ(host_.holdResets, static_cast<int>(resetting.size()));

    // DC TRIGGER does nothing at all; INPUT TRIM tries its write (the sender holds it back in
    // asynchronous mode) and leaves the holds running; the hidden controls' messages do nothing.
    state_.decodeSkipCount = 3;
    host_.holds = {36, 80};
    for (const win::Msg msg :
         {cm::kDcTrigger, cm::kInputTrim, cm::kSpeakerLevelHidden, cm::kExternalInput}) {
        EXPECT_EQ(Send(msg, 1, 0x801), Frames{}) << std::hex << msg;
    }
    EXPECT_EQ(state_.decodeSkipCount, 3);
    EXPECT_EQ(host_.holds, (std::vector<int>{36, 80}));

    // Zone 2's controls follow in both modes.
    EXPECT_EQ(host_.zone2Shown, 1);
}

TEST_F(ChangeMessageRouterTest, LevelSendsHoldTheLinkWhileTheyGoOut) {
    image_.SpeakerLevels[3] = 47;
    EXPECT_EQ(Send(cm::kSpeakerLevel, 3), Frames{Command(56, 47)});
    EXPECT_EQ(farEnd_.busy, std::vector<int>{1});
    EXPECT_EQ(state_.linkBusy, 0);

    image_.LfeDrange = {10, 11, 1, 2};
    EXPECT_EQ(Send(cm::kLfeLevel, 1), Frames{Command(65, 11)});
    EXPECT_EQ(farEnd_.busy.back(), 1);
    // The dynamic range goes without holding the link.
    EXPECT_EQ(Send(cm::kDynamicRange, 1), Frames{Command(82, 2)});
    EXPECT_EQ(farEnd_.busy.back(), 0);

    // Channels and items that do not exist select nothing.
    EXPECT_EQ(Send(cm::kSpeakerLevel, 11), Frames{});
    EXPECT_EQ(Send(cm::kLfeLevel, 2), Frames{});
    EXPECT_EQ(state_.decodeSkipCount, 0);
    EXPECT_EQ(host_.holdResets, 0);
}

TEST_F(ChangeMessageRouterTest, DisplayShiftsTravelTogether) {
    image_.DisplaySettings[display_layout::kOsdShiftH] = 5;
    image_.DisplaySettings[display_layout::kOsdShiftV] = 1;
    const Frames shift{
        std::string("\x02"
                    "26215\x03")};
    EXPECT_EQ(Send(cm::kDisplaySet, 2), shift);
    EXPECT_EQ(Send(cm::kDisplaySet, 1), shift);
    EXPECT_EQ(Send(cm::kDisplaySet, 7), Frames{});
}

TEST_F(ChangeMessageRouterTest, TunerPresetSwitchesToTheTunerFirst) {
    image_.MainZoneState[main_zone::kMainInput] = input_index::kCd;
    image_.SetTunerPreset(8 * 2 + 3, tuner_presets::kBandFm, 102);  // page C, preset 3
    EXPECT_EQ(Send(cm::kTuner, 3, 3),
              (Frames{Command(2, 2), Extended(274, 3, 3, 1, 0, 0, 0, "087.50")}));

    // On the tuner already, the current station alone; its number goes as 0.
    image_.MainZoneState[main_zone::kMainInput] = input_index::kTuner;
    image_.SetTunerPreset(0, tuner_presets::kBandAm, 118);
    EXPECT_EQ(Send(cm::kTuner, 0, 1), (Frames{Extended(274, 0, 0, 0, 0, 0, 0, "000530")}));

    // A page or a preset that does not exist: nothing, not even the input switch.
    EXPECT_EQ(Send(cm::kTuner, 6, 1), Frames{});
    EXPECT_EQ(Send(cm::kTuner, 2, 9), Frames{});
}

TEST_F(ChangeMessageRouterTest, DspParameterSlotsTakeTheReceiversNumbering) {
    const int program = 4;
    const int code = ModelProfile::ProgramCode(program);
    image_.SetDspParameter(program, 41, 3);
    EXPECT_EQ(Send(cm::kDspParameter, program, 41), Frames{Extended(265, code, 27, 1, 3)});
    image_.SetDspParameter(program, 27, 2);
    EXPECT_EQ(Send(cm::kDspParameter, program, 27), Frames{Extended(265, code, 27, 1, 4)});
    image_.SetDspParameter(program, 27, 3);
    EXPECT_EQ(Send(cm::kDspParameter, program, 27), Frames{Extended(265, code, 27, 1, 6)});

    struct Row {
        int slot, parameter, subDigit;
    };
    for (const Row row : {Row{5, 5, 4}, Row{8, 8, 7}, Row{10, 10, 7}, Row{30, 4, 4}, Row{31, 4, 3},
                          Row{32, 5, 1}, Row{34, 5, 7}, Row{36, 6, 4}, Row{38, 7, 1}, Row{40, 7, 7},
                          Row{12, 12, 1}, Row{0, 0, 1}}) {
        const DspParameterSend send = ChangeMessageRouter::EncodeDspParameter(row.slot, 9);
        EXPECT_EQ(send.parameter, row.parameter) << row.slot;
        EXPECT_EQ(send.subDigit, row.subDigit) << row.slot;
        EXPECT_EQ(send.value, 9) << row.slot;
    }

    EXPECT_EQ(Send(cm::kDspParameter, 38, 0), Frames{});
    EXPECT_EQ(Send(cm::kDspParameter, 0, 42), Frames{});
}

TEST_F(ChangeMessageRouterTest, DcTriggerDecodesItsParameter) {
    image_.DcTrigger1[dc_trigger::kMode] = 2;
    image_.DcTrigger2[dc_trigger::kMode] = 1;
    EXPECT_EQ(Send(cm::kDcTrigger, 0, 0), Frames{Command(35, 2)});
    EXPECT_EQ(Send(cm::kDcTrigger, 1, 0), Frames{Command(40, 1)});

    // The multi-channel switch carries its value itself.
    EXPECT_EQ(Send(cm::kDcTrigger, 0, 0x801), Frames{Extended(271, 0, 0, 13, 1)});

    // ZONE 2 of DVR (input 11) on trigger 2; ZONE 3 of input 2 on trigger 1; ZONE 1 of input 0.
    image_.DcTrigger2[dc_trigger::kZone2Row + 11] = 1;
    EXPECT_EQ(Send(cm::kDcTrigger, 1, 0x8C), Frames{Extended(271, 1, 1, 11, 1)});
    image_.DcTrigger1[dc_trigger::kZone3Row + 2] = 1;
    EXPECT_EQ(Send(cm::kDcTrigger, 0, 0x103), Frames{Extended(271, 0, 2, 2, 1)});
    image_.DcTrigger1[dc_trigger::kZone1Row] = 0;
    EXPECT_EQ(Send(cm::kDcTrigger, 0, 0x01), Frames{Extended(271, 0, 0, 0, 0)});

    // Item 0 names no input, and there is no third trigger.
    EXPECT_EQ(Send(cm::kDcTrigger, 0, 0x80), Frames{});
    EXPECT_EQ(Send(cm::kDcTrigger, 0, 0x100), Frames{});
    EXPECT_EQ(Send(cm::kDcTrigger, 2, 0), Frames{});
}

TEST_F(ChangeMessageRouterTest, OtherEncodingsReadTheImageBack) {
    namespace ss = speaker_setup;
    image_.SpeakerSetup[ss::kSubwooferConfig] = 1;
    image_.SpeakerSetup[ss::kPhase] = 1;
    EXPECT_EQ(Send(cm::kSpeakerSet, 6), Frames{Command(96, 5)});
    image_.SpeakerSetup[ss::kPhase] = 0;
    EXPECT_EQ(Send(cm::kSpeakerSet, 6), Frames{Command(96, 1)});
    EXPECT_EQ(Send(cm::kSpeakerSet, 7), Frames{});

    // The program command, or the effect-off command for a flagged program.
    image_.MainZoneState[main_zone::kCurrentProgram] = 0x85;
    EXPECT_EQ(Send(cm::kProgram, 1), Frames{Command(19, 0)});
    image_.MainZoneState[main_zone::kCurrentProgram] = 0x05;
    EXPECT_EQ(Send(cm::kProgram, 1), Frames{Command(20, 0x05)});

    // The picture mode's record; a picture mode beyond the three records sends nothing.
    image_.VideoSettings[video_layout::kPictureMode] = 2;
    for (int i = 0; i < 5; ++i) {
        image_.PictureModeAdjust[30 + i] = static_cast<std::uint8_t>(i + 1);
    }
    EXPECT_EQ(Send(cm::kVideoProcessor, 273), Frames{Extended(273, 2, 1, 2, 3, 4, 5)});
    image_.VideoSettings[video_layout::kPictureMode] = 3;
    EXPECT_EQ(Send(cm::kVideoProcessor, 273), Frames{});
    EXPECT_EQ(Send(cm::kVideoProcessor, 74, 1), Frames{Command(74, 1)});

    // Names beyond the model's inputs go to its multi-channel input.
    image_.SetInputName(14, "SIX CH");
    EXPECT_EQ(Send(cm::kInputRename, 14), Frames{Extended(261, 13, 0, 0, 0, 0, 0, "SIX CH")});

    // Graphic EQ table 1 and CINEMA EQ record 4 do not exist: nothing, and the handler says 0.
    Written().clear();
    EXPECT_EQ(router_.Handle(cm::kGraphicEq, 1, 0), 0);
    EXPECT_EQ(router_.Handle(cm::kCinemaEq, 4, 0), 0);
    EXPECT_EQ(Written(), Frames{});
    image_.EqSettings[13 * 9 + 12] = 7;
    EXPECT_EQ(Send(cm::kGraphicEq, 9, 12), Frames{Extended(267, 9, 12, 7)});
    EXPECT_EQ(Send(cm::kGraphicEq, 9, 13), Frames{});

    // Messages that are not the router's are left to the window.
    EXPECT_FALSE(router_.Handle(0xA006, 0, 0).has_value());
    EXPECT_FALSE(router_.Handle(0xA200, 0, 0).has_value());
}

TEST_F(ChangeMessageRouterTest, MainWindowRefreshTakesTheMainInputsProgramWithItsFlag) {
    for (const bool realtime : {true, false}) {
        state_.realtimeMode = realtime;
        image_.MainZoneState[main_zone::kMainInput] = input_index::kCable;
        image_.SetInputProgramByte(input_index::kCable, 0x9D);
        EXPECT_EQ(Send(cm::kRefreshMainWindow), Frames{});
        EXPECT_EQ(image_.MainZoneState[main_zone::kCurrentProgram], 0x9D);
    }
    EXPECT_EQ(host_.programShown, 2);
    EXPECT_EQ(host_.holdResets, 0);

    // A main input outside the map gives program 0 rather than a byte past it.
    image_.MainZoneState[main_zone::kMainInput] = 200;
    router_.Handle(cm::kRefreshMainWindow, 0, 0);
    EXPECT_EQ(image_.MainZoneState[main_zone::kCurrentProgram], 0);
}

}  // namespace
}  // namespace tra1
