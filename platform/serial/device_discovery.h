#pragma once

#include <string>
#include <vector>

namespace tra1::serial {

// A serial device present on this machine, as the port settings offer it.
struct SerialDeviceInfo {
    std::string path;         // what a COM number is mapped to
    std::string description;  // the adapter's name and, for a stable name, the device it is now
};

// The serial devices present, in the order a user picks from: the stable names under
// /dev/serial/by-id/ (they survive replugging and carry the adapter's name), then /dev/ttyUSB*,
// /dev/ttyACM* and the /dev/ttyS* ports that have a UART behind them, each group in natural
// order (ttyUSB2 before ttyUSB10). `devRoot` and `sysRoot` stand for /dev and /sys so that
// tests can hand in a made-up tree; a folder that is missing just contributes nothing.
std::vector<SerialDeviceInfo> DiscoverSerialDevices(const std::string& devRoot = "/dev",
                                                    const std::string& sysRoot = "/sys");

}  // namespace tra1::serial
