#pragma once
// Static text and icon pictures as QLabel. Statics never report anything.

#include "platform/qt/control_binding.h"

namespace tra1::qtui {

class StaticBinding final : public ControlBinding {
public:
    StaticBinding(DialogWidget& owner, win::Control& control, QWidget* parent);

protected:
    void Apply(win::ControlChange change) override;
};

}  // namespace tra1::qtui
