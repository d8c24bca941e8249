#include "app/receiver_link.h"

#include <utility>

#include "app/main_window_ids.h"
#include "app/main_window_services.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "platform/serial/serial_port.h"
#include "platform/win/combo_box.h"
#include "platform/win/dialog.h"
#include "platform/win/prompter.h"
#include "platform/win/static.h"
#include "resources/icon_ids.h"

namespace tra1 {

namespace id = main_window;

ReceiverLink::ReceiverLink(win::Dialog& window, ReceiverImage& image, ModelProfile& profile,
                           std::unique_ptr<serial::SerialPort> port, MainWindowServices& services)
    : window_(window),
      services_(services),
      pane_(&window),
      rs232c_(window.Loop(), state_, std::move(port)),
      aux_(window.Loop()),
      decoder_(image, state_, *this),
      assembler_(tap_),
      connector_(state_, profile, frames_, log_, *this),
      sender_(window, rs232c_, frames_, state_, log_, assembler_, *this) {
    decoder_.SetConfigurationGate(&connector_);
    tap_.SetWindow(&sender_.Window());
    // A far end that hangs up (the cable pulled, the serial server or the simulator gone) ends
    // the connection and whatever transfer ran on it, and the user is told.
    rs232c_.SetHangUpHandler([this] { LoseLine("Connection lost."); });
    // So does a port that takes nothing any more, with the system's reason.
    rs232c_.SetWriteFailureHandler([this](const std::string& reason) {
        LoseLine("The port does not take what is sent" +
                 (reason.empty() ? std::string(".") : ": " + reason + ".") +
                 "\r\nThe connection was closed.");
    });
}

ReceiverLink::~ReceiverLink() = default;

void ReceiverLink::LoseLine(const std::string& why) {
    const int port = state_.openPort;
    sender_.Window().Clear();
    // A running transfer stops first, while the link still knows it ran; what that means for
    // the data comes from the transfer itself.
    const std::string stopped = services_.StopTransferForLostLine();
    connector_.Disconnect();
    services_.ControlModeChanged();
    std::string text = "COM Port : " + std::to_string(port) + "\r\n" + why;
    if (!stopped.empty()) {
        text += "\r\n" + stopped;
    }
    ShowMessage(text, id::kMessageTitle);
}

void ReceiverLink::CreateLinkWindows() {
    if (!rs232c_.Create(window_.Handle())) {
        window_.MessageBox("Dialog Creating Error\r\nRS-232C Port", "", win::Buttons::kOk);
    }
    if (!aux_.Create(window_.Handle())) {
        window_.MessageBox("Dialog Creating Error\r\nAUX Timer", "", win::Buttons::kOk);
    }
    aux_.SetTimerId(1);
    aux_.SetPeriod(10);
    aux_.Start();
}

void ReceiverLink::OnReceivedBatch() {
    if (feeding_) {
        // Taken when the batch in hand is done; the poll reads nothing until then.
        batchWaiting_ = true;
        return;
    }
    feeding_ = true;
    do {
        batchWaiting_ = false;
        const std::string batch(rs232c_.ReceivedBatch());
        rs232c_.SetReceiveEnabled(true);
        assembler_.Feed(batch);
    } while (batchWaiting_);
    feeding_ = false;
    // What the replies answered moves the transfer or the poll on now, after this batch, in the
    // order of hand-over, re-enabling and decoding; the tick would only do it up to 10 ms later.
    if (!stepNowPosted_ && state_.openPort != 0) {
        stepNowPosted_ = window_.PostMessage(id::kStepNow);
    }
}

void ReceiverLink::OnStepNow() {
    stepNowPosted_ = false;
    sender_.RunStepNow();
}

bool ReceiverLink::OnTimer(win::TimerId id) {
    return sender_.OnTimer(id);
}

int ReceiverLink::SelectedPort() const {
    const auto* combo = window_.Get<win::ComboBox>(id::kPortCombo);
    const int selection = combo != nullptr ? combo->GetCurSel() : win::CB_ERR;
    return selection == win::CB_ERR ? Connector::kAutoSearch : selection;
}

void ReceiverLink::SelectPort(int index) {
    if (auto* combo = window_.Get<win::ComboBox>(id::kPortCombo)) {
        combo->SetCurSel(index);
    }
}

void ReceiverLink::EnablePortChoice(bool enabled) {
    window_.EnableDlgItem(id::kPortCombo, enabled);
}

void ReceiverLink::ConnectionChanged(ConnectionState state) {
    switch (state) {
        case ConnectionState::kSearching:
            ShowConnectionIcon(res::kIconSearching);
            return;
        case ConnectionState::kConnected:
            ShowConnectionIcon(res::kIconConnectedAsync);
            return;
        case ConnectionState::kRealtime:
            ShowConnectionIcon(res::kIconConnectedRealtime);
            return;
        case ConnectionState::kClosed:
        case ConnectionState::kIdentifying:
        case ConnectionState::kUnsupported:
        case ConnectionState::kNoReply:
            break;
    }
    ShowConnectionIcon(res::kIconNotConnected);
}

void ReceiverLink::OnBlinkTimer() {
    // Whatever the connector reported last, the icon blinks for as long as the search runs,
    // also while the user is asked about a receiver it found.
    if (!connector_.SearchRunning()) {
        return;
    }
    ShowConnectionIcon(ConnectionIcon() == res::kIconSearching ? res::kIconNotConnected
                                                               : res::kIconSearching);
}

void ReceiverLink::ShowConnectionIcon(int iconId) {
    if (auto* icon = window_.Get<win::Static>(id::kConnectionIcon)) {
        icon->SetIcon(iconId);
    }
}

int ReceiverLink::ConnectionIcon() const {
    const auto* icon = window_.Get<win::Static>(id::kConnectionIcon);
    return icon != nullptr ? icon->GetIcon() : res::kIconNotConnected;
}

void ReceiverLink::EnableTransferControls(bool enabled) {
    for (int control : {id::kDownloadButton, id::kUploadButton, id::kCurrentSettingRadio,
                        id::kPresetSettingRadio}) {
        window_.EnableDlgItem(control, enabled);
    }
}

ConnectorHost::PortResult ReceiverLink::OpenPort() {
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

void ReceiverLink::ClosePort() {
    rs232c_.ClosePort();
    sender_.Window().Clear();
}

FrameWrite ReceiverLink::WriteFrame(std::string_view frame) {
    return rs232c_.WriteFrame(frame);
}

void ReceiverLink::EmptyReceiveBuffer() {
    rs232c_.EmptyReceiveBuffer();
}

void ReceiverLink::ShowMessage(const std::string& text, const std::string& title) {
    window_.MessageBox(text, title, win::Buttons::kOk);
}

bool ReceiverLink::AskOkCancel(const std::string& text, const std::string& title) {
    return window_.MessageBox(text, title, win::Buttons::kOkCancel) == win::Answer::kOk;
}

void ReceiverLink::ReloadWindows() {
    services_.ReloadWindows();
}

void ReceiverLink::RefreshPanels() {
    // Called by the decoders after a report was stored: holds keep running.
    services_.RefreshPanelsKeepingHolds();
}

void ReceiverLink::ShowReceiverNotAnswering() {
    connector_.ReceiverStoppedAnswering();
}

void ReceiverLink::ShowReceiverGone() {
    ShowReceiverNotAnswering();
    connector_.OnReceiverSilent();
}

void ReceiverLink::ChangeRefused(int function) {
    services_.ChangeRefused(function);
}

void ReceiverLink::ReplyGivenUp() {
    services_.ReplyGivenUp();
}

void ReceiverLink::UploadStep() {
    services_.UploadStep();
}

void ReceiverLink::DownloadStep() {
    services_.DownloadStep();
}

void ReceiverLink::RealtimeStep() {
    services_.RealtimeStep();
}

}  // namespace tra1
