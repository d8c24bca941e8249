#include "platform/win/static.h"

namespace tra1::win {

Static::Static(Dialog& parent, const ControlTemplate& source)
    : Control(parent, source), icon_(source.icon) {}

void Static::SetIcon(int iconId) {
    if (iconId != icon_) {
        icon_ = iconId;
        Changed(ControlChange::kIcon);
    }
}

}  // namespace tra1::win
