#pragma once

namespace tra1::port_settings {

// Dialog 170, "Port Settings": one row per COM number, each an editable combo box (the device
// or server URL) and a note for a number that something overrides for this run.
inline constexpr int kTemplateId = 170;
inline constexpr int kPorts = 8;  // COM1..COM8
inline constexpr int kFirstTargetCombo = 1301;
inline constexpr int kFirstOverrideNote = 1311;
inline constexpr int kFindDevicesButton = 1320;
inline constexpr int kHelpText = 1321;

// The controls of COMn, n = 1..8.
constexpr int TargetCombo(int port) {
    return kFirstTargetCombo + port - 1;
}
constexpr int OverrideNote(int port) {
    return kFirstOverrideNote + port - 1;
}

}  // namespace tra1::port_settings
