// Dialog 152: the EXTERNAL INPUT SET panel. Three two-position switches (each a short
// horizontal slider between its two end labels) send the external input's centre, subwoofer and
// surround channels to the front speakers; the combo below chooses 6-channel or 8-channel use.

#include <cstdint>

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
namespace {

// One switch row: its name, the left end, the slider, the right end.
void AddSwitch(DialogTemplate& t, int id, const char* name, const char* left, int y) {
    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, name, style::kNone, 8, y + 3, 48, 8));
    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, left, style::kRight, 58, y + 3, 32, 8));
    t.controls.push_back(MakeControl(id, ControlKind::kSlider, "",
                                     style::kNoTicks | style::kTabStop, 92, y, 36, 14));
    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, "FRONT", style::kNone, 132, y + 3, 32, 8));
}

}  // namespace

DialogTemplate MakeExternalInputSetTemplate() {
    DialogTemplate t;
    t.id = 152;
    t.caption = "EXTERNAL INPUT SET";
    t.cx = 176;
    t.cy = 96;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup;

    AddSwitch(t, 1160, "CENTER TO", "CENTER", 8);
    AddSwitch(t, 1161, "SWFR TO", "SWFR", 28);
    AddSwitch(t, 1162, "SL/SR TO", "SL/SR", 48);
    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, "6CH / 8CH", style::kNone, 8, 74, 48, 8));
    // The height includes the dropped-down list.
    t.controls.push_back(MakeControl(1116, ControlKind::kComboBox, "",
                                     style::kDropDownList | style::kVScroll | style::kTabStop, 58,
                                     72, 106, 120));
    return t;
}

}  // namespace tra1::res
