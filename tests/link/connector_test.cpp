// The connector's corner cases on their own, against a host that records what it is asked to
// do. The main window against the virtual receiver (chosen port, search, other models) is
// exercised in the app tests.

#include "link/connector.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "link/link_state.h"
#include "model/command_frame_builder.h"
#include "model/model_profile.h"
#include "resources/icon_ids.h"

namespace tra1 {
namespace {

class RecordingHost final : public ConnectorHost {
public:
    int selection = 0;
    bool portChoiceEnabled = true;
    int icon = res::kIconNotConnected;
    bool transferEnabled = false;
    std::deque<PortResult> openResults;  // empty: every port opens
    std::vector<int> opened;
    std::vector<std::string> written;
    std::vector<std::string> log;
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
    void ShowConnectionIcon(int iconId) override { icon = iconId; }
    int ConnectionIcon() const override { return icon; }
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
    void WriteFrame(std::string_view frame) override { written.emplace_back(frame); }
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
    bool LogEnabled() const override { return true; }
    void AppendLog(std::string_view text) override { log.emplace_back(text); }
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

class ConnectorTest : public ::testing::Test {
protected:
    ConnectorTest() {
        host.state = &state;
        profile.SetModel(ModelProfile::kTrA1);
        state.echoGuard = 0;
    }
    // A configuration frame body of a model code and enough state for the decoder.
    static std::string Body(std::string_view code) {
        return std::string(code) + std::string(140, '0');
    }

    LinkState state;
    ModelProfile profile;
    CommandFrameBuilder frames;
    RecordingHost host;
    Connector connector{state, profile, frames, host};
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
    host.selection = 2;
    host.openResults = {ConnectorHost::PortResult::kSettingsFailed};
    connector.Connect();
    EXPECT_EQ(host.boxes, std::vector<std::string>{"COM Port : 2\r\nInvalid Com Port."});
    EXPECT_EQ(state.openPort, 0);
}

TEST_F(ConnectorTest, SearchSkipsRefusedPortsAndQueuesTheStatusRequest) {
    host.openResults = {ConnectorHost::PortResult::kRefused, ConnectorHost::PortResult::kOpened};
    connector.Connect();  // "AUTO"
    EXPECT_EQ(state.searchPort, 2);
    EXPECT_EQ(state.openPort, 2);
    EXPECT_EQ(host.statusQueued, 1);
    EXPECT_EQ(host.icon, res::kIconSearching);
    const std::vector<std::string> expected{"Com 1 --> Invalid\r\n", "Com 2 --> Open\r\n",
                                            "(PC) Command  \x02"
                                            "00000\x03",
                                            "\r\n(PC) Command  \x02"
                                            "20100\x03",
                                            "\r\n"};
    EXPECT_EQ(host.log, expected);

    host.selection = 4;  // the user picks a port while the search runs
    connector.Connect();
    EXPECT_EQ(host.boxes.back(), "Auto Device Sarch is currently working.");
    EXPECT_EQ(host.selection, 0);
    EXPECT_EQ(state.searchPort, 2);

    connector.OnBlinkTimer();
    EXPECT_EQ(host.icon, res::kIconNotConnected);
    connector.OnBlinkTimer();
    EXPECT_EQ(host.icon, res::kIconSearching);
}

TEST_F(ConnectorTest, TheFirstFrameAfterAnEchoIsNotDecoded) {
    state.echoGuard = 1;
    state.identificationPending = 1;
    host.selection = 1;
    connector.Connect();
    EXPECT_FALSE(connector.OnConfigurationFrame(Body("R3108")));
    EXPECT_EQ(state.echoGuard, 0);
    EXPECT_EQ(state.identificationPending, 0);
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(ConnectorTest, DisconnectLeavesRealtimeModeAndClearsTheLink) {
    host.selection = 2;
    connector.Connect();
    state.realtimeMode = true;
    state.realtimePollState = 266;
    state.echoGuard = 1;
    connector.Disconnect();
    EXPECT_FALSE(state.realtimeMode);
    EXPECT_EQ(state.realtimePollState, LinkState::kFirstRealtimeState);
    EXPECT_EQ(state.openPort, 0);
    EXPECT_EQ(state.linkBusy, 1);
    EXPECT_EQ(state.echoGuard, 0);
    EXPECT_EQ(host.icon, res::kIconNotConnected);
    state.linkBusy = 0;
    connector.Disconnect();  // nothing open: nothing happens
    EXPECT_EQ(state.linkBusy, 0);
}

}  // namespace
}  // namespace tra1
