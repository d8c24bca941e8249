#pragma once

#include <functional>
#include <vector>

#include "platform/serial/device_discovery.h"

namespace tra1 {

namespace serial {
class ComPortMap;
class PortSettingsStore;
}  // namespace serial

// What the Port Settings dialog works on: the program's port map (which its serial line
// reads at every open), where the settings are kept, and how the devices present are found.
// Without a map the menu item is greyed.
struct PortSettings {
    serial::ComPortMap* map = nullptr;
    serial::PortSettingsStore* store = nullptr;  // null: the settings last for this run only
    std::function<std::vector<serial::SerialDeviceInfo>()> findDevices;
};

}  // namespace tra1
