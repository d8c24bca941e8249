// Dialog 140: the SPEAKER LEVEL panel. Eleven columns inside the "SPEAKER LEVEL (dB)" group, left
// to right FL, FR, CT, SL, SR, SBL, SBR, PRL, PRR, SW, SW2: the channel's name, its vertical
// level slider and its read-only level in dB; the "FLAT" button sits at the bottom of the group.
// The external-input level and balance groups of the receiver's older siblings are not built.

#include <array>
#include <string>
#include <utility>

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
namespace {

struct Column {
    const char* label;
    int slider;
    int box;
};

// In screen order.
constexpr std::array<Column, 11> kColumns{{
    {"FL", 1069, 1065},
    {"FR", 1068, 1056},
    {"CT", 1070, 1058},
    {"SL", 1072, 1060},
    {"SR", 1071, 1059},
    {"SBL", 1077, 1063},
    {"SBR", 1082, 1067},
    {"PRL", 1076, 1066},
    {"PRR", 1074, 1061},
    {"SW", 1073, 1057},
    {"SW2", 1075, 1062},
}};

constexpr int kColumnWidth = 26;
constexpr int kLeft = 12;

}  // namespace

DialogTemplate MakeSpeakerLevelTemplate() {
    DialogTemplate t;
    t.id = 140;
    t.caption = "SPEAKER LEVEL";
    t.cx = kLeft * 2 + kColumnWidth * static_cast<int>(kColumns.size());
    t.cy = 180;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kMinimizeBox;

    auto& c = t.controls;
    c.push_back(MakeControl(-1, ControlKind::kGroupBox, "SPEAKER LEVEL (dB)", style::kNone, 7, 7,
                            t.cx - 14, t.cy - 14));
    int x = kLeft;
    for (const Column& column : kColumns) {
        c.push_back(MakeControl(-1, ControlKind::kStatic, column.label, style::kCenter, x, 20,
                                kColumnWidth - 2, 8));
        c.push_back(
            MakeControl(column.slider, ControlKind::kSlider, "",
                        style::kVertical | style::kNoTicks | style::kBothSides | style::kTabStop,
                        x + 3, 30, 18, 100));
        c.push_back(MakeControl(column.box, ControlKind::kEdit, "",
                                style::kReadOnly | style::kBorder | style::kCenter, x, 134,
                                kColumnWidth - 2, 12));
        x += kColumnWidth;
    }
    c.push_back(MakeControl(1078, ControlKind::kPushButton, "FLAT", style::kTabStop, t.cx / 2 - 25,
                            152, 50, 14));
    return t;
}

}  // namespace tra1::res
