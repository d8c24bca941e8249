// Dialog 150: the DSP PARAMETER panel. The program selector on top; below it the source type
// list, then the parameter names beside their values (a read-out list), stepped with UP and
// DOWN; "Default" puts the program's parameters back. The dialog-lift switch (slider 1226 with
// its labels) is kept in the template but never shown.

#include <cstdint>

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
DialogTemplate MakeDspParameterTemplate() {
    DialogTemplate t;
    t.id = 150;
    t.caption = "DSP PARAMETER";
    t.cx = 220;
    t.cy = 236;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup;

    constexpr std::uint32_t kList = style::kBorder | style::kVScroll | style::kTabStop;

    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, "DSP Program", style::kNone, 8, 8, 60, 8));
    t.controls.push_back(MakeControl(1147, ControlKind::kComboBox, "",
                                     style::kDropDownList | style::kVScroll | style::kTabStop, 8,
                                     18, 140, 150));
    t.controls.push_back(
        MakeControl(1148, ControlKind::kPushButton, "Default", style::kTabStop, 162, 17, 50, 14));

    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, "Source Type", style::kNone, 8, 38, 60, 8));
    t.controls.push_back(MakeControl(1153, ControlKind::kListBox, "", kList, 8, 48, 140, 34));

    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, "Parameter", style::kNone, 8, 88, 60, 8));
    t.controls.push_back(MakeControl(1152, ControlKind::kListBox, "", kList, 8, 98, 84, 130));
    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, "Value", style::kNone, 96, 88, 40, 8));
    t.controls.push_back(MakeControl(1154, ControlKind::kListBox, "", kList, 96, 98, 60, 130));

    t.controls.push_back(
        MakeControl(1155, ControlKind::kPushButton, "UP", style::kTabStop, 162, 130, 50, 14));
    t.controls.push_back(
        MakeControl(1156, ControlKind::kPushButton, "DOWN", style::kTabStop, 162, 150, 50, 14));

    // Never shown; the panel keeps it in step with the dialog-lift byte of the main zone.
    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, "Dialog Lift", style::kHidden, 162, 178, 50, 8));
    t.controls.push_back(MakeControl(-1, ControlKind::kStatic, "OFF",
                                     style::kHidden | style::kRight, 160, 193, 14, 8));
    t.controls.push_back(MakeControl(1226, ControlKind::kSlider, "",
                                     style::kHidden | style::kNoTicks, 175, 190, 22, 14));
    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, "ON", style::kHidden, 198, 193, 14, 8));
    return t;
}

}  // namespace tra1::res
