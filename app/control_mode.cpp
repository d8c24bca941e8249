#include "app/control_mode.h"

#include "app/main_window_ids.h"
#include "app/panel_table.h"
#include "link/link_state.h"
#include "platform/win/dialog.h"

namespace tra1 {

namespace id = main_window;

namespace {

// Control mode cannot change under a running transfer.
bool TransferRunning(const LinkState& state) {
    return state.uploadInProgress != 0 || state.downloadInProgress != 0;
}

}  // namespace

bool ControlMode::EnterRealtime() {
    if (state_.openPort == 0 || TransferRunning(state_)) {
        return false;
    }
    state_.realtimeMode = true;
    DisableTransferControls();
    state_.realtimePollState = LinkState::kFirstRealtimeState;
    state_.realtimeExpectedTable = 0;
    state_.awaitedFunction = LinkState::kNone;
    state_.echoGuard = false;
    panels_.ResetAllHoldCounters();
    ShowInMenu();
    return true;
}

bool ControlMode::EnterAsynchronous() {
    if (state_.openPort == 0 || TransferRunning(state_)) {
        return false;
    }
    state_.realtimeMode = false;
    state_.uploadInProgress = 0;
    state_.downloadInProgress = 0;
    state_.awaitedFunction = LinkState::kNone;
    state_.previousAwaitedFunction = LinkState::kNone;
    state_.echoGuard = false;
    // The Download/Upload buttons stay as they are: the next identification enables them.
    panels_.ResetAllHoldCounters();
    ShowInMenu();
    return true;
}

void ControlMode::ShowInMenu() {
    if (win::Menu* menu = window_.GetMenu()) {
        menu->CheckItem(id::kMenuRealtime, state_.realtimeMode);
        menu->CheckItem(id::kMenuAsynchronous, !state_.realtimeMode);
    }
}

void ControlMode::DisableTransferControls() {
    for (int control : {id::kDownloadButton, id::kUploadButton, id::kCurrentSettingRadio,
                        id::kPresetSettingRadio}) {
        window_.EnableDlgItem(control, false);
    }
}

}  // namespace tra1
