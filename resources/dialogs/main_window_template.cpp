// Dialog 102: the main window. Left: the main zone and zone 2 controls. Middle: the COM port
// group, the synchronisation group and the preset memories. Right: the buttons that open the
// setting panels, each a small square button with its name beside it (a click on the name works
// as one on the button), and the user memo. Along the bottom: the connection icon and the status
// line. The log pane, its switches, the test tone group and a few spare edits are created hidden.

#include <string>

#include "platform/win/dialog_template.h"
#include "resources/dialogs/control_maker.h"
#include "resources/icon_ids.h"
#include "resources/resource_makers.h"

namespace tra1::res {
namespace {

constexpr int kMainMenuId = 102;
constexpr int kPanelLabelIdOffset = 1000;

ControlTemplate Group(int id, const char* text, int x, int y, int cx, int cy,
                      std::uint32_t extra = style::kNone) {
    return MakeControl(id, ControlKind::kGroupBox, text, extra, x, y, cx, cy);
}

ControlTemplate Button(int id, const char* text, int x, int y, int cx, int cy = 14,
                       std::uint32_t extra = style::kNone) {
    return MakeControl(id, ControlKind::kPushButton, text, style::kTabStop | extra, x, y, cx, cy);
}

ControlTemplate Check(int id, const char* text, int x, int y, int cx,
                      std::uint32_t extra = style::kNone) {
    return MakeControl(id, ControlKind::kCheckBox, text, style::kTabStop | extra, x, y, cx, 10);
}

ControlTemplate Radio(int id, const char* text, int x, int y, std::uint32_t extra) {
    return MakeControl(id, ControlKind::kRadioButton, text, style::kTabStop | extra, x, y, 76, 10);
}

ControlTemplate Combo(int id, int x, int y, int cx, std::uint32_t extra = style::kNone) {
    // The height includes the dropped-down list.
    return MakeControl(id, ControlKind::kComboBox, "",
                       style::kDropDownList | style::kVScroll | style::kTabStop | extra, x, y, cx,
                       120);
}

ControlTemplate ReadOut(int id, int x, int y, int cx) {
    return MakeControl(id, ControlKind::kEdit, "",
                       style::kReadOnly | style::kBorder | style::kCenter, x, y, cx, 12);
}

ControlTemplate HiddenEdit(int id, int x, int y, int cx) {
    return MakeControl(id, ControlKind::kEdit, "",
                       style::kHidden | style::kBorder | style::kAutoHScroll, x, y, cx, 12);
}

ControlTemplate VolumeSlider(int id, int x, int y, int cy) {
    return MakeControl(id, ControlKind::kSlider, "",
                       style::kVertical | style::kBothSides | style::kNoTicks | style::kTabStop, x,
                       y, 20, cy);
}

ControlTemplate PresetList(int id, int x, int y) {
    return MakeControl(id, ControlKind::kListBox, "",
                       style::kBorder | style::kVScroll | style::kTabStop, x, y, 52, 34);
}

void AddMainZone(std::vector<ControlTemplate>& c) {
    c.push_back(Group(-1, "Main Zone", 7, 4, 200, 178));
    c.push_back(MakeLabel("Main Zone Control", 14, 17, 66));
    c.push_back(Button(1196, "ON", 82, 14, 30));
    c.push_back(Button(1197, "OFF", 116, 14, 30));
    c.push_back(MakeLabel("Input", 14, 35, 40));
    c.push_back(Combo(1055, 56, 33, 90));
    c.push_back(MakeLabel("Input Mode", 14, 51, 40));
    c.push_back(Combo(1117, 56, 49, 90));
    c.push_back(Check(1170, "Multi ch Input", 14, 66, 90));
    c.push_back(MakeLabel("On Screen", 14, 82, 40));
    c.push_back(Combo(1118, 56, 80, 60));
    c.push_back(Check(1171, "Speaker A", 14, 98, 50));
    c.push_back(Check(1172, "Speaker B", 70, 98, 50));
    c.push_back(MakeLabel("DSP Program", 14, 114, 42));
    c.push_back(ReadOut(1191, 56, 112, 90));
    c.push_back(MakeLabel("EX/ES", 14, 130, 40));
    c.push_back(Combo(1195, 56, 128, 90));
    c.push_back(Check(1222, "Night Mode", 14, 148, 60));
    c.push_back(MakeLabel("Volume", 156, 14, 40));
    c.push_back(VolumeSlider(1173, 166, 24, 100));
    c.push_back(ReadOut(1174, 152, 128, 50));
    c.push_back(Button(1175, "+", 153, 144, 23));
    c.push_back(Button(1176, "-", 178, 144, 23));
    c.push_back(Check(1136, "Mute", 160, 164, 40));
}

void AddZone2(std::vector<ControlTemplate>& c) {
    c.push_back(Group(-1, "Zone2", 7, 186, 200, 102));
    c.push_back(MakeLabel("Zone2 Control", 14, 199, 66));
    c.push_back(Button(1198, "ON", 82, 196, 30));
    c.push_back(Button(1199, "OFF", 116, 196, 30));
    c.push_back(MakeLabel("Zone2 Input", 14, 217, 40));
    c.push_back(Combo(1120, 56, 215, 90));
    c.push_back(Check(1137, "Mute", 14, 234, 40));
    c.push_back(VolumeSlider(1177, 166, 196, 50));
    c.push_back(ReadOut(1178, 152, 250, 50));
    c.push_back(Button(1179, "+", 153, 266, 23));
    c.push_back(Button(1180, "-", 178, 266, 23));
    // The test tone buttons are kept but not offered.
    c.push_back(Group(-1, "Test Tone", 14, 250, 120, 32, style::kHidden));
    c.push_back(Button(1181, "TEST", 18, 262, 34, 14, style::kHidden));
    c.push_back(Button(1169, "DSP", 56, 262, 34, 14, style::kHidden));
    c.push_back(Button(1183, "OFF", 94, 262, 34, 14, style::kHidden));
}

void AddConnection(std::vector<ControlTemplate>& c) {
    c.push_back(Group(-1, "COM Port", 212, 4, 160, 70));
    c.push_back(Combo(1000, 220, 16, 60));
    c.push_back(Button(1002, "Connect", 220, 34, 50));
    c.push_back(Button(1014, "Disconnect", 274, 34, 50));
    c.push_back(MakeLabel("Model", 220, 55, 24));
    c.push_back(Combo(1116, 250, 53, 60, style::kDisabled));
}

void AddSynchronize(std::vector<ControlTemplate>& c) {
    c.push_back(Group(-1, "Synchronize", 212, 78, 160, 62));
    c.push_back(Button(1200, "Download", 220, 92, 50));
    c.push_back(Button(1201, "Upload", 220, 112, 50));
    c.push_back(Group(-1, "Sync Option", 280, 86, 86, 46));
    c.push_back(Radio(1233, "Current Setting", 286, 99, style::kGroup));
    c.push_back(Radio(1234, "Preset Setting", 286, 114, style::kNone));
}

void AddPresetGroup(std::vector<ControlTemplate>& c, const char* title, int y, int list,
                    int pcMemory, int pcRecall, int unitMemory, int unitRecall) {
    c.push_back(Group(-1, title, 212, y, 160, 46));
    c.push_back(PresetList(list, 218, y + 10));
    c.push_back(MakeLabel("PC", 276, y + 15, 14));
    c.push_back(Button(pcMemory, "Memory", 292, y + 12, 36, 13));
    c.push_back(Button(pcRecall, "Recall", 331, y + 12, 36, 13));
    c.push_back(MakeLabel("Unit", 276, y + 31, 14));
    c.push_back(Button(unitMemory, "Memory", 292, y + 28, 36, 13));
    c.push_back(Button(unitRecall, "Recall", 331, y + 28, 36, 13));
}

void AddPresets(std::vector<ControlTemplate>& c) {
    AddPresetGroup(c, "HOME PRESET", 144, 1182, 1185, 1186, 1192, 1193);
    AddPresetGroup(c, "Main Volume", 192, 1217, 1187, 1188, 1194, 1204);
    AddPresetGroup(c, "Zone2 Volume", 240, 1218, 1189, 1190, 1205, 1206);
}

void AddPanelButtons(std::vector<ControlTemplate>& c) {
    struct Entry {
        int id;
        const char* label;
        std::uint32_t extra;
    };
    // In the Window menu's order, then the report and the (hidden) external input set.
    static const Entry kEntries[] = {
        {1081, "PARAMETER", 0},
        {1080, "INPUT - DSP", 0},
        {1068, "GRAPHIC EQ", 0},
        {1077, "CINEMA EQ", 0},
        {1076, "TONE CONTROL", 0},
        {1074, "LEF LEVEL / D-RANGE", 0},
        {1084, "THX SET", 0},
        {1075, "Audio Delay", 0},
        {1069, "SPEAKER / SWFR SET", 0},
        {1072, "SPEAKER LEVEL", 0},
        {1085, "SPEAKER DISTANCE", 0},
        {1086, "Video Processor", 0},
        {1162, "INPUT MODE SET", 0},
        {1163, "DISPLAY SET", 0},
        {1070, "RENAME", 0},
        {1087, "INPUT TRIM", 0},
        {1071, "I/O ASSIGN", 0},
        {1073, "TUNER", 0},
        {1078, "DC TRIGGER", 0},
        {1082, "MULTI ZONE SET", 0},
        {1108, "Show Report", 0},
        {1083, "EXT INPUT SET", style::kHidden},
    };
    c.push_back(Group(-1, "Setting", 380, 4, 196, 174));
    int index = 0;
    for (const Entry& e : kEntries) {
        const int column = index / 11;
        const int row = index % 11;
        const int x = 386 + column * 96;
        const int y = 16 + row * 14;
        c.push_back(Button(e.id, "", x, y, 11, 11, e.extra));
        // The label beside the button opens the panel too: id = button + 1000.
        ControlTemplate label = MakeLabel(e.label, x + 14, y + 2, 78, e.extra | style::kNotify);
        label.id = e.id + kPanelLabelIdOffset;
        c.push_back(label);
        ++index;
    }
}

// The status line along the bottom: the connection icon and, beside it, the state in words.
void AddStatusLine(std::vector<ControlTemplate>& c) {
    ControlTemplate icon = MakeControl(1003, ControlKind::kIcon, "", style::kNone, 7, 293, 20, 20);
    icon.icon = kIconNotConnected;
    c.push_back(icon);
    c.push_back(MakeControl(1240, ControlKind::kStatic, "", style::kSunken, 30, 298, 546, 11));
}

void AddMemoAndHidden(std::vector<ControlTemplate>& c) {
    c.push_back(Group(-1, "USER MEMO", 380, 182, 196, 106));
    c.push_back(MakeControl(
        1211, ControlKind::kEdit, "",
        style::kMultiLine | style::kWantReturn | style::kVScroll | style::kBorder | style::kTabStop,
        386, 194, 184, 88));
    // The protocol log and its switches.
    c.push_back(MakeControl(
        1015, ControlKind::kEdit, "",
        style::kHidden | style::kMultiLine | style::kReadOnly | style::kVScroll | style::kBorder,
        212, 144, 160, 120));
    c.push_back(Check(1016, "DisplayLog", 212, 268, 56, style::kHidden));
    c.push_back(Button(1017, "CLEAR", 272, 266, 40, 14, style::kHidden));
    c.push_back(Button(1079, "Debug", 316, 266, 40, 14, style::kHidden));
    c.push_back(HiddenEdit(1212, 316, 250, 50));
    // Spare texts of the group captions.
    c.push_back(HiddenEdit(1214, 14, 4, 40));
    c.push_back(HiddenEdit(1215, 220, 4, 40));
    c.push_back(HiddenEdit(1216, 14, 186, 40));
    c.push_back(HiddenEdit(1221, 220, 78, 40));
}

}  // namespace

DialogTemplate MakeMainWindowTemplate() {
    DialogTemplate t;
    t.id = 102;
    t.caption = "Tolvek Receiver Editor for TR-A1";
    t.cx = 584;
    t.cy = 316;
    t.style = dialog_style::kSystemMenu | dialog_style::kMinimizeBox | dialog_style::kPopup |
              dialog_style::kCenter;
    t.menu = kMainMenuId;
    AddMainZone(t.controls);
    AddZone2(t.controls);
    AddConnection(t.controls);
    AddSynchronize(t.controls);
    AddPresets(t.controls);
    AddPanelButtons(t.controls);
    AddMemoAndHidden(t.controls);
    AddStatusLine(t.controls);
    return t;
}

}  // namespace tra1::res
