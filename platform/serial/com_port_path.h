#pragma once

#include <string>

namespace tra1::serial {

// The device behind COMn (1..8): the environment variable TRA1_COMn when it is set and not
// empty, otherwise /dev/ttyS<n-1>. Empty for a number outside 1..8.
std::string ComPortDevicePath(int port);

// The name of the environment variable that overrides COMn ("TRA1_COM3"); empty outside 1..8.
std::string ComPortEnvironmentVariable(int port);

}  // namespace tra1::serial
