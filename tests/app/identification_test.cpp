// Identification of the receiver by the whole main window on the virtual clock, when the line or
// the receiver does not say what a TR-A1 says: model codes damaged on the line, another model in
// a configuration file, short configuration frames, a port that hangs up while the
// identification box is open, and connecting again after a refused model.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/configuration_file.h"
#include "platform/win/user_input.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace id = main_window;

const std::string kMismatchTrB2 =
    "Model mismatched.\r\nTolvek Receiver Editor found TR-B2.\r\nPort : Com 3\r\n\r\n";
const std::string kSorry = "Sorry, this version doesn't support this model.";

// A receiver whose configuration frames the line or its firmware cuts short: each frame it
// sends is cut to `keep` characters after DC2, then closed with ETX.
class ShortFramesReceiver final : public serial::FarEnd {
public:
    explicit ShortFramesReceiver(sim::VirtualReceiver& receiver) : receiver_(receiver) {}

    std::vector<serial::LineSegment> Receive(std::string_view bytes) override {
        std::vector<serial::LineSegment> segments = receiver_.Receive(bytes);
        for (serial::LineSegment& segment : segments) {
            if (!segment.bytes.empty() && segment.bytes.front() == '\x12') {
                segment.bytes = segment.bytes.substr(0, 1 + keep) + '\x03';
            }
        }
        return segments;
    }

    std::size_t keep = 40;

private:
    sim::VirtualReceiver& receiver_;
};

class IdentificationTest : public EditorFixture {
protected:
    IdentificationTest() { portSwitch_.Wire(3, receiver_); }

    int ConfigurationLines() const { return CountInLog("(TR-X)   "); }
    // Lets the editor take in `count` more configuration frames.
    void AwaitConfigurationFrames(int count) {
        const int target = ConfigurationLines() + count;
        ASSERT_TRUE(loop_.AdvanceUntil([&] { return ConfigurationLines() >= target; }, 20'000));
    }
    void OpenFileWithModelByte(std::uint8_t modelByte) {
        const std::string path =
            (std::filesystem::path(::testing::TempDir()) / "other-model.tcf").string();
        {
            auto file = DiskStorage().CreateForWriting(path);
            ASSERT_NE(file, nullptr);
            ReceiverImage image;
            ModelProfile profile;
            profile.SetModel(ModelProfile::kTrA1);
            image.ResetToDefaults(profile);
            ASSERT_TRUE(ConfigurationFile::Write(*file, image, modelByte).Ok());
            ASSERT_TRUE(file->Close());
        }
        prompter_.QueueAnswer(win::Answer::kNo);  // do not save the current configuration
        prompter_.QueueFile(path);
        ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuOpen));
        loop_.DrainPosted();
        std::filesystem::remove(path);
        prompter_.Clear();
        ASSERT_EQ(EditorProfile().Model(), modelByte > 8 ? ModelProfile::kUnknownModel : modelByte);
    }

    sim::VirtualReceiver receiver_;
};

TEST_F(IdentificationTest, AModelCodeDamagedOnTheLineIsNoiseAndOneOtherCodeAloneOpensNothing) {
    Start();
    TickDisplayLog();
    ConnectTo(3);
    const std::string whole = receiver_.ConfigurationFrame();

    // Frames whose model code is not of the receiver's form: a letter, a control byte, a DC2
    // that opens a frame inside another one, a fragment.
    std::string letter = whole;
    letter[3] = 'O';
    std::string control = whole;
    control[5] = '\x19';
    const std::string dc2Inside = "\x12R3\x12" + whole.substr(4);
    for (const std::string& frame : {letter, control, dc2Inside, std::string("\x12R31\x03")}) {
        port_->InjectFromFarEnd(frame);
        Advance(50);
    }
    // One frame with another model's code (one flipped bit makes R3109 the TR-B2's R3108).
    receiver_.SetReportedModelCode("R3108");
    AwaitConfigurationFrames(1);
    receiver_.SetModel(ModelProfile::kTrA1);
    Advance(5'000);
    EXPECT_TRUE(prompter_.Boxes().empty());
    EXPECT_EQ(ConnectionIcon(), res::kIconConnectedAsync);
    EXPECT_TRUE(TransferControlsEnabled());
    EXPECT_EQ(State().linkBusy, 0);
    // Every one was logged.
    EXPECT_NE(LogText().find("(TR-X)   R3O09"), std::string::npos);
    EXPECT_NE(LogText().find("(TR-X)   R31\r\n"), std::string::npos);

    // Frames in a row: the receiver really is another model. Having said it is a TR-A1 on
    // this connection, it takes three of them.
    receiver_.SetReportedModelCode("R3108");
    prompter_.QueueAnswer(win::Answer::kCancel);
    const int before = ConfigurationLines();
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return !prompter_.Boxes().empty(); }, 10'000));
    EXPECT_EQ(ConfigurationLines(), before + 3);
    EXPECT_EQ(prompter_.BoxTexts(), std::vector<std::string>{kMismatchTrB2});
    EXPECT_EQ(State().openPort, 0);
}

// The editor edits the TR-A1 only, whatever model byte the file it opened last carried.
TEST_F(IdentificationTest, AnotherModelIsRefusedEvenAfterOpeningAFileOfThatModel) {
    Start();
    OpenFileWithModelByte(7);  // TR-B2
    receiver_.SetModel(7);
    ChoosePort(3);
    ClickConnect();
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return prompter_.Boxes().size() >= 2; }, 10'000));
    EXPECT_EQ(prompter_.BoxTexts(), (std::vector<std::string>{kMismatchTrB2, kSorry}));
    EXPECT_EQ(ConnectionIcon(), res::kIconNotConnected);
    EXPECT_FALSE(TransferControlsEnabled());
    Advance(5'000);  // the link idles: no more boxes, and nothing shows it connected
    EXPECT_EQ(prompter_.Boxes().size(), 2u);
    EXPECT_EQ(ConnectionIcon(), res::kIconNotConnected);
    EXPECT_FALSE(TransferControlsEnabled());
}

TEST_F(IdentificationTest, AnUnknownCodeIsRefusedEvenAfterOpeningAFileOfUnknownModel) {
    Start();
    OpenFileWithModelByte(0xFF);
    receiver_.SetReportedModelCode("R9999");
    ChoosePort(3);
    ClickConnect();
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return prompter_.Boxes().size() >= 2; }, 10'000));
    EXPECT_EQ(prompter_.Boxes()[0].text,
              "Model mismatched.\r\nTolvek Receiver Editor found UNKNOWN.\r\nPort : Com 3\r\n\r\n");
    EXPECT_EQ(prompter_.Boxes()[1].text, kSorry);
    EXPECT_FALSE(TransferControlsEnabled());

    // A TR-A1 after all: accepted, and the image is the TR-A1's again.
    receiver_.SetModel(ModelProfile::kTrA1);
    ClickConnect();
    ASSERT_TRUE(loop_.AdvanceUntil(
        [this] { return ConnectionIcon() == res::kIconConnectedAsync && State().echoGuard == 0; },
        10'000));
    EXPECT_EQ(prompter_.Boxes().size(), 2u);
    EXPECT_TRUE(TransferControlsEnabled());
}

// A receiver whose configuration frames are too short to decode still identifies itself: a
// TR-A1 stays connected (its frames answer the status request), another model opens the
// identification box.
TEST_F(IdentificationTest, ShortPowerOnFramesTakePartInTheIdentification) {
    ShortFramesReceiver shortFrames(receiver_);
    portSwitch_.Wire(3, shortFrames);
    Start();
    TickDisplayLog();
    ConnectTo(3);
    receiver_.Image().MainZoneState[main_zone::kMainVolume] = 150;
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuRealtime));
    Advance(10'000);
    EXPECT_EQ(ConnectionIcon(), res::kIconConnectedRealtime);
    EXPECT_EQ(CountInLog("(Cmnd)   00FF"), 0);
    EXPECT_TRUE(prompter_.Boxes().empty());
    // The state in them is not decoded.
    EXPECT_NE(EditorImage().MainZoneState[main_zone::kMainVolume], 150);
    EXPECT_EQ(EditorImage().MainZoneState[main_zone::kPower], 1);

    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuAsynchronous));
    receiver_.SetModel(7);
    prompter_.QueueAnswer(win::Answer::kOk);
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return prompter_.Boxes().size() >= 2; }, 10'000));
    EXPECT_EQ(prompter_.BoxTexts(), (std::vector<std::string>{kMismatchTrB2, kSorry}));
}

TEST_F(IdentificationTest, ShortFramesOfAnotherModelOpenTheBoxWhenConnecting) {
    ShortFramesReceiver shortFrames(receiver_);
    shortFrames.keep = 17;  // the model code, the filler and the power digit
    portSwitch_.Wire(3, shortFrames);
    receiver_.SetModel(7);
    Start();
    ChoosePort(3);
    ClickConnect();
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return prompter_.Boxes().size() >= 2; }, 10'000));
    EXPECT_EQ(prompter_.BoxTexts(), (std::vector<std::string>{kMismatchTrB2, kSorry}));
}

// The port hangs up while the identification box waits for the user: OK then finds no port,
// and the editor does not show itself connected.
class PortLostDuringIdentificationTest : public IdentificationTest,
                                         public ::testing::WithParamInterface<bool> {};

TEST_P(PortLostDuringIdentificationTest, StaysDisconnectedAfterOk) {
    const bool search = GetParam();
    receiver_.SetModel(search ? ModelProfile::kTrA1 : 7);
    Start();
    prompter_.QueueAnswer(win::Answer::kOk, [this] {
        port_->HangUpFarEnd();
        Advance(50);  // the poll notices while the box is open
    });
    ChoosePort(search ? 0 : 3);
    ClickConnect();
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return !prompter_.Boxes().empty(); }, 20'000));
    Advance(2'000);
    EXPECT_EQ(prompter_.Boxes()[0].text.rfind(
                  search ? "Auto Device Finder found TR-A1." : "Model mismatched.", 0),
              0u);
    for (const std::string& text : prompter_.BoxTexts()) {
        EXPECT_NE(text, kSorry);
    }
    EXPECT_EQ(ConnectionIcon(), res::kIconNotConnected);
    EXPECT_FALSE(TransferControlsEnabled());
    EXPECT_EQ(State().openPort, 0);
    EXPECT_EQ(State().searchPort, 0);
    EXPECT_FALSE(port_->IsOpen());
}

INSTANTIATE_TEST_SUITE_P(SearchOrChosenPort, PortLostDuringIdentificationTest, ::testing::Bool());

TEST_F(IdentificationTest, ConnectAfterARefusedModelTriesThePortAgain) {
    receiver_.SetModel(7);
    Start();
    ChoosePort(3);
    ClickConnect();
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return prompter_.Boxes().size() >= 2; }, 10'000));
    ASSERT_EQ(prompter_.Boxes()[1].text, kSorry);

    // Still the same receiver: the user is told again.
    ClickConnect();
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return prompter_.Boxes().size() >= 4; }, 10'000));
    EXPECT_EQ(prompter_.BoxTexts(),
              (std::vector<std::string>{kMismatchTrB2, kSorry, kMismatchTrB2, kSorry}));

    // The user swapped the receiver for a TR-A1: Connect finds it.
    receiver_.SetModel(ModelProfile::kTrA1);
    ClickConnect();
    ASSERT_TRUE(loop_.AdvanceUntil(
        [this] { return ConnectionIcon() == res::kIconConnectedAsync && State().echoGuard == 0; },
        10'000));
    EXPECT_EQ(prompter_.Boxes().size(), 4u);
    EXPECT_TRUE(TransferControlsEnabled());
    EXPECT_EQ(State().linkBusy, 0);
    EXPECT_EQ(State().transferBusy, 0);
    Advance(3'000);
    EXPECT_EQ(ConnectionIcon(), res::kIconConnectedAsync);
}

}  // namespace
}  // namespace tra1::testing
