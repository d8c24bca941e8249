#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/serial/serial_port.h"

namespace tra1::serial {

// What each of COM1..COM8 leads to: a device path or a serial server URL (see port_target.h),
// or nothing. Three layers, the first that speaks for a number wins:
//   1. a one-run override: the command line (--port COMn=...) before the environment
//      variable TRA1_COMn (an empty variable counts as unset);
//   2. the user's port settings: a target, or "" for a number the user left empty;
//   3. the default, /dev/ttyS0 .. /dev/ttyS7, for a number the settings never mention.
// An empty target means the number is mapped to nothing: opening it fails, and the automatic
// search skips it.
class ComPortMap {
public:
    struct Override {
        std::string target;
        std::string source;  // "TRA1_COM3" or "--port"
    };

    // The target of a number the settings never mention; empty outside 1..8.
    static std::string DefaultTarget(int port);
    // The environment variable that overrides COMn ("TRA1_COM3"); empty outside 1..8.
    static std::string EnvironmentVariable(int port);

    // The target COMn leads to now; empty for nothing (and outside 1..8).
    std::string Target(int port) const;
    bool IsMapped(int port) const { return !Target(port).empty(); }

    // The user's settings: nullopt where they say nothing.
    std::optional<std::string> Stored(int port) const;
    void SetStored(int port, std::optional<std::string> target);

    // What overrides the settings for this run, if anything.
    std::optional<Override> OverrideOf(int port) const;
    // Reads TRA1_COM1..TRA1_COM8 from the environment (a command-line override stays first).
    void ReadEnvironment();
    // A --port COMn=TARGET of the command line.
    void SetCommandLineOverride(int port, std::string target);

private:
    static std::size_t Index(int port) { return static_cast<std::size_t>(port - kFirstComPort); }

    std::array<std::optional<std::string>, kLastComPort> stored_{};
    std::array<std::optional<std::string>, kLastComPort> environment_{};
    std::array<std::optional<std::string>, kLastComPort> commandLine_{};
};

// Reads "COM3=/dev/ttyUSB0" (the COM name in any case, blanks around the target ignored): the
// port number and the target, which may be empty (nothing for this run). nullopt when the text
// names no COM1..COM8 or the target is neither empty, a device path nor a server URL.
std::optional<std::pair<int, std::string>> ParsePortAssignment(std::string_view text);

}  // namespace tra1::serial
