#pragma once
// Push button, check box, radio button or group box (by the template's kind).

#include "platform/win/control.h"

namespace tra1::win {

inline constexpr int BST_UNCHECKED = 0;
inline constexpr int BST_CHECKED = 1;

class Button final : public Control {
public:
    Button(Dialog& parent, const ControlTemplate& source);

    bool IsPushButton() const {
        return GetKind() == ControlKind::kPushButton || GetKind() == ControlKind::kDefPushButton;
    }
    bool IsCheckBox() const { return GetKind() == ControlKind::kCheckBox; }
    bool IsRadioButton() const { return GetKind() == ControlKind::kRadioButton; }

    // BST_UNCHECKED / BST_CHECKED; ignored for push buttons and group boxes. Setting a radio
    // button does not touch the others of its group (Dialog::CheckRadioButton does).
    void SetCheck(int state);
    int GetCheck() const { return check_; }

    // Held down by the mouse (between user::MousePress and user::MouseRelease).
    bool IsPressed() const { return pressed_; }
    void SetPressed(bool pressed);

private:
    int check_ = BST_UNCHECKED;
    bool pressed_ = false;
};

}  // namespace tra1::win
