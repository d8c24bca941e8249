#include "app/port_settings_dlg.h"

#include <utility>

#include "app/main_window_ids.h"
#include "platform/serial/com_port_map.h"
#include "platform/serial/open_error.h"
#include "platform/serial/port_settings_store.h"
#include "platform/serial/port_target.h"
#include "platform/win/combo_box.h"
#include "platform/win/message.h"
#include "platform/win/prompter.h"
#include "resources/icon_ids.h"

namespace tra1 {

namespace id = port_settings;

CPORTSETTINGSDlg::CPORTSETTINGSDlg(win::EventLoop& loop, PortSettings settings)
    : Dialog(loop, kTemplateId), settings_(std::move(settings)) {}

std::string CPORTSETTINGSDlg::ItemText(const serial::SerialDeviceInfo& device) {
    return device.description.empty() ? device.path
                                      : device.path + "  (" + device.description + ")";
}

bool CPORTSETTINGSDlg::OnInitDialog() {
    SetIcon(res::kIconProgram, true);
    SetIcon(res::kIconProgram, false);
    CenterWindow(Parent());
    FindDevices();
    for (int port = serial::kFirstComPort; port <= serial::kLastComPort; ++port) {
        if (auto* combo = Get<win::ComboBox>(id::TargetCombo(port))) {
            // What the settings say, or the default a number never set leads to.
            const auto stored =
                settings_.map != nullptr ? settings_.map->Stored(port) : std::nullopt;
            combo->SetEditText(stored.value_or(serial::ComPortMap::DefaultTarget(port)));
        }
    }
    ShowOverrides();
    return true;
}

void CPORTSETTINGSDlg::FindDevices() {
    devices_ =
        settings_.findDevices ? settings_.findDevices() : std::vector<serial::SerialDeviceInfo>{};
    for (int port = serial::kFirstComPort; port <= serial::kLastComPort; ++port) {
        auto* combo = Get<win::ComboBox>(id::TargetCombo(port));
        if (combo == nullptr) {
            continue;
        }
        const std::string typed = combo->GetWindowText();
        combo->ResetContent();
        for (const serial::SerialDeviceInfo& device : devices_) {
            combo->AddString(ItemText(device));
        }
        combo->SetEditText(typed);
    }
}

void CPORTSETTINGSDlg::ShowOverrides() {
    for (int port = serial::kFirstComPort; port <= serial::kLastComPort; ++port) {
        std::string note;
        if (settings_.map != nullptr) {
            if (const auto over = settings_.map->OverrideOf(port)) {
                note =
                    "This run: " + (over->target.empty() ? std::string("nothing") : over->target) +
                    " (" + over->source + ")";
            }
        }
        SetDlgItemText(id::OverrideNote(port), note);
    }
}

void CPORTSETTINGSDlg::OnCommand(int commandId, unsigned code) {
    if (commandId == id::kFindDevicesButton && code == win::BN_CLICKED) {
        FindDevices();
        return;
    }
    if (commandId >= id::TargetCombo(serial::kFirstComPort) &&
        commandId <= id::TargetCombo(serial::kLastComPort) && code == win::CBN_SELCHANGE) {
        // The list shows what each device is; the mapping is its path alone.
        auto* combo = Get<win::ComboBox>(commandId);
        const int picked = combo != nullptr ? combo->GetCurSel() : win::CB_ERR;
        if (picked >= 0 && static_cast<std::size_t>(picked) < devices_.size()) {
            combo->SetEditText(devices_[static_cast<std::size_t>(picked)].path);
        }
        return;
    }
    Dialog::OnCommand(commandId, code);
}

void CPORTSETTINGSDlg::OnOK() {
    std::vector<std::string> targets;
    for (int port = serial::kFirstComPort; port <= serial::kLastComPort; ++port) {
        const auto* combo = Get<win::ComboBox>(id::TargetCombo(port));
        std::string target(
            serial::TrimBlanks(combo != nullptr ? combo->GetWindowText() : std::string()));
        if (!target.empty() && !serial::ParsePortTarget(target)) {
            const serial::OpenError wrong{serial::OpenError::Kind::kBadTarget, target, {}};
            MessageBox("COM" + std::to_string(port) + ": " + wrong.Describe(),
                       main_window::kMessageTitle, win::Buttons::kOk);
            if (win::Control* control = GetDlgItem(id::TargetCombo(port))) {
                control->SetFocus();
            }
            return;
        }
        targets.push_back(std::move(target));
    }
    if (settings_.map != nullptr) {
        for (int port = serial::kFirstComPort; port <= serial::kLastComPort; ++port) {
            settings_.map->SetStored(port, targets.at(static_cast<std::size_t>(port - 1)));
        }
        if (settings_.store != nullptr && !settings_.store->Save(*settings_.map)) {
            MessageBox(
                "The port settings could not be saved.\r\nThey apply until the program "
                "ends.",
                main_window::kMessageTitle, win::Buttons::kOk);
        }
    }
    EndDialog(win::IDOK);
}

}  // namespace tra1
