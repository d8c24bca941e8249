#pragma once
// Push buttons, check boxes, radio buttons and group boxes.
//
// Qt's own toggling is not trusted: a click goes to win::user::Click, which toggles the check
// box or checks the radio button and unchecks its group in the model, and the widgets follow
// the model (radio buttons are therefore not auto-exclusive in Qt). Push buttons also report
// mouse press and release, which the volume buttons use to repeat while held.

#include "platform/qt/control_binding.h"

namespace tra1::qtui {

class ButtonBinding final : public ControlBinding {
public:
    ButtonBinding(DialogWidget& owner, win::Control& control, QWidget* parent);

protected:
    void Apply(win::ControlChange change) override;
};

}  // namespace tra1::qtui
