#include "link/connector.h"

#include <array>
#include <string>
#include <utility>

#include "link/configuration_decoder.h"
#include "link/link_state.h"
#include "link/protocol_log.h"
#include "model/command_frame_builder.h"
#include "model/model_profile.h"
#include "model/protocol.h"
#include "model/report_codes.h"

namespace tra1 {
namespace {

constexpr std::string_view kTitle = "Tolvek Receiver Editor Message";

// The positions sent with the two frames written whenever a port opens.
constexpr int kOpeningFirstValue = 1;
constexpr int kOpeningSecondValue = 0;

void ClearLinkSlots(LinkState& state) {
    state.searchPort = 0;
    state.openPort = 0;
    state.waiting = 0;
    state.retryCount = 0;
    state.identificationPending = 0;
    state.powerReported = false;
}

// The open-port slot holds 1..8 or 0.
int PortSlotValue(int port) {
    return port >= Connector::kFirstPort && port <= Connector::kLastPort ? port : 0;
}

}  // namespace

int Connector::IdentifyModel(std::string_view body) {
    if (body.size() < 5) {
        return ModelProfile::kUnknownModel;
    }
    const std::string_view code = body.substr(0, 5);
    for (std::size_t i = 0; i < kReportedModelCodes.size(); ++i) {
        if (kReportedModelCodes[i] == code) {
            return static_cast<int>(i);
        }
    }
    return ModelProfile::kUnknownModel;
}

bool Connector::SearchRunning() const {
    return state_.searchPort != 0;
}

void Connector::Log(std::string_view text) {
    log_.LogIfEnabled(text);
}

void Connector::Enter(ConnectionState state) {
    connection_ = state;
    host_.ConnectionChanged(state);
}

void Connector::ReceiverStoppedAnswering() {
    Enter(ConnectionState::kNoReply);
    host_.EnableTransferControls(false);
}

void Connector::Connect() {
    const int selection = host_.SelectedPort();
    // Connecting again to the port of a receiver that was refused tries it afresh (the user
    // may have changed the receiver); to a port in use, it does nothing.
    if (selection == state_.openPort && selection != kAutoSearch && !refusedModel_) {
        return;
    }
    const bool searching = SearchRunning();
    state_.linkBusy = false;
    state_.transferBusy = false;
    state_.uploadInProgress = 0;
    state_.downloadInProgress = 0;
    state_.awaitedFunction = LinkState::kNone;

    if (searching) {
        if (selection != kAutoSearch) {
            host_.ShowMessage("Auto Device Sarch is currently working.", std::string(kTitle));
            host_.SelectPort(kAutoSearch);
        }
        return;
    }
    if (state_.openPort != 0 && (selection != state_.openPort || refusedModel_)) {
        Disconnect();
        // Disconnect marks the link busy so that nothing runs on a closed port; this connect
        // frees it again, or the 10 ms tick would stay still on the new port.
        state_.linkBusy = false;
    }
    if (selection == kAutoSearch) {
        SearchPort(kFirstPort);
        return;
    }

    ForgetReceiver();
    state_.openPort = PortSlotValue(selection);
    // A port whose line settings cannot be applied is as unusable as one the system refuses,
    // so both are reported instead of leaving the user with a silent, closed link. The reason
    // goes on a line of its own, and to the log.
    if (host_.OpenPort() != ConnectorHost::PortResult::kOpened) {
        const std::string reason = host_.OpenFailureReason();
        host_.EmptyReceiveBuffer();
        ClearLinkSlots(state_);
        host_.ResetQueue();
        if (!reason.empty()) {
            Log("Com " + std::to_string(selection) + " --> Invalid\r\n" + reason + "\r\n");
        }
        std::string text = "COM Port : " + std::to_string(selection) + "\r\nInvalid Com Port.";
        if (!reason.empty()) {
            text += "\r\n" + reason;
        }
        host_.ShowMessage(text, std::string(kTitle));
        host_.SelectPort(kAutoSearch);
        return;
    }
    const OpeningFrames frames = WriteOpeningFrames();
    LogOpening(frames);
    // From here the periodic status request asks the receiver for its configuration frame.
    awaitingFirstAnswer_ = true;
}

void Connector::OnReceiverSilent() {
    if (!awaitingFirstAnswer_ || SearchRunning() || state_.openPort == 0) {
        return;
    }
    awaitingFirstAnswer_ = false;
    host_.ShowMessage("COM Port : " + std::to_string(state_.openPort) +
                          "\r\nNo answer from the receiver.\r\nPlease check connection.",
                      std::string(kTitle));
}

Connector::OpeningFrames Connector::WriteOpeningFrames() {
    OpeningFrames frames;
    frames.first =
        std::string(frames_.BuildCommandFrame(command::kPortOpeningFirst, kOpeningFirstValue));
    frames.firstWrite = host_.WriteFrame(frames.first);
    frames.second =
        std::string(frames_.BuildCommandFrame(command::kPortOpeningSecond, kOpeningSecondValue));
    frames.secondWrite = host_.WriteFrame(frames.second);
    return frames;
}

void Connector::LogOpening(const OpeningFrames& frames) {
    // A greeting the port would not take is logged whether or not "DisplayLog" is ticked.
    for (const auto& [frame, write] : {std::pair{&frames.first, &frames.firstWrite},
                                       std::pair{&frames.second, &frames.secondWrite}}) {
        const std::string line = FrameLogLine(log_prefix::kCommand, *frame, *write);
        if (write->Failed()) {
            log_.AppendLog(line);
        } else {
            Log(line);
        }
    }
}

void Connector::FailSearch() {
    host_.EmptyReceiveBuffer();
    ClearLinkSlots(state_);
    host_.ResetQueue();
    Log("Auto Device Search Finish.\r\n");
    host_.ShowMessage("No device was found.\r\nPlease check connection.", std::string(kTitle));
    host_.EnablePortChoice(true);
    Enter(ConnectionState::kClosed);
}

void Connector::SearchPort(int n) {
    awaitingFirstAnswer_ = false;
    ForgetReceiver();
    // Iterative rather than recursive over refused ports: each refused port moves on to the next.
    for (;;) {
        host_.ClosePort();
        Enter(ConnectionState::kSearching);
        host_.EnableTransferControls(false);
        if (n < kFirstPort || n > kLastPort) {
            FailSearch();
            return;
        }
        state_.openPort = n;
        state_.searchPort = n;
        const ConnectorHost::PortResult opened = host_.OpenPort();
        if (opened == ConnectorHost::PortResult::kNotMapped) {
            // A number that leads nowhere is not part of the search.
            ++n;
            continue;
        }
        if (opened != ConnectorHost::PortResult::kOpened) {
            const std::string reason = host_.OpenFailureReason();
            Log("Com " + std::to_string(n) + " --> Invalid\r\n" +
                (reason.empty() ? std::string() : reason + "\r\n"));
            ++n;
            continue;
        }
        const OpeningFrames frames = WriteOpeningFrames();
        state_.openPort = n;
        host_.QueueOnlyStatusRequest();
        Log("Com " + std::to_string(n) + " --> Open\r\n");
        LogOpening(frames);
        // The queue pump now sends the status request; five unanswered sends move on to n + 1.
        return;
    }
}

void Connector::ForgetReceiver() {
    lastModelCode_.clear();
    sameCodeFrames_ = 0;
    trA1Heard_ = false;
    refusedModel_ = false;
    // Whether its replies' checksums match is found out afresh for each connection.
    state_.checksumsMatched = false;
    state_.checksumNoticeLogged = false;
}

void Connector::Disconnect() {
    if (state_.openPort == 0) {
        return;
    }
    awaitingFirstAnswer_ = false;
    ForgetReceiver();
    host_.ClosePort();
    ClearLinkSlots(state_);
    Enter(ConnectionState::kClosed);
    host_.EnableTransferControls(false);
    host_.EnablePortChoice(true);
    state_.linkBusy = true;
    state_.realtimePollState = LinkState::kFirstRealtimeState;
    state_.realtimeExpectedTable = 0;
    state_.realtimeMode = false;
    state_.uploadInProgress = 0;
    state_.downloadInProgress = 0;
    state_.awaitedFunction = LinkState::kNone;
    state_.echoGuard = false;
}

bool Connector::OnConfigurationFrame(std::string_view body) {
    Log(std::string(log_prefix::kConfiguration) + std::string(body) + "\r\n");
    awaitingFirstAnswer_ = false;  // the receiver answers

    const int queued = host_.CurrentQueuedCommand();
    // The queue entries whose answer is a configuration frame.
    if (AnsweredWithConfiguration(queued)) {
        host_.StopReplyTimeout();
        state_.waiting = 0;
        host_.AdvanceQueueIndex();
        // The frame answers the status request, not what a realtime or transfer step awaits:
        // the silence that step counts goes on, or a lost reply would hold the realtime poll
        // for good while the receiver answers its status requests every second.
        if (state_.awaitedFunction == command::kStatusRequest ||
            state_.awaitedFunction == LinkState::kNone) {
            state_.waitingCounter = 0;
        }
        state_.previousAwaitedFunction = LinkState::kNone;
    }

    const int model = IdentifyModel(body);
    const bool searching = SearchRunning();
    const int port = state_.openPort;
    // One flipped bit turns "R3109" into another model's code. Only a frame whose digits are
    // all sound names a model, and another model's code is believed once enough such frames
    // in a row carry it.
    const ConfigurationForm form = ConfigurationDecoder::FormOf(body);
    const bool sound = form == ConfigurationForm::kWhole || form == ConfigurationForm::kShort;
    if (sound) {
        const std::string_view code = body.substr(0, ConfigurationDecoder::kModelCodeLength);
        sameCodeFrames_ = lastModelCode_ == code ? sameCodeFrames_ + 1 : 1;
        lastModelCode_.assign(code);
    }

    if (refusedModel_) {
        // The user was told this receiver is not supported; the link idles until Connect.
        return false;
    }
    if (state_.realtimeMode) {
        Enter(ConnectionState::kRealtime);
        host_.EnableTransferControls(false);
    } else if (!searching) {
        Enter(ConnectionState::kConnected);
        host_.EnableTransferControls(true);
    }

    if (state_.echoGuard) {
        state_.echoGuard = false;
        state_.identificationPending = 0;
        return false;
    }
    // The editor edits the TR-A1 whatever model byte the last opened file carried.
    if (model == ModelProfile::kTrA1 && !searching) {
        trA1Heard_ = trA1Heard_ || sound;
        return true;
    }
    // A receiver that has said it is a TR-A1 on this connection does not become another model
    // unless it is swapped, so that takes one frame more than a first identification: on a
    // noisy line two frames in a row damaged the same way are rare, three practically never.
    const int framesNeeded = trA1Heard_ ? kFramesToBelieveAChange : kFramesToBelieveAModel;
    if (!sound || sameCodeFrames_ < framesNeeded) {
        return false;
    }

    state_.identificationPending = 1;
    state_.echoGuard = true;
    host_.EmptyReceiveBuffer();
    state_.linkBusy = true;
    state_.transferBusy = true;
    host_.ResetQueue();
    Enter(ConnectionState::kIdentifying);
    host_.EnableTransferControls(false);

    std::string text = searching ? "Auto Device Finder found "
                                 : "Model mismatched.\r\nTolvek Receiver Editor found ";
    text += ModelProfile::ModelName(model);
    text += ".\r\nPort : Com " + std::to_string(port) + "\r\n\r\n";

    const bool ok = host_.AskOkCancel(text, std::string(kTitle));
    if (state_.openPort != port) {
        // The port hung up (or the user disconnected) while the box was open: there is nothing
        // left to accept; the link already shows itself disconnected.
        state_.identificationPending = 0;
        return false;
    }
    if (!ok) {
        state_.identificationPending = 0;
        if (searching) {
            state_.searchPort = 0;
        }
        Disconnect();
        return false;
    }
    if (model != ModelProfile::kTrA1) {
        refusedModel_ = true;
        host_.ShowMessage("Sorry, this version doesn't support this model.", std::string(kTitle));
        Enter(ConnectionState::kUnsupported);
        host_.EnableTransferControls(false);
        if (searching) {
            state_.searchPort = 0;
        }
        // Link busy and transfer busy stay set: the link idles until the user reconnects.
        return false;
    }
    profile_.SetModel(model);
    trA1Heard_ = true;
    state_.identificationPending = 0;
    host_.SelectPort(port);
    host_.EnableTransferControls(true);
    if (searching) {
        state_.searchPort = 0;
    }
    host_.ReloadWindows();
    state_.linkBusy = false;
    state_.transferBusy = false;
    Enter(ConnectionState::kConnected);
    host_.EnableTransferControls(true);
    return true;
}

}  // namespace tra1
