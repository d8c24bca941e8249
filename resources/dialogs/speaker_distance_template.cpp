// Dialog 200: the Speaker Distance panel. The unit selector at the top left; eleven columns, left
// to right FL, FR, C, SL, SR, SBL, SBR, PRL, PRR, SWL, SWR, each the speaker's name, its vertical
// distance slider and its read-out; the "Default" button at the bottom. The unit's items
// ("Meter", "Feet") are filled in by the panel when it initialises.

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
    int readout;
};

// In screen order.
constexpr std::array<Column, 11> kColumns{{
    {"FL", 1254, 1255},
    {"FR", 1068, 1056},
    {"C", 1069, 1057},
    {"SL", 1070, 1063},
    {"SR", 1071, 1058},
    {"SBL", 1072, 1059},
    {"SBR", 1073, 1060},
    {"PRL", 1074, 1061},
    {"PRR", 1075, 1062},
    {"SWL", 1076, 1065},
    {"SWR", 1077, 1064},
}};

constexpr int kColumnWidth = 28;
constexpr int kLeft = 10;

}  // namespace

DialogTemplate MakeSpeakerDistanceTemplate() {
    DialogTemplate t;
    t.id = 200;
    t.caption = "Speaker Distance";
    t.cx = kLeft * 2 + kColumnWidth * static_cast<int>(kColumns.size());
    t.cy = 196;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kMinimizeBox;

    auto& c = t.controls;
    // The height includes the dropped-down list.
    c.push_back(MakeControl(1116, ControlKind::kComboBox, "",
                            style::kDropDownList | style::kVScroll | style::kTabStop, 7, 7, 60,
                            40));
    int x = kLeft;
    for (const Column& column : kColumns) {
        c.push_back(MakeControl(-1, ControlKind::kStatic, column.label, style::kCenter, x, 28,
                                kColumnWidth - 2, 8));
        c.push_back(
            MakeControl(column.slider, ControlKind::kSlider, "",
                        style::kVertical | style::kNoTicks | style::kBothSides | style::kTabStop,
                        x + 4, 38, 18, 110));
        c.push_back(MakeControl(column.readout, ControlKind::kEdit, "",
                                style::kReadOnly | style::kBorder | style::kCenter, x, 152,
                                kColumnWidth - 2, 12));
        x += kColumnWidth;
    }
    c.push_back(MakeControl(1256, ControlKind::kPushButton, "Default", style::kTabStop,
                            t.cx / 2 - 25, 172, 50, 14));
    return t;
}

}  // namespace tra1::res
