#pragma once
// Static text and icon pictures as QLabel. Statics report nothing, except a label with kNotify,
// whose click becomes the toolkit's STN_CLICKED (the main window's panel labels).

#include "platform/qt/control_binding.h"

namespace tra1::qtui {

class StaticBinding final : public ControlBinding {
public:
    StaticBinding(DialogWidget& owner, win::Control& control, QWidget* parent);

protected:
    void Apply(win::ControlChange change) override;

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tra1::qtui
