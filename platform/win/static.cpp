#include "platform/win/static.h"

namespace tra1::win {

Static::Static(Dialog& parent, const ControlTemplate& source)
    : Control(parent, source), icon_(source.icon) {}

void Static::SetIcon(int icon_id) {
    if (icon_id != icon_) {
        icon_ = icon_id;
        Changed(ControlChange::kIcon);
    }
}

}  // namespace tra1::win
