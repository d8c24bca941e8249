// The connector's corner cases on their own, against a host that records what it is asked to
// do. The main window against the virtual receiver (chosen port, search, other models) is
// exercised in the app tests.

#include "link/connector.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "link/configuration_decoder.h"
#include "link/link_state.h"
#include "link/log_sink.h"
#include "link/protocol_log.h"
#include "model/command_frame_builder.h"
#include "model/model_profile.h"

namespace tra1 {
namespace {

class RecordingHost final : public ConnectorHost {
public:
    int selection = 0;
    bool portChoiceEnabled = true;
    ConnectionState connection = ConnectionState::kClosed;
    std::vector<ConnectionState> history;  // each change once
    bool transferEnabled = false;
    std::deque<PortResult> openResults;  // empty: every port opens
    std::vector<int> opened;
    std::vector<std::string> written;
    std::vector<std::string> boxes;
    std::deque<bool> okAnswers;  // empty: OK
    int queued = -1;
    int queueResets = 0;
    int statusQueued = 0;
    int reloads = 0;
    LinkState* state = nullptr;

    int SelectedPort() const override { return selection; }
    void SelectPort(int index) override { selection = index; }
    void EnablePortChoice(bool enabled) override { portChoiceEnabled = enabled; }
    void ConnectionChanged(ConnectionState reported) override {
        connection = reported;
        if (history.empty() || history.back() != reported) {
            history.push_back(reported);
        }
    }
    void EnableTransferControls(bool enabled) override { transferEnabled = enabled; }
    PortResult OpenPort() override {
        PortResult result = PortResult::kOpened;
        if (!openResults.empty()) {
            result = openResults.front();
            openResults.pop_front();
        }
        opened.push_back(state->openPort);
        if (result == PortResult::kRefused) {
            state->openPort = 0;
        }
        return result;
    }
    void ClosePort() override {
        state->openPort = 0;
        state->waiting = 0;
    }
    FrameWrite WriteFrame(std::string_view frame) override {
        written.emplace_back(frame);
        return {};
    }
    void EmptyReceiveBuffer() override {}
    void ResetQueue() override {
        ++queueResets;
        queued = -1;
    }
    void QueueOnlyStatusRequest() override {
        ++statusQueued;
        queued = 255;
    }
    int CurrentQueuedCommand() const override { return queued; }
    void AdvanceQueueIndex() override { queued = -1; }
    void StopReplyTimeout() override {}
    void ShowMessage(const std::string& text, const std::string& title) override {
        EXPECT_EQ(title, "Tolvek Receiver Editor Message");
        boxes.push_back(text);
    }
    bool AskOkCancel(const std::string& text, const std::string& title) override {
        EXPECT_EQ(title, "Tolvek Receiver Editor Message");
        boxes.push_back(text);
        if (okAnswers.empty()) {
            return true;
        }
        const bool ok = okAnswers.front();
        okAnswers.pop_front();
        return ok;
    }
    void ReloadWindows() override {
        ++reloads;
        state->echoGuard = 1;
    }
};

// The log, switched on, one entry per write.
class RecordingLogSink final : public LogSink {
public:
    bool Enabled() const override { return true; }
    void Append(std::string_view text) override { log.emplace_back(text); }

    std::vector<std::string> log;
};

class ConnectorTest : public ::testing::Test {
protected:
    ConnectorTest() {
        host_.state = &state_;
        profile_.SetModel(ModelProfile::kTrA1);
        state_.echoGuard = 0;
    }
    // A whole configuration frame body (a receiver in standby) with the model code.
    static std::string Body(std::string_view code) {
        return std::string(code) +
               std::string(ConfigurationDecoder::kFullLength - code.size(), '0');
    }

    LinkState state_;
    ModelProfile profile_;
    CommandFrameBuilder frames_;
    RecordingHost host_;
    RecordingLogSink sink_;
    ProtocolLog log_{&sink_};
    Connector connector_{state_, profile_, frames_, log_, host_};
};

TEST_F(ConnectorTest, IdentifiesTheNineModelCodesOnExactlyFiveCharacters) {
    EXPECT_EQ(Connector::IdentifyModel("R3101xxxx"), 0);
    EXPECT_EQ(Connector::IdentifyModel("R3108"), 7);
    EXPECT_EQ(Connector::IdentifyModel("R3109000"), 8);
    EXPECT_EQ(Connector::IdentifyModel("R9999000"), -1);
    EXPECT_EQ(Connector::IdentifyModel("R310"), -1);
    EXPECT_EQ(Connector::IdentifyModel("r3109"), -1);
    EXPECT_EQ(Connector::IdentifyModel(""), -1);
}

TEST_F(ConnectorTest, APortThatRefusesItsSettingsIsReportedLikeARefusedOne) {
    host_.selection = 2;
    host_.openResults = {ConnectorHost::PortResult::kSettingsFailed};
    connector_.Connect();
    EXPECT_EQ(host_.boxes, std::vector<std::string>{"COM Port : 2\r\nInvalid Com Port."});
    EXPECT_EQ(state_.openPort, 0);
}

TEST_F(ConnectorTest, SearchSkipsRefusedPortsAndQueuesTheStatusRequest) {
    host_.openResults = {ConnectorHost::PortResult::kRefused, ConnectorHost::PortResult::kOpened};
    connector_.Connect();  // "AUTO"
    EXPECT_EQ(state_.searchPort, 2);
    EXPECT_EQ(state_.openPort, 2);
    EXPECT_EQ(host_.statusQueued, 1);
    EXPECT_EQ(host_.connection, ConnectionState::kSearching);
    const std::vector<std::string> expected{"Com 1 --> Invalid\r\n", "Com 2 --> Open\r\n",
                                            "(PC) Command  \x02"
                                            "00000\x03\r\n",
                                            "(PC) Command  \x02"
                                            "20100\x03\r\n"};
    EXPECT_EQ(sink_.log, expected);

    host_.selection = 4;  // the user picks a port while the search runs
    connector_.Connect();
    EXPECT_EQ(host_.boxes.back(), "Auto Device Sarch is currently working.");
    EXPECT_EQ(host_.selection, 0);
    EXPECT_EQ(state_.searchPort, 2);

    // The search goes on (the main window blinks its icon meanwhile).
    EXPECT_TRUE(connector_.SearchRunning());
    EXPECT_EQ(connector_.Connection(), ConnectionState::kSearching);
}

TEST_F(ConnectorTest, TheFirstFrameAfterAnEchoIsNotDecoded) {
    state_.echoGuard = 1;
    state_.identificationPending = 1;
    host_.selection = 1;
    connector_.Connect();
    EXPECT_FALSE(connector_.OnConfigurationFrame(Body("R3108")));
    EXPECT_EQ(state_.echoGuard, 0);
    EXPECT_EQ(state_.identificationPending, 0);
    EXPECT_TRUE(host_.boxes.empty());
}

TEST_F(ConnectorTest, DisconnectLeavesRealtimeModeAndClearsTheLink) {
    host_.selection = 2;
    connector_.Connect();
    state_.realtimeMode = true;
    state_.realtimePollState = 266;
    state_.echoGuard = 1;
    connector_.Disconnect();
    EXPECT_FALSE(state_.realtimeMode);
    EXPECT_EQ(state_.realtimePollState, LinkState::kFirstRealtimeState);
    EXPECT_EQ(state_.openPort, 0);
    EXPECT_EQ(state_.linkBusy, 1);
    EXPECT_EQ(state_.echoGuard, 0);
    EXPECT_EQ(host_.connection, ConnectionState::kClosed);
    state_.linkBusy = 0;
    connector_.Disconnect();  // nothing open: nothing happens
    EXPECT_EQ(state_.linkBusy, 0);
}

TEST_F(ConnectorTest, TheConnectionStateFollowsTheSearchTheQuestionAndTheReceiver) {
    using enum ConnectionState;
    connector_.Connect();  // "AUTO": COM1 opens and the search waits for its answer
    EXPECT_EQ(connector_.Connection(), kSearching);
    // The TR-A1 answers: once two sound frames in a row name it, the user is asked whether to
    // take it, then it is connected.
    EXPECT_FALSE(connector_.OnConfigurationFrame(Body("R3109")));
    EXPECT_EQ(connector_.Connection(), kSearching);
    EXPECT_TRUE(connector_.OnConfigurationFrame(Body("R3109")));
    EXPECT_EQ(host_.boxes.size(), 1u);
    EXPECT_EQ(host_.history, (std::vector<ConnectionState>{kSearching, kIdentifying, kConnected}));
    EXPECT_EQ(connector_.Connection(), kConnected);
    EXPECT_FALSE(connector_.SearchRunning());

    state_.echoGuard = 0;
    state_.realtimeMode = true;
    EXPECT_TRUE(connector_.OnConfigurationFrame(Body("R3109")));
    EXPECT_EQ(connector_.Connection(), kRealtime);
    host_.transferEnabled = true;
    connector_.ReceiverStoppedAnswering();
    EXPECT_EQ(connector_.Connection(), kNoReply);
    EXPECT_FALSE(host_.transferEnabled);
    EXPECT_EQ(state_.openPort, 1);  // the port stays open for the receiver to come back
    connector_.Disconnect();
    EXPECT_EQ(connector_.Connection(), kClosed);
}

TEST_F(ConnectorTest, AnotherModelTakenByTheUserLeavesTheLinkIdle) {
    host_.selection = 3;
    connector_.Connect();
    EXPECT_EQ(connector_.Connection(), ConnectionState::kClosed);  // opened, nothing heard yet
    EXPECT_FALSE(connector_.OnConfigurationFrame(Body("R3101")));
    EXPECT_TRUE(host_.boxes.empty());  // one frame does not name a model yet
    EXPECT_FALSE(connector_.OnConfigurationFrame(Body("R3101")));
    ASSERT_FALSE(host_.boxes.empty());
    EXPECT_EQ(host_.boxes.back(), "Sorry, this version doesn't support this model.");
    // The frame is a reply like any other before its model is looked at, as the icon shows it.
    EXPECT_EQ(host_.history, (std::vector<ConnectionState>{ConnectionState::kConnected,
                                                           ConnectionState::kIdentifying,
                                                           ConnectionState::kUnsupported}));
    EXPECT_EQ(state_.linkBusy, 1);
    EXPECT_EQ(state_.openPort, 3);
}

}  // namespace
}  // namespace tra1
