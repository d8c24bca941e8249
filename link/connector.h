#pragma once

#include <string>
#include <string_view>

#include "link/configuration_gate.h"
#include "link/connection_state.h"
#include "link/frame_write.h"

namespace tra1 {

class CommandFrameBuilder;
class ModelProfile;
class ProtocolLog;
struct LinkState;

// What the connector asks of the main window and of the serial link it owns. The main window
// implements it by handing each call to its controls, its port owner and its command queue.
class ConnectorHost {
public:
    enum class PortResult {
        kOpened,          // the port is open with the link's line settings
        kRefused,         // the system refused the device (the open-port slot is cleared)
        kSettingsFailed,  // opened, but the line settings could not be applied: closed again
        kNotMapped,       // the number leads to no device or server; the search skips it
    };

    virtual ~ConnectorHost() = default;

    // The COM port combo box 1000: index 0 "AUTO", 1..8 "COM1".."COM8".
    virtual int SelectedPort() const = 0;
    virtual void SelectPort(int index) = 0;
    virtual void EnablePortChoice(bool enabled) = 0;
    // The connection has moved to `state` (the main window shows it as its connection icon).
    virtual void ConnectionChanged(ConnectionState state) = 0;
    // The transfer controls (1200, 1201, 1233, 1234).
    virtual void EnableTransferControls(bool enabled) = 0;

    // The serial link. OpenPort opens the port whose number is in the open-port slot.
    virtual PortResult OpenPort() = 0;
    // Why the last OpenPort failed, one line for the user; empty when unknown.
    virtual std::string OpenFailureReason() const { return {}; }
    virtual void ClosePort() = 0;
    virtual FrameWrite WriteFrame(std::string_view frame) = 0;
    virtual void EmptyReceiveBuffer() = 0;

    // The command queue.
    virtual void ResetQueue() = 0;
    // The queue holds the single entry (255, 0): the status request, not yet sent.
    virtual void QueueOnlyStatusRequest() = 0;
    // The command number at the queue index; -1 when none is there.
    virtual int CurrentQueuedCommand() const = 0;
    // The entry at the queue index has been answered: the index moves on by one.
    virtual void AdvanceQueueIndex() = 0;
    virtual void StopReplyTimeout() = 0;

    // Modal message boxes. AskOkCancel returns true for OK.
    virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
    virtual bool AskOkCancel(const std::string& text, const std::string& title) = 0;

    // Reload the main window's controls from the image (which sets the echo guard) and refresh
    // every open panel.
    virtual void ReloadWindows() = 0;
};

// Connecting to the receiver: on a chosen COM port or by searching COM1..COM8, and checking
// every configuration frame's model. Only the TR-A1 is accepted, whatever model the image was
// last loaded for; any other code (or a receiver the search found) opens the identification
// dialog once enough sound frames in a row have carried it.
class Connector : public ConfigurationGate {
public:
    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 8;
    static constexpr int kAutoSearch = 0;  // combo item "AUTO"
    // Sound configuration frames in a row that must carry a code other than the TR-A1's (or,
    // during a search, any code) before the identification dialog opens: on a new connection,
    // and after the receiver has already said it is a TR-A1 on this one.
    static constexpr int kFramesToBelieveAModel = 2;
    static constexpr int kFramesToBelieveAChange = 3;

    // Model codes the receiver reports in the first five characters of a configuration frame.
    static int IdentifyModel(std::string_view body);

    // `frames` builds the two frames written when a port opens; `log` traces the search and
    // every configuration frame.
    Connector(LinkState& state, ModelProfile& profile, CommandFrameBuilder& frames,
              ProtocolLog& log, ConnectorHost& host)
        : state_(state), profile_(profile), frames_(frames), log_(log), host_(host) {}

    // Button "Connect" / menu "Connect": opens the chosen port, or starts the search on "AUTO".
    void Connect();
    // Button "Disconnect" / menu "Disconnect".
    void Disconnect();
    // Tries COM port n during the search; beyond COM8 the search has failed.
    void SearchPort(int n);
    // The identification steps for every configuration frame: true when the frame goes on to
    // be decoded.
    bool OnConfigurationFrame(std::string_view body) override;
    // The receiver stopped answering the queued commands (the sender gave up on it); the port
    // stays open so that a later status request finds it again.
    void ReceiverStoppedAnswering();
    // The link gave the receiver up after its five status requests went unanswered. A port the
    // user connected to that has never answered since is named in a message, once; a receiver
    // that answered before and falls silent only changes the connection state.
    void OnReceiverSilent();

    bool SearchRunning() const;
    ConnectionState Connection() const { return connection_; }
    // The receiver on the open port answered with another model, and the user was told it is
    // not supported: the link idles until Connect or Disconnect.
    bool ModelRefused() const { return refusedModel_; }

private:
    struct OpeningFrames {
        std::string first;
        std::string second;
        FrameWrite firstWrite;
        FrameWrite secondWrite;
    };
    // Writes the two frames that greet the receiver whenever a port opens.
    OpeningFrames WriteOpeningFrames();
    // "(PC) Command  " + frame for each greeting frame.
    void LogOpening(const OpeningFrames& frames);
    void FailSearch();
    void Log(std::string_view text);
    // Moves to `state` and tells the host.
    void Enter(ConnectionState state);
    // A new port or a closed one: what was heard from the last receiver no longer counts.
    void ForgetReceiver();

    LinkState& state_;
    ModelProfile& profile_;
    CommandFrameBuilder& frames_;
    ProtocolLog& log_;
    ConnectorHost& host_;
    // A port was connected to directly and no configuration frame has come since.
    bool awaitingFirstAnswer_ = false;
    ConnectionState connection_ = ConnectionState::kClosed;
    // The model code of the last sound configuration frame, and how many sound frames in a row
    // have carried it.
    std::string lastModelCode_;
    int sameCodeFrames_ = 0;
    // A sound frame with the TR-A1's code has arrived on this connection.
    bool trA1Heard_ = false;
    bool refusedModel_ = false;
};

}  // namespace tra1
