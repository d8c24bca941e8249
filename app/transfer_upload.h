#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "app/transfer_steps.h"

namespace tra1 {

class ReceiverImage;
class TransferOutput;

// The upload (receiver to image), one step per call; the receiver's replies are decoded into
// the image by the link. Step s is the upload counter after its increment for this step. Steps
// 2..15 are fixed (FirstSteps: status, then every input selected and reported); from step 16
// on the steps follow a plan made when the pass saved the receiver's state at step 3: the last
// input selected in its first mode, the DSP parameters one request per step and the restore of
// the saved state, then the fixed rows of LastSteps (the I/O assignment, the input names, the
// tuner pages, the DC triggers, the graphic EQ bands, the small groups and the saved input
// selected again).
//
// Every step that changes what the receiver plays ends with the receiver's state, and
// ReachedItsAim tells whether that state is the one the step set: a command the line damaged
// into another of its row is answered like the one sent. A program is only ever sent once the
// input it is meant for is known to be selected, so a damaged selection cannot put a program on
// another input.
class UploadSequence {
public:
    static constexpr int kFirstStep = 2;
    static constexpr int kSaveStep = 3;
    static constexpr int kFirstPlannedStep = 16;

    // What the pass saves at step 3 and restores after the parameters.
    struct SavedState {
        int mainInput = 0;
        int program = 0;
        bool effectOff = false;
        bool multiChannel = false;
        int inputMode = 0;
        // The last input's program byte as read before the parameters were walked on it.
        std::uint8_t lastInputProgram = 0;
    };

    UploadSequence(const ReceiverImage& image, TransferOutput& out) : image_(image), out_(out) {}

    // Sends what step s requests. False when s lies beyond the pass (the pass has ended).
    bool Step(int s, bool laterPass);
    // Once step s's answers are in (decoded into the image): whether the receiver's state is the
    // one the step set. True for a step that sets none.
    bool ReachedItsAim(int s) const;
    // An upload that stops before its end: the receiver gets back the input, input mode and
    // program it was on when the upload saved them (nothing when it had not got that far), and
    // the last input its program if the parameters were walked on it. Reads the image as the
    // upload has filled it so far.
    void PutBack();
    // A new upload starts: nothing is saved yet.
    void ForgetSavedState() {
        stateSaved_ = false;
        lastInputTouched_ = false;
        plannedInPass_ = false;
    }

    // The number of steps of a pass as planned now (the last step number that sends).
    int LastStep() const;
    // Whether step s goes back to back with the steps around it in a pipelined transfer (known
    // once the pass has planned its steps).
    bool BackToBack(int s) const;
    const SavedState& Saved() const { return saved_; }

    // Steps 2..15.
    static std::span<const StepRow<UploadSequence>> FirstSteps();
    // The steps after the DSP parameters, numbered from 0 for the first of them.
    static std::span<const StepRow<UploadSequence>> LastSteps();

private:
    // One planned step of the DSP parameters.
    struct ParameterRequest {
        int programCode;
        int parameter;
        int subIndex;
    };
    enum class PlannedKind : std::uint8_t {
        kSelectLastInput,    // the last input in its first mode, which accepts every program
        kParameter,          // the programs selected on the way, then one request
        kRestoreLastInput,   // the programs left to select, then the last input's own program
        kSelectSavedInput,   // the input the receiver was on
        kRestoreSavedState,  // its input mode, program and multi-channel input
    };
    struct ParameterStep {
        PlannedKind kind;
        std::vector<int> selections;
        std::optional<ParameterRequest> request;
    };

    void RequestStatus(const StepAt& at);
    void RequestStatusTwice();
    void ReportInput(const StepAt& at);
    void RequestIoAssignments(const StepAt& at);
    void RequestInputName(const StepAt& at);
    void RequestCurrentStation(const StepAt& at);
    void RequestTunerPage(const StepAt& at);
    void RequestTriggerInput(const StepAt& at);
    void RequestEqBand(const StepAt& at);
    void RequestTone(const StepAt& at);
    void RequestPictureModes(const StepAt& at);
    void RequestCinemaEq(const StepAt& at);
    void RequestDistances(const StepAt& at);
    void RequestInputTrim(const StepAt& at);
    void SelectSavedInputAgain(const StepAt& at);

    void SaveState();
    void PlanParameters(bool laterPass);
    void SendParameterStep(const ParameterStep& step);
    // The parts of putting the receiver back, in their order.
    void RestoreLastInputProgram();
    void SelectSavedInput();
    void RestoreSavedState();
    void Restore();
    bool PlannedStepReachedItsAim(const ParameterStep& step) const;
    bool SavedInputSelected() const;

    const ReceiverImage& image_;
    TransferOutput& out_;
    SavedState saved_;
    bool stateSaved_ = false;
    // The parameters have been walked on the last input, which now plays the last program.
    bool lastInputTouched_ = false;
    std::vector<ParameterStep> parameterSteps_;
    // The pass has saved the receiver's state and planned its steps.
    bool plannedInPass_ = false;
};

}  // namespace tra1
