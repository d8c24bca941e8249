// Dialog 135: the EQ CONTROL panel (graphic equaliser). The channel selector and the "FLAT" button
// on top; below them the "Graphic EQ" group with nine vertical band sliders, each with its band
// label above and its dB read-out below, and a dashed line across the sliders at the flat
// position. The template also carries an older headphone tone group and a few edits and buttons
// that are created hidden and take no part in the panel.

#include <array>

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
namespace {

struct Band {
    const char* label;
    int slider;
    int readout;
};

constexpr std::array<Band, 9> kBands{{
    {"63", 1074, 1081},
    {"125", 1075, 1082},
    {"250", 1076, 1083},
    {"500", 1077, 1084},
    {"1K", 1078, 1085},
    {"2K", 1079, 1086},
    {"4K", 1080, 1087},
    {"8K", 1088, 1089},
    {"16K", 1090, 1091},
}};

constexpr int kColumnWidth = 28;
constexpr int kLeft = 14;
constexpr int kSliderTop = 54;
constexpr int kSliderHeight = 100;

void AddHiddenControls(DialogTemplate& t) {
    constexpr std::uint32_t kHidden = style::kHidden;
    constexpr std::uint32_t kHiddenEdit = style::kHidden | style::kBorder | style::kAutoHScroll;
    t.controls.push_back(
        MakeControl(-1, ControlKind::kGroupBox, "HP TONE (dB)", kHidden, 8, 30, 80, 120));
    t.controls.push_back(MakeControl(1055, ControlKind::kSlider, "",
                                     kHidden | style::kVertical | style::kNoTicks, 16, 44, 20, 80));
    t.controls.push_back(MakeControl(1056, ControlKind::kSlider, "",
                                     kHidden | style::kVertical | style::kNoTicks, 52, 44, 20, 80));
    t.controls.push_back(
        MakeControl(1053, ControlKind::kEdit, "", kHidden | style::kReadOnly, 12, 128, 28, 12));
    t.controls.push_back(
        MakeControl(1054, ControlKind::kEdit, "", kHidden | style::kReadOnly, 48, 128, 28, 12));
    t.controls.push_back(MakeControl(1028, ControlKind::kEdit, "", kHiddenEdit, 12, 140, 20, 12));
    for (int i = 0; i < 4; ++i) {
        t.controls.push_back(
            MakeControl(1034 + i, ControlKind::kEdit, "", kHiddenEdit, 34 + 22 * i, 140, 20, 12));
    }
    t.controls.push_back(
        MakeControl(1066, ControlKind::kPushButton, "FLAT", kHidden, 24, 30, 40, 14));
    t.controls.push_back(MakeControl(1223, ControlKind::kEdit, "", kHiddenEdit, 120, 8, 40, 12));
    t.controls.push_back(MakeControl(1200, ControlKind::kPushButton, "", kHidden, 170, 8, 40, 14));
}

}  // namespace

DialogTemplate MakeEqControlTemplate() {
    DialogTemplate t;
    t.id = 135;
    t.caption = "EQ CONTROL";
    t.cx = 2 * kLeft + static_cast<int>(kBands.size()) * kColumnWidth;
    t.cy = 190;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kMinimizeBox;

    // The hidden controls first, so that nothing visible is drawn below them.
    AddHiddenControls(t);

    // The height includes the dropped-down list.
    t.controls.push_back(MakeControl(1224, ControlKind::kComboBox, "",
                                     style::kDropDownList | style::kVScroll | style::kTabStop, 8, 8,
                                     96, 120));
    t.controls.push_back(MakeControl(1073, ControlKind::kPushButton, "FLAT", style::kTabStop,
                                     t.cx - 8 - 50, 7, 50, 14));
    t.controls.push_back(
        MakeControl(-1, ControlKind::kGroupBox, "Graphic EQ", style::kNone, 8, 28, t.cx - 16, 154));
    // The flat line, laid under the sliders at their middle.
    ControlTemplate line = MakeControl(-1, ControlKind::kStatic, "", style::kNone, kLeft - 2,
                                       kSliderTop + kSliderHeight / 2 - 4, t.cx - 2 * kLeft + 4, 8);
    for (int i = 0; i < 90; ++i) {
        line.text += "- ";
    }
    t.controls.push_back(line);
    for (std::size_t i = 0; i < kBands.size(); ++i) {
        const Band& band = kBands[i];
        const int x = kLeft + static_cast<int>(i) * kColumnWidth;
        t.controls.push_back(MakeControl(-1, ControlKind::kStatic, band.label, style::kCenter, x,
                                         42, kColumnWidth, 8));
        t.controls.push_back(
            MakeControl(band.slider, ControlKind::kSlider, "",
                        style::kVertical | style::kBothSides | style::kNoTicks | style::kTabStop,
                        x + (kColumnWidth - 20) / 2, kSliderTop, 20, kSliderHeight));
        t.controls.push_back(MakeControl(band.readout, ControlKind::kEdit, "",
                                         style::kReadOnly | style::kBorder | style::kCenter, x + 2,
                                         kSliderTop + kSliderHeight + 6, kColumnWidth - 4, 12));
    }
    return t;
}

}  // namespace tra1::res
