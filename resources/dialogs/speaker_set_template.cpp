// Dialog 136: the SPEAKER SET / SUBWOOFER SET panel. Left: the speaker selectors, each a label
// and a drop-down list. Right: the "Subwoofer Set" group with CONFIG, PHASE (display only, created
// disabled) and BASS OUT. The MAIN LEVEL and PR / SB selectors exist but are created hidden. The
// items of every selector are filled in by the panel when it initialises.

#include <string>
#include <utility>
#include <vector>

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
namespace {

// A label and its selector on one row; the selector's height includes its dropped-down list.
void AddRow(std::vector<ControlTemplate>& c, const char* label, int id, int x, int y,
            std::uint32_t extra) {
    const std::uint32_t hidden = extra & style::kHidden;
    c.push_back(MakeControl(-1, ControlKind::kStatic, label, hidden, x, y + 2, 62, 8));
    c.push_back(MakeControl(id, ControlKind::kComboBox, "",
                            style::kDropDownList | style::kVScroll | style::kTabStop | extra,
                            x + 64, y, 78, 100));
}

}  // namespace

DialogTemplate MakeSpeakerSetTemplate() {
    DialogTemplate t;
    t.id = 136;
    t.caption = "SPEAKER SET / SUBWOOFER SET";
    t.cx = 318;
    t.cy = 126;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kMinimizeBox;

    auto& c = t.controls;
    AddRow(c, "CENTER", 1055, 10, 8, style::kNone);
    AddRow(c, "FRONT", 1059, 10, 24, style::kNone);
    AddRow(c, "SURROUND L/R", 1056, 10, 40, style::kNone);
    AddRow(c, "SURROUND BACK", 1057, 10, 56, style::kNone);
    AddRow(c, "PRESENCE", 1218, 10, 72, style::kNone);
    AddRow(c, "SPEAKER B SET", 1061, 10, 88, style::kNone);
    AddRow(c, "SW Crossover", 1062, 10, 104, style::kNone);

    c.push_back(
        MakeControl(-1, ControlKind::kGroupBox, "Subwoofer Set", style::kNone, 162, 4, 150, 66));
    AddRow(c, "CONFIG", 1065, 166, 18, style::kNone);
    AddRow(c, "PHASE", 1064, 166, 34, style::kDisabled);
    AddRow(c, "BASS OUT", 1058, 166, 50, style::kNone);

    // Never shown.
    AddRow(c, "MAIN LEVEL", 1060, 166, 80, style::kHidden);
    AddRow(c, "PR / SB", 1063, 166, 96, style::kHidden);
    return t;
}

}  // namespace tra1::res
