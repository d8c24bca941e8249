// Dialog 143: LFE LEVEL / D-RANGE. Two groups side by side, each with a speaker ("SP") and a
// headphone ("HP") vertical slider and a "Default" button: the LFE levels with their dB read-outs
// on the left, the dynamic range with its "MAX" / "STD" / "MIN" marks on the right.

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
namespace {

ControlTemplate Label(const char* text, int x, int y, int cx) {
    return MakeControl(-1, ControlKind::kStatic, text, style::kCenter, x, y, cx, 8);
}

ControlTemplate LevelSlider(int id, int x) {
    return MakeControl(id, ControlKind::kSlider, "",
                       style::kVertical | style::kBothSides | style::kAutoTicks | style::kTabStop,
                       x, 28, 22, 86);
}

ControlTemplate ReadOut(int id, int x) {
    return MakeControl(id, ControlKind::kEdit, "",
                       style::kReadOnly | style::kBorder | style::kCenter, x, 118, 30, 12);
}

ControlTemplate Button(int id, int x) {
    return MakeControl(id, ControlKind::kPushButton, "Default", style::kTabStop, x, 136, 50, 14);
}

}  // namespace

DialogTemplate MakeLfeLevelDrangeTemplate() {
    DialogTemplate t;
    t.id = 143;
    t.caption = "LFE LEVEL / D-RANGE";
    t.cx = 196;
    t.cy = 160;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kMinimizeBox;

    auto& c = t.controls;
    c.push_back(MakeControl(-1, ControlKind::kGroupBox, "LFE Level", style::kNone, 6, 4, 88, 152));
    c.push_back(Label("SP", 14, 18, 30));
    c.push_back(Label("HP", 56, 18, 30));
    c.push_back(LevelSlider(1099, 18));
    c.push_back(LevelSlider(1100, 60));
    c.push_back(ReadOut(1101, 14));
    c.push_back(ReadOut(1102, 56));
    c.push_back(Button(1103, 25));

    c.push_back(MakeControl(-1, ControlKind::kGroupBox, "D-RANGE", style::kNone, 102, 4, 88, 152));
    c.push_back(Label("SP", 106, 18, 30));
    c.push_back(Label("HP", 134, 18, 30));
    c.push_back(LevelSlider(1106, 110));
    c.push_back(LevelSlider(1107, 138));
    // Position 0 is at the top of the track, 2 at the bottom.
    c.push_back(MakeControl(-1, ControlKind::kStatic, "MAX", style::kNone, 164, 30, 22, 8));
    c.push_back(MakeControl(-1, ControlKind::kStatic, "STD", style::kNone, 164, 67, 22, 8));
    c.push_back(MakeControl(-1, ControlKind::kStatic, "MIN", style::kNone, 164, 104, 22, 8));
    c.push_back(Button(1108, 121));
    return t;
}

}  // namespace tra1::res
