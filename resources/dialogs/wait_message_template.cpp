// Dialog 164: the wait-message window shown while a whole configuration travels between the
// receiver and the PC. Its label says which way, the bar shows how far, Cancel stops it. It
// stays above the program's other windows while the transfer runs, so that a panel opened or a
// window clicked meanwhile does not hide the progress and the Cancel button.

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

#include <utility>

namespace tra1::res {
DialogTemplate MakeWaitMessageTemplate() {
    DialogTemplate t;
    t.id = 164;
    t.caption = "Tolvek Receiver Editor Message";
    t.cx = 200;
    t.cy = 66;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kTopmost;
    t.controls.push_back(MakeControl(1210, ControlKind::kStatic, "Uploading Configuration",
                                     style::kNone, 10, 8, 180, 10));
    t.controls.push_back(
        MakeControl(1208, ControlKind::kProgressBar, "", style::kBorder, 10, 22, 180, 12));
    t.controls.push_back(
        MakeControl(1078, ControlKind::kPushButton, "Cancel", style::kTabStop, 75, 44, 50, 14));
    return t;
}

}  // namespace tra1::res
