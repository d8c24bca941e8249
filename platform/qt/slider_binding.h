#pragma once
// Track bars as QSlider, without tracking: the value is committed when the user lets go.
//
// The release notification is raised exactly once per mouse interaction: when the thumb was
// dragged, from sliderReleased with sliderPosition() (value() is not yet committed there); when
// the groove was clicked (page steps, no thumb drag), on the mouse button's release. Keyboard
// moves report their new position without a release, as the toolkit does.

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
};

}  // namespace tra1::qtui
