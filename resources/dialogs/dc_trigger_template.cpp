// Dialog 147: DC TRIGGER. Two halves side by side, "Trigger 1" at the left and "Trigger 2" at the
// right. Each has its mode selector, then one row per input with an "L" / "H" switch in the
// "ZONE 1" and in the "ZONE 2" column, the "Multi Ch Input" switch and the "All Low" / "All High"
// buttons (small buttons with their labels beside them). A "ZONE 3" column per half is created
// hidden on top of the "ZONE 2" column.

#include <array>

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/resource_makers.h"

namespace tra1::res {
namespace {

constexpr int kInputCount = 13;
constexpr std::array<const char*, kInputCount> kInputs{
    "Phono", "CD",  "Tuner", "CD-R", "MD/Tape", "DVD", "DTV/LD",
    "Cable", "SAT", "VCR1",  "VCR2", "DVR",     "VAUX"};

using Column = std::array<int, kInputCount>;
struct Side {
    const char* caption;
    int mode;
    Column zone1;
    Column zone2;
    Column zone3;
    int multi;
    int allLow;
    int allHigh;
};
const std::array<Side, 2> kSides{{
    {"Trigger 1",
     1143,
     {1205, 1167, 1168, 1169, 1170, 1171, 1172, 1173, 1174, 1175, 1176, 1179, 1180},
     {1217, 1207, 1208, 1209, 1210, 1211, 1212, 1213, 1214, 1215, 1216, 1261, 1262},
     {1239, 1240, 1241, 1242, 1243, 1244, 1245, 1246, 1247, 1248, 1249, 1263, 1264},
     1177,
     1146,
     1145},
    {"Trigger 2",
     1144,
     {1206, 1218, 1219, 1220, 1221, 1222, 1223, 1224, 1225, 1226, 1227, 1265, 1266},
     {1238, 1228, 1229, 1230, 1231, 1232, 1233, 1234, 1235, 1236, 1237, 1267, 1268},
     {1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 1259, 1260, 1269, 1270},
     1178,
     1148,
     1147},
}};

constexpr int kSideWidth = 166;
constexpr int kFirstRowY = 42;
constexpr int kRowHeight = 12;

// An "L" label, the two-position slider and an "H" label, starting at x.
void AddSwitch(std::vector<ControlTemplate>& c, int id, int x, int y,
               std::uint32_t extra = style::kNone) {
    c.push_back(MakeLabel("L", x, y + 1, 6, extra));
    c.push_back(MakeControl(id, ControlKind::kSlider, "", style::kNoTicks | style::kTabStop | extra,
                            x + 7, y, 24, 11));
    c.push_back(MakeLabel("H", x + 32, y + 1, 6, extra));
}

void AddSide(std::vector<ControlTemplate>& c, const Side& side, int ox) {
    const int zone1X = ox + 50;
    const int zone2X = ox + 100;
    const int bottom = kFirstRowY + kInputCount * kRowHeight;
    c.push_back(MakeControl(-1, ControlKind::kGroupBox, side.caption, style::kNone, ox + 4, 4,
                            kSideWidth - 8, bottom + 52));
    // Drop-down list; its height includes the list.
    c.push_back(MakeControl(side.mode, ControlKind::kComboBox, "",
                            style::kDropDownList | style::kVScroll | style::kTabStop, ox + 50, 16,
                            70, 60));
    c.push_back(MakeLabel("ZONE 1", zone1X + 4, kFirstRowY - 11, 32));
    c.push_back(MakeLabel("ZONE 2", zone2X + 4, kFirstRowY - 11, 32));
    c.push_back(MakeLabel("ZONE 3", zone2X + 4, kFirstRowY - 11, 32, style::kHidden));
    for (int i = 0; i < kInputCount; ++i) {
        const int y = kFirstRowY + i * kRowHeight;
        c.push_back(MakeLabel(kInputs[static_cast<std::size_t>(i)], ox + 10, y + 1, 38));
        AddSwitch(c, side.zone1[static_cast<std::size_t>(i)], zone1X, y);
        AddSwitch(c, side.zone2[static_cast<std::size_t>(i)], zone2X, y);
        AddSwitch(c, side.zone3[static_cast<std::size_t>(i)], zone2X, y, style::kHidden);
    }
    c.push_back(MakeLabel("Multi Ch Input", ox + 10, bottom + 7, 54));
    AddSwitch(c, side.multi, ox + 64, bottom + 6);
    const int buttonX = ox + 112;
    c.push_back(MakeControl(side.allLow, ControlKind::kPushButton, "", style::kTabStop, buttonX,
                            bottom + 6, 10, 10));
    c.push_back(MakeLabel("All Low", buttonX + 13, bottom + 7, 36));
    c.push_back(MakeControl(side.allHigh, ControlKind::kPushButton, "", style::kTabStop, buttonX,
                            bottom + 22, 10, 10));
    c.push_back(MakeLabel("All High", buttonX + 13, bottom + 23, 36));
}

}  // namespace

DialogTemplate MakeDcTriggerTemplate() {
    DialogTemplate t;
    t.id = 147;
    t.caption = "DC TRIGGER";
    t.cx = 2 * kSideWidth;
    t.cy = kFirstRowY + kInputCount * kRowHeight + 60;
    t.style = dialog_style::kSystemMenu | dialog_style::kPopup | dialog_style::kMinimizeBox;
    for (std::size_t side = 0; side < kSides.size(); ++side) {
        AddSide(t.controls, kSides[side], static_cast<int>(side) * kSideWidth);
    }
    return t;
}

}  // namespace tra1::res
