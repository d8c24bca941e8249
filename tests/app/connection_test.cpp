// Connecting the whole main window to virtual receivers on the virtual clock: a chosen port,
// the device search, a receiver of another model, a receiver that goes silent, and what each
// control mode does with the receiver's periodic configuration frame.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win/combo_box.h"
#include "platform/win/slider.h"
#include "platform/win/user_input.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace id = main_window;

class ConnectionTest : public EditorFixture {
protected:
    ConnectionTest() { portSwitch_.Wire(3, receiver_); }
    sim::VirtualReceiver receiver_;
};

TEST_F(ConnectionTest, ConnectsToAChosenPortAndIdentifiesTheReceiver) {
    Start();
    TickDisplayLog();
    ConnectTo(3);
    EXPECT_EQ(State().openPort, 3);
    EXPECT_TRUE(port_->IsOpen());
    EXPECT_TRUE(prompter_.Boxes().empty());
    EXPECT_TRUE(TransferControlsEnabled());
    // The greeting frames, then the status request from the queue and the receiver's state.
    EXPECT_EQ(port_->Written().substr(0, 14),
              "\x02"
              "00000\x03\x02"
              "20100\x03");
    const std::string log = LogText();
    EXPECT_EQ(log.find("(PC) Command  \x02"
                       "00000\x03\r\n(PC) Command  \x02"
                       "20100\x03\r\n"),
              0u);
    EXPECT_NE(log.find("(PC)--> \x11"
                       "000\x03\r\n"),
              std::string::npos);
    EXPECT_NE(log.find("(TR-X)   R3109"), std::string::npos);

    // Connecting to the port that is open already does nothing.
    const std::size_t writtenBefore = port_->Written().size();
    ClickConnect();
    EXPECT_EQ(port_->Written().size(), writtenBefore);
    EXPECT_EQ(State().openPort, 3);

    ASSERT_TRUE(win::user::Click(Main(), id::kDisconnectButton));
    EXPECT_FALSE(port_->IsOpen());
    EXPECT_EQ(ConnectionIcon(), res::kIconNotConnected);
    EXPECT_FALSE(TransferControlsEnabled());
}

TEST_F(ConnectionTest, SwitchingToAnotherPortLeavesTheLinkFree) {
    sim::VirtualReceiver second;
    portSwitch_.Wire(5, second);
    Start();
    ConnectTo(3);
    ChoosePort(5);
    ClickConnect();
    ASSERT_TRUE(loop_.AdvanceUntil(
        [this] {
            return State().echoGuard == 0 && State().openPort == 5 &&
                   ConnectionIcon() == res::kIconConnectedAsync;
        },
        10'000));
    EXPECT_EQ(State().linkBusy, 0);
    EXPECT_GT(second.FramesHeard(), 0);
}

TEST_F(ConnectionTest, AChosenPortThatIsRefusedIsReported) {
    Start();
    port_->SetOpenOutcome(4, serial::OpenResult::kRefused);
    ChoosePort(4);
    ClickConnect();
    ASSERT_EQ(prompter_.Boxes().size(), 1u);
    EXPECT_EQ(prompter_.Boxes()[0].text, "COM Port : 4\r\nInvalid Com Port.");
    EXPECT_EQ(prompter_.Boxes()[0].title, "Tolvek Receiver Editor Message");
    EXPECT_EQ(Main().Get<win::ComboBox>(id::kPortCombo)->GetCurSel(), 0);
    EXPECT_EQ(State().openPort, 0);
}

TEST_F(ConnectionTest, TheSearchPassesARefusedAndASilentPortAndFindsTheReceiverOnCom3) {
    Start();
    TickDisplayLog();
    port_->SetOpenOutcome(1, serial::OpenResult::kRefused);
    ChoosePort(0);
    ClickConnect();
    EXPECT_EQ(State().searchPort, 2);
    const std::string opening =
        "Com 1 --> Invalid\r\nCom 2 --> Open\r\n(PC) Command  \x02"
        "00000\x03\r\n(PC) Command  \x02"
        "20100\x03\r\n";
    EXPECT_EQ(LogText(), opening);

    // The icon blinks while the search runs.
    std::vector<int> icons;
    for (int i = 0; i < 4; ++i) {
        Advance(500);
        icons.push_back(ConnectionIcon());
    }
    EXPECT_NE(icons[0], icons[1]);
    EXPECT_EQ(icons[0], icons[2]);

    ASSERT_TRUE(loop_.AdvanceUntil([this] { return State().searchPort == 3; }, 10'000));
    // COM2 got the status request five times before the search moved on.
    const std::string log = LogText();
    const std::size_t com3 = log.find("Com 3 --> Open\r\n");
    ASSERT_NE(com3, std::string::npos);
    // Exactly: the opening of COM2, its five status requests, then the opening of COM3.
    std::string expected = opening;
    for (int i = 0; i < 5; ++i) {
        expected +=
            "(PC)--> \x11"
            "000\x03\r\n";
    }
    expected +=
        "Com 3 --> Open\r\n(PC) Command  \x02"
        "00000\x03\r\n(PC) Command  \x02"
        "20100\x03\r\n";
    EXPECT_EQ(log.substr(0, expected.size()), expected);

    ASSERT_TRUE(loop_.AdvanceUntil([this] { return !prompter_.Boxes().empty(); }, 10'000));
    loop_.DrainPosted();
    ASSERT_EQ(prompter_.Boxes().size(), 1u);
    EXPECT_EQ(prompter_.Boxes()[0].text, "Auto Device Finder found TR-A1.\r\nPort : Com 3\r\n\r\n");
    EXPECT_EQ(prompter_.Boxes()[0].buttons, win::Buttons::kOkCancel);
    EXPECT_EQ(State().searchPort, 0);
    EXPECT_EQ(State().openPort, 3);
    EXPECT_EQ(Main().Get<win::ComboBox>(id::kPortCombo)->GetCurSel(), 3);
    EXPECT_EQ(ConnectionIcon(), res::kIconConnectedAsync);
    EXPECT_TRUE(TransferControlsEnabled());

    // The icon stays put once the search is over.
    Advance(2000);
    EXPECT_EQ(ConnectionIcon(), res::kIconConnectedAsync);
}

TEST_F(ConnectionTest, ASearchWithoutAReceiverEndsWithNoDeviceFound) {
    portSwitch_.Wire(3, receiver_);
    receiver_.Faults().silent = true;
    Start();
    TickDisplayLog();
    ChoosePort(0);
    ClickConnect();
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return !prompter_.Boxes().empty(); }, 60'000));
    EXPECT_EQ(prompter_.Boxes()[0].text, "No device was found.\r\nPlease check connection.");
    EXPECT_NE(LogText().find("Com 8 --> Open\r\n"), std::string::npos);
    EXPECT_NE(LogText().find("Auto Device Search Finish.\r\n"), std::string::npos);
    EXPECT_EQ(ConnectionIcon(), res::kIconNotConnected);
    EXPECT_TRUE(Main().GetDlgItem(id::kPortCombo)->IsEnabled());
    EXPECT_EQ(State().openPort, 0);
    EXPECT_EQ(State().searchPort, 0);
}

TEST_F(ConnectionTest, AnotherModelIsAnnouncedAndThenRefused) {
    receiver_.SetModel(7);  // TR-B2 reports "R3108"
    Start();
    ChoosePort(3);
    ClickConnect();
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return prompter_.Boxes().size() >= 2; }, 10'000));
    EXPECT_EQ(prompter_.Boxes()[0].text,
              "Model mismatched.\r\nTolvek Receiver Editor found TR-B2.\r\nPort : Com 3\r\n\r\n");
    EXPECT_EQ(prompter_.Boxes()[1].text, "Sorry, this version doesn't support this model.");
    EXPECT_EQ(prompter_.Boxes()[1].buttons, win::Buttons::kOk);
    EXPECT_EQ(ConnectionIcon(), res::kIconNotConnected);
    EXPECT_FALSE(TransferControlsEnabled());
    EXPECT_EQ(EditorProfile().Model(), ModelProfile::kTrA1);
    // The link idles with the port open: nothing more is asked.
    const int requests = StatusRequestsWritten();
    Advance(5000);
    EXPECT_EQ(StatusRequestsWritten(), requests);
    EXPECT_TRUE(port_->IsOpen());
    EXPECT_EQ(prompter_.Boxes().size(), 2u);
}

TEST_F(ConnectionTest, CancelOnAnotherModelDisconnects) {
    receiver_.SetReportedModelCode("R9999");
    prompter_.QueueAnswer(win::Answer::kCancel);
    Start();
    ChoosePort(3);
    ClickConnect();
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return !prompter_.Boxes().empty(); }, 10'000));
    EXPECT_EQ(prompter_.Boxes()[0].text,
              "Model mismatched.\r\nTolvek Receiver Editor found UNKNOWN.\r\nPort : Com 3\r\n\r\n");
    EXPECT_FALSE(port_->IsOpen());
    EXPECT_EQ(State().openPort, 0);
    EXPECT_EQ(ConnectionIcon(), res::kIconNotConnected);
}

TEST_F(ConnectionTest, AReceiverSwitchedOffIsAskedFiveTimesASecondApartThenGivenUp) {
    Start();
    TickDisplayLog();
    ConnectTo(3);
    Advance(2000);
    ASSERT_EQ(ConnectionIcon(), res::kIconConnectedAsync);
    receiver_.Faults().silent = true;

    // Note when each status request leaves, 10 ms at a time.
    std::vector<std::int64_t> sentAt;
    int sent = StatusRequestsWritten();
    const std::int64_t start = clock_.NowMs();
    while (clock_.NowMs() - start < 8000 && ConnectionIcon() != res::kIconNotConnected) {
        Advance(10);
        if (StatusRequestsWritten() != sent) {
            sent = StatusRequestsWritten();
            sentAt.push_back(clock_.NowMs());
        }
    }
    ASSERT_EQ(sentAt.size(), 5u);
    for (std::size_t i = 1; i < sentAt.size(); ++i) {
        EXPECT_EQ(sentAt[i] - sentAt[i - 1], 1000) << i;
    }
    // The log shows the same five sends, and nothing answered them.
    const std::string request =
        "(PC)--> \x11"
        "000\x03\r\n";
    const std::string log = LogText();
    std::string five;
    for (int i = 0; i < 5; ++i) {
        five += request;
    }
    EXPECT_EQ(log.substr(log.size() - five.size()), five);
    EXPECT_EQ(ConnectionIcon(), res::kIconNotConnected);
    EXPECT_FALSE(TransferControlsEnabled());
    EXPECT_TRUE(port_->IsOpen());
    EXPECT_EQ(State().openPort, 3);
    EXPECT_TRUE(prompter_.Boxes().empty());

    // Switched on again, the receiver is found by a later status request.
    receiver_.Faults().silent = false;
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return ConnectionIcon() == res::kIconConnectedAsync; },
                                   10'000));
    EXPECT_TRUE(TransferControlsEnabled());
}

TEST_F(ConnectionTest, AChosenPortThatNeverAnswersIsNamedOnce) {
    sim::VirtualReceiver late;
    Start();
    ChoosePort(4);  // nothing answers on COM4
    ClickConnect();
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return !prompter_.Boxes().empty(); }, 10'000));
    loop_.DrainPosted();
    ASSERT_EQ(prompter_.Boxes().size(), 1u);
    EXPECT_EQ(prompter_.Boxes()[0].text,
              "COM Port : 4\r\nNo answer from the receiver.\r\nPlease check connection.");
    EXPECT_EQ(prompter_.Boxes()[0].title, "Tolvek Receiver Editor Message");
    EXPECT_EQ(ConnectionIcon(), res::kIconNotConnected);
    EXPECT_EQ(State().openPort, 4);  // the port stays open for a receiver switched on later

    // The status requests go on asking, without telling the user again.
    const int requests = StatusRequestsWritten();
    Advance(20'000);
    EXPECT_GE(StatusRequestsWritten(), requests + 10);
    EXPECT_EQ(prompter_.Boxes().size(), 1u);

    // A receiver switched on is found; when it then falls silent, only the icon says so.
    portSwitch_.Wire(4, late);
    ASSERT_TRUE(loop_.AdvanceUntil([this] { return ConnectionIcon() == res::kIconConnectedAsync; },
                                   10'000));
    late.Faults().silent = true;
    ASSERT_TRUE(
        loop_.AdvanceUntil([this] { return ConnectionIcon() == res::kIconNotConnected; }, 10'000));
    Advance(10'000);
    EXPECT_EQ(prompter_.Boxes().size(), 1u);
}

TEST_F(ConnectionTest, RealtimeModeDecodesThePeriodicConfigurationFrameIntoTheImage) {
    Start();
    ConnectTo(3);
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuRealtime));
    EXPECT_TRUE(State().realtimeMode);
    EXPECT_TRUE(Main().GetMenu()->IsChecked(id::kMenuRealtime));
    EXPECT_FALSE(TransferControlsEnabled());

    receiver_.Image().MainZoneState[main_zone::kMainVolume] = 100;
    receiver_.Image().MainZoneState[main_zone::kMainInput] = 1;
    ASSERT_TRUE(loop_.AdvanceUntil(
        [this] { return EditorImage().MainZoneState[main_zone::kMainVolume] == 100; }, 5000));
    loop_.DrainPosted();
    EXPECT_EQ(EditorImage().MainZoneState[main_zone::kMainInput], 1);
    EXPECT_EQ(ConnectionIcon(), res::kIconConnectedRealtime);
    // The refresh that follows the decoding moved the main window's controls.
    EXPECT_EQ(Main().Get<win::Slider>(id::kMainVolumeSlider)->GetPos(), 94);
    EXPECT_EQ(Main().Get<win::ComboBox>(id::kMainInputCombo)->GetCurSel(), 1);

    // Back in asynchronous mode the buttons stay disabled until the next identification.
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuAsynchronous));
    EXPECT_FALSE(State().realtimeMode);
    EXPECT_FALSE(Main().GetDlgItem(id::kUploadButton)->IsEnabled());
    EXPECT_TRUE(Main().GetMenu()->IsEnabled(id::kMenuUpload));
}

TEST_F(ConnectionTest, AFarEndThatHangsUpEndsTheConnection) {
    Start();
    ConnectTo(3);
    ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuRealtime));
    port_->HangUpFarEnd();
    Advance(100);
    EXPECT_EQ(State().openPort, 0);
    EXPECT_FALSE(State().realtimeMode);
    EXPECT_TRUE(Main().GetMenu()->IsChecked(id::kMenuAsynchronous));
    EXPECT_EQ(ConnectionIcon(), res::kIconNotConnected);
    EXPECT_TRUE(Main().GetDlgItem(id::kPortCombo)->IsEnabled());
}

TEST_F(ConnectionTest, AsynchronousModeOnlyWatchesTheReceiver) {
    Start();
    ConnectTo(3);
    receiver_.Image().MainZoneState[main_zone::kMainVolume] = 100;
    const auto before = EditorImage().ToBytes();
    const int requests = StatusRequestsWritten();
    Advance(5000);
    EXPECT_GE(StatusRequestsWritten(), requests + 4);  // asked every second all the same
    EXPECT_EQ(EditorImage().MainZoneState[main_zone::kMainVolume], 81);
    EXPECT_EQ(EditorImage().MainZoneState[main_zone::kPower], 1);
    // Nothing but the power byte may differ from before.
    const auto after = EditorImage().ToBytes();
    ASSERT_EQ(after.size(), before.size());
    const std::size_t powerAt =
        kImageBlocks[block_index::kMainZoneState].fileOffset - 1 + main_zone::kPower;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (i != powerAt) {
            ASSERT_EQ(after[i], before[i]) << i;
        }
    }
    EXPECT_EQ(ConnectionIcon(), res::kIconConnectedAsync);
}

TEST_F(ConnectionTest, TheLogNeverHoldsMoreThanThirtyThousandCharactersAndTheNewestEntries) {
    Start();
    TickDisplayLog();
    Main().SetDlgItemText(id::kLogEdit, std::string(29'990, 'x'));
    ConnectTo(3);
    std::size_t longest = 0;
    for (int i = 0; i < 400; ++i) {
        Advance(100);
        const std::size_t size = LogText().size();
        longest = std::max(longest, size);
    }
    // Each write trims the first 30,000 characters once the log holds more than that, so what
    // is left is the tail plus the newest entries (no entry is longer than a frame line).
    EXPECT_LE(longest, 30'000u + 3 * 256u);
    EXPECT_EQ(LogText().find('x'), std::string::npos);
    EXPECT_NE(LogText().find("(TR-X)   R3109"), std::string::npos);
}

}  // namespace
}  // namespace tra1::testing
