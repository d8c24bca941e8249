#pragma once

#include "app/transfer_host.h"
#include "link/send_window.h"

namespace tra1 {

class CReceiverEditorDlg;

// The transfers' view of the main window: its link, its Sync Option radios, its
// wait-message window and its preset list boxes.
class TransferWindowHost final : public TransferHost {
public:
    explicit TransferWindowHost(CReceiverEditorDlg& window) : window_(window) {}

    void SendCommand(int commandNumber, int value) override;
    void SendExtended(int function, int mode, const std::array<int, 6>& p,
                      std::string_view text) override;
    void ResetQueue() override;
    void ResetReceiver() override;
    void Pause(int ms) override;
    void TagSends(int tag) override;
    bool TransferSendsWaiting() const override;
    bool TaggedAnswersOwed() const override;
    std::optional<int> TakeTagOfLostAnswer() override;
    int DropWaitingTransferSends() override;
    bool TransferAnswersOwed() const override;
    void SendCommandsOneByOne(bool on) override;
    std::optional<SendWindow::WriteGivenUp> TakeTransferWriteGivenUp() override;

    void ShowMessage(const std::string& text) override;
    void ReportStopped(const std::string& text) override;
    void ReceiverNotAnswering() override;
    void TransferStateChanged() override;
    bool PresetSettingChosen() const override;
    bool OpenWaitMessage() override;
    bool WaitMessageOpen() const override;
    void PostProgress(int wParam, int lParam) override;
    void CloseWaitMessage() override;
    void SelectPresetEntry(int entry) override;
    void ImageChanged() override;
    void TransferStarted(bool download) override;
    void TransferEnded(bool download, bool finished, int framesSent) override;
    void DownloadCompleted() override;
    void ReceiverRead(const ReceiverImage& received, bool verify, bool presetSetting) override;

private:
    SendLane Lane() const;

    CReceiverEditorDlg& window_;
};

}  // namespace tra1
