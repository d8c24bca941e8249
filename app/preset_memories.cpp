#include "app/preset_memories.h"

#include <array>
#include <cstddef>

#include "app/main_window_ids.h"
#include "app/main_zone_view.h"
#include "app/panel_table.h"
#include "link/command_sender.h"
#include "model/protocol.h"
#include "model/receiver_image.h"
#include "panels/cinema_eq_dlg.h"
#include "panels/delay_dlg.h"
#include "panels/display_set_dlg.h"
#include "panels/dsp_parameter_dlg.h"
#include "panels/eq_control_dlg.h"
#include "panels/external_input_set_dlg.h"
#include "panels/input_dsp_program_dlg.h"
#include "panels/lfe_level_drange_dlg.h"
#include "panels/speaker_distance_dlg.h"
#include "panels/speaker_level_dlg.h"
#include "panels/speaker_set_dlg.h"
#include "panels/tone_control_dlg.h"
#include "panels/video_processor_dlg.h"
#include "platform/win/dialog.h"
#include "platform/win/list_box.h"

namespace tra1 {
namespace {

namespace id = main_window;
namespace mz = main_zone;

// Buttons.
constexpr int kHomePcMemory = 1185;
constexpr int kHomePcRecall = 1186;
constexpr int kMainVolumePcMemory = 1187;
constexpr int kMainVolumePcRecall = 1188;
constexpr int kZone2VolumePcMemory = 1189;
constexpr int kZone2VolumePcRecall = 1190;

// The receiver's memories: button, command number and the list whose entry it names.
struct UnitButton {
    int buttonId;
    int command;
    int listId;
};
constexpr std::array<UnitButton, 6> kUnitButtons{{
    {1192, command::kHomePresetMemory, id::kHomePresetList},  // HOME PRESET Memory
    {1193, command::kHomePresetRecall, id::kHomePresetList},  // HOME PRESET Recall
    {1194, command::kMainVolumeMemory, id::kMainVolumeList},
    {1204, command::kMainVolumeRecall, id::kMainVolumeList},
    {1205, command::kZone2VolumeMemory, id::kZone2VolumeList},
    {1206, command::kZone2VolumeRecall, id::kZone2VolumeList},
}};

// The panels that show what a HOME PRESET recall rewrites, in the order of the record's groups.
constexpr std::array<win::Msg, 13> kRecalledPanels{CDELAYDlg::kDescriptor.refreshMessage,
                                                   CEQCONTROLDlg::kDescriptor.refreshMessage,
                                                   CCINEMAEQDlg::kDescriptor.refreshMessage,
                                                   CTONECONTROLDlg::kDescriptor.refreshMessage,
                                                   CSPEAKERSETDlg::kDescriptor.refreshMessage,
                                                   CSPEAKERLEVELDlg::kDescriptor.refreshMessage,
                                                   CDSPPARAMETERDlg::kDescriptor.refreshMessage,
                                                   CINPUTDSPPROGRAMDlg::kDescriptor.refreshMessage,
                                                   CLFELEVELDRANGEDlg::kDescriptor.refreshMessage,
                                                   CDISPLAYSETDlg::kDescriptor.refreshMessage,
                                                   CEXTERNALINPUTSETDlg::kDescriptor.refreshMessage,
                                                   CSPEAKERDISTANCEDlg::kDescriptor.refreshMessage,
                                                   CVIDEOPROCESSORDlg::kDescriptor.refreshMessage};

bool IsEntry(int entry) {
    return entry >= 0 && entry < PresetMemories::kEntryCount;
}

}  // namespace

bool PresetMemories::OnCommand(int controlId, unsigned code) {
    const bool clicked = code == win::BN_CLICKED;
    switch (controlId) {
        case kHomePcMemory:
            if (clicked) {
                StoreHomePreset();
            }
            return true;
        case kHomePcRecall:
            if (clicked) {
                RecallHomePreset();
            }
            return true;
        case kMainVolumePcMemory:
            if (clicked) {
                StoreMainVolume();
            }
            return true;
        case kMainVolumePcRecall:
            if (clicked) {
                RecallMainVolume();
            }
            return true;
        case kZone2VolumePcMemory:
            if (clicked) {
                StoreZone2Volume();
            }
            return true;
        case kZone2VolumePcRecall:
            if (clicked) {
                RecallZone2Volume();
            }
            return true;
        default:
            break;
    }
    for (const UnitButton& button : kUnitButtons) {
        if (button.buttonId == controlId) {
            if (clicked) {
                SendUnitCommand(button.command, button.listId);
            }
            return true;
        }
    }
    return false;
}

bool PresetMemories::SelectEntry(int entry) {
    if (!IsEntry(entry)) {
        return false;
    }
    for (int listId : {id::kHomePresetList, id::kMainVolumeList, id::kZone2VolumeList}) {
        if (auto* list = window_.Get<win::ListBox>(listId)) {
            list->SetCurSel(entry);
        }
    }
    return true;
}

int PresetMemories::SelectedEntry(int listId) const {
    const auto* list = window_.Get<win::ListBox>(listId);
    const int entry = list != nullptr ? list->GetCurSel() : win::LB_ERR;
    return IsEntry(entry) ? entry : -1;
}

void PresetMemories::SendUnitCommand(int command, int listId) {
    const int entry = SelectedEntry(listId);
    if (entry >= 0) {
        sender_.SendCommand(command, entry);
    }
}

void PresetMemories::StoreHomePreset() {
    const int entry = SelectedEntry(id::kHomePresetList);
    if (entry >= 0) {
        image_.StoreHomePreset(entry);
    }
}

void PresetMemories::RecallHomePreset() {
    const int entry = SelectedEntry(id::kHomePresetList);
    if (entry < 0 || !image_.RecallHomePreset(entry)) {
        return;
    }
    RefreshRecalledPanels();
    // The program read-out and the input, input mode, multi-channel, on-screen, speaker and
    // night mode controls follow the image.
    view_.Refresh();
}

void PresetMemories::RefreshRecalledPanels() {
    for (win::Msg refresh : kRecalledPanels) {
        const std::size_t wanted = PanelTable::IndexForRefresh(refresh);
        panels_.ForEachOpen([wanted, refresh](std::size_t index, const OpenPanel& panel) {
            if (index != wanted) {
                return;
            }
            if (panel.resetHoldCounter) {
                panel.resetHoldCounter();
            }
            panel.window->PostMessage(refresh);
        });
    }
}

void PresetMemories::StoreMainVolume() {
    const int entry = SelectedEntry(id::kMainVolumeList);
    if (entry >= 0) {
        image_.MainVolumeMemories.at(static_cast<std::size_t>(entry)) =
            image_.MainZoneState[mz::kMainVolume];
    }
}

void PresetMemories::RecallMainVolume() {
    const int entry = SelectedEntry(id::kMainVolumeList);
    if (entry >= 0) {
        image_.MainZoneState[mz::kMainVolume] =
            image_.MainVolumeMemories.at(static_cast<std::size_t>(entry));
        window_.PostMessage(id::kRefreshMainWindow);
    }
}

void PresetMemories::StoreZone2Volume() {
    const int entry = SelectedEntry(id::kZone2VolumeList);
    if (entry >= 0) {
        image_.Zone2VolumeMemories.at(static_cast<std::size_t>(entry)) =
            image_.MainZoneState[mz::kZone2Volume];
    }
}

void PresetMemories::RecallZone2Volume() {
    const int entry = SelectedEntry(id::kZone2VolumeList);
    if (entry >= 0) {
        image_.MainZoneState[mz::kZone2Volume] =
            image_.Zone2VolumeMemories.at(static_cast<std::size_t>(entry));
        window_.PostMessage(id::kRefreshMainWindow);
    }
}

}  // namespace tra1
