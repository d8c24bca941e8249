// Dialog 141: TUNER. The page selector at the top; below it the preset list and, beside it, the
// band and frequency of every preset of the page. At the right the band switch (AM at the left
// end, FM at the right end) and the frequency selector of the selected preset.

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
namespace {

ControlTemplate Label(const char* text, int x, int y, int cx) {
    return MakeControl(-1, ControlKind::kStatic, text, style::kNone, x, y, cx, 8);
}

}  // namespace

DialogTemplate MakeTunerTemplate() {
    DialogTemplate t;
    t.id = 141;
    t.caption = "TUNER";
    t.cx = 236;
    t.cy = 128;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kMinimizeBox;

    auto& c = t.controls;
    c.push_back(Label("Preset Page", 8, 10, 44));
    // Drop-down list; its height includes the list.
    c.push_back(MakeControl(1069, ControlKind::kComboBox, "",
                            style::kDropDownList | style::kVScroll | style::kTabStop, 54, 8, 70,
                            80));
    const std::uint32_t list = style::kBorder | style::kVScroll | style::kTabStop;
    c.push_back(MakeControl(1192, ControlKind::kListBox, "", list, 8, 26, 56, 96));
    c.push_back(MakeControl(1193, ControlKind::kListBox, "", list, 66, 26, 82, 96));

    c.push_back(Label("AM", 156, 28, 14));
    c.push_back(MakeControl(1135, ControlKind::kSlider, "", style::kNoTicks | style::kTabStop, 172,
                            26, 30, 12));
    c.push_back(Label("FM", 206, 28, 14));
    c.push_back(MakeControl(1089, ControlKind::kComboBox, "",
                            style::kDropDownList | style::kVScroll | style::kTabStop, 156, 46, 72,
                            96));
    return t;
}

}  // namespace tra1::res
