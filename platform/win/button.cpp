#include "platform/win/button.h"

#include <algorithm>

namespace tra1::win {

Button::Button(Dialog& parent, const ControlTemplate& source) : Control(parent, source) {}

void Button::SetCheck(int state) {
    if (!IsCheckBox() && !IsRadioButton()) {
        return;
    }
    const int value = std::clamp(state, BST_UNCHECKED, 2);  // 2: the indeterminate state
    if (value != check_) {
        check_ = value;
        Changed(ControlChange::kCheck);
    }
}

void Button::SetPressed(bool pressed) {
    pressed_ = pressed;
}

}  // namespace tra1::win
