#pragma once
// The command line of tr-a1ctl: one command with its arguments, and the options. Plain C++,
// parsed before anything opens a port, so that usage errors and --help cost nothing. The
// commands are one table in the .cpp (name, arguments, options, help); the options one more.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tra1::programs {

inline constexpr std::string_view kCtlProgramName = "tr-a1ctl";

enum class CtlCommand {
    kStatus,
    kSet,
    kBackup,
    kRestore,
    kDiff,
    kReport,
    kMonitor,
};

// The exit status of tr-a1ctl.
namespace ctl_exit {
inline constexpr int kDone = 0;           // done; for diff: no difference
inline constexpr int kDifferences = 1;    // diff, restore --verify: differences found
inline constexpr int kUsage = 2;          // the command line is wrong
inline constexpr int kReceiver = 3;       // the port or the receiver failed
inline constexpr int kFile = 4;           // a file could not be read or written
inline constexpr int kInterrupted = 130;  // Ctrl-C: stopped cleanly, nothing half done
}  // namespace ctl_exit

struct CtlRequest {
    CtlCommand command = CtlCommand::kStatus;
    // The command's own arguments, in order (file names, KEY VALUE).
    std::vector<std::string> arguments;
    // --port: "COM3", a device path, a socket:// or rfc2217:// URL, or "AUTO"; empty: COM1.
    std::string port;
    bool json = false;      // --json
    bool presets = false;   // --presets
    bool verify = false;    // --verify
    bool receiver = false;  // --receiver
    bool fast = false;      // --fast: pipelined transfers
};

enum class CtlAction {
    kRun,          // run `request`
    kShowHelp,     // print `helpText`, exit 0
    kShowVersion,  // print the version line, exit 0
    kUsageError,   // print `error` as one line (and point to --help), exit 2
};

struct CtlCommandLine {
    CtlAction action = CtlAction::kRun;
    CtlRequest request;
    std::string helpText;  // kShowHelp: the program's or one command's
    std::string error;     // kUsageError: what was wrong, without the program name
};

// `arguments` without the program name. Options go before or after the command; "--NAME=VALUE"
// and "--NAME VALUE" both work; "--" ends the options. A word that reads as a negative number
// ("-35.5") is an argument, not an option.
CtlCommandLine ParseCtlCommandLine(std::span<const std::string_view> arguments);

// The program's --help text (help2man reads it for the manual page), and one command's.
std::string CtlUsage();
std::string CtlCommandUsage(CtlCommand command);
std::string CtlVersionText();

}  // namespace tra1::programs
