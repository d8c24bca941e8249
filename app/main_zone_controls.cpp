#include "app/main_zone_controls.h"

#include <array>
#include <cstdint>

#include "app/main_window_ids.h"
#include "app/main_zone_view.h"
#include "app/panel_table.h"
#include "app/volume_text.h"
#include "link/command_sender.h"
#include "link/link_state.h"
#include "model/protocol.h"
#include "model/receiver_image.h"
#include "panels/display_set_dlg.h"
#include "panels/dsp_parameter_dlg.h"
#include "panels/input_dsp_program_dlg.h"
#include "platform/win/combo_box.h"
#include "platform/win/dialog.h"
#include "platform/win/slider.h"

namespace tra1 {
namespace {

namespace id = main_window;
namespace mz = main_zone;

// Refresh messages of the panels these controls concern.
constexpr win::Msg kDisplaySetRefresh = CDISPLAYSETDlg::kDescriptor.refreshMessage;
constexpr std::array<win::Msg, 2> kProgramPanels{CDSPPARAMETERDlg::kDescriptor.refreshMessage,
                                                 CINPUTDSPPROGRAMDlg::kDescriptor.refreshMessage};

// Buttons that only send a command with a fixed value.
struct FixedCommand {
    int controlId;
    int command;
    int value;
};
constexpr std::array<FixedCommand, 7> kFixedCommands{{
    {1196, command::kMainZonePower, 1},
    {1197, command::kMainZonePower, 0},
    {1198, command::kZone2Power, 1},
    {1199, command::kZone2Power, 0},
    {1181, command::kTestTone, 1},  // hidden "Test Tone" group: TEST, DSP, OFF
    {1169, command::kTestTone, 2},
    {1183, command::kTestTone, 0},
}};

constexpr std::array<int, 4> kVolumeButtonIds{id::kMainVolumeUp, id::kMainVolumeDown,
                                              id::kZone2VolumeUp, id::kZone2VolumeDown};

}  // namespace

// A combo box or check box that edits one MainZoneState byte and sends one command.
struct MainZoneSelector {
    int controlId;
    bool combo;           // combo box (CBN_SELCHANGE) or check box (BN_CLICKED)
    std::size_t byte;     // MainZoneState offset
    int command;          // command number
    int valueScale;       // the value sent is the stored value times this
    bool enableRulesUse;  // the byte takes part in the enable rules
};

namespace {

constexpr std::array<MainZoneSelector, 11> kSelectors{{
    {id::kMainInputCombo, true, mz::kMainInput, command::kMainInput, 1, true},
    {id::kInputModeCombo, true, mz::kInputMode, command::kInputMode, 2, false},
    {id::kMultiChannelCheck, false, mz::kMultiChannelInput, command::kMultiChannelInput, 1, true},
    {id::kOnScreenCombo, true, mz::kOnScreenDisplay, command::kOnScreen, 1, false},
    {id::kSpeakerACheck, false, mz::kSpeakerA, command::kSpeakerA, 1, false},
    {id::kSpeakerBCheck, false, mz::kSpeakerB, command::kSpeakerB, 1, false},
    {id::kExEsCombo, true, mz::kExEsDecoder, command::kExEs, 1, false},
    {id::kNightModeCheck, false, mz::kNightMode, command::kNightMode, 1, false},
    {id::kMainMuteCheck, false, mz::kMainMute, command::kMainMute, 1, true},
    {id::kZone2MuteCheck, false, mz::kZone2Mute, command::kZone2Mute, 1, true},
    {id::kZone2InputCombo, true, mz::kZone2Input, command::kZone2Input, 1, false},
}};

}  // namespace

bool MainZoneControls::OnCommand(int controlId, unsigned code) {
    for (const MainZoneSelector& selector : kSelectors) {
        if (selector.controlId != controlId) {
            continue;
        }
        const unsigned expected = selector.combo ? win::CBN_SELCHANGE : win::BN_CLICKED;
        if (code == expected) {
            OnSelectorChanged(selector);
        }
        return true;
    }
    for (const FixedCommand& button : kFixedCommands) {
        if (button.controlId == controlId) {
            if (code == win::BN_CLICKED) {
                sender_.SendCommand(button.command, button.value);
            }
            return true;
        }
    }
    // The volume buttons act on the mouse going down, not on the click that follows.
    for (int button : kVolumeButtonIds) {
        if (button == controlId) {
            return true;
        }
    }
    return false;
}

void MainZoneControls::OnSelectorChanged(const MainZoneSelector& selector) {
    int value = 0;
    if (selector.combo) {
        const auto* combo = window_.Get<win::ComboBox>(selector.controlId);
        value = combo != nullptr ? combo->GetCurSel() : win::CB_ERR;
        if (value < 0 || value > 255) {
            return;  // nothing selected: nothing to store
        }
    } else {
        value = window_.IsDlgButtonChecked(selector.controlId) != 0 ? 1 : 0;
    }

    auto& stored = image_.MainZoneState.at(selector.byte);
    if (value != stored) {
        stored = static_cast<std::uint8_t>(value);
        state_.decodeSkipCount = kDecodeSkipAfterChange;
        if (selector.enableRulesUse) {
            view_.ApplyEnableRules();
        }
        if (selector.byte == mz::kMultiChannelInput) {
            view_.ShowProgram();  // "Not Available" while the multi-channel input plays
            if (value != 0) {
                HideProgramPanels();
            } else {
                AfterRefresh();
            }
        }
        sender_.SendCommand(selector.command, value * selector.valueScale);
        if (selector.byte == mz::kOnScreenDisplay) {
            PostPanelRefresh(kDisplaySetRefresh);
        }
    }
    if (selector.byte == mz::kMainInput) {
        // Also when the input did not change: the program read-out and the program panels
        // follow the input.
        window_.PostMessage(id::kRefreshMainWindow);
        for (win::Msg refresh : kProgramPanels) {
            PostPanelRefresh(refresh);
        }
    }
}

void MainZoneControls::PostPanelRefresh(win::Msg refreshMessage) {
    panels_.PostRefreshIfOpen(refreshMessage);
}

void MainZoneControls::HideProgramPanels() {
    for (std::size_t k = 0; k < kProgramPanels.size(); ++k) {
        const std::size_t index = PanelTable::IndexForRefresh(kProgramPanels[k]);
        win::Dialog* panel = panels_.IsOpen(index) ? panels_.Window(index) : nullptr;
        if (panel != nullptr && panel->IsWindowVisible()) {
            panel->Show(false);
            hiddenPanels_[k] = true;
        }
    }
}

void MainZoneControls::AfterRefresh() {
    // A panel hidden while the multi-channel input played comes back by itself once the input
    // stops. Asking for it from the Window menu or its button also shows it again, but that
    // would leave the user to find each one, and it takes the focus from the main window.
    if (image_.MainZoneState[mz::kMultiChannelInput] != 0) {
        return;
    }
    for (std::size_t k = 0; k < kProgramPanels.size(); ++k) {
        if (!hiddenPanels_[k]) {
            continue;
        }
        hiddenPanels_[k] = false;
        const std::size_t index = PanelTable::IndexForRefresh(kProgramPanels[k]);
        if (win::Dialog* panel = panels_.IsOpen(index) ? panels_.Window(index) : nullptr) {
            panel->Show(true);
        }
    }
}

bool MainZoneControls::OnNotify(int controlId, win::LParam code) {
    if (code != win::NM_RELEASEDCAPTURE) {
        return false;
    }
    if (controlId == id::kMainVolumeSlider) {
        OnVolumeReleased(true);
        return true;
    }
    if (controlId == id::kZone2VolumeSlider) {
        OnVolumeReleased(false);
        return true;
    }
    return false;
}

void MainZoneControls::OnScroll(int controlId, int position) {
    if (controlId != id::kMainVolumeSlider && controlId != id::kZone2VolumeSlider) {
        return;
    }
    const int step = volume::StepOf(position);
    if (step < 0 || step > volume::kMaxStep) {
        return;
    }
    if (controlId == id::kMainVolumeSlider) {
        window_.SetDlgItemText(id::kMainVolumeReadout, volume::MainReadout(step));
    } else {
        window_.SetDlgItemText(id::kZone2VolumeReadout, volume::Zone2Readout(step));
    }
}

void MainZoneControls::OnVolumeReleased(bool mainZone) {
    const auto* slider =
        window_.Get<win::Slider>(mainZone ? id::kMainVolumeSlider : id::kZone2VolumeSlider);
    if (slider == nullptr) {
        return;
    }
    auto& stored = image_.MainZoneState.at(mainZone ? mz::kMainVolume : mz::kZone2Volume);
    const int position = slider->GetPos();
    if (position == volume::PositionOf(stored)) {
        return;  // released where it stood
    }
    const int step = volume::StepOf(position);
    if (step < 0 || step > volume::kMaxStep) {
        return;
    }
    stored = static_cast<std::uint8_t>(step);
    ShowVolume(mainZone, step);
    state_.decodeSkipCount = kDecodeSkipAfterChange;
    SendVolume(mainZone, step);
}

void MainZoneControls::ShowVolume(bool mainZone, int step) {
    if (auto* slider =
            window_.Get<win::Slider>(mainZone ? id::kMainVolumeSlider : id::kZone2VolumeSlider)) {
        slider->SetPos(volume::PositionOf(step));
    }
    if (mainZone) {
        window_.SetDlgItemText(id::kMainVolumeReadout, volume::MainReadout(step));
    } else {
        window_.SetDlgItemText(id::kZone2VolumeReadout, volume::Zone2Readout(step));
    }
}

void MainZoneControls::SendVolume(bool mainZone, int step) {
    if (!mainZone) {
        sender_.SendCommand(command::kZone2Volume, step);
        return;
    }
    state_.linkBusy = true;
    sender_.SendCommand(command::kMainVolume, step);
    state_.linkBusy = false;
}

bool MainZoneControls::StepVolume(VolumeButton button) {
    const bool mainZone = button == VolumeButton::kMainUp || button == VolumeButton::kMainDown;
    const bool up = button == VolumeButton::kMainUp || button == VolumeButton::kZone2Up;
    if (!mainZone && image_.MultiZoneSetting[multi_zone::kZone2Out] == 1) {
        return false;  // ZONE2 OUT "FIX": the receiver sets the zone 2 level itself
    }
    auto& stored = image_.MainZoneState.at(mainZone ? mz::kMainVolume : mz::kZone2Volume);
    int step = stored;
    if (up && step < volume::kMaxStep) {
        ++step;
    } else if (!up && step > 0) {
        --step;
    } else {
        return true;  // at the end of the range: nothing to do, but the button stays held
    }
    stored = static_cast<std::uint8_t>(step);
    ShowVolume(mainZone, step);
    // A step is a change like any other: a report already on its way with the old level must
    // not pull the track bar back under a held button.
    state_.decodeSkipCount = kDecodeSkipAfterChange;
    SendVolume(mainZone, step);
    return true;
}

void MainZoneControls::OnControlMouse(int controlId, bool pressed) {
    if (!pressed) {
        StopRepeats();
        return;
    }
    for (std::size_t b = 0; b < kButtonCount; ++b) {
        if (kVolumeButtonIds.at(b) == controlId) {
            if (StepVolume(static_cast<VolumeButton>(b))) {
                repeat_.at(b) = 1;
            }
            return;
        }
    }
}

void MainZoneControls::OnKeyDown(unsigned /*key*/) {
    StopRepeats();
}

void MainZoneControls::StopRepeats() {
    repeat_.fill(0);
}

bool MainZoneControls::Repeating() const {
    for (int counter : repeat_) {
        if (counter != 0) {
            return true;
        }
    }
    return false;
}

bool MainZoneControls::ButtonUsable(VolumeButton button) const {
    const win::Control* control =
        window_.GetDlgItem(kVolumeButtonIds.at(static_cast<std::size_t>(button)));
    return control != nullptr && control->IsEnabled() && control->IsVisible();
}

void MainZoneControls::OnRepeatTimer() {
    for (std::size_t b = 0; b < kButtonCount; ++b) {
        int& counter = repeat_.at(b);
        if (counter == 0) {
            continue;
        }
        const auto button = static_cast<VolumeButton>(b);
        // A button that was disabled while held (a mute went on, zone 2 became fixed) stops:
        // the volume must not keep moving behind a control the user can no longer use.
        if (!ButtonUsable(button)) {
            counter = 0;
            continue;
        }
        if (counter <= kRepeatDelayTicks) {
            ++counter;
            continue;
        }
        if (!StepVolume(button)) {
            counter = 0;
        }
    }
}

}  // namespace tra1
