// Dialog 139: the I/O ASSIGN panel. Three lists side by side: the connectors ("I/O PORT"), the
// source each connector has ("Function", a read-out), and the sources offered for the selected
// connector's kind ("Select"); OK applies the chosen source, Default restores the receiver's own
// assignment.

#include <cstdint>

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
DialogTemplate MakeIoAssignTemplate() {
    DialogTemplate t;
    t.id = 139;
    t.caption = "I/O ASSIGN";
    t.cx = 266;
    t.cy = 190;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup;

    constexpr std::uint32_t kList = style::kBorder | style::kVScroll | style::kTabStop;
    // 20 connector rows of 8 units each, plus the border.
    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, "I/O PORT", style::kNone, 8, 6, 62, 8));
    t.controls.push_back(MakeControl(1156, ControlKind::kListBox, "", kList, 8, 16, 62, 166));
    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, "Function", style::kNone, 74, 6, 62, 8));
    t.controls.push_back(MakeControl(1157, ControlKind::kListBox, "", kList, 74, 16, 62, 166));
    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, "Select", style::kNone, 142, 6, 62, 8));
    t.controls.push_back(MakeControl(1158, ControlKind::kListBox, "", kList, 142, 16, 62, 110));
    t.controls.push_back(MakeControl(1 /* IDOK */, ControlKind::kDefPushButton, "OK",
                                     style::kGroup | style::kTabStop, 210, 16, 48, 14));
    t.controls.push_back(
        MakeControl(3, ControlKind::kPushButton, "Default", style::kTabStop, 210, 36, 48, 14));
    return t;
}

}  // namespace tra1::res
