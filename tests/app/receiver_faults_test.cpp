// The whole main window against a virtual receiver that misbehaves: replies split over several
// batches with line noise between frames, a dropped reply, a receiver in standby and extended
// requests it refuses with a non-zero status digit.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "link/link_state.h"
#include "platform/win/user_input.h"
#include "tests/app/editor_fixture.h"

namespace tra1::testing {
namespace {

namespace id = main_window;

// Passes everything on to the receiver and counts the frames it puts on the line, so that the
// test knows how many the editor must have taken apart.
class CountingFarEnd final : public serial::FarEnd {
public:
    explicit CountingFarEnd(serial::FarEnd& device) : device_(device) {}

    std::vector<serial::LineSegment> Receive(std::string_view bytes) override {
        std::vector<serial::LineSegment> segments = device_.Receive(bytes);
        for (const serial::LineSegment& segment : segments) {
            for (const char c : segment.bytes) {
                configurationFrames += c == '\x12' ? 1 : 0;
                reportFrames += c == '\x02' ? 1 : 0;
                extendedReplies += c == '\x14' ? 1 : 0;
            }
        }
        return segments;
    }

    int configurationFrames = 0;
    int reportFrames = 0;
    int extendedReplies = 0;

private:
    serial::FarEnd& device_;
};

class ReceiverFaultsTest : public EditorFixture {
protected:
    ReceiverFaultsTest() { portSwitch_.Wire(3, counter_); }

    // The log lines that start with `prefix`.
    std::vector<std::string> LogLines(std::string_view prefix) const {
        std::vector<std::string> lines;
        const std::string log = LogText();
        for (std::size_t at = log.find(prefix); at != std::string::npos;
             at = log.find(prefix, at + 1)) {
            if (at == 0 || log[at - 1] == '\n') {
                lines.push_back(log.substr(at, log.find("\r\n", at) - at));
            }
        }
        return lines;
    }

    void EnterRealtimeMode() {
        ASSERT_TRUE(win::user::ChooseMenuItem(Main(), id::kMenuRealtime));
        ASSERT_TRUE(State().realtimeMode);
    }

    // Lets everything the receiver has put on the line arrive and be taken apart.
    void DrainLine() {
        const std::int64_t idle = port_->LineIdleAtMs();
        Advance(idle - clock_.NowMs() + 50);
    }

    sim::VirtualReceiver receiver_;
    CountingFarEnd counter_{receiver_};
};

TEST_F(ReceiverFaultsTest, RepliesInThreeBatchesWithNoiseBetweenFramesAreTakenApartOnceEach) {
    receiver_.Faults().splitPieces = 3;  // each piece in its own poll: the pause outlasts 10 ms
    receiver_.Faults().lineNoise = true;
    Start();
    TickDisplayLog();
    ConnectTo(3);
    EnterRealtimeMode();

    receiver_.Image().MainZoneState[main_zone::kMainVolume] = 100;
    receiver_.Image().MainZoneState[main_zone::kMainInput] = 4;
    receiver_.Image().InputTrims.at(6) = 0x1A;
    ASSERT_TRUE(loop_.AdvanceUntil(
        [this] {
            return EditorImage().MainZoneState[main_zone::kMainVolume] == 100 &&
                   EditorImage().InputTrims.at(6) == 0x1A;
        },
        30'000));
    EXPECT_EQ(EditorImage().MainZoneState[main_zone::kMainInput], 4);

    // Stop the traffic and let the last answers in.
    receiver_.Faults().silent = true;
    DrainLine();
    ASSERT_GT(counter_.configurationFrames, 2);
    ASSERT_GT(counter_.extendedReplies, 2);

    // Every frame the receiver sent reached its decoder exactly once, whole and without noise.
    const std::string model = receiver_.ReportedModelCode();
    const std::vector<std::string> configurations = LogLines("(TR-X)   ");
    EXPECT_EQ(static_cast<int>(configurations.size()), counter_.configurationFrames);
    const std::string frame = receiver_.ConfigurationFrame();
    for (const std::string& line : configurations) {
        EXPECT_EQ(line.size(), std::string("(TR-X)   ").size() + frame.size() - 2) << line;
        EXPECT_EQ(line.substr(9, 5), model) << line;
    }
    EXPECT_EQ(static_cast<int>(LogLines("(TR-X) EX  ").size()), counter_.extendedReplies);
    EXPECT_EQ(static_cast<int>(LogLines("(TR-X) Report  ").size()), counter_.reportFrames);
    EXPECT_TRUE(prompter_.Boxes().empty());
}

TEST_F(ReceiverFaultsTest, ADroppedReplyIsAskedForAgainOneSecondLaterAndTheLinkCarriesOn) {
    Start();
    ConnectTo(3);
    receiver_.Faults().dropNextAnswers = 1;

    std::vector<std::int64_t> sentAt;
    int sent = StatusRequestsWritten();
    while (sentAt.size() < 2 && clock_.NowMs() < 20'000) {
        Advance(10);
        if (StatusRequestsWritten() != sent) {
            sent = StatusRequestsWritten();
            sentAt.push_back(clock_.NowMs());
        }
    }
    ASSERT_EQ(sentAt.size(), 2u);
    EXPECT_EQ(sentAt[1] - sentAt[0], 1000);  // the reply time-out resends the same request
    EXPECT_EQ(State().retryCount, 1);

    ASSERT_TRUE(loop_.AdvanceUntil([this] { return State().waiting == 0; }, 2000));
    Advance(CommandSender::kQueuePumpMs);  // the next pump finds the queue answered and empties it
    EXPECT_EQ(State().retryCount, 0);
    EXPECT_EQ(ConnectionIcon(), res::kIconConnectedAsync);
    EXPECT_TRUE(TransferControlsEnabled());
    EXPECT_TRUE(prompter_.Boxes().empty());
}

TEST_F(ReceiverFaultsTest, AReceiverInStandbyOnlyClearsThePowerByteAndStaysConnected) {
    Start();
    ConnectTo(3);
    EnterRealtimeMode();
    ASSERT_TRUE(loop_.AdvanceUntil(
        [this] { return EditorImage().MainZoneState[main_zone::kPower] == 1; }, 5000));
    const std::uint8_t volume = EditorImage().MainZoneState[main_zone::kMainVolume];

    receiver_.SetPower(false);
    receiver_.Image().MainZoneState[main_zone::kMainVolume] = static_cast<std::uint8_t>(volume + 7);
    ASSERT_TRUE(loop_.AdvanceUntil(
        [this] { return EditorImage().MainZoneState[main_zone::kPower] == 0; }, 5000));
    Advance(3000);
    EXPECT_EQ(EditorImage().MainZoneState[main_zone::kMainVolume], volume);
    EXPECT_EQ(ConnectionIcon(), res::kIconConnectedRealtime);
    EXPECT_EQ(State().openPort, 3);
    EXPECT_TRUE(prompter_.Boxes().empty());

    receiver_.SetPower(true);
    ASSERT_TRUE(loop_.AdvanceUntil(
        [&] { return EditorImage().MainZoneState[main_zone::kMainVolume] == volume + 7; }, 5000));
    EXPECT_EQ(EditorImage().MainZoneState[main_zone::kPower], 1);
}

TEST_F(ReceiverFaultsTest, RefusedExtendedRequestsEndTheirWaitButStoreNothing) {
    Start();
    TickDisplayLog();
    ConnectTo(3);
    receiver_.Faults().extendedStatus = '5';
    receiver_.Image().InputTrims.at(6) = 0x1A;
    receiver_.Image().SetSpeakerDistance(3, 222);
    const std::uint8_t trim = EditorImage().InputTrims.at(6);
    const int distance = EditorImage().SpeakerDistance(3);
    EnterRealtimeMode();

    // The poll goes round all its states twice: no refusal holds it up.
    std::set<int> states;
    int rounds = 0;
    int previous = State().realtimePollState;
    ASSERT_TRUE(loop_.AdvanceUntil(
        [&] {
            const int now = State().realtimePollState;
            states.insert(now);
            rounds += now == LinkState::kFirstRealtimeState && previous != now ? 1 : 0;
            previous = now;
            return rounds >= 2;
        },
        60'000));
    EXPECT_EQ(states.size(), 10u);
    EXPECT_EQ(EditorImage().InputTrims.at(6), trim);
    EXPECT_EQ(EditorImage().SpeakerDistance(3), distance);
    const std::vector<std::string> refusals = LogLines("(TR-X) EX  ");
    ASSERT_FALSE(refusals.empty());
    for (const std::string& line : refusals) {
        EXPECT_EQ(line.at(11 + 7), '5') << line;
    }
    EXPECT_EQ(State().realtimeMode, true);
    EXPECT_EQ(ConnectionIcon(), res::kIconConnectedRealtime);

    // Accepted again, the same requests bring the receiver's values in.
    receiver_.Faults().extendedStatus = '0';
    ASSERT_TRUE(loop_.AdvanceUntil(
        [this] {
            return EditorImage().InputTrims.at(6) == 0x1A &&
                   EditorImage().SpeakerDistance(3) == 222;
        },
        60'000));
}

}  // namespace
}  // namespace tra1::testing
