#include "platform/win/slider.h"

#include <algorithm>

namespace tra1::win {

Slider::Slider(Dialog& parent, const ControlTemplate& source) : Control(parent, source) {}

int Slider::Clamp(int position) const {
    return std::clamp(position, min_, max_);
}

void Slider::SetRange(int min, int max) {
    const int newMax = std::max(min, max);
    if (min == min_ && newMax == max_) {
        return;
    }
    min_ = min;
    max_ = newMax;
    Changed(ControlChange::kRange);
    const int clamped = Clamp(pos_);
    if (clamped != pos_) {
        pos_ = clamped;
        Changed(ControlChange::kPosition);
    }
}

void Slider::SetRangeMin(int min) {
    SetRange(min, max_);
}

void Slider::SetRangeMax(int max) {
    SetRange(min_, max);
}

void Slider::SetPos(int position) {
    if (!held_) {
        MoveThumb(position);
    }
}

void Slider::MoveThumb(int position) {
    const int clamped = Clamp(position);
    if (clamped != pos_) {
        pos_ = clamped;
        Changed(ControlChange::kPosition);
    }
}

void Slider::SetTicFreq(int frequency) {
    const int value = std::max(1, frequency);
    if (value != ticFreq_) {
        ticFreq_ = value;
        Changed(ControlChange::kRange);
    }
}

void Slider::SetPageSize(int size) {
    const int value = std::max(0, size);
    if (value != pageSize_) {
        pageSize_ = value;
        Changed(ControlChange::kRange);
    }
}

int Slider::GetPageSize() const {
    return pageSize_ > 0 ? pageSize_ : (max_ - min_) / 5;
}

void Slider::SetLineSize(int size) {
    const int value = std::max(1, size);
    if (value != lineSize_) {
        lineSize_ = value;
        Changed(ControlChange::kRange);
    }
}

}  // namespace tra1::win
