#pragma once
// The editor's command line: --help, --version, --port and an optional configuration file to
// open at start-up. Plain C++ and parsed before any window system starts, so that --help and
// --version work without a display and the rules are tested without Qt. The options are one table
// in the .cpp: an option is one row there (its name, value, help line and what it sets) and one
// field in EditorOptions.

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tra1::programs {

inline constexpr std::string_view kEditorProgramName = "tr-a1-editor";

// What the editor is asked to do once it runs.
struct EditorOptions {
    // A configuration file to open as File > Open does, once the main window is up.
    std::optional<std::string> configurationFile;
    // --port COMn=TARGET, in the order given (a later one for the same n wins): where COMn
    // leads for this run, over the port settings and TRA1_COMn. An empty target: nowhere.
    std::vector<std::pair<int, std::string>> ports;
};

enum class CommandLineAction {
    kRun,          // start the editor with `options`
    kShowHelp,     // print the usage text, exit 0
    kShowVersion,  // print the version line, exit 0
    kUsageError,   // print `error` as one line, exit 2
};

struct EditorCommandLine {
    CommandLineAction action = CommandLineAction::kRun;
    EditorOptions options;
    std::string error;  // kUsageError: what was wrong, without the program name
};

// The exit status of a command line the editor cannot run with.
inline constexpr int kUsageExitStatus = 2;

// `arguments` without the program name. "--help" and "--version" end the parse where they
// stand; the first error ends it too. "--NAME=VALUE" and "--NAME VALUE" both work; "--" ends the
// options, so that a file whose name starts with "-" can still be given.
EditorCommandLine ParseEditorCommandLine(std::span<const std::string_view> arguments);

// argv[1..argc) as views.
std::vector<std::string_view> ArgumentsOf(int argc, const char* const* argv);

// The --help text (help2man reads it to write the manual page).
std::string EditorUsage();
// The --version text: program name and version on one line.
std::string EditorVersionText();

// For every action but kRun: writes the help or version text to `out`, or the error line to
// `err`, and gives the exit status. kRun: nothing, no status.
std::optional<int> FinishWithoutRunning(const EditorCommandLine& commandLine, std::ostream& out,
                                        std::ostream& err);

}  // namespace tra1::programs
