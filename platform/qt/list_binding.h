#pragma once
// List boxes as QListWidget: rows, selection and top row mirrored; the user's selection and
// double-click become LBN_SELCHANGE / LBN_DBLCLK.

#include "platform/qt/control_binding.h"

namespace tra1::qtui {

class ListBinding final : public ControlBinding {
public:
    ListBinding(DialogWidget& owner, win::Control& control, QWidget* parent);

protected:
    void Apply(win::ControlChange change) override;
};

}  // namespace tra1::qtui
