#include "platform/win/progress_bar.h"

#include <algorithm>

namespace tra1::win {

ProgressBar::ProgressBar(Dialog& parent, const ControlTemplate& source) : Control(parent, source) {}

void ProgressBar::SetRange(int min, int max) {
    const int newMax = std::max(min, max);
    if (min != min_ || newMax != max_) {
        min_ = min;
        max_ = newMax;
        Changed(ControlChange::kRange);
    }
    const int clamped = std::clamp(pos_, min_, max_);
    if (clamped != pos_) {
        pos_ = clamped;
        Changed(ControlChange::kPosition);
    }
}

int ProgressBar::SetPos(int position) {
    const int previous = pos_;
    const int clamped = std::clamp(position, min_, max_);
    if (clamped != pos_) {
        pos_ = clamped;
        Changed(ControlChange::kPosition);
    }
    return previous;
}

int ProgressBar::SetStep(int step) {
    const int previous = step_;
    step_ = step;
    return previous;
}

int ProgressBar::StepIt() {
    return OffsetPos(step_);
}

int ProgressBar::OffsetPos(int delta) {
    // Widened so that a huge delta cannot overflow before clamping.
    const long long target = static_cast<long long>(pos_) + delta;
    return SetPos(static_cast<int>(std::clamp<long long>(target, min_, max_)));
}

}  // namespace tra1::win
