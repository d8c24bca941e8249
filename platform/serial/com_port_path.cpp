#include "platform/serial/com_port_path.h"

#include <cstdlib>

#include "platform/serial/serial_port.h"

namespace tra1::serial {

std::string ComPortEnvironmentVariable(int port) {
    if (!IsComPortNumber(port)) {
        return {};
    }
    return "TRA1_COM" + std::to_string(port);
}

std::string ComPortDevicePath(int port) {
    if (!IsComPortNumber(port)) {
        return {};
    }
    const std::string variable = ComPortEnvironmentVariable(port);
    if (const char* overridden = std::getenv(variable.c_str());
        overridden != nullptr && *overridden != '\0') {
        return overridden;
    }
    return "/dev/ttyS" + std::to_string(port - 1);
}

}  // namespace tra1::serial
