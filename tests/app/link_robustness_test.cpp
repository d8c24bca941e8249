// The whole main window on a line that misbehaves: bytes damaged at a rate, a device that
// answers everything with a report that answers nothing, a port that will not take what is
// written; and a program change whose program byte carries the effect-off flag.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/panel_table.h"
#include "model/command_frame_builder.h"
#include "panels/dsp_parameter_dlg.h"
#include "panels/eq_control_dlg.h"
#include "platform/win/combo_box.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace id = main_window;

constexpr int kMenuShowDspParameter = 32782;
constexpr int kMenuShowGraphicEq = 32771;
// The GRAPHIC EQ shows channel record 0 when it opens; band column 2 is byte 3.
constexpr int kEqBandSlider = CEQCONTROLDlg::kBands.at(2).slider;
constexpr std::size_t kEqByte = CEQCONTROLDlg::kBands.at(2).offset;

// Answers every frame it hears with the same report, one that answers no command.
class ChatteringDevice final : public serial::FarEnd {
public:
    std::vector<serial::LineSegment> Receive(std::string_view bytes) override {
        std::vector<serial::LineSegment> out;
        for (const char c : bytes) {
            if (c == '\x03') {
                ++framesHeard;
                out.push_back(
                    {"\x02"
                     "00FF00\x03",
                     0});
            }
        }
        return out;
    }
    int framesHeard = 0;
};

// The virtual receiver behind a line that puts, in the same batch before each of its answers, a
// NUL and then a copy of the answer with a NUL where a byte was (a space or a digit with bits
// flipped) and a value changed after it, which must never be decoded.
class NulSpoilingLine final : public serial::FarEnd {
public:
    explicit NulSpoilingLine(serial::FarEnd& receiver) : receiver_(receiver) {}

    std::vector<serial::LineSegment> Receive(std::string_view bytes) override {
        std::vector<serial::LineSegment> out = receiver_.Receive(bytes);
        for (serial::LineSegment& segment : out) {
            const std::size_t end = segment.bytes.find('\x03');
            if (end == std::string::npos || end < 4) {
                continue;
            }
            std::string spoilt = segment.bytes.substr(0, end + 1);
            spoilt[2] = '\0';
            spoilt[end - 3] = spoilt[end - 3] == '1' ? '2' : '1';
            segment.bytes = std::string(1, '\0') + spoilt + segment.bytes;
            ++answersSpoilt;
        }
        return out;
    }
    int answersSpoilt = 0;

private:
    serial::FarEnd& receiver_;
};

class LinkRobustnessTest : public EditorFixture {
protected:
    LinkRobustnessTest() { portSwitch_.Wire(3, receiver_); }

    void EnterRealtime() {
        ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuRealtime));
        ASSERT_TRUE(State().realtimeMode);
    }

    sim::VirtualReceiver receiver_;
};

// One byte in a hundred damaged, both ways: the link stays up, in both control modes, and never
// asks the user about a model.
TEST_F(LinkRobustnessTest, OneByteInAHundredDamagedNeitherStopsTheLinkNorOpensABox) {
    Start();
    ConnectTo(3);
    receiver_.Faults().corruptRate = 0.01;
    receiver_.Faults().seed = 9;
    int fallbacks = 0;
    int lastIcon = ConnectionIcon();
    const auto watch = [&](std::int64_t ms) {
        for (std::int64_t t = 0; t < ms; t += 100) {
            Advance(100);
            const int icon = ConnectionIcon();
            fallbacks += icon == res::kIconNotConnected && lastIcon != icon ? 1 : 0;
            lastIcon = icon;
        }
    };
    watch(10 * 60 * 1000);
    EXPECT_EQ(ConnectionIcon(), res::kIconConnectedAsync);
    EnterRealtime();
    watch(10 * 60 * 1000);
    EXPECT_EQ(ConnectionIcon(), res::kIconConnectedRealtime);
    EXPECT_EQ(fallbacks, 0);
    EXPECT_TRUE(prompter_.Boxes().empty());
    EXPECT_EQ(State().openPort, 3);
    // The line really was noisy.
    EXPECT_GT(receiver_.FaultsDone().bytesCorruptedSent, 1000u);
    EXPECT_GT(receiver_.FaultsDone().bytesCorruptedHeard, 100u);
}

// A device that answers every frame with an unrelated report is not a receiver: its reports do
// not answer the status request, so the five sends run out and the search moves on.
TEST_F(LinkRobustnessTest, ReportsThatAnswerNothingLetTheSearchMoveOn) {
    ChatteringDevice chatter;
    portSwitch_.Wire(1, chatter);
    Start();
    TickDisplayLog();
    ChoosePort(0);
    ClickConnect();
    ASSERT_EQ(State().searchPort, 1);
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return State().searchPort >= 2; }, 10'000));
    // Two greeting frames and five status requests, each answered with the report.
    EXPECT_EQ(chatter.framesHeard, 7);
    EXPECT_EQ(CountInLog("(TR-X) Report  00FF00"), 7);
    // The receiver on COM3 is found.
    prompter_.QueueAnswer(win::Answer::kOk);
    ASSERT_TRUE(loop_.AdvanceUntil(
        [this] { return ConnectionIcon() == res::kIconConnectedAsync && State().echoGuard == 0; },
        20'000));
    EXPECT_EQ(State().openPort, 3);
    EXPECT_EQ(prompter_.BoxTexts(),
              std::vector<std::string>{"Auto Device Finder found TR-A1.\r\nPort : Com 3\r\n\r\n"});
}

// The same device on a chosen port: the editor falls back to "not connected" after five sends,
// as with a silent receiver.
TEST_F(LinkRobustnessTest, ReportsThatAnswerNothingDoNotKeepAChosenPortConnected) {
    ChatteringDevice chatter;
    portSwitch_.Wire(4, chatter);
    Start();
    ChoosePort(4);
    ClickConnect();
    Advance(10'000);
    EXPECT_EQ(ConnectionIcon(), res::kIconNotConnected);
    EXPECT_FALSE(TransferControlsEnabled());
    EXPECT_EQ(prompter_.BoxTexts(),
              std::vector<std::string>{
                  "COM Port : 4\r\nNo answer from the receiver.\r\nPlease check connection."});
}

// A program byte with the effect-off flag: choosing another program on the DSP PARAMETER panel
// keeps the flag in the image and sends the program itself (command 20 with the index).
TEST_F(LinkRobustnessTest, AProgramChangeWithTheEffectOffFlagSendsTheProgram) {
    Start();
    TickDisplayLog();
    ConnectTo(3);
    EnterRealtime();
    const int input = EditorImage().MainZoneState[main_zone::kMainInput];
    EditorImage().SetInputProgramByte(input, program_byte::kEffectOffFlag | 3);
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), kMenuShowDspParameter));
    loop_.DrainPosted();
    auto* dsp = dynamic_cast<CDSPPARAMETERDlg*>(
        Main().Panels().Window(PanelTable::IndexForCommand(kMenuShowDspParameter)));
    ASSERT_NE(dsp, nullptr);

    const std::size_t written = port_->Written().size();
    ASSERT_TRUE(win::user::PickComboItem(*dsp, CDSPPARAMETERDlg::kProgramCombo, 7));
    loop_.DrainPosted();
    EXPECT_EQ(EditorImage().InputProgramByte(input), program_byte::kEffectOffFlag | 7);
    CommandFrameBuilder frames;
    const std::string programFrame(frames.BuildCommandFrame(command::kProgram, 7));
    ASSERT_EQ(programFrame.size(), 7u);
    EXPECT_NE(port_->Written().find(programFrame, written), std::string::npos);
    EXPECT_EQ(CountInLog("(PC) EX  \r\n"), 0);
    Advance(2'000);
    EXPECT_EQ(ReceiverImage::ProgramOf(receiver_.Image().MainZoneState[main_zone::kCurrentProgram]),
              7);
}

// Frames the port does not take are logged as not sent, with the system's reason, and a queued
// one is not left waiting for an answer; a port that keeps failing is closed and reported once.
TEST_F(LinkRobustnessTest, FramesThePortDoesNotTakeAreLoggedAndAFailingPortIsClosed) {
    Start();
    ConnectTo(3);  // "DisplayLog" stays off: failures are logged all the same
    const int requests = StatusRequestsWritten();
    port_->FailNextWrites(CRS232CDlg::kWriteAttempts);  // every attempt of one frame
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return CountInLog("not sent") > 0; }, 3'000));
    EXPECT_EQ(CountInLog("(PC)--> \x11"
                         "000\x03  -- not sent: Input/output error\r\n"),
              1);
    EXPECT_EQ(State().waiting, 0);
    // The pump sends it again on its next round, not after a reply time-out.
    const std::int64_t failedAt = clock_.NowMs();
    ASSERT_TRUE(loop_.AdvanceUntil([&] { return StatusRequestsWritten() > requests; }, 3'000));
    EXPECT_LE(clock_.NowMs() - failedAt, CommandSender::kQueuePumpMs + 10);
    EXPECT_EQ(State().retryCount, 0);
    Advance(3'000);
    EXPECT_EQ(ConnectionIcon(), res::kIconConnectedAsync);
    EXPECT_TRUE(prompter_.Boxes().empty());

    // Immediate sends in realtime mode are logged the same way.
    EnterRealtime();
    port_->FailNextWrites(CRS232CDlg::kWriteAttempts);
    ASSERT_TRUE(win::user::Click(Main(), id::kMainMuteCheck));
    EXPECT_EQ(CountInLog("  -- not sent: Input/output error\r\n"), 2);

    // A port that takes nothing any more.
    port_->FailNextWrites(1'000'000);
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return !prompter_.Boxes().empty(); }, 20'000));
    Advance(5'000);
    EXPECT_EQ(prompter_.BoxTexts(),
              std::vector<std::string>{"COM Port : 3\r\nThe port does not take what is sent: "
                                       "Input/output error.\r\nThe connection was closed."});
    EXPECT_EQ(State().openPort, 0);
    EXPECT_FALSE(port_->IsOpen());
    EXPECT_FALSE(State().realtimeMode);
    EXPECT_EQ(ConnectionIcon(), res::kIconNotConnected);
    EXPECT_FALSE(TransferControlsEnabled());
}

// The receiver refuses a change made on a panel: the log names the function and the status and
// says the change was not made, the value is asked for again, and the panel ends up showing what
// the receiver holds. Refused requests of the poll are no refused changes.
TEST_F(LinkRobustnessTest, AChangeTheReceiverRefusesIsReportedAndItsValueAskedForAgain) {
    Start();
    ConnectTo(3);
    EnterRealtime();
    receiver_.Image().EqSettings.at(kEqByte) = 7;
    ASSERT_TRUE(
        loop_.AdvanceUntil([this] { return EditorImage().EqSettings.at(kEqByte) == 7; }, 60'000));
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), kMenuShowGraphicEq));
    loop_.DrainPosted();
    auto* eq = dynamic_cast<CEQCONTROLDlg*>(
        Main().Panels().Window(PanelTable::IndexForCommand(kMenuShowGraphicEq)));
    ASSERT_NE(eq, nullptr);
    receiver_.Faults().writeStatus = '5';

    const std::size_t written = port_->Written().size();
    ASSERT_TRUE(win::user::ReleaseSlider(*eq, kEqBandSlider, CEQCONTROLDlg::kMaxPosition - 20));
    ASSERT_EQ(EditorImage().EqSettings.at(kEqByte), 20);
    ASSERT_TRUE(
        loop_.AdvanceUntil([this] { return CountInLog("Refused by the receiver") > 0; }, 3'000));
    EXPECT_EQ(CountInLog("Refused by the receiver: function 267 (030), status 5. The change was "
                         "not made; its value is asked for again.\r\n"),
              1);
    // The status line says it too.
    loop_.DrainPosted();
    const std::string status = Main().GetDlgItemText(main_window::kStatusLine);
    EXPECT_NE(status.find("Change refused by the receiver (function 267)"), std::string::npos)
        << status;
    // The request for the same band went out after the write.
    CommandFrameBuilder frames;
    const std::string request(frames.BuildExtendedFrame(
        extended_function::kEqBand, extended_function::kRequest, 0, static_cast<int>(kEqByte)));
    const std::size_t writeAt = port_->Written().find('\x14', written);
    ASSERT_NE(writeAt, std::string::npos);
    EXPECT_NE(port_->Written().find(request, writeAt + 1), std::string::npos);
    // The image and the panel come back to the receiver's value.
    ASSERT_TRUE(loop_.AdvanceUntil(
        [&] {
            const auto* slider = eq->Get<win::Slider>(kEqBandSlider);
            return EditorImage().EqSettings.at(kEqByte) == 7 && slider != nullptr &&
                   slider->GetPos() == CEQCONTROLDlg::kMaxPosition - 7;
        },
        10'000));
    EXPECT_EQ(receiver_.Image().EqSettings.at(kEqByte), 7);

    // Requests refused: nothing was changed, so nothing is reported as a refused change.
    receiver_.Faults().writeStatus = '0';
    receiver_.Faults().extendedStatus = '5';
    Advance(20'000);
    EXPECT_EQ(CountInLog("Refused by the receiver"), 1);
}

// A NUL costs only the frame it falls in: with a NUL and a spoilt copy before every answer in
// the same batch, the editor still finds the receiver, and in realtime mode and in an Upload
// takes every answer after them, and nothing of the spoilt copies.
TEST_F(LinkRobustnessTest, ANulBeforeAGoodAnswerInTheSameBatchLosesOnlyItsOwnFrame) {
    NulSpoilingLine line(receiver_);
    portSwitch_.Wire(3, line);
    receiver_.Image().EqSettings.at(kEqByte) = 7;
    receiver_.Image().SetInputName(2, "RADIO");
    Start();
    ConnectTo(3);
    EXPECT_GT(line.answersSpoilt, 0);

    ASSERT_TRUE(win::user::Click(Main(), id::kCurrentSettingRadio));
    ASSERT_TRUE(win::user::Click(Main(), id::kUploadButton));
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return State().uploadInProgress == 0; }, 3'600'000));
    loop_.DrainPosted();
    EXPECT_TRUE(prompter_.Boxes().empty()) << ::testing::PrintToString(prompter_.BoxTexts());
    // The receiver answers a name blank-padded.
    EXPECT_EQ(EditorImage().InputName(2), "RADIO   ");
    EXPECT_EQ(EditorImage().EqSettings, receiver_.Image().EqSettings);
    EXPECT_EQ(EditorImage().InputTrims, receiver_.Image().InputTrims);

    EnterRealtime();
    receiver_.Image().EqSettings.at(kEqByte) = 9;
    EXPECT_TRUE(
        loop_.AdvanceUntil([this] { return EditorImage().EqSettings.at(kEqByte) == 9; }, 60'000));
}

}  // namespace
}  // namespace tra1::testing
