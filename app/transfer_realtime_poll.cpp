#include "app/transfer_realtime_poll.h"

#include <array>
#include <cstddef>

#include "app/transfer_dsp_parameters.h"
#include "app/transfer_output.h"
#include "link/link_state.h"
#include "model/model_profile.h"
#include "model/protocol.h"
#include "model/receiver_image.h"

namespace tra1 {
namespace {

namespace ef = extended_function;

// The graphic EQ state carries the number of the EQ band request.
constexpr int kEqVisits = ef::kEqBandRequest;

constexpr int kNameCount = 14;  // 0..12 and the multi-channel input
constexpr int kTrimCount = 14;
constexpr int kDistanceCount = 12;
constexpr int kTriggerInputs = 13;
constexpr std::array<int, 4> kParameterSubIndex{1, 4, 3, 7};
// Graphic EQ visits: record 0, a visit of its own for record 1 (the receiver keeps no EQ for
// it), records 2..9, then one idle visit.
constexpr int kEqVisitCount = 11;
constexpr int kTriggerVisits = 6;
constexpr int kTunerVisits = 6;
constexpr int kEntriesPerPage = 8;
constexpr const char* kTunerRequestText = "xxxxxx";

}  // namespace

void RealtimePoll::Step() {
    if (state_.realtimePollState != lastState_) {
        visit_ = 0;  // a new state, or the state was reset from outside
    }
    switch (state_.realtimePollState) {
        case LinkState::kFirstRealtimeState:
            for (std::size_t group = 0; group < io_assign::kRowCount; ++group) {
                for (std::size_t jack = 0; jack < io_assign::kJackCount.at(group); ++jack) {
                    out_.Request(ef::kIoAssign, static_cast<int>(group), static_cast<int>(jack));
                }
            }
            Next(ef::kInputName);
            break;
        case ef::kInputName:
            for (int input = 0; input < kNameCount; ++input) {
                out_.Request(ef::kInputName, input);
            }
            Next(ef::kInputTrim);
            break;
        case ef::kInputTrim:
            for (int input = 0; input < kTrimCount; ++input) {
                out_.Request(ef::kInputTrim, input);
            }
            Next(ef::kDspParameter);
            break;
        case ef::kDspParameter:
            RequestParameters(kParameterSubIndex.at(static_cast<std::size_t>(visit_)));
            StayOrNext(static_cast<int>(kParameterSubIndex.size()), kEqVisits);
            break;
        case kEqVisits:
            RequestEqRecord();
            StayOrNext(kEqVisitCount, ef::kTone);
            break;
        case ef::kTone:
            for (int a = 0; a < 2; ++a) {
                for (int b = 0; b < 2; ++b) {
                    out_.Request(ef::kTone, a, b);
                }
            }
            Next(ef::kDcTrigger);
            break;
        case ef::kDcTrigger:
            RequestTriggers();
            StayOrNext(kTriggerVisits, ef::kTunerPreset);
            break;
        case ef::kTunerPreset:
            RequestTunerPage();
            StayOrNext(kTunerVisits, ef::kSpeakerDistance);
            break;
        case ef::kSpeakerDistance:
            for (int entry = 0; entry < kDistanceCount; ++entry) {
                out_.Request(ef::kSpeakerDistance, entry);
            }
            Next(ef::kPictureMode);
            break;
        case ef::kPictureMode:
            for (int r = 0; r < static_cast<int>(picture_mode::kRecordCount); ++r) {
                out_.Request(ef::kPictureMode, r);
            }
            Next(LinkState::kFirstRealtimeState);
            break;
        default:
            Next(LinkState::kFirstRealtimeState);
            break;
    }
}

void RealtimePoll::Next(int nextState) {
    state_.realtimePollState = nextState;
    lastState_ = nextState;
    visit_ = 0;
}

void RealtimePoll::StayOrNext(int visits, int nextState) {
    ++visit_;
    if (visit_ >= visits) {
        Next(nextState);
        return;
    }
    lastState_ = state_.realtimePollState;
}

void RealtimePoll::RequestParameters(int subIndex) {
    const int program = image_.InputProgram(image_.MainZoneState.at(main_zone::kMainInput));
    const int code = ModelProfile::ProgramCode(program);
    for (int parameter = 0; parameter < 30; ++parameter) {
        if (ReceiverHasSlot(program, parameter)) {
            out_.Request(ef::kDspParameter, code, parameter, subIndex, 0);
        }
    }
}

void RealtimePoll::RequestEqRecord() {
    // Visit 0 asks for record 0, visits 2..9 for records 2..9; visit 1 and the last one rest.
    const int record = visit_;
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

void RealtimePoll::RequestTriggers() {
    // Visits: trigger 0 zones 1, 2, 3, then trigger 1 the same; this model has no zone 3.
    const int trigger = visit_ / 3;
    const int row = visit_ % 3;
    if (row == 2) {
        return;
    }
    for (int input = 0; input < kTriggerInputs; ++input) {
        out_.Request(ef::kDcTrigger, trigger, row, input);
    }
}

void RealtimePoll::RequestTunerPage() {
    if (visit_ == 0) {
        out_.Request(ef::kTunerPreset, 0, 0, 0, 0, kTunerRequestText);
        return;
    }
    for (int number = 1; number <= kEntriesPerPage; ++number) {
        out_.Request(ef::kTunerPreset, visit_, number, 0, 0, kTunerRequestText);
    }
}

}  // namespace tra1
