#pragma once
// Track bars as QSlider, without tracking: the value is committed when the user lets go.
//
// The release notification is raised exactly once per mouse interaction: when the thumb was
// dragged, from sliderReleased with sliderPosition() (value() is not yet committed there); when
// the groove was clicked (page steps, no thumb drag), on the mouse button's release. Every step
// of a drag is reported as it happens (TB_THUMBTRACK), so read-outs follow the thumb. Keys and
// the wheel report each step (TB_ENDTRACK); the dialog makes their release once the slider has
// stood still (Dialog::kSliderIdleMs). Vertical sliders show the toolkit's position mirrored, so
// that their groove fills from the bottom.

#include "platform/qt/control_binding.h"

namespace tra1::qtui {

class SliderBinding final : public ControlBinding {
public:
    SliderBinding(DialogWidget& owner, win::Control& control, QWidget* parent);

protected:
    void Apply(win::ControlChange change) override;

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void Release(int position);
    // The widget's value of a toolkit position, and back.
    int ToWidget(int position) const;
    int FromWidget(int value) const;

    bool mirrored_;
};

}  // namespace tra1::qtui
