// Dialog 196: the Tone Control panel. Two groups, "Speaker" on the left and "Headphone" on the
// right, each with a "Bass" and a "Treble" column (turnover frequency combo above a vertical level
// slider with its dB read-out below) and the group's "FLAT" button. The combos start empty: the
// panel fills their items when it initialises.

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
namespace {

struct Column {
    const char* name;
    int combo;
    int slider;
    int readout;
};

struct Group {
    const char* name;
    Column bass;
    Column treble;
    int flat;
};

constexpr int kGroupWidth = 120;
constexpr int kColumnWidth = 52;

void AddColumn(DialogTemplate& t, const Column& column, int x) {
    t.controls.push_back(
        MakeControl(-1, ControlKind::kStatic, column.name, style::kCenter, x, 20, kColumnWidth, 8));
    // The height includes the dropped-down list.
    t.controls.push_back(MakeControl(column.combo, ControlKind::kComboBox, "",
                                     style::kDropDownList | style::kVScroll | style::kTabStop, x,
                                     30, kColumnWidth, 60));
    t.controls.push_back(
        MakeControl(column.slider, ControlKind::kSlider, "",
                    style::kVertical | style::kBothSides | style::kNoTicks | style::kTabStop,
                    x + (kColumnWidth - 20) / 2, 48, 20, 100));
    t.controls.push_back(MakeControl(column.readout, ControlKind::kEdit, "",
                                     style::kReadOnly | style::kBorder | style::kCenter,
                                     x + (kColumnWidth - 36) / 2, 152, 36, 12));
}

void AddGroup(DialogTemplate& t, const Group& group, int x) {
    t.controls.push_back(
        MakeControl(-1, ControlKind::kGroupBox, group.name, style::kNone, x, 6, kGroupWidth, 184));
    AddColumn(t, group.bass, x + 6);
    AddColumn(t, group.treble, x + kGroupWidth - 6 - kColumnWidth);
    t.controls.push_back(MakeControl(group.flat, ControlKind::kPushButton, "FLAT", style::kTabStop,
                                     x + (kGroupWidth - 50) / 2, 170, 50, 14));
}

}  // namespace

DialogTemplate MakeToneControlTemplate() {
    DialogTemplate t;
    t.id = 196;
    t.caption = "Tone Control";
    t.cx = 2 * kGroupWidth + 24;
    t.cy = 198;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kMinimizeBox;

    AddGroup(t, Group{"Speaker", {"Bass", 1238, 1242, 1240}, {"Treble", 1239, 1243, 1241}, 1250},
             8);
    AddGroup(t, Group{"Headphone", {"Bass", 1245, 1248, 1244}, {"Treble", 1247, 1249, 1246}, 1074},
             8 + kGroupWidth + 8);
    return t;
}

}  // namespace tra1::res
