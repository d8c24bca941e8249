#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "app/log_pane.h"
#include "link/caux_timer_dlg.h"
#include "link/command_sender.h"
#include "link/connector.h"
#include "link/crs232c_dlg.h"
#include "link/decoder_host.h"
#include "link/frame_assembler.h"
#include "link/link_state.h"
#include "link/protocol_log.h"
#include "link/reply_decoder.h"
#include "link/send_window.h"
#include "model/command_frame_builder.h"
#include "platform/win/message.h"

namespace tra1 {

class MainWindowServices;
class ModelProfile;
class ReceiverImage;

namespace serial {
class SerialPort;
}
namespace win {
class Dialog;
}

// Everything of the main window that talks to the receiver, wired together: the port owner and
// the tick window, the shared link state, the log, the frame assembler and the reply decoders,
// the connector and the command sender. It answers the link's questions about the main window
// (its COM port combo box, connection icon, transfer controls and message boxes) from the
// window's controls, and hands the rest to the main window's services.
class ReceiverLink final : private ConnectorHost, private DecoderHost, private CommandSenderHost {
public:
    ReceiverLink(win::Dialog& window, ReceiverImage& image, ModelProfile& profile,
                 std::unique_ptr<serial::SerialPort> port, MainWindowServices& services);
    ~ReceiverLink() override;
    ReceiverLink(const ReceiverLink&) = delete;
    ReceiverLink& operator=(const ReceiverLink&) = delete;

    // Creates the two invisible windows and starts the 10 ms tick; a window that cannot be
    // created is reported and the program goes on without it.
    void CreateLinkWindows();
    // Starts the reply pump and the periodic status request.
    void StartTimers() { sender_.StartTimers(); }

    // Message 0x4400: a batch of received bytes waits. Once it is taken apart, the next step
    // of a transfer or of the realtime poll is posted to run at once (OnStepNow).
    void OnReceivedBatch();
    // The posted step after a batch.
    void OnStepNow();
    // Main window timers 2, 3 and 7; false for other ids.
    bool OnTimer(win::TimerId id);
    // Message 0xA500 from the tick window.
    void OnAuxTick() { sender_.OnAuxTick(); }
    // Timer 1 (500 ms): while a search runs the connection icon blinks.
    void OnBlinkTimer();

    LinkState& State() { return state_; }
    const LinkState& State() const { return state_; }
    ProtocolLog& Log() { return log_; }
    Connector& GetConnector() { return connector_; }
    const Connector& GetConnector() const { return connector_; }
    CommandSender& Sender() { return sender_; }
    CRS232CDlg& Rs232c() { return rs232c_; }
    CAUXTIMERDlg& AuxTimer() { return aux_; }

    // The receiver does not answer: the connector is told (no reply, connection icon 129) and
    // the transfer controls are disabled.
    void ShowReceiverNotAnswering();

private:
    // The port closed itself because its far end went away (`why`: "Connection lost."), or was
    // closed after it kept refusing writes: the transfer stops, the link disconnects, the user
    // is told once.
    void LoseLine(const std::string& why);

    // ConnectorHost
    int SelectedPort() const override;
    void SelectPort(int index) override;
    void EnablePortChoice(bool enabled) override;
    // The connection icon (static 1003) shows the connection state.
    void ConnectionChanged(ConnectionState state) override;
    void EnableTransferControls(bool enabled) override;
    PortResult OpenPort() override;
    std::string OpenFailureReason() const override { return rs232c_.OpenFailureReason(); }
    void ClosePort() override;
    FrameWrite WriteFrame(std::string_view frame) override;
    void EmptyReceiveBuffer() override;
    void ResetQueue() override { sender_.ResetQueue(); }
    void QueueOnlyStatusRequest() override { sender_.QueueOnlyStatusRequest(); }
    int CurrentQueuedCommand() const override { return sender_.CurrentQueuedCommand(); }
    void AdvanceQueueIndex() override { sender_.AdvanceQueueIndex(); }
    void StopReplyTimeout() override { sender_.StopReplyTimeout(); }
    void ShowMessage(const std::string& text, const std::string& title) override;
    bool AskOkCancel(const std::string& text, const std::string& title) override;
    void ReloadWindows() override;

    // DecoderHost
    void RefreshPanels() override;
    void ResetReceiver() override { rs232c_.EmptyReceiveBuffer(); }
    void LogReceived(std::string_view line) override { log_.LogIfEnabled(line); }
    void LogNotice(std::string_view line) override { log_.AppendLog(line); }
    void OnExtendedStatus(int function, char status) override {
        sender_.OnExtendedStatus(function, status);
    }

    // CommandSenderHost
    void SearchPort(int port) override { connector_.SearchPort(port); }
    void ShowReceiverGone() override;
    void ReplyGivenUp() override;
    void ChangeRefused(int function) override;
    void UploadStep() override;
    void DownloadStep() override;
    void RealtimeStep() override;

    void ShowConnectionIcon(int iconId);
    int ConnectionIcon() const;

    win::Dialog& window_;
    MainWindowServices& services_;
    LinkState state_;
    // The one outgoing frame buffer of the connector and the sender.
    CommandFrameBuilder frames_;
    // The protocol log goes to the main window's log pane.
    LogPane pane_;
    ProtocolLog log_{&pane_};
    CRS232CDlg rs232c_;
    CAUXTIMERDlg aux_;
    ReplyDecoder decoder_;
    // The send window sees every frame before the decoders do.
    SendWindowTap tap_{decoder_};
    FrameAssembler assembler_;
    Connector connector_;
    CommandSender sender_;
    // A batch is being taken apart; a batch handed over meanwhile (from inside a message box
    // the decoding opened) waits until this one is done.
    bool feeding_ = false;
    bool batchWaiting_ = false;
    bool stepNowPosted_ = false;
};

}  // namespace tra1
