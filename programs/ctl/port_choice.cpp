#include "programs/ctl/port_choice.h"

#include <cctype>

#include "platform/serial/port_settings_store.h"
#include "platform/serial/serial_port.h"

namespace tra1::programs {
namespace {

constexpr std::string_view kDefaultPort = "COM1";

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return upper;
}

// 1..8 for "COM1".."COM8" in any case; 0 otherwise.
int ComNumber(std::string_view port) {
    const std::string upper = Upper(port);
    if (upper.size() != 4 || !upper.starts_with("COM")) {
        return 0;
    }
    const int n = upper[3] - '0';
    return serial::IsComPortNumber(n) ? n : 0;
}

}  // namespace

PortChoice ChoosePort(std::string_view port, const serial::PortSettingsStore* settings,
                      bool readEnvironment) {
    if (port.empty()) {
        port = kDefaultPort;
    }
    PortChoice choice;
    const int number = ComNumber(port);
    const bool search = Upper(port) == "AUTO";
    if (number == 0 && !search) {
        // A device or server of its own: COM1 leads there and nothing else is tried.
        for (int n = serial::kFirstComPort; n <= serial::kLastComPort; ++n) {
            choice.map.SetCommandLineOverride(n, n == 1 ? std::string(port) : std::string());
        }
        choice.number = 1;
        choice.name = std::string(port);
        return choice;
    }
    if (settings != nullptr) {
        serial::LoadPortSettings(*settings, choice.map);
    }
    if (readEnvironment) {
        choice.map.ReadEnvironment();
    }
    choice.number = number;
    choice.name = search ? "COM1..COM8" : "COM" + std::to_string(number);
    return choice;
}

}  // namespace tra1::programs
