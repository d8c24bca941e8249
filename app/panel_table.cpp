#include "app/panel_table.h"

#include <utility>

#include "platform/win/dialog.h"

namespace tra1 {

const std::array<PanelInfo, kPanelCount>& PanelInfos() {
    static const std::array<PanelInfo, kPanelCount> infos{{
        {0x9000, 136, "SPEAKER SET / SUBWOOFER SET", 32772, "Show SPEAKER / SUBWOOFER SET", 1069,
         "SPEAKER / SWFR SET", "SPEAKER SET", 32},
        {0x9001, 135, "EQ CONTROL", 32771, "Show GRAPHIC EQ", 1068, "GRAPHIC EQ", "EQ", 36},
        {0x9002, 140, "SPEAKER LEVEL", 32775, "Show SPEAKER LEVEL", 1072, "SPEAKER LEVEL",
         "LEVEL and BALANCE", 25},
        {0x9003, 143, "LFE LEVEL / D-RANGE", 32777, "Show LFE LEVEL / D-RANGE", 1074,
         "LEF LEVEL / D-RANGE", "LFE and D-RANGE", 16},
        {0x9004, 146, "DELAY", 32778, "Show DELAY", 1075, "Audio Delay", "Delay", 8},
        {0x9005, 138, "INPUT RENAME", 32773, "Show RENAME", 1070, "RENAME", "RENAME", 33},
        {0x9006, 139, "I/O ASSIGN", 32774, "Show I/O ASSIGN", 1071, "I/O ASSIGN", "ASSIGN", 80},
        {0x9007, 141, "TUNER", 32776, "Show TUNER", 1073, "TUNER", "Tuner", 80},
        // Reachable only through its (hidden) button: command 32784 has no menu item.
        {0x9008, 152, "EXTERNAL INPUT SET", 0, "", 1083, "EXT INPUT SET", "6ch Input SET", 80},
        {0x9009, 153, "INPUT MODE SET", 32785, "Show INPUT MODE SET", 1162, "INPUT MODE SET",
         "Input Mode", 3},
        {0x900A, 154, "DISPLAY SET", 32786, "Show DISPLAY SET", 1163, "DISPLAY SET", "DISPLAYSET",
         40},
        {0x900B, 147, "DC TRIGGER", 32779, "Show DC TRIGGER", 1078, "DC TRIGGER", "TRIGGER", 120},
        {0x900C, 150, "DSP PARAMETER", 32782, "Show DSP PARAMETER", 1081, "PARAMETER",
         "DSP Parameter", 0},
        {0x900D, 149, "INPUT - DSP PROGRAM", 32780, "Show INPUT - DSP PROGRAM", 1080, "INPUT - DSP",
         "INPUT-DSP", 80},
        {0x900E, 151, "MULTI ZONE SET", 32783, "Show MULTI ZONE SET", 1082, "MULTI ZONE SET",
         "ZONE2 SET", 50},
        {0x9010, 145, "REPORT", 0, "", 1108, "Show Report", "Report", 0},
        {0x9011, 196, "Tone Control", 57653, "Show TONE CONTROL", 1076, "TONE CONTROL",
         "Tone Control", 0},
        {0x9012, 199, "THX SET", 216, "Show THX SET", 1084, "THX SET", "THX SET", 0},
        {0x9013, 201, "Video Processor", 219, "Show VIDEO PROCESSOR", 1086, "Video Processor",
         "Video Processor", 0},
        {0x9014, 198, "CINEMA EQ", 214, "Show CINEMA EQ", 1077, "CINEMA EQ", "Cienma EQ", 0},
        {0x9015, 200, "Speaker Distance", 218, "Show SPEAKER DISTANCE", 1085, "SPEAKER DISTANCE",
         "Speaker Distance", 40},
        {0x9016, 213, "INPUT TRIM", 220, "Show INPUT TRIM", 1087, "INPUT TRIM", "INPUTTRIM", 20},
    }};
    return infos;
}

const std::array<std::size_t, kWindowMenuItemCount>& WindowMenuOrder() {
    // DSP PARAMETER, INPUT - DSP PROGRAM, GRAPHIC EQ, CINEMA EQ, TONE CONTROL, LFE LEVEL /
    // D-RANGE, THX SET, DELAY, SPEAKER / SUBWOOFER SET, SPEAKER LEVEL, SPEAKER DISTANCE, VIDEO
    // PROCESSOR, INPUT MODE SET, DISPLAY SET, RENAME, INPUT TRIM, I/O ASSIGN, TUNER, DC TRIGGER,
    // MULTI ZONE SET.
    static const std::array<std::size_t, kWindowMenuItemCount> order{
        12, 13, 1, 19, 16, 3, 17, 4, 0, 2, 20, 18, 9, 10, 5, 21, 6, 7, 11, 14};
    return order;
}

std::size_t PanelTable::IndexForCommand(int commandId) {
    const auto& infos = PanelInfos();
    for (std::size_t i = 0; i < infos.size(); ++i) {
        if (infos[i].buttonId == commandId ||
            (infos[i].menuId != 0 && infos[i].menuId == commandId)) {
            return i;
        }
    }
    // The external input set's command id exists without a menu item.
    if (commandId == 32784) {
        return IndexForRefresh(0x9008);
    }
    return kPanelCount;
}

std::size_t PanelTable::IndexForRefresh(unsigned refreshMessage) {
    const auto& infos = PanelInfos();
    for (std::size_t i = 0; i < infos.size(); ++i) {
        if (infos[i].refreshMessage == refreshMessage) {
            return i;
        }
    }
    return kPanelCount;
}

void PanelTable::SetFactory(std::size_t index, PanelFactory factory) {
    if (index < slots_.size()) {
        slots_[index].factory = std::move(factory);
    }
}

bool PanelTable::HasFactory(std::size_t index) const {
    return index < slots_.size() && static_cast<bool>(slots_[index].factory);
}

PanelTable::ShowResult PanelTable::Show(std::size_t index) {
    if (index >= slots_.size()) {
        return ShowResult::kNotAvailable;
    }
    Slot& slot = slots_[index];
    if (slot.open && slot.panel.window != nullptr) {
        // An open panel may be hidden (the main window hides the two DSP panels while
        // multi-channel input is on): asking for it brings it back before it takes the focus.
        slot.panel.window->Show(true);
        slot.panel.window->SetFocus();
        return ShowResult::kFocused;
    }
    if (!slot.factory) {
        return ShowResult::kNotAvailable;
    }
    OpenPanel created = slot.factory([this, index] { MarkClosed(index); });
    if (created.window == nullptr) {
        return ShowResult::kCreateFailed;
    }
    slot.panel = std::move(created);
    slot.open = true;
    slot.panel.window->Show(true);
    return ShowResult::kCreated;
}

bool PanelTable::IsOpen(std::size_t index) const {
    return index < slots_.size() && slots_[index].open;
}

win::Dialog* PanelTable::Window(std::size_t index) const {
    return index < slots_.size() ? slots_[index].panel.window : nullptr;
}

void PanelTable::MarkClosed(std::size_t index) {
    if (index < slots_.size()) {
        slots_[index].panel = OpenPanel{};
        slots_[index].open = false;
    }
}

void PanelTable::ForEachOpen(
    const std::function<void(std::size_t, const OpenPanel&)>& visit) const {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (slots_[i].panel.window != nullptr) {
            visit(i, slots_[i].panel);
        }
    }
}

void PanelTable::ResetAllHoldCounters() const {
    ForEachOpen([](std::size_t, const OpenPanel& panel) {
        if (panel.resetHoldCounter) {
            panel.resetHoldCounter();
        }
    });
}

void PanelTable::DestroyAll() {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (win::Dialog* window = slots_[i].panel.window) {
            window->DestroyWindow();
        }
        MarkClosed(i);
    }
}

}  // namespace tra1
