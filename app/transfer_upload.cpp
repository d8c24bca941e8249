#include "app/transfer_upload.h"

#include <cstddef>
#include <iterator>

#include "app/transfer_dsp_parameters.h"
#include "app/transfer_output.h"
#include "app/transfer_requests.h"
#include "model/model_profile.h"
#include "model/protocol.h"
#include "model/receiver_image.h"

namespace tra1 {
namespace {

namespace ef = extended_function;
namespace request = transfer_request;

constexpr int kTunerInput = input_index::kTuner;

}  // namespace

std::span<const StepRow<UploadSequence>> UploadSequence::FirstSteps() {
    using U = UploadSequence;
    static constexpr StepRow<U> kSteps[] = {
        {kFirstStep, kFirstStep, StepPasses::kEvery, &U::RequestStatus},
        // 3 saves the receiver's state and plans the pass; 3..15 select and report the inputs
        // 0..12.
        {kSaveStep, kFirstPlannedStep - 1, StepPasses::kEvery, &U::ReportInput},
    };
    static_assert(StepsFollowOn<U>(kSteps));
    return kSteps;
}

std::span<const StepRow<UploadSequence>> UploadSequence::LastSteps() {
    using U = UploadSequence;
    // The data the receiver keeps once, not per preset, is read in the first pass only.
    constexpr StepPasses kEvery = StepPasses::kEvery;
    constexpr StepPasses kFirstOnly = StepPasses::kFirstOnly;
    // The requests go back to back when the transfer is pipelined: the receiver's reply names its
    // function and item, and is decoded by them alone. The current station is asked for once the
    // tuner is selected, stepwise.
    constexpr StepFlow kBackToBack = StepFlow::kBackToBack;
    static constexpr StepRow<U> kSteps[] = {
        {0, 0, kFirstOnly, &U::RequestIoAssignments, 0, kBackToBack},
        {1, 14, kFirstOnly, &U::RequestInputName, 0, kBackToBack},  // inputs 0..13
        {15, 15, kFirstOnly, &U::RequestCurrentStation},  // selects the tuner first: stepwise
        {16, 20, kFirstOnly, &U::RequestTunerPage, 0, kBackToBack},  // pages 1..5
        // Triggers 0..1, rows 0..1, inputs 0..12.
        {21, 72, kFirstOnly, &U::RequestTriggerInput, 0, kBackToBack},
        // Graphic EQ records 0..9, bands 0..12.
        {73, 202, kEvery, &U::RequestEqBand, 0, kBackToBack},
        {203, 203, kEvery, &U::RequestTone, 0, kBackToBack},
        {204, 204, kEvery, &U::RequestPictureModes, 0, kBackToBack},
        {205, 205, kEvery, &U::RequestCinemaEq, 0, kBackToBack},
        {206, 206, kEvery, &U::RequestDistances, 0, kBackToBack},
        // One trim per step: the pass ends only when the last reply is in, and a reply that
        // comes after the end is no longer decoded.
        {207, 220, kEvery, &U::RequestInputTrim, 0, kBackToBack},
        // The end of the pass: the receiver goes back to the input it was on, and says so.
        {221, 221, kEvery, &U::SelectSavedInputAgain},
    };
    static_assert(StepsFollowOn<U>(kSteps) && kSteps[0].first == 0);
    return kSteps;
}

bool UploadSequence::Step(int s, bool laterPass) {
    if (s < kFirstPlannedStep) {
        return RunStep(*this, FirstSteps(), s, laterPass);
    }
    if (parameterSteps_.empty()) {
        // Only when the pass never ran its step 3 (the counter was set from outside).
        SaveState();
        PlanParameters(laterPass);
    }
    const auto index = static_cast<std::size_t>(s - kFirstPlannedStep);
    if (index < parameterSteps_.size()) {
        SendParameterStep(parameterSteps_.at(index));
        return true;
    }
    return RunStep(*this, LastSteps(), static_cast<int>(index - parameterSteps_.size()), laterPass);
}

bool UploadSequence::BackToBack(int s) const {
    // The input reports are read stepwise: their configuration frames are decoded under the input
    // the step selected. A DSP parameter request goes back to back unless its step selects a
    // program or the input first (that step goes stepwise, so the receiver has taken the
    // selection before the requests that follow it): its reply names program, parameter and
    // sub-digit.
    if (s < kFirstPlannedStep || parameterSteps_.empty()) {
        return false;
    }
    const auto index = static_cast<std::size_t>(s - kFirstPlannedStep);
    if (index < parameterSteps_.size()) {
        const ParameterStep& step = parameterSteps_.at(index);
        return step.kind == PlannedKind::kParameter && step.selections.empty() &&
               step.request.has_value();
    }
    return StepGoesBackToBack(LastSteps(), static_cast<int>(index - parameterSteps_.size()));
}

int UploadSequence::LastStep() const {
    if (parameterSteps_.empty()) {
        return kFirstPlannedStep - 1;  // nothing planned yet
    }
    return kFirstPlannedStep + static_cast<int>(parameterSteps_.size()) + LastSteps().back().last;
}

bool UploadSequence::ReachedItsAim(int s) const {
    const auto& zone = image_.MainZoneState;
    if (s >= kSaveStep && s < kFirstPlannedStep) {
        return zone.at(main_zone::kMainInput) == s - kSaveStep;  // the input it reports
    }
    if (s < kFirstPlannedStep || parameterSteps_.empty()) {
        return true;
    }
    const auto index = static_cast<std::size_t>(s - kFirstPlannedStep);
    if (index < parameterSteps_.size()) {
        return PlannedStepReachedItsAim(parameterSteps_.at(index));
    }
    const StepRow<UploadSequence>* row =
        RowOfStep(LastSteps(), static_cast<int>(index - parameterSteps_.size()));
    if (row != nullptr && row->send == &UploadSequence::SelectSavedInputAgain) {
        return SavedInputSelected();
    }
    return true;
}

bool UploadSequence::PlannedStepReachedItsAim(const ParameterStep& step) const {
    const auto& zone = image_.MainZoneState;
    const auto lastInput = static_cast<std::uint8_t>(ModelProfile::kHighestInput);
    switch (step.kind) {
        case PlannedKind::kSelectLastInput:
            return zone.at(main_zone::kMainInput) == lastInput &&
                   zone.at(main_zone::kInputMode) == 0;
        case PlannedKind::kParameter:
            return true;
        case PlannedKind::kRestoreLastInput:
            return zone.at(main_zone::kMainInput) == lastInput &&
                   image_.InputProgramByte(lastInput) == saved_.lastInputProgram;
        case PlannedKind::kSelectSavedInput:
            return SavedInputSelected();
        case PlannedKind::kRestoreSavedState: {
            const std::uint8_t programByte = image_.InputProgramByte(saved_.mainInput);
            return SavedInputSelected() && zone.at(main_zone::kInputMode) == saved_.inputMode &&
                   ReceiverImage::ProgramOf(programByte) == saved_.program &&
                   ReceiverImage::EffectOff(programByte) == saved_.effectOff &&
                   (zone.at(main_zone::kMultiChannelInput) != 0) == saved_.multiChannel;
        }
    }
    return true;
}

bool UploadSequence::SavedInputSelected() const {
    return image_.MainZoneState.at(main_zone::kMainInput) == saved_.mainInput;
}

void UploadSequence::PutBack() {
    if (stateSaved_) {
        Restore();
    }
}

void UploadSequence::RequestStatus(const StepAt&) {
    plannedInPass_ = false;  // a new pass: its step 3 saves the state it then finds
    RequestStatusTwice();
}

void UploadSequence::RequestStatusTwice() {
    // The link believes an upload's configuration frame only when another of the same step
    // agrees with it: the frame has no checksum, and noise can turn a digit into another.
    out_.StatusRequest();
    out_.StatusRequest();
}

void UploadSequence::ReportInput(const StepAt& at) {
    if (at.index == 0 && !plannedInPass_) {
        // Once per pass: when the step runs again, the receiver is on the input it selected.
        SaveState();
        PlanParameters(at.laterPass);
        plannedInPass_ = true;
        out_.Command(command::kMultiChannelInput, 0);
    }
    out_.Command(command::kMainInput, at.index);
    RequestStatusTwice();
}

void UploadSequence::SaveState() {
    const auto& zone = image_.MainZoneState;
    saved_.mainInput = zone.at(main_zone::kMainInput);
    const std::uint8_t programByte = image_.InputProgramByte(saved_.mainInput);
    saved_.program = ReceiverImage::ProgramOf(programByte);
    saved_.effectOff = ReceiverImage::EffectOff(programByte);
    saved_.multiChannel = zone.at(main_zone::kMultiChannelInput) != 0;
    saved_.inputMode = zone.at(main_zone::kInputMode);
    stateSaved_ = true;
    lastInputTouched_ = false;
}

void UploadSequence::PlanParameters(bool laterPass) {
    // Every program is selected on its way (its parameter 0); a parameter that is not requested
    // is passed over within the same step, so the selections gather until the next request.
    parameterSteps_.clear();
    parameterSteps_.push_back({PlannedKind::kSelectLastInput, {}, std::nullopt});
    std::vector<int> selections;
    for (int program = 0; program <= ModelProfile::kHighestProgram; ++program) {
        selections.push_back(program);
        if (laterPass && program != saved_.program) {
            continue;
        }
        const int code = ModelProfile::ProgramCode(program);
        for (int slot = 0; slot < ModelProfile::kParametersPerProgram; ++slot) {
            const auto wire = WireParameterOf(program, slot);
            if (!ReceiverHasSlot(program, slot) || !wire) {
                continue;
            }
            parameterSteps_.push_back({PlannedKind::kParameter, selections,
                                       ParameterRequest{code, wire->parameter, wire->subIndex}});
            selections.clear();
        }
    }
    // Putting the receiver back takes three steps, each confirmed by the receiver's state before
    // the next: a program is sent only once its input is known to be selected.
    parameterSteps_.push_back({PlannedKind::kRestoreLastInput, selections, std::nullopt});
    parameterSteps_.push_back({PlannedKind::kSelectSavedInput, {}, std::nullopt});
    parameterSteps_.push_back({PlannedKind::kRestoreSavedState, {}, std::nullopt});
}

void UploadSequence::SendParameterStep(const ParameterStep& step) {
    if (step.kind == PlannedKind::kSelectLastInput) {
        // The program the last input plays now, as its report step read it: the walk changes
        // it, and the restore puts it back.
        saved_.lastInputProgram = image_.InputProgramByte(ModelProfile::kHighestInput);
        out_.Command(command::kMainInput, ModelProfile::kHighestInput);
        out_.Command(command::kInputMode, 0);
        lastInputTouched_ = true;
        RequestStatusTwice();
        return;
    }
    for (const int program : step.selections) {
        out_.Command(command::kProgram, program);
    }
    switch (step.kind) {
        case PlannedKind::kParameter:
            if (step.request) {
                out_.Request(ef::kDspParameter, step.request->programCode, step.request->parameter,
                             step.request->subIndex, 0);
            }
            return;
        case PlannedKind::kRestoreLastInput:
            RestoreLastInputProgram();
            break;
        case PlannedKind::kSelectSavedInput:
            // The last input has its own program back (the step before made sure).
            lastInputTouched_ = false;
            SelectSavedInput();
            break;
        case PlannedKind::kRestoreSavedState:
            RestoreSavedState();
            break;
        case PlannedKind::kSelectLastInput:
            break;
    }
    RequestStatusTwice();
}

void UploadSequence::RestoreLastInputProgram() {
    if (!lastInputTouched_) {
        return;
    }
    // The receiver keeps a program per input, and the last input now plays the last program
    // walked: it gets back the one this pass read for it (step 15).
    out_.Command(command::kProgram, ReceiverImage::ProgramOf(saved_.lastInputProgram));
    if (ReceiverImage::EffectOff(saved_.lastInputProgram)) {
        out_.Command(command::kEffectOff, 0);
    }
}

void UploadSequence::SelectSavedInput() {
    out_.Command(command::kMainInput, saved_.mainInput);
}

void UploadSequence::RestoreSavedState() {
    out_.Command(command::kInputMode, 2 * saved_.inputMode);
    out_.Command(command::kProgram, saved_.program);
    if (saved_.effectOff) {
        out_.Command(command::kEffectOff, 0);
    }
    if (saved_.multiChannel) {
        out_.Command(command::kMultiChannelInput, 1);
    } else if (image_.MainZoneState.at(main_zone::kMultiChannelInput) != 0) {
        // The receiver reports the multi-channel input on, which it was not: the line damaged
        // the upload's "off" into "on" (answered alike), and the step runs again to put it back.
        out_.Command(command::kMultiChannelInput, 0);
    }
}

void UploadSequence::Restore() {
    RestoreLastInputProgram();
    lastInputTouched_ = false;
    SelectSavedInput();
    RestoreSavedState();
    RequestStatusTwice();
}

void UploadSequence::RequestIoAssignments(const StepAt&) {
    request::IoAssignments(out_);
}

void UploadSequence::RequestInputName(const StepAt& at) {
    out_.Request(ef::kInputName, at.index);
}

void UploadSequence::RequestCurrentStation(const StepAt&) {
    out_.Command(command::kMainInput, kTunerInput);
    request::TunerPage(out_, 0);
}

void UploadSequence::RequestTunerPage(const StepAt& at) {
    request::TunerPage(out_, at.index + 1);
}

void UploadSequence::RequestTriggerInput(const StepAt& at) {
    const int inputs = request::kTriggerInputs;
    const int trigger = at.index / (2 * inputs);
    const int row = at.index / inputs % 2;
    out_.Request(ef::kDcTrigger, trigger, row, at.index % inputs);
}

void UploadSequence::RequestEqBand(const StepAt& at) {
    const auto bands = static_cast<int>(eq_layout::kBandsPerChannel);
    out_.Request(ef::kEqBand, at.index / bands, at.index % bands);
}

void UploadSequence::RequestTone(const StepAt&) {
    request::Tone(out_);
}

void UploadSequence::RequestPictureModes(const StepAt&) {
    request::PictureModes(out_);
}

void UploadSequence::RequestCinemaEq(const StepAt&) {
    for (int r = 0; r < static_cast<int>(eq_layout::kCinemaEqRecordCount); ++r) {
        out_.Request(ef::kCinemaEq, r);
    }
}

void UploadSequence::RequestDistances(const StepAt&) {
    request::Distances(out_);
}

void UploadSequence::RequestInputTrim(const StepAt& at) {
    out_.Request(ef::kInputTrim, at.index);
}

void UploadSequence::SelectSavedInputAgain(const StepAt&) {
    SelectSavedInput();
    RequestStatusTwice();
}

}  // namespace tra1
