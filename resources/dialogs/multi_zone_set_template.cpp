// Dialog 151: the MULTI ZONE SET panel. Two two-position switches (short horizontal sliders
// between their end labels): the zone 2 line output level, variable or fixed, and the zone 2
// amplifier, internal or external.

#include <cstdint>

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
namespace {

void AddSwitch(DialogTemplate& t, int id, const char* name, const char* left, const char* right,
               int y) {
    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, name, style::kNone, 8, y + 3, 48, 8));
    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, left, style::kRight, 58, y + 3, 22, 8));
    t.controls.push_back(MakeControl(id, ControlKind::kSlider, "",
                                     style::kNoTicks | style::kTabStop, 82, y, 36, 14));
    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, right, style::kNone, 122, y + 3, 22, 8));
}

}  // namespace

DialogTemplate MakeMultiZoneSetTemplate() {
    DialogTemplate t;
    t.id = 151;
    t.caption = "MULTI ZONE SET";
    t.cx = 152;
    t.cy = 52;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup;

    AddSwitch(t, 1158, "ZONE2 OUT", "VAR", "FIX", 8);
    AddSwitch(t, 1159, "ZONE2 AMP", "INT", "EXT", 28);
    return t;
}

}  // namespace tra1::res
