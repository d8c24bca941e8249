// Dialog 146: the DELAY panel. One vertical slider for the audio delay inside the "AUDIO DELAY"
// group, its unit above and its read-out below, and a "Default" button under the group. The
// centre and rear-centre delay controls of the receiver's older siblings stay in the template,
// created hidden, so their ids remain taken.

#include <string>
#include <utility>

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
namespace {

ControlTemplate Label(std::string text, int x, int y, int cx, std::uint32_t extra) {
    return MakeControl(-1, ControlKind::kStatic, std::move(text), style::kCenter | extra, x, y, cx,
                       8);
}

ControlTemplate DelaySlider(int id, int x, int y, std::uint32_t extra) {
    return MakeControl(
        id, ControlKind::kSlider, "",
        style::kVertical | style::kNoTicks | style::kBothSides | style::kTabStop | extra, x, y, 20,
        84);
}

ControlTemplate ReadOut(int id, int x, int y, std::uint32_t extra) {
    return MakeControl(id, ControlKind::kEdit, "",
                       style::kReadOnly | style::kBorder | style::kCenter | extra, x, y, 36, 12);
}

}  // namespace

DialogTemplate MakeDelayTemplate() {
    DialogTemplate t;
    t.id = 146;
    t.caption = "DELAY";
    t.cx = 110;
    t.cy = 160;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kMinimizeBox;

    auto& c = t.controls;
    c.push_back(
        MakeControl(-1, ControlKind::kGroupBox, "AUDIO DELAY", style::kNone, 7, 7, 96, 126));
    c.push_back(Label("(msec)", 30, 20, 50, style::kNone));
    c.push_back(DelaySlider(1067, 45, 30, style::kNone));
    c.push_back(ReadOut(1055, 37, 116, style::kNone));
    c.push_back(
        MakeControl(1066, ControlKind::kPushButton, "Default", style::kTabStop, 30, 139, 50, 14));

    // Never shown: the centre and rear-centre delays.
    c.push_back(Label("CENTER", 7, 20, 30, style::kHidden));
    c.push_back(DelaySlider(1083, 12, 30, style::kHidden));
    c.push_back(ReadOut(1057, 7, 116, style::kHidden));
    c.push_back(Label("REAR CT", 73, 20, 30, style::kHidden));
    c.push_back(DelaySlider(1073, 78, 30, style::kHidden));
    c.push_back(ReadOut(1075, 70, 116, style::kHidden));
    c.push_back(
        MakeControl(1082, ControlKind::kPushButton, "Default", style::kHidden, 30, 139, 50, 14));
    return t;
}

}  // namespace tra1::res
