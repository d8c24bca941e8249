#pragma once

namespace tra1 {

class ModelProfile;
class ReceiverImage;
class TransferOutput;

// The download (image to receiver), one step per call. Step s is the download counter after its
// increment for this step: 2 is the first step of a pass, kLastStep the last one that sends.
// In later passes of a "Preset Setting" download the PC-side data that the receiver keeps only
// once (other programs, I/O group 0, input names, tuner presets, DC triggers) is not written.
class DownloadSequence {
public:
    static constexpr int kFirstStep = 2;
    static constexpr int kLastStep = 341;

    DownloadSequence(const ReceiverImage& image, ModelProfile& profile, TransferOutput& out)
        : image_(image), profile_(profile), out_(out) {}

    // Sends what step s writes. False when s lies beyond the pass (the pass has ended).
    bool Step(int s, bool laterPass);

private:
    void StartPass();
    void SelectProgram(int program);
    void WriteProgramParameters(int program);
    void WriteInputProgram(int input);
    void WriteIoAssignment(int index, bool laterPass);
    void WriteInputNames();
    void WriteTone();
    void WriteTunerPreset(int entry);
    void WriteTriggerInput(int step);
    void WriteZone2();
    void WriteDisplay();
    void WriteMainZoneSwitches();
    void WriteSpeakerSetup();
    void WriteGraphicEqBand(int index);
    void WriteCinemaEq();
    void WriteDistances();
    void WriteVideo();
    void WritePictureModes();
    int MainZone(int offset) const;
    int CurrentProgram() const;

    const ReceiverImage& image_;
    ModelProfile& profile_;
    TransferOutput& out_;
};

}  // namespace tra1
