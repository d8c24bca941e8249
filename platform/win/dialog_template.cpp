#include "platform/win/dialog_template.h"

namespace tra1::win {

const ControlTemplate* DialogTemplate::FindControl(int control_id) const {
    for (const ControlTemplate& control : controls) {
        if (control.id == control_id) {
            return &control;
        }
    }
    return nullptr;
}

}  // namespace tra1::win
