// Dialog 154: DISPLAY SET. Top to bottom: the wallpaper selector, the on-screen display shift
// (horizontal and vertical position), the front-panel dimmer, the read-only on-screen display
// selector and the "Default" button. Every slider has its value read-out at its right. Three
// two-position switches the receiver keeps (gray back, video conversion, component OSD) are
// created hidden with their labels.

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
namespace {

ControlTemplate Combo(int id, int x, int y, int cx, std::uint32_t extra = style::kNone) {
    // The height includes the dropped-down list.
    return MakeControl(id, ControlKind::kComboBox, "",
                       style::kDropDownList | style::kVScroll | style::kTabStop | extra, x, y, cx,
                       80);
}

ControlTemplate Slider(int id, int x, int y, int cx, std::uint32_t extra = style::kNone) {
    return MakeControl(id, ControlKind::kSlider, "", style::kNoTicks | style::kTabStop | extra, x,
                       y, cx, 12);
}

ControlTemplate ReadOut(int id, int y) {
    return MakeControl(id, ControlKind::kEdit, "",
                       style::kReadOnly | style::kBorder | style::kCenter, 160, y, 28, 12);
}

}  // namespace

DialogTemplate MakeDisplaySetTemplate() {
    DialogTemplate t;
    t.id = 154;
    t.caption = "DISPLAY SET";
    t.cx = 196;
    t.cy = 148;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kMinimizeBox;

    auto& c = t.controls;
    c.push_back(MakeLabel("Wall Paper", 10, 12, 46));
    c.push_back(Combo(1116, 60, 10, 80));

    c.push_back(MakeControl(-1, ControlKind::kGroupBox, "OSD Shift", style::kNone, 6, 28, 186, 50));
    c.push_back(MakeLabel("H Pos", 12, 42, 30));
    c.push_back(MakeLabel("-", 50, 42, 6, style::kCenter));
    c.push_back(Slider(1165, 58, 40, 90));
    c.push_back(MakeLabel("+", 150, 42, 6, style::kCenter));
    c.push_back(ReadOut(1166, 40));
    c.push_back(MakeLabel("V Pos", 12, 60, 30));
    c.push_back(Slider(1170, 58, 58, 90));
    c.push_back(ReadOut(1171, 58));

    c.push_back(MakeLabel("Dimmer", 12, 88, 40));
    c.push_back(Slider(1163, 58, 86, 90));
    c.push_back(ReadOut(1164, 86));

    c.push_back(MakeLabel("On Screen", 10, 110, 46));
    c.push_back(Combo(1118, 60, 108, 50, style::kDisabled));
    c.push_back(
        MakeControl(1148, ControlKind::kPushButton, "Default", style::kTabStop, 138, 128, 50, 14));

    // Never shown: the switches stay in step with the image but the user cannot reach them.
    const struct {
        int id;
        const char* label;
        int y;
    } hidden[] = {
        {1167, "Gray Back", 100}, {1168, "Video Conversion", 112}, {1169, "Component OSD", 124}};
    for (const auto& h : hidden) {
        c.push_back(MakeLabel(h.label, 10, h.y + 2, 60, style::kHidden));
        c.push_back(MakeLabel("OFF", 72, h.y + 2, 14, style::kHidden));
        c.push_back(Slider(h.id, 88, h.y, 24, style::kHidden));
        c.push_back(MakeLabel("ON", 114, h.y + 2, 12, style::kHidden));
    }
    return t;
}

}  // namespace tra1::res
