#pragma once
// Static text or picture (icon) label.

#include "platform/win/control.h"

namespace tra1::win {

class Static final : public Control {
public:
    Static(Dialog& parent, const ControlTemplate& source);

    // The icon resource shown by a picture label (0 = none).
    void SetIcon(int iconId);
    int GetIcon() const { return icon_; }

private:
    int icon_ = 0;
};

}  // namespace tra1::win
