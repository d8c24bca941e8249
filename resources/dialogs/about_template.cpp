// Dialog 100: the About box, opened from the main window's system menu. The program's icon, its
// title and an OK button.

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/icon_ids.h"
#include "resources/resource_makers.h"

#include <utility>

namespace tra1::res {
DialogTemplate MakeAboutTemplate() {
    DialogTemplate t;
    t.id = 100;
    t.caption = "About Tolvek Receiver Editor";
    t.cx = 235;
    t.cy = 55;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kCenter;

    ControlTemplate icon = MakeControl(-1, ControlKind::kIcon, "", style::kNone, 11, 14, 21, 20);
    icon.icon = kIconProgram;
    t.controls.push_back(icon);
    t.controls.push_back(MakeControl(-1, ControlKind::kStatic, "Tolvek Receiver Editor for TR-A1",
                                     style::kNone, 40, 10, 130, 8));
    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, "Version 1.0", style::kNone, 40, 25, 130, 8));
    t.controls.push_back(MakeControl(1 /* IDOK */, ControlKind::kDefPushButton, "OK",
                                     style::kGroup | style::kTabStop, 178, 7, 50, 14));
    return t;
}

}  // namespace tra1::res
