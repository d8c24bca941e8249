// Dialog 153: the INPUT MODE SET panel. One two-position switch (a short horizontal slider
// between its end labels): whether the receiver starts each input with automatic input-mode
// detection or in the mode last used.

#include <cstdint>

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
DialogTemplate MakeInputModeSetTemplate() {
    DialogTemplate t;
    t.id = 153;
    t.caption = "INPUT MODE SET";
    t.cx = 156;
    t.cy = 32;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup;

    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, "INPUT MODE", style::kNone, 8, 12, 48, 8));
    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, "AUTO", style::kRight, 58, 12, 22, 8));
    t.controls.push_back(MakeControl(1162, ControlKind::kSlider, "",
                                     style::kNoTicks | style::kTabStop, 82, 9, 36, 14));
    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, "LAST", style::kNone, 122, 12, 26, 8));
    return t;
}

}  // namespace tra1::res
