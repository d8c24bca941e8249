#include "app/transfer_window_host.h"

#include "app/main_window_ids.h"
#include "app/receiver_editor_dlg.h"
#include "platform/win/button.h"
#include "platform/win/event_loop.h"

namespace tra1 {

namespace id = main_window;

SendLane TransferWindowHost::Lane() const {
    // Transfers run in asynchronous mode only, the poll in realtime mode only.
    return window_.Link().State().realtimeMode ? SendLane::kPoll : SendLane::kTransfer;
}

void TransferWindowHost::SendCommand(int commandNumber, int value) {
    window_.Link().Sender().SendCommand(commandNumber, value, Lane());
}

void TransferWindowHost::SendExtended(int function, int mode, const std::array<int, 6>& p,
                                      std::string_view text) {
    window_.Link().Sender().SendExtended(function, mode, p[0], p[1], p[2], p[3], p[4], p[5], text,
                                         Lane());
}

void TransferWindowHost::ResetQueue() {
    window_.Link().Sender().ResetQueue();
}

void TransferWindowHost::ResetReceiver() {
    window_.Link().Sender().ResetReceiver();
}

void TransferWindowHost::Pause(int ms) {
    // The frames before it may still be waiting for room: the pause is kept between them and
    // the next frame on the line, and the window stays responsive meanwhile.
    window_.Link().Sender().Hold(Lane(), ms);
}

void TransferWindowHost::TagSends(int tag) {
    window_.Link().Sender().SetSendTag(tag);
}

bool TransferWindowHost::TransferSendsWaiting() const {
    return window_.Link().Sender().Window().HasQueued(SendLane::kTransfer);
}

bool TransferWindowHost::TaggedAnswersOwed() const {
    return window_.Link().Sender().Window().AwaitsTaggedReplies(SendLane::kTransfer);
}

std::optional<int> TransferWindowHost::TakeTagOfLostAnswer() {
    return window_.Link().Sender().Window().TakeBrokenTag();
}

int TransferWindowHost::DropWaitingTransferSends() {
    return static_cast<int>(window_.Link().Sender().Window().DropQueued(SendLane::kTransfer));
}

void TransferWindowHost::SendCommandsOneByOne(bool on) {
    window_.Link().Sender().Window().SetOneCommandAtATime(SendLane::kTransfer, on);
}

bool TransferWindowHost::TransferAnswersOwed() const {
    return window_.Link().Sender().Window().AwaitsReplies(SendLane::kTransfer);
}

std::optional<SendWindow::WriteGivenUp> TransferWindowHost::TakeTransferWriteGivenUp() {
    return window_.Link().Sender().Window().TakeWriteGivenUp();
}

void TransferWindowHost::ShowMessage(const std::string& text) {
    window_.MessageBox(text, "", win::Buttons::kOk);
}

void TransferWindowHost::ReportStopped(const std::string& text) {
    window_.MessageBox(text, id::kMessageTitle, win::Buttons::kOk);
}

void TransferWindowHost::ReceiverNotAnswering() {
    window_.Link().ShowReceiverNotAnswering();
}

void TransferWindowHost::TransferStateChanged() {
    window_.Mode().ShowInMenu();
    window_.ShowTransferInMenu();
}

bool TransferWindowHost::PresetSettingChosen() const {
    return window_.IsDlgButtonChecked(id::kPresetSettingRadio) == win::BST_CHECKED;
}

bool TransferWindowHost::OpenWaitMessage() {
    return window_.OpenWaitMessage();
}

bool TransferWindowHost::WaitMessageOpen() const {
    return window_.WaitMessageOpen();
}

void TransferWindowHost::PostProgress(int wParam, int lParam) {
    window_.PostToWaitMessage(static_cast<win::WParam>(wParam), static_cast<win::LParam>(lParam));
}

void TransferWindowHost::CloseWaitMessage() {
    window_.CloseWaitMessage();
}

void TransferWindowHost::SelectPresetEntry(int entry) {
    window_.Presets().SelectEntry(entry);
}

void TransferWindowHost::ImageChanged() {
    window_.RefreshPanels();
}

void TransferWindowHost::TransferStarted(bool download) {
    window_.TransferStarted(download);
}

void TransferWindowHost::TransferEnded(bool download, bool finished, int framesSent) {
    window_.TransferEnded(download, finished, framesSent);
}

void TransferWindowHost::DownloadCompleted() {
    if (window_.Compares().DownloadCompleted()) {
        window_.PostMessage(id::kStartVerify);
    }
}

void TransferWindowHost::ReceiverRead(const ReceiverImage& received, bool verify,
                                      bool presetSetting) {
    window_.Compares().ReceiverRead(received, verify, presetSetting);
}

}  // namespace tra1
