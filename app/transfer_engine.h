#pragma once
// Configuration upload (receiver to image) and download (image to receiver), and the realtime
// poll. The main window owns one TransferEngine and wires it:
//   - menu 32793 / button 1201 to StartUpload, menu 32794 / button 1200 to StartDownload;
//   - the link's UploadStep, DownloadStep and RealtimeStep hooks (the 10 ms tick) to the steps;
//   - message 0xA201 from the wait-message window to Cancel.
// The steps advance only while nothing is awaited; the link's waiting counter gives an awaited
// reply up after 2 seconds (1 second in realtime mode) and, for an upload, steps the counter
// back so that the step is repeated.

#include <string_view>

#include "app/transfer_download.h"
#include "app/transfer_output.h"
#include "app/transfer_realtime_poll.h"
#include "app/transfer_upload.h"

namespace tra1 {

class ModelProfile;
class ReceiverImage;
class TransferHost;
struct LinkState;

class TransferEngine {
public:
    static constexpr std::string_view kSelectAsynchronousText = "Select Asynchronous Mode.";
    static constexpr std::string_view kPortNotOpenText = "Com port is not open.";
    static constexpr std::string_view kUploadingText = "Uploading Configuration.";
    static constexpr std::string_view kDownloadingText = "Downloading Configuration.";

    // wParam of the progress message; the end message fills the bar and closes the window.
    static constexpr int kUploadProgress = 0;
    static constexpr int kDownloadProgress = 1;
    static constexpr int kProgressEnd = 3000;
    static constexpr int kLastPresetPass = 5;

    TransferEngine(LinkState& state, ReceiverImage& image, ModelProfile& profile,
                   TransferHost& host);

    // The Upload and Download commands. After the checks (realtime mode, port, a transfer
    // running), each failure with its message box, the transfer starts and the wait-message
    // window opens. False when a check failed.
    bool StartUpload();
    bool StartDownload();

    // One step of each sequence; nothing happens while a reply is awaited.
    void UploadStep();
    void DownloadStep();
    void RealtimeStep();

    // The user cancelled (message 0xA201): nothing more is sent; what the receiver or the image
    // already holds stays.
    void Cancel();
    // After a control-mode change: a transfer that the change ended closes its window.
    void CloseIfStopped();

    bool Running() const;
    // The preset pass of a "Preset Setting" transfer, 0..5 (MainZoneState byte 17; a value out
    // of range, as a configuration file may hold, counts as 0).
    int PresetPass() const;

private:
    bool Start(bool upload);
    void PostStepProgress(int wParam, int value, int count);
    void EndUploadPass();
    void EndDownloadPass();
    void Finish(bool download);
    void SetPresetPass(int pass);
    void RecallReceiverMemories(int entry);
    void StoreReceiverMemories(int entry);

    LinkState& state_;
    ReceiverImage& image_;
    TransferHost& host_;
    TransferOutput out_;
    DownloadSequence download_;
    UploadSequence upload_;
    RealtimePoll poll_;
    // The Sync Option as it was when the transfer started.
    bool presetSetting_ = false;
};

}  // namespace tra1
