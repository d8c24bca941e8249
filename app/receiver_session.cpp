#include "app/receiver_session.h"

#include <utility>

#include "link/configuration_decoder.h"
#include "model/model_profile.h"
#include "platform/serial/serial_port.h"
#include "platform/win/event_loop.h"

namespace tra1 {
namespace {

// The tick window's timer, as the main window starts it.
constexpr int kTickTimerId = 1;
constexpr int kTickPeriodMs = 10;

}  // namespace

ReceiverSession::ReceiverSession(win::EventLoop& loop, ReceiverImage& image, ModelProfile& profile,
                                 std::unique_ptr<serial::SerialPort> port, LogSink* log)
    : log_(log),
      owner_(loop, *this),
      rs232c_(loop, state_, std::move(port)),
      aux_(loop),
      decoder_(image, state_, *this),
      assembler_(tap_),
      connector_(state_, profile, frames_, log_, *this),
      sender_(owner_, rs232c_, frames_, state_, log_, assembler_, *this),
      transfers_(state_, image, profile, transferSide_),
      reportedModel_(ModelProfile::kUnknownModel) {
    decoder_.SetConfigurationGate(this);
    tap_.SetWindow(&sender_.Window());
    // The editor starts with the echo guard set because it has just filled its own controls;
    // with no window there is no echo, and the first configuration frame is checked at once.
    state_.echoGuard = false;
    rs232c_.SetHangUpHandler([this] { OnHangUp(); });
}

ReceiverSession::~ReceiverSession() {
    // The port closes with its owner window; the windows go before the loop does.
    aux_.Stop();
    if (aux_.IsWindow()) {
        aux_.DestroyWindow();
    }
    if (rs232c_.IsWindow()) {
        rs232c_.DestroyWindow();
    }
    if (owner_.IsWindow()) {
        owner_.DestroyWindow();
    }
}

bool ReceiverSession::Start() {
    if (!owner_.CreateHidden()) {
        messages_.emplace_back("Dialog Creating Error\r\nReceiver Session");
        return false;
    }
    if (!rs232c_.Create(owner_.Handle())) {
        messages_.emplace_back("Dialog Creating Error\r\nRS-232C Port");
        return false;
    }
    if (!aux_.Create(owner_.Handle())) {
        messages_.emplace_back("Dialog Creating Error\r\nAUX Timer");
        return false;
    }
    aux_.SetTimerId(kTickTimerId);
    aux_.SetPeriod(kTickPeriodMs);
    aux_.Start();
    sender_.StartTimers();
    return true;
}

void ReceiverSession::Connect(int port) {
    selectedPort_ = port;
    framesTaken_ = 0;
    connector_.Connect();
}

void ReceiverSession::Disconnect() {
    transfers_.CloseIfStopped();
    connector_.Disconnect();
}

bool ReceiverSession::EnterRealtime() {
    if (state_.openPort == 0 || transfers_.Running()) {
        return false;
    }
    // What the editor's "Realtime Mode" menu item does, without its menu and panels.
    state_.realtimeMode = true;
    state_.realtimePollState = LinkState::kFirstRealtimeState;
    state_.realtimeExpectedTable = 0;
    state_.awaitedFunction = LinkState::kNone;
    state_.echoGuard = false;
    return true;
}

bool ReceiverSession::StartUpload(bool presets) {
    return StartTransfer(true, presets);
}

bool ReceiverSession::StartDownload(bool presets) {
    return StartTransfer(false, presets);
}

bool ReceiverSession::StartTransfer(bool upload, bool presets) {
    presets_ = presets;
    transferStopped_.clear();
    return upload ? transfers_.StartUpload() : transfers_.StartDownload();
}

void ReceiverSession::Owner::OnTimer(win::TimerId id) {
    session_.sender_.OnTimer(id);
}

win::LResult ReceiverSession::Owner::OnMessage(win::Msg msg, win::WParam, win::LParam) {
    if (msg == CRS232CDlg::kBatchMessage) {
        session_.OnReceivedBatch();
    } else if (msg == kStepNowMessage) {
        session_.OnStepNow();
    } else if (msg == CAUXTIMERDlg::kTickMessage) {
        session_.sender_.OnAuxTick();
    }
    return 0;
}

void ReceiverSession::OnReceivedBatch() {
    // Nothing here opens a nested loop, so one batch is taken apart before the next is read.
    const std::string batch(rs232c_.ReceivedBatch());
    rs232c_.SetReceiveEnabled(true);
    assembler_.Feed(batch);
    // What the replies answered moves the transfer or the poll on now, not at the next tick.
    if (!stepNowPosted_ && state_.openPort != 0) {
        stepNowPosted_ = owner_.PostMessage(kStepNowMessage);
    }
}

void ReceiverSession::OnStepNow() {
    stepNowPosted_ = false;
    sender_.RunStepNow();
}

void ReceiverSession::OnHangUp() {
    const int port = state_.openPort;
    sender_.Window().Clear();
    lineLost_ = true;
    const std::string stopped = transfers_.StopForLostLine();
    if (!stopped.empty()) {
        transferStopped_ = stopped;
    }
    connector_.Disconnect();
    messages_.push_back("COM Port : " + std::to_string(port) + "\r\nConnection lost." +
                        (stopped.empty() ? std::string() : "\r\n" + stopped));
}

ConnectorHost::PortResult ReceiverSession::OpenPort() {
    // Whatever was on its way belongs to the line before.
    sender_.Window().Clear();
    switch (rs232c_.OpenPort()) {
        case PortOpenResult::kOpened:
            return PortResult::kOpened;
        case PortOpenResult::kRefused:
            return PortResult::kRefused;
        case PortOpenResult::kNotMapped:
            return PortResult::kNotMapped;
        case PortOpenResult::kNoPort:
        case PortOpenResult::kSettingsFailed:
            break;
    }
    return PortResult::kSettingsFailed;
}

void ReceiverSession::ClosePort() {
    rs232c_.ClosePort();
    sender_.Window().Clear();
}

void ReceiverSession::ShowMessage(const std::string& text, const std::string& /*title*/) {
    messages_.push_back(text);
}

bool ReceiverSession::AskOkCancel(const std::string& text, const std::string& /*title*/) {
    // OK: a TR-A1 found by the search is taken, any other model is refused by the connector.
    messages_.push_back(text);
    return true;
}

void ReceiverSession::ShowReceiverGone() {
    connector_.ReceiverStoppedAnswering();
    connector_.OnReceiverSilent();
}

SendLane ReceiverSession::TransferSide::Lane() const {
    // Transfers run in asynchronous mode only, the poll in realtime mode only.
    return session_.state_.realtimeMode ? SendLane::kPoll : SendLane::kTransfer;
}

void ReceiverSession::TransferSide::SendCommand(int commandNumber, int value) {
    session_.sender_.SendCommand(commandNumber, value, Lane());
}

void ReceiverSession::TransferSide::SendExtended(int function, int mode,
                                                 const std::array<int, 6>& p,
                                                 std::string_view text) {
    session_.sender_.SendExtended(function, mode, p[0], p[1], p[2], p[3], p[4], p[5], text, Lane());
}

void ReceiverSession::TransferSide::ReportStopped(const std::string& text) {
    session_.transferStopped_ = text;
    session_.messages_.push_back(text);
}

bool ReceiverSession::TransferSide::OpenWaitMessage() {
    session_.waitOpen_ = true;
    return true;
}

void ReceiverSession::TransferSide::PostProgress(int /*wParam*/, int lParam) {
    // The end of a transfer closes the wait-message window; the program reads the progress
    // from the engine itself.
    if (lParam == TransferEngine::kProgressEnd) {
        session_.waitOpen_ = false;
    }
}

bool ReceiverSession::OnConfigurationFrame(std::string_view body) {
    reportedModel_ = Connector::IdentifyModel(body);
    const bool taken = connector_.OnConfigurationFrame(body);
    if (taken && ConfigurationDecoder::FormOf(body) != ConfigurationForm::kDamaged) {
        ++framesTaken_;
    }
    return taken;
}

}  // namespace tra1
