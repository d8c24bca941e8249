#include "app/main_zone_view.h"

#include <array>
#include <string_view>
#include <utility>

#include "app/main_window_ids.h"
#include "app/volume_text.h"
#include "link/link_state.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "model/value_format.h"
#include "model/value_names.h"
#include "panels/name_list_items.h"
#include "platform/win/button.h"
#include "platform/win/combo_box.h"
#include "platform/win/dialog.h"
#include "platform/win/edit.h"
#include "platform/win/list_box.h"
#include "platform/win/slider.h"

namespace tra1 {
namespace {

namespace id = main_window;
namespace mz = main_zone;

constexpr int kPresetEntries = 6;

std::string WithoutLeadingBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

}  // namespace

std::string MainZoneView::ProgramReadout(const ReceiverImage& image, const ModelProfile& profile) {
    if (image.MainZoneState[mz::kMultiChannelInput] != 0) {
        return "Not Available";
    }
    const std::uint8_t program = image.InputProgramByte(image.MainZoneState[mz::kMainInput]);
    if (ReceiverImage::EffectOff(program)) {
        return "STRAIGHT";
    }
    return std::string(profile.ProgramName(ReceiverImage::ProgramOf(program)));
}

void MainZoneView::FillItemLists() {
    if (auto* ports = window_.Get<win::ComboBox>(id::kPortCombo)) {
        ports->ResetContent();
        ports->AddString("AUTO");
        for (int port = 1; port <= 8; ++port) {
            ports->AddString("COM" + FormatInteger(port));
        }
    }
    if (auto* models = window_.Get<win::ComboBox>(id::kModelCombo)) {
        // This build edits one model, whose code is 8: item 0.
        models->ResetContent();
        models->AddString(std::string(ModelProfile::ModelName(ModelProfile::kTrA1)));
    }
    auto fill = [this](int comboId, const NameList& names) {
        if (auto* combo = window_.Get<win::ComboBox>(comboId)) {
            FillWithNames(*combo, names);
        }
    };
    fill(id::kInputModeCombo, value_names::kInputMode);
    fill(id::kOnScreenCombo, value_names::kOnScreen);
    fill(id::kExEsCombo, value_names::kExEsDecoder);
}

void MainZoneView::FillInputLists() {
    for (const int comboId : {id::kMainInputCombo, id::kZone2InputCombo}) {
        if (auto* combo = window_.Get<win::ComboBox>(comboId)) {
            combo->ResetContent();
        }
    }
    ShowInputNames();
    if (auto* main = window_.Get<win::ComboBox>(id::kMainInputCombo)) {
        main->SetCurSel(image_.MainZoneState[mz::kMainInput]);
    }
    if (auto* zone2 = window_.Get<win::ComboBox>(id::kZone2InputCombo)) {
        zone2->SetCurSel(image_.MainZoneState[mz::kZone2Input]);
    }
}

void MainZoneView::ShowInputNames() {
    // Both input lists name the inputs as the user renamed them (leading blanks skipped); an
    // item is rewritten only when its name changed, and its selection stays.
    for (const int comboId : {id::kMainInputCombo, id::kZone2InputCombo}) {
        auto* combo = window_.Get<win::ComboBox>(comboId);
        if (combo == nullptr || combo->GetDroppedState()) {
            continue;
        }
        const int selection = combo->GetCurSel();
        bool rewritten = false;
        for (int input = 0; input <= profile_.HighestInput(); ++input) {
            const std::string name = WithoutLeadingBlanks(image_.InputName(input));
            if (input < combo->GetCount()) {
                if (combo->GetLBText(input) == name) {
                    continue;
                }
                combo->DeleteString(input);
                combo->InsertString(input, name);
            } else {
                combo->AddString(name);
            }
            rewritten = true;
        }
        if (rewritten) {
            combo->SetCurSel(selection);
        }
    }
}

void MainZoneView::FillPresetLists() {
    for (int listId : {id::kHomePresetList, id::kMainVolumeList, id::kZone2VolumeList}) {
        auto* list = window_.Get<win::ListBox>(listId);
        if (list == nullptr) {
            continue;
        }
        list->ResetContent();
        for (int entry = 1; entry <= kPresetEntries; ++entry) {
            list->AddString("Preset " + LetterFor(entry));
        }
        list->SetCurSel(0);
    }
}

void MainZoneView::Fill() {
    window_.CheckRadioButton(id::kCurrentSettingRadio, id::kPresetSettingRadio,
                             id::kCurrentSettingRadio);
    window_.SetDlgItemText(id::kMainZoneText, "Main Zone");
    window_.SetDlgItemText(id::kConnectionText, "Connection");
    window_.SetDlgItemText(id::kZone2Text, "Zone2");
    window_.SetDlgItemText(id::kConfigurationText, "Configuration");
    if (auto* models = window_.Get<win::ComboBox>(id::kModelCombo)) {
        models->SetCurSel(profile_.Model() - ModelProfile::kTrA1);
    }
    for (const auto& [sliderId, pageSize] :
         {std::pair{id::kMainVolumeSlider, volume::kMainPageSize},
          std::pair{id::kZone2VolumeSlider, volume::kZone2PageSize}}) {
        if (auto* slider = window_.Get<win::Slider>(sliderId)) {
            slider->SetRange(0, volume::kMaxStep);
            slider->SetPageSize(pageSize);
        }
    }
    ShowVolumes(true);
    window_.CheckDlgButton(id::kMainMuteCheck, image_.MainZoneState[mz::kMainMute] != 0);
    window_.CheckDlgButton(id::kZone2MuteCheck, image_.MainZoneState[mz::kZone2Mute] != 0);
    FillInputLists();
    if (auto* mode = window_.Get<win::ComboBox>(id::kInputModeCombo)) {
        mode->SetCurSel(image_.MainZoneState[mz::kInputMode]);
    }
    window_.CheckDlgButton(id::kMultiChannelCheck,
                           image_.MainZoneState[mz::kMultiChannelInput] != 0);
    if (auto* onScreen = window_.Get<win::ComboBox>(id::kOnScreenCombo)) {
        onScreen->SetCurSel(image_.MainZoneState[mz::kOnScreenDisplay]);
    }
    window_.CheckDlgButton(id::kSpeakerACheck, image_.MainZoneState[mz::kSpeakerA] != 0);
    window_.CheckDlgButton(id::kSpeakerBCheck, image_.MainZoneState[mz::kSpeakerB] != 0);
    window_.CheckDlgButton(id::kNightModeCheck, image_.MainZoneState[mz::kNightMode] != 0);
    ShowProgram();
    if (auto* exEs = window_.Get<win::ComboBox>(id::kExEsCombo)) {
        exEs->SetCurSel(image_.MainZoneState[mz::kExEsDecoder]);
    }
    FillPresetLists();
    if (auto* memo = window_.Get<win::Edit>(id::kUserMemoEdit)) {
        memo->SetLimitText(id::kUserMemoLimit);
        memo->SetText(image_.UserMemoText());
    }
    ApplyEnableRules();
    if (state_.realtimeMode) {
        for (int control : {id::kDownloadButton, id::kUploadButton, id::kCurrentSettingRadio,
                            id::kPresetSettingRadio}) {
            window_.EnableDlgItem(control, false);
        }
    }
}

void MainZoneView::SyncCombo(int comboId, int selection) {
    auto* combo = window_.Get<win::ComboBox>(comboId);
    if (combo == nullptr || combo->GetDroppedState() || combo->GetCurSel() == selection) {
        return;
    }
    combo->SetCurSel(selection);
}

void MainZoneView::SyncCheck(int checkId, int checked) {
    if (window_.IsDlgButtonChecked(checkId) != checked) {
        window_.CheckDlgButton(checkId, checked);
    }
}

void MainZoneView::Refresh() {
    const auto& zone = image_.MainZoneState;
    ShowInputNames();
    SyncCombo(id::kMainInputCombo, zone[mz::kMainInput]);
    SyncCombo(id::kZone2InputCombo, zone[mz::kZone2Input]);
    SyncCombo(id::kInputModeCombo, zone[mz::kInputMode]);
    SyncCombo(id::kOnScreenCombo, zone[mz::kOnScreenDisplay]);
    SyncCombo(id::kExEsCombo, zone[mz::kExEsDecoder]);
    SyncCheck(id::kMultiChannelCheck, zone[mz::kMultiChannelInput] != 0);
    SyncCheck(id::kSpeakerACheck, zone[mz::kSpeakerA] != 0);
    SyncCheck(id::kSpeakerBCheck, zone[mz::kSpeakerB] != 0);
    SyncCheck(id::kNightModeCheck, zone[mz::kNightMode] != 0);
    SyncCheck(id::kMainMuteCheck, zone[mz::kMainMute] != 0);
    SyncCheck(id::kZone2MuteCheck, zone[mz::kZone2Mute] != 0);
    ShowVolumes(false);
    ShowProgram();
    ApplyEnableRules();
}

void MainZoneView::ShowVolumes(bool force) {
    const int mainStep = image_.MainZoneState[mz::kMainVolume];
    // A track bar the user holds (keys or wheel, release still to come) keeps its thumb and
    // read-out.
    if (auto* slider = window_.Get<win::Slider>(id::kMainVolumeSlider);
        slider && !slider->IsHeld()) {
        if (force || slider->GetPos() != volume::PositionOf(mainStep)) {
            slider->SetPos(volume::PositionOf(mainStep));
            window_.SetDlgItemText(id::kMainVolumeReadout, volume::MainReadout(mainStep));
        }
    }
    const int zone2Step = image_.MainZoneState[mz::kZone2Volume];
    auto* slider = window_.Get<win::Slider>(id::kZone2VolumeSlider);
    if (slider == nullptr) {
        return;
    }
    const bool fixed = image_.MultiZoneSetting[multi_zone::kZone2Out] == 1 &&
                       image_.MultiZoneSetting[multi_zone::kZone2Amp] == 1;
    if (fixed) {
        slider->Enable(false);
        window_.SetDlgItemText(id::kZone2VolumeReadout, volume::kFixedText);
        return;
    }
    slider->Enable(true);
    if (slider->IsHeld()) {
        return;
    }
    if (force || slider->GetPos() != volume::PositionOf(zone2Step) ||
        window_.GetDlgItemText(id::kZone2VolumeReadout) == volume::kFixedText) {
        slider->SetPos(volume::PositionOf(zone2Step));
        window_.SetDlgItemText(id::kZone2VolumeReadout, volume::Zone2Readout(zone2Step));
    }
}

void MainZoneView::ShowProgram() {
    // The current program follows the main input's assignment whenever the read-out is rebuilt,
    // flag bit and all: the program change handler tests that bit.
    image_.MainZoneState[mz::kCurrentProgram] =
        image_.InputProgramByte(image_.MainZoneState[mz::kMainInput]);
    window_.SetDlgItemText(id::kProgramReadout, ProgramReadout(image_, profile_));
}

void MainZoneView::ApplyEnableRules() {
    const auto& zone = image_.MainZoneState;
    const bool multiChannel = zone[mz::kMultiChannelInput] != 0;
    window_.EnableDlgItem(id::kInputModeCombo,
                          !multiChannel && zone[mz::kMainInput] != input_index::kTuner);
    const bool mainMuted = zone[mz::kMainMute] != 0;
    for (int control : {id::kMainVolumeSlider, id::kMainVolumeUp, id::kMainVolumeDown}) {
        window_.EnableDlgItem(control, !mainMuted);
    }
    const bool zone2Locked =
        zone[mz::kZone2Mute] != 0 || image_.MultiZoneSetting[multi_zone::kZone2Out] != 0;
    for (int control : {id::kZone2VolumeSlider, id::kZone2VolumeUp, id::kZone2VolumeDown}) {
        window_.EnableDlgItem(control, !zone2Locked);
    }
    for (int control : {id::kExEsCombo, id::kInputDspButton, id::kParameterButton,
                        id::LabelOf(id::kInputDspButton), id::LabelOf(id::kParameterButton)}) {
        window_.EnableDlgItem(control, !multiChannel);
    }
}

}  // namespace tra1
