// Dialog 198: the CINEMA EQ panel. Four groups from top to bottom, one per speaker group, each
// with its OFF/ON switch (a horizontal slider of range 0..1 between its end labels) and two band
// rows, "PEQ" and "HIGH": frequency combo, horizontal gain slider and dB read-out. The combos
// start empty: the panel fills their items when it initialises.

#include <array>

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
namespace {

struct Row {
    int combo;
    int slider;
    int readout;
};

struct Group {
    const char* name;
    int onOff;
    Row peq;
    Row high;
};

// Top to bottom as the panel shows them.
constexpr std::array<Group, 4> kGroups{{
    {"Front / Center", 1268, {1116, 1269, 1280}, {1120, 1276, 1284}},
    {"Surround", 1270, {1117, 1271, 1281}, {1121, 1277, 1285}},
    {"Surround Back", 1272, {1118, 1273, 1282}, {1122, 1278, 1286}},
    {"Presence", 1274, {1119, 1275, 1283}, {1123, 1279, 1287}},
}};

constexpr int kGroupWidth = 244;
constexpr int kGroupHeight = 64;
constexpr int kGroupGap = 4;

void AddRow(DialogTemplate& t, const char* name, const Row& row, int x, int y) {
    t.controls.push_back(MakeLabel(name, x + 8, y + 3, 24));
    // The height includes the dropped-down list.
    t.controls.push_back(MakeControl(row.combo, ControlKind::kComboBox, "",
                                     style::kDropDownList | style::kVScroll | style::kTabStop,
                                     x + 34, y, 54, 100));
    t.controls.push_back(MakeControl(row.slider, ControlKind::kSlider, "",
                                     style::kNoTicks | style::kBothSides | style::kTabStop, x + 94,
                                     y - 1, 110, 15));
    t.controls.push_back(MakeControl(row.readout, ControlKind::kEdit, "",
                                     style::kReadOnly | style::kBorder | style::kCenter, x + 208, y,
                                     28, 12));
}

void AddGroup(DialogTemplate& t, const Group& group, int x, int y) {
    t.controls.push_back(MakeControl(-1, ControlKind::kGroupBox, group.name, style::kNone, x, y,
                                     kGroupWidth, kGroupHeight));
    t.controls.push_back(MakeLabel("OFF", x + 8, y + 14, 18, style::kRight));
    t.controls.push_back(MakeControl(group.onOff, ControlKind::kSlider, "",
                                     style::kNoTicks | style::kBothSides | style::kTabStop, x + 28,
                                     y + 10, 30, 15));
    t.controls.push_back(MakeLabel("ON", x + 60, y + 14, 16));
    AddRow(t, "PEQ", group.peq, x, y + 28);
    AddRow(t, "HIGH", group.high, x, y + 45);
}

}  // namespace

DialogTemplate MakeCinemaEqTemplate() {
    DialogTemplate t;
    t.id = 198;
    t.caption = "CINEMA EQ";
    t.cx = kGroupWidth + 16;
    t.cy = 6 + static_cast<int>(kGroups.size()) * (kGroupHeight + kGroupGap) + 4;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kMinimizeBox;

    for (std::size_t i = 0; i < kGroups.size(); ++i) {
        AddGroup(t, kGroups[i], 8, 6 + static_cast<int>(i) * (kGroupHeight + kGroupGap));
    }
    return t;
}

}  // namespace tra1::res
