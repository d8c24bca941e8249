#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "link/send_window.h"

namespace tra1 {

class ReceiverImage;

// What the configuration transfers and the realtime poll need from the main window: the link's
// two immediate sends and its resets, the blocking pause, and the window side (message boxes,
// the Sync Option radios, the wait-message window, the preset list boxes, reloading the windows
// after the image changed).
class TransferHost {
public:
    virtual ~TransferHost() = default;

    // --- the link ------------------------------------------------------------------------------
    virtual void SendCommand(int commandNumber, int value) = 0;
    virtual void SendExtended(int function, int mode, const std::array<int, 6>& p,
                              std::string_view text) = 0;
    virtual void ResetQueue() = 0;
    virtual void ResetReceiver() = 0;
    // The receiver needs `ms` milliseconds after the frame just sent before the next one.
    virtual void Pause(int ms) = 0;

    // --- the send window, for pipelined transfers ---------------------------------------------
    // The frames sent from now on carry this tag (-1: none); a lost answer names it.
    virtual void TagSends(int /*tag*/) {}
    // Whether frames of the transfer still wait to go out (a pause among them, or no room yet).
    virtual bool TransferSendsWaiting() const { return false; }
    // Whether tagged frames of the transfer still wait for their answers.
    virtual bool TaggedAnswersOwed() const { return false; }
    // The tag of the oldest tagged frame whose answer was lost or came unexpected since the last
    // call; nullopt when none.
    virtual std::optional<int> TakeTagOfLostAnswer() { return std::nullopt; }
    // Forgets the transfer's frames that have not gone out; returns how many were forgotten.
    virtual int DropWaitingTransferSends() { return 0; }
    // The transfer's frames wait for the answer to each command before them (a download: what a
    // command does can depend on the one before).
    virtual void SendCommandsOneByOne(bool /*on*/) {}
    // Whether frames of the transfer still wait for their answers, tagged or not.
    virtual bool TransferAnswersOwed() const { return false; }
    // A write of the transfer that never got a sound answer was given up, and why; nullopt when
    // none since the last call.
    virtual std::optional<SendWindow::WriteGivenUp> TakeTransferWriteGivenUp() {
        return std::nullopt;
    }

    // --- the window ----------------------------------------------------------------------------
    // A message box with the program's default title and an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // A transfer stopped before its end: a message box with the title "Tolvek Receiver Editor
    // Message" and an OK button.
    virtual void ReportStopped(const std::string& text) = 0;
    // The receiver stopped answering: connection icon 129 and the transfer controls disabled,
    // as when the link gives the receiver up; the port stays open.
    virtual void ReceiverNotAnswering() = 0;
    // A transfer started or ended: the controls that must not change under a running transfer
    // (the control-mode menu items) follow.
    virtual void TransferStateChanged() = 0;
    // The Sync Option: true for "Preset Setting" (1234), false for "Current Setting" (1233).
    virtual bool PresetSettingChosen() const = 0;
    // The wait-message window: opened when a transfer starts (false when it could not be made;
    // the failure has been reported), fed progress messages, closed on cancel.
    virtual bool OpenWaitMessage() = 0;
    virtual bool WaitMessageOpen() const = 0;
    virtual void PostProgress(int wParam, int lParam) = 0;
    virtual void CloseWaitMessage() = 0;
    // Selects entry 0..5 in the three preset list boxes (HOME PRESET, main and zone 2 volume).
    virtual void SelectPresetEntry(int entry) = 0;
    // The image changed as a whole: the main window's controls and the open panels follow.
    virtual void ImageChanged() = 0;

    // --- what the user is told afterwards --------------------------------------------------------
    // A transfer began, and how it ended: finished or stopped (cancelled, or ended by a change
    // of the control mode), with the number of frames its steps sent.
    virtual void TransferStarted(bool /*download*/) {}
    virtual void TransferEnded(bool /*download*/, bool /*finished*/, int /*framesSent*/) {}

    // --- the end of a transfer -------------------------------------------------------------------
    // A Download completed (not one that was stopped).
    virtual void DownloadCompleted() = 0;
    // An upload made to compare (UploadUse::kCompare, kVerify) completed: `received` is what the
    // receiver holds; the image is as it was before the upload. `presetSetting`: the upload read
    // the six presets too.
    virtual void ReceiverRead(const ReceiverImage& received, bool verify, bool presetSetting) = 0;
};

}  // namespace tra1
