// Dialog 201: Video Processor. At the top the processor's OFF / ON switch and the output format
// selectors; below, the "PICTURE MODE" group with the picture mode selector and the five picture
// sliders of that mode, each with its value read-out at its right.

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
namespace {

ControlTemplate Label(const char* text, int x, int y, int cx) {
    return MakeControl(-1, ControlKind::kStatic, text, style::kNone, x, y, cx, 8);
}

ControlTemplate Combo(int id, int x, int y) {
    // The height includes the dropped-down list.
    return MakeControl(id, ControlKind::kComboBox, "",
                       style::kDropDownList | style::kVScroll | style::kTabStop, x, y, 84, 70);
}

}  // namespace

DialogTemplate MakeVideoProcessorTemplate() {
    DialogTemplate t;
    t.id = 201;
    t.caption = "Video Processor";
    t.cx = 232;
    t.cy = 222;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kMinimizeBox;

    auto& c = t.controls;
    c.push_back(Label("PROCESSOR", 10, 12, 50));
    c.push_back(Label("OFF", 70, 12, 14));
    c.push_back(MakeControl(1257, ControlKind::kSlider, "", style::kNoTicks | style::kTabStop, 86,
                            10, 24, 12));
    c.push_back(Label("ON", 112, 12, 12));

    const struct {
        int id;
        const char* label;
    } selectors[] = {{1117, "RESOLUTION"},
                     {1118, "ASPECT"},
                     {1119, "CROSS COLOR"},
                     {1120, "TV FORMAT"},
                     {1121, "S-VIDEO"}};
    int y = 30;
    for (const auto& s : selectors) {
        c.push_back(Label(s.label, 10, y + 2, 56));
        c.push_back(Combo(s.id, 70, y));
        y += 16;
    }

    c.push_back(
        MakeControl(-1, ControlKind::kGroupBox, "PICTURE MODE", style::kNone, 6, 114, 220, 104));
    c.push_back(Label("Picture Mode", 12, 128, 54));
    c.push_back(Combo(1116, 70, 126));
    const struct {
        int slider;
        int readout;
        const char* label;
    } pictures[] = {{1258, 1263, "Enhancer"},
                    {1259, 1264, "3D NR"},
                    {1260, 1265, "Brightness"},
                    {1261, 1266, "Contrast"},
                    {1262, 1267, "Saturation"}};
    y = 144;
    for (const auto& p : pictures) {
        c.push_back(Label(p.label, 12, y + 2, 54));
        c.push_back(MakeControl(p.slider, ControlKind::kSlider, "",
                                style::kNoTicks | style::kTabStop, 68, y, 116, 12));
        c.push_back(MakeControl(p.readout, ControlKind::kEdit, "",
                                style::kReadOnly | style::kBorder | style::kCenter, 188, y, 30,
                                12));
        y += 14;
    }
    return t;
}

}  // namespace tra1::res
