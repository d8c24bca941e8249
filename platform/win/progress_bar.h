#pragma once
// Progress bar: a position within a range, moved by steps. The position never leaves the range
// (the toolkit's bar wraps to the start when stepped past its end; ours stops at the end).

#include "platform/win/control.h"

namespace tra1::win {

class ProgressBar final : public Control {
public:
    ProgressBar(Dialog& parent, const ControlTemplate& source);

    // A maximum below the minimum is stored as the minimum. The position is clamped.
    void SetRange(int min, int max);
    int GetRangeMin() const { return min_; }
    int GetRangeMax() const { return max_; }
    // Returns the previous position; clamps.
    int SetPos(int position);
    int GetPos() const { return pos_; }
    int SetStep(int step);  // returns the previous step; default 10
    int GetStep() const { return step_; }
    // Advances by the step (clamped); returns the previous position.
    int StepIt();
    int OffsetPos(int delta);

private:
    int min_ = 0;
    int max_ = 100;
    int pos_ = 0;
    int step_ = 10;
};

}  // namespace tra1::win
