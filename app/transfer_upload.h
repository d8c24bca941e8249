#pragma once

#include <functional>
#include <vector>

namespace tra1 {

class ReceiverImage;
class TransferOutput;

// The upload (receiver to image), one step per call; the receiver's replies are decoded into
// the image by the link. Step s is the upload counter after its increment for this step. Steps
// 2..15 are fixed (status, then every input selected and reported); from step 16 on the steps
// follow a plan made when the pass saved the receiver's state at step 3: the DSP parameters one
// request per step, the restore of the saved state, then the I/O assignment, the input names,
// the tuner pages, the DC triggers, the graphic EQ bands and the small groups.
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
    };

    UploadSequence(const ReceiverImage& image, TransferOutput& out) : image_(image), out_(out) {}

    // Sends what step s requests. False when s lies beyond the pass (the pass has ended).
    bool Step(int s, bool laterPass);
    // The end of a pass: the saved main input is selected again.
    void EndPass();

    // The number of steps of a pass as planned now (the last step number that sends).
    int LastStep() const { return kFirstPlannedStep + static_cast<int>(plan_.size()) - 1; }
    const SavedState& Saved() const { return saved_; }

private:
    void SaveState();
    void MakePlan(bool laterPass);
    void PlanParameters(bool laterPass);
    void PlanRest(bool laterPass);
    void Restore();

    const ReceiverImage& image_;
    TransferOutput& out_;
    SavedState saved_;
    std::vector<std::function<void()>> plan_;
};

}  // namespace tra1
