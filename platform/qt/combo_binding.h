#pragma once
// Combo boxes: items, selection and the open list mirrored; a selection change is reported only
// for a user's pick (QComboBox::activated), never for the program setting the selection.

#include "platform/qt/control_binding.h"

namespace tra1::qtui {

class TrackingComboBox;

class ComboBinding final : public ControlBinding {
public:
    ComboBinding(DialogWidget& owner, win::Control& control, QWidget* parent);

protected:
    void Apply(win::ControlChange change) override;

private:
    void PopupChanged(bool open);
    TrackingComboBox* Combo() const;
};

}  // namespace tra1::qtui
