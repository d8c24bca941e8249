// Dialog 213: the INPUT TRIM panel. One row per input: its name, a horizontal slider from
// -6 dB (left) to +6 dB (right) and a read-out of the trim in dB. The window opens at its
// template position, the top left corner of the screen.

#include <array>
#include <cstdint>

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
namespace {

struct TrimRow {
    const char* label;
    int slider;
    int readout;
};

constexpr std::array<TrimRow, 14> kRows{{
    {"Phono", 1285, 1299},
    {"CD", 1286, 1224},
    {"Tuner", 1287, 1225},
    {"CD-R", 1288, 1226},
    {"MD/Tape", 1289, 1227},
    {"DVD", 1290, 1228},
    {"DTV/LD", 1291, 1229},
    {"Cable", 1292, 1230},
    {"SAT", 1293, 1231},
    {"VCR1", 1294, 1232},
    {"VCR2", 1295, 1233},
    {"DVR", 1296, 1234},
    {"VAUX", 1297, 1235},
    {"Multi Ch", 1298, 1236},
}};

}  // namespace

DialogTemplate MakeInputTrimTemplate() {
    DialogTemplate t;
    t.id = 213;
    t.caption = "INPUT TRIM";
    t.x = 0;
    t.y = 0;
    t.cx = 206;
    t.cy = 8 + 14 * static_cast<int>(kRows.size()) + 4;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup;

    int y = 8;
    for (const TrimRow& row : kRows) {
        t.controls.push_back(
            MakeControl(-1, ControlKind::kStatic, row.label, style::kNone, 8, y + 2, 38, 8));
        t.controls.push_back(MakeControl(row.slider, ControlKind::kSlider, "",
                                         style::kNoTicks | style::kTabStop, 48, y, 116, 12));
        t.controls.push_back(MakeControl(row.readout, ControlKind::kEdit, "",
                                         style::kReadOnly | style::kBorder | style::kCenter, 168, y,
                                         30, 12));
        y += 14;
    }
    return t;
}

}  // namespace tra1::res
