#pragma once
// Progress bars as QProgressBar. Colours: the bar is drawn in the control's text colour over its
// background colour (the read-out look paints a cyan bar on black).

#include "platform/qt/control_binding.h"

namespace tra1::qtui {

class ProgressBinding final : public ControlBinding {
public:
    ProgressBinding(DialogWidget& owner, win::Control& control, QWidget* parent);

protected:
    void Apply(win::ControlChange change) override;
    void ApplyColors(std::optional<win::Rgb> text, std::optional<win::Rgb> background) override;
};

}  // namespace tra1::qtui
