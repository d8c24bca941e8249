#include "app/transfer_engine.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "app/transfer_host.h"
#include "app/transfer_pc_memories.h"
#include "link/link_state.h"
#include "model/protocol.h"
#include "model/receiver_image.h"

namespace tra1 {
namespace {

// Progress messages per step.
constexpr int kUploadMessagesCurrent = 6;
constexpr int kUploadMessagesFirstPass = 2;
constexpr int kUploadMessagesLaterPass = 10;
constexpr int kDownloadMessagesCurrent = 8;
constexpr int kDownloadMessagesFirstPass = 2;
constexpr int kDownloadMessagesLaterPass = 1;

// MainZoneState bytes a download starts from zero.
constexpr std::size_t kDownloadScratch[] = {main_zone::kPresetPass, main_zone::kTransferScratch18,
                                            main_zone::kTransferScratch19,
                                            main_zone::kTransferScratch24};

}  // namespace

TransferEngine::TransferEngine(LinkState& state, ReceiverImage& image, ModelProfile& profile,
                               TransferHost& host)
    : state_(state),
      image_(image),
      host_(host),
      out_(host),
      download_(image, profile, out_),
      upload_(image, out_),
      poll_(image, state, out_) {}

bool TransferEngine::StartUpload(UploadUse use) {
    return Start(true, use);
}

bool TransferEngine::StartDownload() {
    return Start(false, UploadUse::kIntoImage);
}

bool TransferEngine::Start(bool upload, UploadUse use) {
    if (state_.realtimeMode) {
        host_.ShowMessage(std::string(kSelectAsynchronousText));
        return false;
    }
    if (state_.openPort == 0) {
        host_.ShowMessage(std::string(kPortNotOpenText));
        return false;
    }
    if (state_.uploadInProgress != 0) {
        host_.ShowMessage(std::string(kUploadingText));
        return false;
    }
    if (state_.downloadInProgress != 0) {
        host_.ShowMessage(std::string(kDownloadingText));
        return false;
    }
    before_ = image_;
    // The count the status line shows includes the power-on: it goes on the line too.
    out_.ResetFramesSent();
    if (image_.MainZoneState.at(main_zone::kPower) == 0) {
        out_.CommandUnawaited(command::kPower, 1);
    }
    host_.ResetReceiver();
    host_.ResetQueue();
    if (upload) {
        // A pass number left by a cancelled transfer or read from a file would make the upload
        // start in a later pass.
        image_.MainZoneState.at(main_zone::kPresetPass) = 0;
    } else {
        for (const std::size_t offset : kDownloadScratch) {
            image_.MainZoneState.at(offset) = 0;
        }
    }
    presetSetting_ = host_.PresetSettingChosen();
    (upload ? state_.uploadInProgress : state_.downloadInProgress) = 1;
    state_.awaitedFunction = LinkState::kNone;
    state_.uploadRefusals = 0;
    state_.uploadValuesNotRead = 0;
    active_ = true;
    uploadActive_ = upload;
    use_ = upload ? use : UploadUse::kIntoImage;
    silentWaits_ = 0;
    lastStepWaited_ = false;
    waitGivenUp_ = false;
    upload_.ForgetSavedState();
    host_.TransferStarted(!upload);
    runAhead_ = pipelined_;
    drainFirst_ = false;
    fellBack_ = false;
    repeatedStep_ = 0;
    stepRepeats_ = 0;
    lastUploadStep_ = 0;
    closingRecallStep_ = 0;
    passRecallAwaited_ = false;
    host_.SendCommandsOneByOne(!upload);
    host_.TakeTagOfLostAnswer();  // what an earlier transfer left says nothing about this one
    host_.TakeTransferWriteGivenUp();
    host_.TagSends(-1);
    host_.TransferStateChanged();
    host_.OpenWaitMessage();
    return true;
}

bool TransferEngine::Running() const {
    return state_.uploadInProgress != 0 || state_.downloadInProgress != 0;
}

double TransferEngine::Progress() const {
    const int step = uploadActive_ ? state_.uploadInProgress : state_.downloadInProgress;
    if (!active_ || step <= 0) {
        return 0.0;
    }
    const int firstStep = uploadActive_ ? UploadSequence::kFirstStep : DownloadSequence::kFirstStep;
    const int lastStep = uploadActive_ ? upload_.LastStep() : DownloadSequence::kLastStep;
    if (uploadActive_ && step <= UploadSequence::kSaveStep) {
        return 0.0;  // the pass is not planned yet: its length is unknown
    }
    const double inPass = std::clamp(
        static_cast<double>(step - firstStep) / std::max(1, lastStep - firstStep + 1), 0.0, 1.0);
    const int passes = presetSetting_ ? kLastPresetPass + 1 : 1;
    const int pass = presetSetting_ ? PresetPass() : 0;
    return (pass + inPass) / passes;
}

int TransferEngine::PresetPass() const {
    const int pass = image_.MainZoneState.at(main_zone::kPresetPass);
    return pass <= kLastPresetPass ? pass : 0;
}

void TransferEngine::SetPresetPass(int pass) {
    image_.MainZoneState.at(main_zone::kPresetPass) = static_cast<std::uint8_t>(pass);
}

void TransferEngine::PostStepProgress(int wParam, int value, int count) {
    if (!host_.WaitMessageOpen()) {
        return;
    }
    // Only the end of the transfer may fill the bar and close the window.
    const int progress = std::clamp(value, 1, kProgressEnd - 1);
    for (int i = 0; i < count; ++i) {
        host_.PostProgress(wParam, progress);
    }
}

bool TransferEngine::NextStepBackToBack() const {
    if (uploadActive_) {
        return runAhead_ && upload_.BackToBack(state_.uploadInProgress + 1);
    }
    if (runAhead_) {
        return DownloadSequence::BackToBack(state_.downloadInProgress + 1);
    }
    return groupOpen_;
}

std::string TransferEngine::LineTooNoisyText(bool upload) {
    if (upload) {
        return "The line to the receiver is too noisy: a request went out " +
               std::to_string(kMaxUploadStepRuns) + " times without a sound answer.";
    }
    return "The line to the receiver is too noisy: a setting went out " +
           std::to_string(SendWindow::kMaxWriteSends) + " times without a sound answer.";
}

bool TransferEngine::MayRunStep(bool backToBack) {
    if (const auto givenUp = host_.TakeTransferWriteGivenUp(); givenUp && active_) {
        Stop(*givenUp == SendWindow::WriteGivenUp::kSilent ? Ending::kReceiverSilent
                                                           : Ending::kLineTooNoisy);
        return false;
    }
    // A step that joins the stepwise group of the step just run goes out with it, as the writes
    // of one step do: what that step awaits cannot have come yet.
    const bool joinsGroup = backToBack && !runAhead_;
    if (state_.awaitedFunction != LinkState::kNone && !joinsGroup) {
        return false;
    }
    // A step starts once every frame before it has been answered: a download's write whose
    // answer did not come back soundly goes out again by itself, and a download step with a
    // command whose answer was lost is run again, since what a command does can depend on the
    // commands before it. An upload repeats a step whose awaited reply does not come; its next
    // step waits for the answers still owed too, so that the state the receiver reports in that
    // step answers that step (a second status answer coming late would stand in for it).
    const bool settled = !host_.TransferAnswersOwed() && !host_.TransferSendsWaiting();
    if (runAhead_) {
        if (const std::optional<int> tag = host_.TakeTagOfLostAnswer()) {
            FallBackToStepwise(*tag);
            return false;
        }
        // One step's frames wait at most: the rest of the room is the receiver's buffer.
        if (host_.TransferSendsWaiting()) {
            return false;
        }
        // A stepwise step starts once every pipelined frame before it is answered.
        return backToBack || (!host_.TaggedAnswersOwed() && settled);
    }
    if (drainFirst_) {
        if (host_.TaggedAnswersOwed() || host_.TransferSendsWaiting()) {
            return false;
        }
        drainFirst_ = false;
    }
    if (!settled && !joinsGroup) {
        return false;
    }
    if (const std::optional<int> tag = host_.TakeTagOfLostAnswer()) {
        if (uploadActive_) {
            RepeatUploadStep(*tag);
        } else {
            RepeatDownloadStep(*tag);
        }
        return false;
    }
    return true;
}

void TransferEngine::RepeatUploadStep(int tag) {
    // Stepwise, an upload tags only its recalls of the receiver's memories: the state it reads
    // next must be the memory's. A step with recalls runs again from its start (UploadStep counts
    // and bounds its runs); the recalls a later pass starts with go out again by themselves.
    const int step = tag % kPassTagStride;
    if (tag / kPassTagStride != PresetPass() || step < 1 || step > state_.uploadInProgress ||
        !UploadStepRecalls(step)) {
        return;  // a step of an earlier pass, or one that repeats itself when its reply is missing
    }
    if (step == kPassRecallStep) {
        SendPassRecallAgain(tag);
        return;
    }
    state_.uploadInProgress = step - 1;
    state_.awaitedFunction = LinkState::kNone;
}

void TransferEngine::SendPassRecallAgain(int tag) {
    stepRepeats_ = tag == repeatedStep_ ? stepRepeats_ + 1 : 2;
    repeatedStep_ = tag;
    if (stepRepeats_ > kMaxUploadStepRuns) {
        Stop(Ending::kLineTooNoisy);
        return;
    }
    out_.BeginStep();
    RecallReceiverMemoriesAsStep(PresetPass(), tag);
    host_.TagSends(-1);
    passRecallAwaited_ = true;
    AfterStep(false);
}

bool TransferEngine::UploadStepRecalls(int step) const {
    return presetSetting_ && (step == kPassRecallStep || step == UploadSequence::kFirstStep ||
                              (step == closingRecallStep_ && step > 0));
}

void TransferEngine::RecallReceiverMemoriesAsStep(int entry, int tag) {
    host_.TagSends(tag);
    RecallReceiverMemories(entry);
}

void TransferEngine::RepeatDownloadStep(int tag) {
    const int step = tag % kPassTagStride;
    if (tag / kPassTagStride != PresetPass() || step < 1 || step > state_.downloadInProgress) {
        return;  // a step of an earlier pass or run
    }
    stepRepeats_ = step == repeatedStep_ ? stepRepeats_ + 1 : 1;
    repeatedStep_ = step;
    if (stepRepeats_ >= kMaxStepRuns) {
        Stop(Ending::kLineTooNoisy);
        return;
    }
    out_.ForgetUnsent(host_.DropWaitingTransferSends());
    state_.downloadInProgress = step - 1;
}

void TransferEngine::AfterStep(bool backToBack) {
    if (runAhead_ && backToBack) {
        // The send window pairs its answers; the next step need not wait for them, and running
        // it is progress that the waiting counter must not count as silence.
        state_.awaitedFunction = LinkState::kNone;
        state_.waitingCounter = 0;
        lastStepWaited_ = false;
        return;
    }
    AwaitWhatTheStepSent();
    lastStepWaited_ = state_.awaitedFunction != LinkState::kNone;
}

void TransferEngine::FallBackToStepwise(int tag) {
    runAhead_ = false;
    drainFirst_ = true;
    fellBack_ = true;
    host_.TagSends(-1);
    int& counter = uploadActive_ ? state_.uploadInProgress : state_.downloadInProgress;
    const int step = tag % kPassTagStride;
    const bool sameRun = tag / kPassTagStride == PresetPass() && step >= 1 && step <= counter;
    // Every step of a download is tagged and can be sent again; of an upload, the back-to-back
    // ones and the recalls of the receiver's memories (another stepwise one repeats itself when
    // its awaited reply does not come).
    const bool again = !uploadActive_ || upload_.BackToBack(step) || UploadStepRecalls(step);
    if (sameRun && again && uploadActive_ && step == kPassRecallStep) {
        // The recalls a later pass starts with go out again before its first step.
        state_.awaitedFunction = LinkState::kNone;
        SendPassRecallAgain(tag);
        return;
    }
    if (sameRun && again) {
        // What was not yet sent is sent again from that step on, each step on its own; what
        // those steps sent meanwhile is answered and decoded the same a second time.
        out_.ForgetUnsent(host_.DropWaitingTransferSends());
        counter = step - 1;
    }
    state_.awaitedFunction = LinkState::kNone;
}

void TransferEngine::UploadStep() {
    if (state_.uploadInProgress <= 0) {
        return;
    }
    const bool backToBack = NextStepBackToBack();
    if (!MayRunStep(backToBack) || state_.uploadInProgress <= 0) {
        return;
    }
    const int pass = PresetPass();
    const int messages = !presetSetting_ ? kUploadMessagesCurrent
                         : pass == 0     ? kUploadMessagesFirstPass
                                         : kUploadMessagesLaterPass;
    PostStepProgress(kUploadProgress, 2 * state_.uploadInProgress, messages);
    NoteWaitEnded();

    // A step that set the receiver's state and heard it back runs again when the state is not
    // the one it set: a command the line damaged into another of its row is answered alike.
    if (state_.uploadInProgress == lastUploadStep_ && !upload_.ReachedItsAim(lastUploadStep_)) {
        --state_.uploadInProgress;
    }
    const int s = ++state_.uploadInProgress;
    lastUploadStep_ = s;
    // A step runs again while its answers come damaged, refused or unlike each other; a line
    // that never lets one through stops the upload instead of asking for ever.
    const int runOf = pass * kPassTagStride + s;
    stepRepeats_ = runOf == repeatedStep_ ? stepRepeats_ + 1 : 1;
    repeatedStep_ = runOf;
    if (stepRepeats_ > kMaxUploadStepRuns) {
        Stop(Ending::kLineTooNoisy);
        return;
    }
    passRecallAwaited_ = false;
    const int tag = pass * kPassTagStride + s;
    out_.BeginStep();
    if (s == UploadSequence::kFirstStep && presetSetting_ && pass == 0) {
        // The first pass reads the memory the receiver recalls here. The recalls are tagged: one
        // whose answer is lost (the line may have spoilt the recall itself) runs again with the
        // step, before anything of the memory is read into the entry.
        host_.SelectPresetEntry(0);
        RecallReceiverMemoriesAsStep(0, tag);
    }
    host_.TagSends(backToBack ? tag : -1);
    if (!upload_.Step(s, pass > 0)) {
        EndUploadPass(s);
        return;
    }
    AfterStep(backToBack);
}

void TransferEngine::EndUploadPass(int s) {
    if (presetSetting_ && PresetPass() == kLastPresetPass &&
        (closingRecallStep_ == 0 || s == closingRecallStep_)) {
        // The receiver goes back to memory A, in a step of its own whose recalls run again when
        // an answer is lost; the upload finishes with the step after it. The last pass is stored
        // before the first recall: what the receiver reports after it is memory A's.
        if (closingRecallStep_ == 0) {
            StorePcMemories(image_, kLastPresetPass);
        }
        closingRecallStep_ = s;
        host_.SelectPresetEntry(0);
        RecallReceiverMemoriesAsStep(0, kLastPresetPass * kPassTagStride + s);
        host_.TagSends(-1);
        AfterStep(false);
        return;
    }
    host_.TagSends(-1);
    lastUploadStep_ = 0;
    if (!presetSetting_) {
        Finish(false);
        return;
    }
    const int pass = PresetPass();
    if (pass < kLastPresetPass) {
        StorePcMemories(image_, pass);
        // The next pass starts with its memory recalled on the receiver, tagged like the first
        // pass's: a recall whose answer is lost goes out again before the pass reads anything.
        SetPresetPass(pass + 1);
        host_.SelectPresetEntry(pass + 1);
        state_.uploadInProgress = kPassRecallStep;
        RecallReceiverMemoriesAsStep(pass + 1, (pass + 1) * kPassTagStride + kPassRecallStep);
        host_.TagSends(-1);
        passRecallAwaited_ = true;
        AfterStep(false);
        return;
    }
    closingRecallStep_ = 0;
    SetPresetPass(0);
    RecallPcMemories(image_, 0);
    Finish(false);
}

void TransferEngine::DownloadStep() {
    // A step that sends nothing (a later pass of a "Preset Setting" download leaves out what the
    // receiver keeps once, and all programs but the current one) waits for nothing: the next
    // step runs at once rather than on the next tick, which made such a pass wait some 150 ticks.
    // So does the next step of a stepwise group. A group is open only within one call: a later
    // call finds answers owed, and its step waits for them.
    groupOpen_ = false;
    for (int step = DownloadSequence::kFirstStep; step <= DownloadSequence::kLastStep; ++step) {
        if (!RunDownloadStep()) {
            groupOpen_ = false;
            return;
        }
    }
    groupOpen_ = false;
}

bool TransferEngine::RunDownloadStep() {
    if (state_.downloadInProgress <= 0) {
        return false;
    }
    const bool backToBack = NextStepBackToBack();
    if (!MayRunStep(backToBack) || state_.downloadInProgress <= 0) {
        return false;
    }
    const int framesBefore = out_.FramesSent();
    const int pass = PresetPass();
    const int messages = !presetSetting_ ? kDownloadMessagesCurrent
                         : pass == 0     ? kDownloadMessagesFirstPass
                                         : kDownloadMessagesLaterPass;
    // The end of a "Preset Setting" pass takes two steps, its store and the move on; they count
    // as one, as the end of a pass does.
    if (state_.downloadInProgress <= kPassStoreStep - 1) {
        PostStepProgress(kDownloadProgress, state_.downloadInProgress, messages);
    }
    NoteWaitEnded();

    const int s = ++state_.downloadInProgress;
    // Stepwise too: a step whose command lost its answer is run again.
    host_.TagSends(pass * kPassTagStride + s);
    out_.BeginStep();
    if (s == DownloadSequence::kFirstStep && presetSetting_ && pass == 0) {
        host_.SelectPresetEntry(0);
        RecallPcMemories(image_, 0);
        host_.ImageChanged();
    }
    if (!download_.Step(s, pass > 0)) {
        if (presetSetting_ && s == kPassStoreStep) {
            // The pass's stores into the receiver's memories are a step of their own, tagged like
            // the others: a store whose answer is lost runs again before the next pass starts.
            StoreReceiverMemories(pass);
            AfterStep(false);
            return false;
        }
        if (presetSetting_ && pass == kLastPresetPass && s == kClosingRecallStep) {
            // So is the recall of memory A after the last pass's stores: the receiver must end
            // on the memory the image ends on.
            RecallReceiverMemories(0);
            AfterStep(false);
            return false;
        }
        host_.TagSends(-1);
        EndDownloadPass();
        // A next pass starts at once; nothing of the last is owed.
        return Running() && out_.FramesSent() == framesBefore;
    }
    AfterStep(backToBack);
    const bool nothingWaits = !host_.TransferSendsWaiting();
    // Stepwise, the writes of a row, each to a place of its own, go out in groups: the next step
    // of the row joins the group while the receiver's buffer took every frame so far at once.
    // The step whose frames have to wait for room closes the group, and the step after it waits
    // for every answer, as after any step. Within a group each answer is paired with its write
    // by the item it names, and a write whose answer is lost, refused or damaged goes out again
    // with the writes after it, in order. After a fall-back every step goes on its own.
    groupOpen_ =
        !runAhead_ && !fellBack_ && nothingWaits && DownloadSequence::FollowsWithinItsRow(s + 1);
    if (groupOpen_) {
        return true;
    }
    return out_.FramesSent() == framesBefore && state_.awaitedFunction == LinkState::kNone &&
           nothingWaits;
}

void TransferEngine::EndDownloadPass() {
    if (!presetSetting_) {
        Finish(true);
        return;
    }
    // The pass's stores went out in the step before (kPassStoreStep) and were answered.
    const int pass = PresetPass();
    if (pass < kLastPresetPass) {
        SetPresetPass(pass + 1);
        host_.SelectPresetEntry(pass + 1);
        RecallPcMemories(image_, pass + 1);
        host_.ImageChanged();
        state_.downloadInProgress = 1;
        state_.awaitedFunction = LinkState::kNone;
        return;
    }
    // The recall of the receiver's memory A went out in the step before (kClosingRecallStep).
    SetPresetPass(0);
    host_.SelectPresetEntry(0);
    RecallPcMemories(image_, 0);
    Finish(true);
}

void TransferEngine::Finish(bool download) {
    // The closing commands go back to back, as outside a transfer.
    host_.SendCommandsOneByOne(false);
    if (download) {
        // Standby and on again: the receiver starts from what it was sent.
        out_.CommandUnawaited(command::kPower, 0);
        out_.CommandUnawaited(command::kPower, 1);
    }
    // An upload made to compare leaves the image as it was and hands over what it read.
    std::optional<ReceiverImage> received;
    if (!download && use_ != UploadUse::kIntoImage && before_) {
        received = image_;
        image_ = *before_;
    }
    if (!download || presetSetting_) {
        host_.ImageChanged();
    }
    if (host_.WaitMessageOpen()) {
        host_.PostProgress(kDownloadProgress, kProgressEnd);
    }
    state_.uploadInProgress = 0;
    state_.downloadInProgress = 0;
    state_.awaitedFunction = LinkState::kNone;
    state_.transferBusy = false;
    state_.echoGuard = false;
    active_ = false;
    runAhead_ = false;
    drainFirst_ = false;
    host_.TagSends(-1);
    before_.reset();
    host_.TransferStateChanged();
    host_.TransferEnded(download, true, out_.FramesSent());
    if (download) {
        host_.DownloadCompleted();
    } else if (received) {
        host_.ReceiverRead(*received, use_ == UploadUse::kVerify, presetSetting_);
    }
}

void TransferEngine::RealtimeStep() {
    if (!state_.realtimeMode || state_.awaitedFunction != LinkState::kNone) {
        return;
    }
    out_.BeginStep();
    poll_.Step();
    AwaitWhatTheStepSent();
}

void TransferEngine::AwaitWhatTheStepSent() {
    state_.awaitedFunction = out_.Awaited();
    state_.awaitedItem = out_.AwaitedItem();
}

void TransferEngine::NoteWaitEnded() {
    if (lastStepWaited_ && !waitGivenUp_) {
        silentWaits_ = 0;  // the receiver answered the last wait
    }
    waitGivenUp_ = false;
    lastStepWaited_ = false;
}

void TransferEngine::OnReplyGivenUp() {
    if (active_ && uploadActive_ && passRecallAwaited_ && !Running()) {
        // The link stepped the counter back from the recalls a later pass starts with, which
        // are no step of their own: they go out again when their lost answer is known.
        state_.uploadInProgress = kPassRecallStep;
    }
    if (!active_ || !Running()) {
        return;
    }
    waitGivenUp_ = true;
    if (state_.heardDuringWait) {
        // The receiver answered, but the line damaged the reply: it is not silent, and the step
        // is repeated like any other whose reply did not come.
        silentWaits_ = 0;
        return;
    }
    if (++silentWaits_ >= kSilentWaitLimit) {
        Stop(Ending::kReceiverSilent);
    }
}

void TransferEngine::Cancel() {
    if (active_) {
        Stop(Ending::kCancelled);
        return;
    }
    // Nothing of ours runs; still leave the link idle and the window closed.
    state_.uploadInProgress = 0;
    state_.downloadInProgress = 0;
    state_.awaitedFunction = LinkState::kNone;
    state_.previousAwaitedFunction = LinkState::kNone;
    state_.transferBusy = false;
    host_.CloseWaitMessage();
}

std::string TransferEngine::StopForLostLine() {
    if (!active_) {
        return {};
    }
    std::string text(StoppedText());
    Stop(Ending::kStopped);
    return text;
}

void TransferEngine::CloseIfStopped() {
    if (active_ && !Running()) {
        Stop(Ending::kStopped);
        return;
    }
    if (!Running() && host_.WaitMessageOpen()) {
        state_.transferBusy = false;
        host_.CloseWaitMessage();
    }
}

std::string_view TransferEngine::StoppedText() const {
    return uploadActive_ ? kUploadStoppedText : kDownloadStoppedText;
}

void TransferEngine::Stop(Ending how) {
    if (!active_) {
        return;
    }
    const std::string stopped(StoppedText());
    // Where the line still works, the receiver goes back to the input, program and volume it
    // was on: the sends pass only while the transfer still counts as running. An upload puts
    // back what it read from the receiver, so before the image is restored; a download what the
    // image says, so after.
    const bool putBack = (how == Ending::kCancelled || how == Ending::kReceiverSilent ||
                          how == Ending::kLineTooNoisy) &&
                         Running();
    // What the transfer had not yet sent must not follow the put-back.
    out_.ForgetUnsent(host_.DropWaitingTransferSends());
    host_.TagSends(-1);
    host_.SendCommandsOneByOne(false);
    runAhead_ = false;
    drainFirst_ = false;
    out_.BeginStep();
    if (putBack && uploadActive_) {
        upload_.PutBack();
    }
    if (before_) {
        image_ = *before_;
        before_.reset();
    }
    if (putBack && !uploadActive_) {
        download_.PutBack();
    }
    state_.uploadInProgress = 0;
    state_.downloadInProgress = 0;
    state_.awaitedFunction = LinkState::kNone;
    state_.previousAwaitedFunction = LinkState::kNone;
    // The periodic status request stays off while transfer busy is set.
    state_.transferBusy = false;
    state_.echoGuard = false;
    active_ = false;
    host_.CloseWaitMessage();
    host_.ImageChanged();
    host_.TransferStateChanged();
    host_.TransferEnded(!uploadActive_, false, out_.FramesSent());
    if (how == Ending::kReceiverSilent) {
        host_.ReceiverNotAnswering();
        host_.ReportStopped(std::string(kReceiverSilentText) + "\r\n" + stopped);
    } else if (how == Ending::kLineTooNoisy) {
        host_.ReportStopped(LineTooNoisyText(uploadActive_) + "\r\n" + stopped);
    }
}

void TransferEngine::RecallReceiverMemories(int entry) {
    out_.Command(command::kHomePresetRecall, entry);
    out_.Command(command::kMainVolumeRecall, entry);
    out_.Command(command::kZone2VolumeRecall, entry);
}

void TransferEngine::StoreReceiverMemories(int entry) {
    out_.Command(command::kHomePresetMemory, entry);
    out_.Command(command::kMainVolumeMemory, entry);
    out_.Command(command::kZone2VolumeMemory, entry);
}

}  // namespace tra1
