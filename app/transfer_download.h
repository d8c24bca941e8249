#pragma once

#include <span>

#include "app/transfer_steps.h"

namespace tra1 {

class ModelProfile;
class ReceiverImage;
class TransferOutput;

// The download (image to receiver), one step per call, as a table of step ranges (Steps()).
// Step s is the download counter after its increment for this step: 2 is the first step of a
// pass, kLastStep the last one that sends. In later passes of a "Preset Setting" download the
// PC-side data that the receiver keeps only once (other programs, I/O group 0, input names,
// tuner presets, DC triggers) is not written.
class DownloadSequence {
public:
    static constexpr int kFirstStep = 2;
    static constexpr int kLastStep = 341;

    DownloadSequence(const ReceiverImage& image, ModelProfile& profile, TransferOutput& out)
        : image_(image), profile_(profile), out_(out) {}

    // Sends what step s writes. False when s lies beyond the pass (the pass has ended).
    bool Step(int s, bool laterPass);
    // A download that stops before its end: the receiver gets the main input with its program,
    // the input mode, the multi-channel input, night mode and the main volume and mute that the
    // image holds, which the first steps of a pass changed.
    void PutBack();

    // The steps of a pass.
    static std::span<const StepRow<DownloadSequence>> Steps();
    // Whether step s goes back to back with the steps around it in a pipelined transfer.
    static bool BackToBack(int s);
    // Whether step s follows the step before it without waiting for its answers in a stepwise
    // transfer too: both belong to one row of writes, each to a place of its own. Such a row
    // goes like one step whose writes go back to back.
    static bool FollowsWithinItsRow(int s);

private:
    // What the steps send; each takes its place within its row.
    void ProgramStep(const StepAt& at);
    void InputProgramStep(const StepAt& at);
    void IoAssignmentStep(const StepAt& at);
    void WriteInputNames(const StepAt& at);
    void WriteTone(const StepAt& at);
    void SelectTunerInput(const StepAt& at);
    void WriteCurrentStation(const StepAt& at);
    void WriteTunerPreset(const StepAt& at);
    void WriteLeftTriggerMode(const StepAt& at);
    void WriteLeftTriggerInput(const StepAt& at);
    void WriteRightTriggerInput(const StepAt& at);
    void PrepareSpeakerSetup(const StepAt& at);
    void WriteSpeakerLevels(const StepAt& at);
    void WriteLfeAndDynamicRange(const StepAt& at);
    void WriteAudioDelay(const StepAt& at);
    void WriteInputs(const StepAt& at);
    void WriteZone2(const StepAt& at);
    void WriteZone3(const StepAt& at);
    void WriteMultiZone(const StepAt& at);
    void WriteDisplay(const StepAt& at);
    void WriteMainZoneSwitches(const StepAt& at);
    void WriteSpeakerSetup(const StepAt& at);
    void WriteMainVolume(const StepAt& at);
    void WriteGraphicEqBand(const StepAt& at);
    void WriteCinemaEq(const StepAt& at);
    void WriteThx(const StepAt& at);
    void WriteDistances(const StepAt& at);
    void WriteVideo(const StepAt& at);
    void WritePictureModes(const StepAt& at);
    void WriteInputTrim(const StepAt& at);

    void StartPass();
    void WriteProgramParameters(int program);
    void WriteInputProgram(int input);
    // Entry 0 is the current station, 1..40 the presets.
    void WriteTunerEntry(int entry);
    // Trigger 0 is the left one; input 0 comes with the trigger's mode.
    void WriteTriggerInput(int trigger, int input);
    int MainZone(int offset) const;
    int CurrentProgram() const;

    const ReceiverImage& image_;
    ModelProfile& profile_;
    TransferOutput& out_;
};

}  // namespace tra1
