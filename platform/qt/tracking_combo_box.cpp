#include "platform/qt/tracking_combo_box.h"

namespace tra1::qtui {

void TrackingComboBox::showPopup() {
    QComboBox::showPopup();
    if (!open_) {
        open_ = true;
        if (handler_) {
            handler_(true);
        }
    }
}

void TrackingComboBox::hidePopup() {
    QComboBox::hidePopup();
    if (open_) {
        open_ = false;
        if (handler_) {
            handler_(false);
        }
    }
}

}  // namespace tra1::qtui
