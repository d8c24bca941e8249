// Dialog 199: the THX SET panel. Three rows: two OFF/ON style switches (horizontal sliders of
// range 0..1 with their end labels left and right) and the surround back distance selector.

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
namespace {

// A switch row: the row's name, the left end label, the slider and the right end label.
void AddSwitch(DialogTemplate& t, int id, const char* name, const char* left, const char* right,
               int y) {
    t.controls.push_back(MakeLabel(name, 10, y + 4, 76));
    t.controls.push_back(MakeLabel(left, 88, y + 4, 18, style::kRight));
    t.controls.push_back(MakeControl(id, ControlKind::kSlider, "",
                                     style::kNoTicks | style::kBothSides | style::kTabStop, 108, y,
                                     36, 16));
    t.controls.push_back(MakeLabel(right, 146, y + 4, 20));
}

}  // namespace

DialogTemplate MakeThxSetTemplate() {
    DialogTemplate t;
    t.id = 199;
    t.caption = "THX SET";
    t.cx = 178;
    t.cy = 84;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kMinimizeBox;

    AddSwitch(t, 1252, "THX Ultra2 SWFR", "NO", "YES", 8);
    AddSwitch(t, 1253, "Boundary Gain Comp", "OFF", "ON", 30);

    t.controls.push_back(MakeLabel("SB Speaker Distance", 10, 58, 76));
    // The height includes the dropped-down list.
    t.controls.push_back(MakeControl(1116, ControlKind::kComboBox, "",
                                     style::kDropDownList | style::kVScroll | style::kTabStop, 92,
                                     56, 74, 60));
    return t;
}

}  // namespace tra1::res
