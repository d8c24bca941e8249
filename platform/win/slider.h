#pragma once
// Track bar. The position always lies within the range: setting a position outside it puts the
// thumb at the nearer end, as the toolkit does. Horizontal unless the template says kVertical;
// a vertical slider has its minimum at the top.

#include "platform/win/control.h"

namespace tra1::win {

class Slider final : public Control {
public:
    Slider(Dialog& parent, const ControlTemplate& source);

    // A range whose maximum is below its minimum is stored as the single value `min`.
    // The position is clamped into the new range.
    void SetRange(int min, int max);
    void SetRangeMin(int min);
    void SetRangeMax(int max);
    int GetRangeMin() const { return min_; }
    int GetRangeMax() const { return max_; }
    // Clamps into the range. No notification. The program's move: it does nothing while the
    // user holds the thumb (see SetHeld), as the toolkit never pulls a held thumb away.
    void SetPos(int position);
    int GetPos() const { return pos_; }
    // The user's move (the gestures of user_input.h): always taken, clamped.
    void MoveThumb(int position);
    // While keys or the wheel move the slider and its release is still to come, the user holds
    // the thumb: a refresh in between must not put it back. The dialog sets and clears this.
    void SetHeld(bool held) { held_ = held; }
    bool IsHeld() const { return held_; }

    void SetTicFreq(int frequency);
    int GetTicFreq() const { return ticFreq_; }
    void SetPageSize(int size);  // keyboard page step; 0..; default 0 means range/5, as toolkit
    int GetPageSize() const;
    void SetLineSize(int size);
    int GetLineSize() const { return lineSize_; }

    bool IsVertical() const { return HasStyle(style::kVertical); }
    // Clamps a value into the current range.
    int Clamp(int position) const;

private:
    int min_ = 0;
    int max_ = 100;
    int pos_ = 0;
    int ticFreq_ = 1;
    int pageSize_ = 0;
    int lineSize_ = 1;
    bool held_ = false;
};

}  // namespace tra1::win
