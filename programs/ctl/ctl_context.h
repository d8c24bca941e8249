#pragma once
// What every tr-a1ctl command runs with: the loop and its clock, the two output streams, how a
// serial line is made for the port map, where the editor's port settings are, Ctrl-C, and the
// progress bar. The program fills it with the real things; tests with the virtual clock, an
// in-memory line and string streams.

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

namespace tra1 {
namespace serial {
class ComPortMap;
class PortSettingsStore;
class SerialPort;
}  // namespace serial
namespace win {
class EventLoop;
}
}  // namespace tra1

namespace tra1::programs {

class ProgressBar;

struct CtlContext {
    win::EventLoop& loop;
    std::ostream& out;
    std::ostream& err;
    // The serial line whose COM numbers lead where `map` says.
    std::function<std::unique_ptr<serial::SerialPort>(const serial::ComPortMap& map)> makeLine;
    // The editor's port settings; null: none.
    const serial::PortSettingsStore* settings = nullptr;
    // Whether to read TRA1_COMn from the environment.
    bool readEnvironment = true;
    // True once the user pressed Ctrl-C.
    std::function<bool()> interrupted;
    // The time of day for the monitor's time stamps ("14:03:27.512").
    std::function<std::string()> timeStamp;
    // Null when standard error is not a terminal: no bar.
    ProgressBar* progress = nullptr;
};

}  // namespace tra1::programs
