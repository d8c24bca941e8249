#pragma once
// The step tables of the upload, the download and the realtime poll, and the one walker that
// runs them. A table is a list of rows in step order; each row covers the steps first..last and
// names what each of its steps sends. What a step then waits for is the receiver's answer to
// the last send that the receiver answers (TransferOutput keeps it); a step that sends nothing
// waits for nothing.

#include <cstddef>
#include <span>

namespace tra1 {

// Where a step stands: its place within its row (0 for the row's first step) and whether it
// belongs to a later pass of a "Preset Setting" transfer.
struct StepAt {
    int index = 0;
    bool laterPass = false;
};

// Which passes a row sends in. The data the receiver keeps once, not per preset, is written or
// read in the first pass only; in later passes such a row's steps still count, but send nothing.
enum class StepPasses {
    kEvery,
    kFirstOnly,
};

// How a row's steps go when the transfer runs pipelined ("Fast Transfer"). Stepwise, a step runs
// once the answer it waits for is in. Back to back, the next step runs as soon as the receiver's
// buffer has room for it: the receiver's answers to such steps carry their own function and
// item, so each is paired with its frame and decoded the same whenever it comes, and the steps
// make the receiver pause nowhere.
enum class StepFlow {
    kStepwise,
    kBackToBack,
};

template <typename Sequence>
struct StepRow {
    int first;
    int last;
    StepPasses passes;
    void (Sequence::*send)(const StepAt& at);
    // The realtime poll's state number for the row: the extended function it asks for.
    int pollState = 0;
    StepFlow flow = StepFlow::kStepwise;
};

// Rows that follow one another without gap or overlap, from the first row's first step on.
template <typename Sequence>
constexpr bool StepsFollowOn(std::span<const StepRow<Sequence>> rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].last < rows[i].first || (i > 0 && rows[i].first != rows[i - 1].last + 1)) {
            return false;
        }
    }
    return true;
}

// The row that holds `step`; nullptr when none does.
template <typename Sequence>
const StepRow<Sequence>* RowOfStep(std::span<const StepRow<Sequence>> rows, int step) {
    for (const StepRow<Sequence>& row : rows) {
        if (step >= row.first && step <= row.last) {
            return &row;
        }
    }
    return nullptr;
}

// Whether `step` belongs to a row whose steps go back to back (false for a step no row holds).
template <typename Sequence>
bool StepGoesBackToBack(std::span<const StepRow<Sequence>> rows, int step) {
    const StepRow<Sequence>* row = RowOfStep(rows, step);
    return row != nullptr && row->flow == StepFlow::kBackToBack;
}

// Runs `step`: the row that holds it sends what the step sends (nothing in a later pass when
// the row is for the first pass only). False when no row holds the step.
template <typename Sequence>
bool RunStep(Sequence& sequence, std::span<const StepRow<Sequence>> rows, int step,
             bool laterPass) {
    const StepRow<Sequence>* row = RowOfStep(rows, step);
    if (row == nullptr) {
        return false;
    }
    if (!laterPass || row->passes == StepPasses::kEvery) {
        (sequence.*(row->send))(StepAt{step - row->first, laterPass});
    }
    return true;
}

}  // namespace tra1
