#pragma once
// Configuration upload (receiver to image) and download (image to receiver), and the realtime
// poll. The main window owns one TransferEngine and wires it:
//   - menu 32793 / button 1201 to StartUpload, menu 32794 / button 1200 to StartDownload;
//   - the link's UploadStep, DownloadStep and RealtimeStep hooks (the 10 ms tick) to the steps;
//   - message 0xA201 from the wait-message window to Cancel.
// The steps advance only while nothing is awaited; the link's waiting counter gives an awaited
// reply up after 2 seconds (1 second in realtime mode) and, for an upload, steps the counter
// back so that the step is repeated. Five replies given up in a row mean the receiver has
// stopped answering: the transfer stops there.
//
// Every transfer ends in a defined state. One that completes leaves what it read or wrote; one
// that is cancelled, stopped by the link (Disconnect, Connect) or by a receiver that fell silent
// or a line that went away puts the PC image back as it was when the transfer started, and,
// where the line still works, the receiver's input, program and volume back to what it was on
// before the transfer.

#include <optional>
#include <string>
#include <string_view>

#include "app/transfer_download.h"
#include "app/transfer_output.h"
#include "app/transfer_realtime_poll.h"
#include "app/transfer_upload.h"
#include "link/send_window.h"
#include "model/receiver_image.h"

namespace tra1 {

class ModelProfile;
class TransferHost;
struct LinkState;

// What an upload does with what it reads: it becomes the image, or it is handed to the host to
// compare (Configuration > "Compare with Receiver...", or the check after a Download) and the
// image is put back as it was, as after a cancelled upload.
enum class UploadUse { kIntoImage, kCompare, kVerify };

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
    // Awaited replies given up in a row, with nothing at all heard from the receiver meanwhile,
    // after which it counts as silent: as many as the sends of a queued command before the link
    // gives the receiver up. A reply the line damaged is not silence.
    static constexpr int kSilentWaitLimit = 5;
    // Runs of one download step, each with an answer the line spoilt, after which the transfer
    // stops: as many as the sends of one write.
    static constexpr int kMaxStepRuns = SendWindow::kMaxWriteSends;
    // Runs of one upload step in a row without a sound answer (damaged, refused, unlike each
    // other, or heard but lost), after which the transfer stops: a status step asks twice per
    // run and needs two frames alike, so twice as many.
    static constexpr int kMaxUploadStepRuns = 2 * kMaxStepRuns;
    // A request of a stepwise step whose answer is spoilt goes out again by itself as often, so
    // that the message's count holds for either.
    static_assert(kMaxUploadStepRuns == SendWindow::kMaxRequestSends);

    // What the user is told when a transfer stops before its end.
    static constexpr std::string_view kReceiverSilentText = "The receiver does not answer.";
    // Before the stopped text when a write (a download) or a request (an upload) never got a
    // sound answer although the receiver answered.
    static std::string LineTooNoisyText(bool upload = false);
    static constexpr std::string_view kDownloadStoppedText =
        "The Download was stopped; the receiver may now hold only part of the new settings.\r\n"
        "The PC image is as it was before the Download.";
    static constexpr std::string_view kUploadStoppedText =
        "The Upload was stopped; the PC image was left as it was before the Upload.";

    TransferEngine(LinkState& state, ReceiverImage& image, ModelProfile& profile,
                   TransferHost& host);

    // The Upload and Download commands. After the checks (realtime mode, port, a transfer
    // running), each failure with its message box, the transfer starts and the wait-message
    // window opens. False when a check failed.
    bool StartUpload(UploadUse use = UploadUse::kIntoImage);
    bool StartDownload();

    // One step of each sequence; nothing happens while a reply is awaited.
    void UploadStep();
    void DownloadStep();
    void RealtimeStep();

    // The user cancelled (message 0xA201): the transfer stops, the receiver's input, program
    // and volume are put back and the image is as before the transfer.
    void Cancel();
    // The link gave up waiting for an awaited reply. The fifth in a row stops the transfer as
    // Cancel does and tells the user that the receiver does not answer.
    void OnReplyGivenUp();
    // The line went away (the far end hung up): the transfer stops without sending anything and
    // the image is as before the transfer. Returns what this means for the data, for the
    // message that tells the user about the line; empty when no transfer ran.
    std::string StopForLostLine();
    // After the link ended a transfer from outside (Disconnect, Connect): the image is put back
    // and the window closes.
    void CloseIfStopped();

    bool Running() const;

    // Pipelined transfers (Configuration > "Fast Transfer", tr-a1ctl's --fast), from the next
    // transfer on: the back-to-back steps of the sequences go out as soon as the receiver's
    // buffer has room, and each answer is paired with its frame by the send window. The first
    // answer lost or unexpected sends the transfer back to the step concerned, and the rest of
    // it runs stepwise.
    void SetPipelined(bool pipelined) { pipelined_ = pipelined; }
    bool Pipelined() const { return pipelined_; }
    // Whether the running transfer still runs pipelined (it has not fallen back).
    bool RunningAhead() const { return runAhead_; }
    // How far the running transfer has come, 0.0 .. 1.0, by its step within the pass and, for
    // "Preset Setting", the pass; 0 when none runs. An upload counts from the moment it has
    // planned its pass (its third step).
    double Progress() const;
    // The preset pass of a "Preset Setting" transfer, 0..5 (MainZoneState byte 17; a value out
    // of range, as a configuration file may hold, counts as 0).
    int PresetPass() const;

private:
    enum class Ending {
        kCompleted,
        kCancelled,       // the user's Cancel
        kReceiverSilent,  // the replies stopped
        kLineTooNoisy,    // a write never got a sound answer, though answers came
        kStopped,         // the link stopped it (Disconnect, Connect, a lost line)
    };

    // Tags of a pipelined transfer's frames: the pass and the step.
    static constexpr int kPassTagStride = 100'000;
    // The step after a pass's last that stores a "Preset Setting" pass into the receiver's
    // memories (home preset, main volume, zone 2 volume).
    static constexpr int kPassStoreStep = DownloadSequence::kLastStep + 1;
    // The step after the last pass's stores that recalls memory A on the receiver.
    static constexpr int kClosingRecallStep = kPassStoreStep + 1;
    // An upload's later pass recalls its memory on the receiver with the counter here, before
    // its first step; the recalls' tag names it.
    static constexpr int kPassRecallStep = UploadSequence::kFirstStep - 1;

    bool Start(bool upload, UploadUse use);
    // One download step, when it may run; true when the next may run at once: this one sent
    // nothing, or the next joins its group.
    bool RunDownloadStep();
    // Whether the next step may run now; `backToBack`: it need not wait for the answers to the
    // steps before it (NextStepBackToBack).
    bool MayRunStep(bool backToBack);
    // What the step just run waits for: nothing when it went back to back.
    void AfterStep(bool backToBack);
    // A pipelined frame's answer was lost: back to its step, and stepwise from there on.
    void FallBackToStepwise(int tag);
    // A stepwise download step lost an answer: it runs again, a bounded number of times.
    void RepeatDownloadStep(int tag);
    // A stepwise upload's recall of the receiver's memories lost an answer: it runs again.
    void RepeatUploadStep(int tag);
    // Whether an upload step sends the receiver's memory recalls ("Preset Setting" only).
    bool UploadStepRecalls(int step) const;
    // Sends the recalls of the receiver's memories of `entry` as a step of their own, tagged, so
    // that a recall whose answer is lost runs again.
    void RecallReceiverMemoriesAsStep(int entry, int tag);
    // The recalls a later upload pass starts with lost an answer: they go out again, a bounded
    // number of times.
    void SendPassRecallAgain(int tag);
    // Whether the next step goes out while the steps before it are still owed answers: a
    // pipelined transfer's back-to-back steps, and a step that joins a stepwise download's group.
    bool NextStepBackToBack() const;
    // Ends a transfer that did not complete; see Ending.
    void Stop(Ending how);
    // Counts a wait that ended: a step that finds its wait answered starts the count afresh.
    void NoteWaitEnded();
    // The step's wait: what its last answered send awaits, and for an extended frame its item.
    void AwaitWhatTheStepSent();
    // What stopping the running transfer means for the data.
    std::string_view StoppedText() const;
    void PostStepProgress(int wParam, int value, int count);
    // The step `s` lies beyond the pass.
    void EndUploadPass(int s);
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
    // A transfer runs (or ran until the link stopped it), and which one.
    bool active_ = false;
    bool uploadActive_ = false;
    UploadUse use_ = UploadUse::kIntoImage;
    // The image as it was when the transfer started.
    std::optional<ReceiverImage> before_;
    // Awaited replies given up in a row, and whether the last step waited for one / had its
    // wait given up.
    int silentWaits_ = 0;
    bool lastStepWaited_ = false;
    bool waitGivenUp_ = false;
    // Fast Transfer chosen; the running transfer still pipelined; after a fall-back, the answers
    // still owed to the pipelined frames come in before the next step.
    bool pipelined_ = false;
    bool runAhead_ = false;
    bool drainFirst_ = false;
    // A pipelined transfer fell back after a lost or unexpected answer: from then on every step
    // waits for the answers to the steps before it, a row of writes too.
    bool fellBack_ = false;
    // Stepwise: the step just run, in this same call, went out whole, and the next step belongs
    // to its row of writes: it goes out with it (see RunDownloadStep).
    bool groupOpen_ = false;
    // The step last run again (with its pass, for an upload), and how often in a row.
    int repeatedStep_ = 0;
    int stepRepeats_ = 0;
    // The upload step run last (0: none in this pass), whose aim is checked before the next.
    int lastUploadStep_ = 0;
    // The step of the last "Preset Setting" upload pass that recalls memory A at its end (0:
    // not run yet); the upload finishes with the step after it, once the recalls are answered.
    int closingRecallStep_ = 0;
    // The recalls a later upload pass starts with are awaited; its first step has not run.
    bool passRecallAwaited_ = false;
};

}  // namespace tra1
