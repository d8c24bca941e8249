#include "platform/win/dialog_template.h"

namespace tra1::win {

const ControlTemplate* DialogTemplate::FindControl(int controlId) const {
    for (const ControlTemplate& control : controls) {
        if (control.id == controlId) {
            return &control;
        }
    }
    return nullptr;
}

}  // namespace tra1::win
