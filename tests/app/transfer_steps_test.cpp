// The step tables and their walker: a row sends for each of its steps with the step's place in
// the row, first-pass rows keep their steps but send nothing in later passes, and the tables of
// the download, the upload and the realtime poll cover the groups of the image they carry.

#include "app/transfer_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <span>
#include <vector>

#include "app/transfer_download.h"
#include "app/transfer_realtime_poll.h"
#include "app/transfer_upload.h"
#include "link/link_state.h"
#include "model/protocol.h"
#include "model/receiver_image.h"

namespace tra1 {
namespace {

struct Sequence {
    std::vector<int> a;
    std::vector<int> b;
    void SendA(const StepAt& at) { a.push_back(at.index); }
    void SendB(const StepAt& at) { b.push_back(at.laterPass ? -at.index : at.index); }
};

constexpr StepRow<Sequence> kRows[] = {
    {2, 4, StepPasses::kEvery, &Sequence::SendA},
    {5, 6, StepPasses::kFirstOnly, &Sequence::SendB},
};
static_assert(StepsFollowOn<Sequence>(kRows));

TEST(TransferStepsTest, EachStepSendsWithItsPlaceInItsRow) {
    Sequence sequence;
    for (int step = 0; step <= 7; ++step) {
        EXPECT_EQ(RunStep<Sequence>(sequence, kRows, step, false), step >= 2 && step <= 6) << step;
    }
    EXPECT_EQ(sequence.a, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(sequence.b, (std::vector<int>{0, 1}));
}

TEST(TransferStepsTest, FirstPassRowsStillCountTheirStepsInLaterPasses) {
    Sequence sequence;
    EXPECT_TRUE(RunStep<Sequence>(sequence, kRows, 3, true));
    EXPECT_TRUE(RunStep<Sequence>(sequence, kRows, 6, true));
    EXPECT_EQ(sequence.a, (std::vector<int>{1}));
    EXPECT_TRUE(sequence.b.empty());
}

TEST(TransferStepsTest, RowsWithAGapOrAnOverlapDoNotFollowOn) {
    constexpr StepRow<Sequence> kGap[] = {
        {2, 4, StepPasses::kEvery, &Sequence::SendA},
        {6, 6, StepPasses::kEvery, &Sequence::SendB},
    };
    constexpr StepRow<Sequence> kOverlap[] = {
        {2, 4, StepPasses::kEvery, &Sequence::SendA},
        {4, 6, StepPasses::kEvery, &Sequence::SendB},
    };
    static_assert(!StepsFollowOn<Sequence>(kGap));
    static_assert(!StepsFollowOn<Sequence>(kOverlap));
}

template <typename S>
int StepCount(const StepRow<S>& row) {
    return row.last - row.first + 1;
}

TEST(TransferStepsTest, DownloadRowsCoverEveryRecordOfTheirGroups) {
    const auto rows = DownloadSequence::Steps();
    EXPECT_EQ(rows.front().first, DownloadSequence::kFirstStep);
    EXPECT_EQ(rows.back().last, DownloadSequence::kLastStep);
    // Two steps per program, one per input, per I/O jack, per tuner entry, per trigger input,
    // per graphic EQ band and per input trim.
    EXPECT_EQ(StepCount(rows[0]), 2 * static_cast<int>(dsp_table::kProgramCount));
    const auto jacks =
        std::accumulate(io_assign::kJackCount.begin(), io_assign::kJackCount.end(), std::size_t{0});
    std::vector<int> counts;
    for (const StepRow<DownloadSequence>& row : rows) {
        counts.push_back(StepCount(row));
    }
    EXPECT_NE(std::find(counts.begin(), counts.end(), static_cast<int>(jacks)), counts.end());
    // The current station on its own step, the presets on the row after it.
    bool tunerEntries = false;
    for (std::size_t i = 0; i + 1 < counts.size(); ++i) {
        tunerEntries = tunerEntries ||
                       (counts[i] == 1 &&
                        counts[i] + counts[i + 1] == static_cast<int>(tuner_presets::kEntryCount));
    }
    EXPECT_TRUE(tunerEntries);
    EXPECT_NE(std::find(counts.begin(), counts.end(),
                        static_cast<int>(eq_layout::kChannelCount * eq_layout::kBandsPerChannel)),
              counts.end());
    EXPECT_EQ(StepCount(rows.back()), 14);  // the input trims, the last thing written
}

TEST(TransferStepsTest, UploadRowsFollowTheFixedHeadAndCoverTheirGroups) {
    const auto first = UploadSequence::FirstSteps();
    EXPECT_EQ(first.front().first, UploadSequence::kFirstStep);
    EXPECT_EQ(first.back().last + 1, UploadSequence::kFirstPlannedStep);
    // One step per input selected and reported, 0..12.
    EXPECT_EQ(StepCount(first.back()), 13);
    const auto last = UploadSequence::LastSteps();
    int total = 0;
    for (const StepRow<UploadSequence>& row : last) {
        total += StepCount(row);
    }
    // I/O, 14 names, the station, 5 pages, 52 trigger inputs, 130 bands, tone, picture modes,
    // cinema EQ, distances, 14 trims, the saved input selected again.
    EXPECT_EQ(total, 1 + 14 + 1 + 5 + 52 + 130 + 1 + 1 + 1 + 1 + 14 + 1);
}

TEST(TransferStepsTest, RealtimePollVisitsItsStatesInOrderAndStartsAgain) {
    const auto visits = RealtimePoll::Visits();
    std::vector<int> states;
    for (const StepRow<RealtimePoll>& row : visits) {
        for (int v = row.first; v <= row.last; ++v) {
            states.push_back(row.pollState);
        }
    }
    ASSERT_EQ(states.size(), 33u);
    EXPECT_EQ(states.front(), LinkState::kFirstRealtimeState);
    EXPECT_EQ(states.back(), extended_function::kPictureMode);
    // Four sub-indices of the current program's parameters, eleven graphic EQ visits, six
    // trigger visits and six tuner pages.
    EXPECT_EQ(std::count(states.begin(), states.end(), extended_function::kDspParameter), 4);
    EXPECT_EQ(std::count(states.begin(), states.end(), extended_function::kEqBandRequest), 11);
    EXPECT_EQ(std::count(states.begin(), states.end(), extended_function::kDcTrigger), 6);
    EXPECT_EQ(std::count(states.begin(), states.end(), extended_function::kTunerPreset), 6);
}

}  // namespace
}  // namespace tra1
