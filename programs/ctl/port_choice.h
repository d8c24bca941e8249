#pragma once
// Where tr-a1ctl's --port leads: a COM number led by the editor's port settings and TRA1_COMn,
// a device path or serial-server URL of its own, or AUTO, the search of COM1..COM8.

#include <string>
#include <string_view>

#include "platform/serial/com_port_map.h"

namespace tra1::serial {
class PortSettingsStore;
}

namespace tra1::programs {

struct PortChoice {
    serial::ComPortMap map;
    // The COM number to connect to, 1..8; 0 for the search.
    int number = 1;
    // How messages name the port: "COM3", "/dev/ttyUSB0", "socket://host:4001", "COM1..COM8".
    std::string name;
};

// `port` empty means COM1. A path or URL is reached as COM1 with every other number leading
// nowhere. `settings` may be null; `readEnvironment` reads TRA1_COMn.
PortChoice ChoosePort(std::string_view port, const serial::PortSettingsStore* settings,
                      bool readEnvironment);

}  // namespace tra1::programs
