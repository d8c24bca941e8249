// Dialog 138: the INPUT RENAME panel. Left the inputs' default names, beside them the names the
// receiver shows; on the right the name box with its hint, the ENTER button that stores the
// typed name for the selected input, and the Default button.

#include <cstdint>

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
DialogTemplate MakeInputRenameTemplate() {
    DialogTemplate t;
    t.id = 138;
    t.caption = "INPUT RENAME";
    t.cx = 290;
    t.cy = 146;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup;

    constexpr std::uint32_t kList = style::kBorder | style::kVScroll | style::kTabStop;
    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, "Default", style::kNone, 8, 6, 70, 8));
    t.controls.push_back(MakeControl(1055, ControlKind::kListBox, "", kList, 8, 16, 70, 124));
    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, "New Name", style::kNone, 84, 6, 70, 8));
    t.controls.push_back(MakeControl(1056, ControlKind::kListBox, "", kList, 84, 16, 70, 124));
    t.controls.push_back(MakeControl(-1, ControlKind::kStatic, "Enter new name and press ENTER.",
                                     style::kNone, 162, 16, 124, 8));
    t.controls.push_back(MakeControl(1057, ControlKind::kEdit, "",
                                     style::kBorder | style::kAutoHScroll | style::kTabStop, 162,
                                     30, 64, 13));
    t.controls.push_back(
        MakeControl(1058, ControlKind::kDefPushButton, "ENTER", style::kTabStop, 232, 29, 50, 14));
    t.controls.push_back(
        MakeControl(1148, ControlKind::kPushButton, "Default", style::kTabStop, 162, 126, 50, 14));
    return t;
}

}  // namespace tra1::res
