#include "app/transfer_realtime_poll.h"

#include <array>
#include <cstddef>

#include "app/transfer_dsp_parameters.h"
#include "app/transfer_output.h"
#include "app/transfer_requests.h"
#include "link/link_state.h"
#include "model/model_profile.h"
#include "model/protocol.h"
#include "model/receiver_image.h"

namespace tra1 {
namespace {

namespace ef = extended_function;
namespace request = transfer_request;

// The sub-indices under which the current program's parameters are asked for, one per visit.
constexpr std::array<int, 4> kParameterSubIndex{1, 4, 3, 7};
// The parameters the receiver numbers itself (the rest are sub-fields of these).
constexpr int kReceiverParameters = 30;

}  // namespace

std::span<const StepRow<RealtimePoll>> RealtimePoll::Visits() {
    using P = RealtimePoll;
    constexpr StepPasses kEvery = StepPasses::kEvery;
    static constexpr StepRow<P> kVisits[] = {
        {0, 0, kEvery, &P::RequestIoAssignments, LinkState::kFirstRealtimeState},
        {1, 1, kEvery, &P::RequestInputNames, ef::kInputName},
        {2, 2, kEvery, &P::RequestInputTrims, ef::kInputTrim},
        // The current program's parameters, one sub-index per visit.
        {3, 6, kEvery, &P::RequestParameters, ef::kDspParameter},
        // Graphic EQ: record 0, a visit of its own for record 1 (the receiver keeps no EQ for
        // it), records 2..9, then one idle visit.
        {7, 17, kEvery, &P::RequestEqRecord, ef::kEqBandRequest},
        {18, 18, kEvery, &P::RequestTone, ef::kTone},
        // Trigger 0 zones 1, 2, 3, then trigger 1 the same; this model has no zone 3.
        {19, 24, kEvery, &P::RequestTriggers, ef::kDcTrigger},
        // The current station, then the preset pages 1..5.
        {25, 30, kEvery, &P::RequestTunerPage, ef::kTunerPreset},
        {31, 31, kEvery, &P::RequestDistances, ef::kSpeakerDistance},
        {32, 32, kEvery, &P::RequestPictureModes, ef::kPictureMode},
    };
    static_assert(StepsFollowOn<P>(kVisits) && kVisits[0].first == 0);
    static_assert(kVisits[3].last - kVisits[3].first + 1 == kParameterSubIndex.size());
    return kVisits;
}

void RealtimePoll::Step() {
    if (state_.realtimePollState != lastState_) {
        visit_ = 0;  // a new state, or the state was reset from outside
    }
    const std::span<const StepRow<RealtimePoll>> visits = Visits();
    const StepRow<RealtimePoll>* row = nullptr;
    for (const StepRow<RealtimePoll>& candidate : visits) {
        if (candidate.pollState == state_.realtimePollState) {
            row = &candidate;
        }
    }
    if (row == nullptr) {
        Next(visits.front().pollState);
        return;
    }
    RunStep(*this, visits, row->first + visit_, false);
    ++visit_;
    if (row->first + visit_ <= row->last) {
        lastState_ = state_.realtimePollState;
        return;
    }
    // The row after the last is the first again.
    const StepRow<RealtimePoll>* next = row + 1;
    Next(next == visits.data() + visits.size() ? visits.front().pollState : next->pollState);
}

void RealtimePoll::Next(int nextState) {
    state_.realtimePollState = nextState;
    lastState_ = nextState;
    visit_ = 0;
}

void RealtimePoll::RequestIoAssignments(const StepAt&) {
    request::IoAssignments(out_);
}

void RealtimePoll::RequestInputNames(const StepAt&) {
    for (int input = 0; input < request::kNameCount; ++input) {
        out_.Request(ef::kInputName, input);
    }
}

void RealtimePoll::RequestInputTrims(const StepAt&) {
    for (int input = 0; input < request::kTrimCount; ++input) {
        out_.Request(ef::kInputTrim, input);
    }
}

void RealtimePoll::RequestParameters(const StepAt& at) {
    const int subIndex = kParameterSubIndex.at(static_cast<std::size_t>(at.index));
    const int program = image_.InputProgram(image_.MainZoneState.at(main_zone::kMainInput));
    const int code = ModelProfile::ProgramCode(program);
    for (int parameter = 0; parameter < kReceiverParameters; ++parameter) {
        if (ReceiverHasSlot(program, parameter)) {
            out_.Request(ef::kDspParameter, code, parameter, subIndex, 0);
        }
    }
}

void RealtimePoll::RequestEqRecord(const StepAt& at) {
    // Visit 0 asks for record 0, visits 2..9 for records 2..9; visit 1 and the last one rest.
    const int record = at.index;
    if (record == 1 || record >= static_cast<int>(eq_layout::kChannelCount)) {
        return;
    }
    // The wait ends only with a reply for this record (the receiver may still be answering an
    // earlier one).
    state_.realtimeExpectedTable = record + 1;
    for (int band = 0; band < static_cast<int>(eq_layout::kBandsPerChannel); ++band) {
        out_.Request(ef::kEqBand, record, band);
    }
}

void RealtimePoll::RequestTone(const StepAt&) {
    request::Tone(out_);
}

void RealtimePoll::RequestTriggers(const StepAt& at) {
    const int trigger = at.index / 3;
    const int row = at.index % 3;
    if (row == 2) {
        return;
    }
    for (int input = 0; input < request::kTriggerInputs; ++input) {
        out_.Request(ef::kDcTrigger, trigger, row, input);
    }
}

void RealtimePoll::RequestTunerPage(const StepAt& at) {
    request::TunerPage(out_, at.index);
}

void RealtimePoll::RequestDistances(const StepAt&) {
    request::Distances(out_);
}

void RealtimePoll::RequestPictureModes(const StepAt&) {
    request::PictureModes(out_);
}

}  // namespace tra1
