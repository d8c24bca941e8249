#pragma once
// The receiver link and the configuration transfers with no window at all: the port owner and
// the tick window, the command sender, the decoders, the connector and the transfer engine,
// wired as the main window wires them, for a program that talks to the receiver from the
// command line. Where the editor would show something (a message box, the connection icon, the
// wait-message window) the session keeps it for its program to read; where the editor would ask
// (the identification dialog) it answers OK, so that a TR-A1 is taken and any other model ends
// up refused.
//
//   ReceiverSession session(loop, image, profile, std::make_unique<serial::MappedSerialPort>(map));
//   session.Connect(1);
//   loop.RunUntil([&] { return session.Connection() != ConnectionState::kClosed; }, limitMs);
//
// Single-threaded: everything runs from the loop's thread, as in the editor.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/transfer_engine.h"
#include "app/transfer_host.h"
#include "link/caux_timer_dlg.h"
#include "link/command_sender.h"
#include "link/configuration_gate.h"
#include "link/connection_state.h"
#include "link/connector.h"
#include "link/crs232c_dlg.h"
#include "link/decoder_host.h"
#include "link/frame_assembler.h"
#include "link/link_state.h"
#include "link/protocol_log.h"
#include "link/reply_decoder.h"
#include "link/send_window.h"
#include "model/command_frame_builder.h"
#include "platform/win/window.h"

namespace tra1 {

class LogSink;
class ModelProfile;
class ReceiverImage;

namespace serial {
class SerialPort;
}
namespace win {
class EventLoop;
}

class ReceiverSession final : private ConnectorHost,
                              private DecoderHost,
                              private CommandSenderHost,
                              private ConfigurationGate {
public:
    // `log` (may be null) receives the protocol trace while it is enabled. Nothing is owned but
    // the port; loop, image, profile and log must outlive the session.
    ReceiverSession(win::EventLoop& loop, ReceiverImage& image, ModelProfile& profile,
                    std::unique_ptr<serial::SerialPort> port, LogSink* log = nullptr);
    ~ReceiverSession() override;
    ReceiverSession(const ReceiverSession&) = delete;
    ReceiverSession& operator=(const ReceiverSession&) = delete;

    // Creates the invisible windows and starts the link's timers; false (with the reason among
    // Messages()) when a window could not be made.
    bool Start();

    // Opens COM `port` (1..8) and greets the receiver, or searches COM1..COM8 for 0. Whether
    // it worked shows in Connection() and Messages() as the loop runs.
    void Connect(int port);
    void Disconnect();
    ConnectionState Connection() const { return connector_.Connection(); }
    // The port the link has open, 1..8; 0 when none.
    int OpenPortNumber() const { return state_.openPort; }

    // What the editor would have shown in message boxes, oldest first, each with its "\r\n"
    // line breaks.
    const std::vector<std::string>& Messages() const { return messages_; }
    // The model code of the last configuration frame heard; ModelProfile::kUnknownModel before.
    int ReportedModel() const { return reportedModel_; }
    // Configuration frames since the port opened that the connector took as a TR-A1's and
    // whose state went into the image. A frame of another model, or one the connector does not
    // yet believe (it wants the same code twice in a row), is not counted: whether the receiver
    // is a TR-A1 is the connector's verdict, shown by Connection() once this is above 0.
    int ConfigurationFramesTaken() const { return framesTaken_; }
    // The receiver's state decoded into the image (a configuration frame or a report in
    // realtime mode, or a transfer's reply).
    int ImageUpdates() const { return imageUpdates_; }
    // The far end hung up (the device or server went away); the link has been closed.
    bool LineLost() const { return lineLost_; }

    // Realtime mode: every command goes to the receiver at once and its reports come back into
    // the image. False when no port is open or a transfer runs.
    bool EnterRealtime();
    // Sends one command now (operation frame), as a control of the main window does; in
    // asynchronous mode only power and the preset memories pass.
    void SendCommand(int commandNumber, int value) { sender_.SendCommand(commandNumber, value); }

    // The transfers: Upload (receiver to image) and Download (image to receiver), of the
    // current setting or, with `presets`, also the six preset memories. False, with the reason
    // among Messages(), when the transfer could not start.
    bool StartUpload(bool presets);
    bool StartDownload(bool presets);
    bool TransferRunning() const { return transfers_.Running(); }
    double TransferProgress() const { return transfers_.Progress(); }
    // Pipelined transfers (the editor's "Fast Transfer"); stepwise unless set.
    void SetPipelinedTransfers(bool pipelined) { transfers_.SetPipelined(pipelined); }
    // The user's Cancel: the transfer stops and the receiver and the image are put back.
    void CancelTransfer() { transfers_.Cancel(); }
    // Set when a transfer ended before its end other than by CancelTransfer: what that means
    // for the data (the text the editor shows).
    const std::string& TransferStopped() const { return transferStopped_; }

    const LinkState& State() const { return state_; }

private:
    // The invisible window that stands where the main window would: it receives the batches,
    // the 10 ms tick and the sender's timers.
    class Owner final : public win::Window {
    public:
        Owner(win::EventLoop& loop, ReceiverSession& session) : Window(loop), session_(session) {}

    protected:
        void OnTimer(win::TimerId id) override;
        win::LResult OnMessage(win::Msg msg, win::WParam w, win::LParam l) override;

    private:
        ReceiverSession& session_;
    };

    // Posted to the owner after a batch: the next transfer or poll step runs at once.
    static constexpr win::Msg kStepNowMessage = win::WM_USER + 2;

    // The transfers' view of the session: the link's sends in the transfer's lane (the poll's in
    // realtime mode), pauses kept by the send window, and the window side as flags and texts.
    class TransferSide final : public TransferHost {
    public:
        explicit TransferSide(ReceiverSession& session) : session_(session) {}

        void SendCommand(int commandNumber, int value) override;
        void SendExtended(int function, int mode, const std::array<int, 6>& p,
                          std::string_view text) override;
        void ResetQueue() override { session_.sender_.ResetQueue(); }
        void ResetReceiver() override { session_.sender_.ResetReceiver(); }
        void Pause(int ms) override { session_.sender_.Hold(Lane(), ms); }
        void TagSends(int tag) override { session_.sender_.SetSendTag(tag); }
        bool TransferSendsWaiting() const override {
            return session_.sender_.Window().HasQueued(SendLane::kTransfer);
        }
        bool TaggedAnswersOwed() const override {
            return session_.sender_.Window().AwaitsTaggedReplies(SendLane::kTransfer);
        }
        std::optional<int> TakeTagOfLostAnswer() override {
            return session_.sender_.Window().TakeBrokenTag();
        }
        int DropWaitingTransferSends() override {
            return static_cast<int>(session_.sender_.Window().DropQueued(SendLane::kTransfer));
        }
        void SendCommandsOneByOne(bool on) override {
            session_.sender_.Window().SetOneCommandAtATime(SendLane::kTransfer, on);
        }
        bool TransferAnswersOwed() const override {
            return session_.sender_.Window().AwaitsReplies(SendLane::kTransfer);
        }
        std::optional<SendWindow::WriteGivenUp> TakeTransferWriteGivenUp() override {
            return session_.sender_.Window().TakeWriteGivenUp();
        }
        void ShowMessage(const std::string& text) override { session_.messages_.push_back(text); }
        void ReportStopped(const std::string& text) override;
        void ReceiverNotAnswering() override { session_.connector_.ReceiverStoppedAnswering(); }
        void TransferStateChanged() override {}
        bool PresetSettingChosen() const override { return session_.presets_; }
        bool OpenWaitMessage() override;
        bool WaitMessageOpen() const override { return session_.waitOpen_; }
        void PostProgress(int wParam, int lParam) override;
        void CloseWaitMessage() override { session_.waitOpen_ = false; }
        void SelectPresetEntry(int) override {}
        void ImageChanged() override {}
        // tr-a1ctl reads the receiver into the session's own image and compares afterwards; no
        // upload is made for a compare window.
        // Nothing to show without windows: tr-a1ctl reports its own results.
        void TransferStarted(bool) override {}
        void TransferEnded(bool, bool, int) override {}
        void DownloadCompleted() override {}
        void ReceiverRead(const ReceiverImage&, bool, bool) override {}

    private:
        SendLane Lane() const;
        ReceiverSession& session_;
    };

    void OnReceivedBatch();
    void OnStepNow();
    void OnHangUp();
    bool StartTransfer(bool upload, bool presets);

    // ConnectorHost
    int SelectedPort() const override { return selectedPort_; }
    void SelectPort(int index) override { selectedPort_ = index; }
    void EnablePortChoice(bool) override {}
    void ConnectionChanged(ConnectionState) override {}
    void EnableTransferControls(bool) override {}
    PortResult OpenPort() override;
    std::string OpenFailureReason() const override { return rs232c_.OpenFailureReason(); }
    void ClosePort() override;
    FrameWrite WriteFrame(std::string_view frame) override { return rs232c_.WriteFrame(frame); }
    void EmptyReceiveBuffer() override { rs232c_.EmptyReceiveBuffer(); }
    void ResetQueue() override { sender_.ResetQueue(); }
    void QueueOnlyStatusRequest() override { sender_.QueueOnlyStatusRequest(); }
    int CurrentQueuedCommand() const override { return sender_.CurrentQueuedCommand(); }
    void AdvanceQueueIndex() override { sender_.AdvanceQueueIndex(); }
    void StopReplyTimeout() override { sender_.StopReplyTimeout(); }
    void ShowMessage(const std::string& text, const std::string& title) override;
    bool AskOkCancel(const std::string& text, const std::string& title) override;
    void ReloadWindows() override {}

    // DecoderHost
    void RefreshPanels() override { ++imageUpdates_; }
    void ResetReceiver() override { rs232c_.EmptyReceiveBuffer(); }
    void LogReceived(std::string_view line) override { log_.LogIfEnabled(line); }
    void OnExtendedStatus(int function, char status) override {
        sender_.OnExtendedStatus(function, status);
    }

    // CommandSenderHost
    void SearchPort(int port) override { connector_.SearchPort(port); }
    void ShowReceiverGone() override;
    void ReplyGivenUp() override { transfers_.OnReplyGivenUp(); }
    void UploadStep() override { transfers_.UploadStep(); }
    void DownloadStep() override { transfers_.DownloadStep(); }
    void RealtimeStep() override { transfers_.RealtimeStep(); }

    // ConfigurationGate: notes the frame's model, asks the connector, and counts the frame when
    // the connector took it and its state can be decoded.
    bool OnConfigurationFrame(std::string_view body) override;

    LinkState state_;
    CommandFrameBuilder frames_;
    ProtocolLog log_;
    Owner owner_;
    CRS232CDlg rs232c_;
    CAUXTIMERDlg aux_;
    ReplyDecoder decoder_;
    // The send window sees every frame before the decoders do.
    SendWindowTap tap_{decoder_};
    FrameAssembler assembler_;
    Connector connector_;
    CommandSender sender_;
    TransferSide transferSide_{*this};
    TransferEngine transfers_;

    int selectedPort_ = Connector::kAutoSearch;
    bool presets_ = false;
    bool waitOpen_ = false;
    bool lineLost_ = false;
    bool stepNowPosted_ = false;
    int reportedModel_;
    int framesTaken_ = 0;
    int imageUpdates_ = 0;
    std::vector<std::string> messages_;
    std::string transferStopped_;
};

}  // namespace tra1
