// Dialog 149: the INPUT - DSP PROGRAM panel. Two lists side by side, one row per input: the
// input names on the left, the sound program each input plays with on the right (a read-out).
// Below them the program selector and the "Straight" check box edit the selected input's
// assignment; "Default" puts every input back to the model's assignment.

#include <cstdint>

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
DialogTemplate MakeInputDspProgramTemplate() {
    DialogTemplate t;
    t.id = 149;
    t.caption = "INPUT - DSP PROGRAM";
    t.cx = 196;
    t.cy = 188;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup;

    // Thirteen rows of 8 units each fit without scrolling.
    constexpr std::uint32_t kList = style::kBorder | style::kVScroll | style::kTabStop;
    t.controls.push_back(MakeControl(1055, ControlKind::kListBox, "", kList, 8, 8, 72, 112));
    t.controls.push_back(MakeControl(1080, ControlKind::kListBox, "", kList, 84, 8, 104, 112));

    t.controls.push_back(MakeControl(-1, ControlKind::kGroupBox, "Select DSP and Effect",
                                     style::kNone, 8, 126, 180, 38));
    t.controls.push_back(MakeControl(1147, ControlKind::kComboBox, "",
                                     style::kDropDownList | style::kVScroll | style::kTabStop, 16,
                                     140, 108, 120));
    t.controls.push_back(
        MakeControl(1150, ControlKind::kCheckBox, "Straight", style::kTabStop, 132, 141, 50, 10));

    t.controls.push_back(
        MakeControl(1148, ControlKind::kPushButton, "Default", style::kTabStop, 138, 168, 50, 14));
    return t;
}

}  // namespace tra1::res
