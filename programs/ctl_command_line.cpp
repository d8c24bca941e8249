#include "programs/ctl_command_line.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "programs/program_version.h"

namespace tra1::programs {
namespace {

// The options a command takes besides --port and --help.
enum OptionBits : unsigned {
    kJson = 1U << 0U,
    kPresets = 1U << 1U,
    kVerify = 1U << 2U,
    kReceiver = 1U << 3U,
    kFast = 1U << 4U,
};

struct CommandRule {
    CtlCommand command;
    std::string_view name;
    std::string_view synopsis;  // after "tr-a1ctl [--port PORT] "
    std::string_view summary;   // one line for the program's help
    std::string_view details;   // the command's own help, after its synopsis
    unsigned options;
    std::size_t minArguments;
    std::size_t maxArguments;
    bool usesPort;  // whether the command talks to the receiver without --receiver
};

constexpr std::array kCommands = {
    CommandRule{CtlCommand::kStatus, "status", "status [--json]",
                "model, power, input, volume, mute, program and zone 2",
                "Asks the receiver for its state and prints one line each: model, power, input,\n"
                "volume (dB), mute, program and zone 2; with --json one JSON object.\n",
                kJson, 0, 0, true},
    CommandRule{CtlCommand::kSet, "set", "set KEY VALUE | set zone2 KEY VALUE",
                "change a main-zone or zone 2 control",
                "Changes one control of the main zone or of zone 2, with the names and values\n"
                "the editor shows:\n"
                "  power on|off            the receiver (standby when off)\n"
                "  input NAME              e.g. DVD, CD, TUNER\n"
                "  volume DB               -80.0 .. 16.5 in steps of 0.5, or MUTE\n"
                "  mute on|off\n"
                "  program NAME            e.g. \"Sci-Fi\"\n"
                "  zone2 power on|off, zone2 input NAME, zone2 volume DB, zone2 mute on|off\n"
                "A name or value the receiver does not have is an error that lists the valid "
                "ones.\n",
                0, 2, 3, true},
    CommandRule{CtlCommand::kBackup, "backup", "backup FILE.tcf [--presets] [--fast]",
                "read the receiver's configuration into a file (Upload)",
                "Reads the receiver's whole configuration (Upload) and writes it to FILE.tcf.\n"
                "With --presets the six preset memories are read too. The file is written only\n"
                "when everything was read, and atomically: never a partial file.\n"
                "With --fast the requests go out back to back (the editor's Configuration >\n"
                "\"Fast Transfer\"); should an answer go missing, the rest runs step by step.\n",
                kPresets | kFast, 1, 1, true},
    CommandRule{CtlCommand::kRestore, "restore",
                "restore FILE.tcf [--presets] [--fast] [--verify [--json]]",
                "write a file's configuration into the receiver (Download)",
                "Writes the configuration of FILE.tcf into the receiver (Download); with\n"
                "--presets the six preset memories too. With --verify everything is read back\n"
                "afterwards (Upload) and compared, knowing what the line cannot carry: the\n"
                "differences are listed as diff lists them and the exit status is 1.\n"
                "With --fast the frames go out back to back (the editor's Configuration >\n"
                "\"Fast Transfer\"); should an answer go missing, the rest runs step by step.\n",
                kPresets | kVerify | kJson | kFast, 1, 1, true},
    CommandRule{CtlCommand::kDiff, "diff",
                "diff A.tcf B.tcf [--json] | diff FILE.tcf --receiver [--presets] [--json]",
                "the settings that differ between two configurations",
                "Lists every setting that differs, one line each, by its report section and\n"
                "label with both values as the report prints them, for example\n"
                "  Speaker Level / FRONT L: 0.0 dB -> -2.5 dB\n"
                "With --receiver the file is compared with the receiver's configuration (read\n"
                "by an Upload first; with --presets the preset memories too), on what the line\n"
                "carries. With --json one JSON array. Exit status 0: no difference,\n"
                "1: differences.\n",
                kJson | kReceiver | kPresets, 1, 2, false},
    CommandRule{CtlCommand::kReport, "report", "report FILE.tcf | report --receiver [--presets]",
                "print the configuration report",
                "Prints the configuration report of FILE.tcf, or with --receiver of the\n"
                "receiver's configuration (read by an Upload first; with --presets the six\n"
                "preset memories too).\n",
                kReceiver | kPresets, 0, 1, false},
    CommandRule{CtlCommand::kMonitor, "monitor", "monitor",
                "show the frames both ways until interrupted",
                "Connects and shows every frame both ways with a time stamp, as the editor's\n"
                "log shows them, until interrupted (Ctrl-C).\n",
                0, 0, 0, true},
};

const CommandRule* FindCommand(std::string_view name) {
    const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                    [name](const auto& rule) { return rule.name == name; });
    return found != kCommands.end() ? &*found : nullptr;
}

const CommandRule& RuleOf(CtlCommand command) {
    return *std::find_if(kCommands.begin(), kCommands.end(),
                         [command](const auto& rule) { return rule.command == command; });
}

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

CtlCommandLine Error(std::string message) {
    CtlCommandLine result;
    result.action = CtlAction::kUsageError;
    result.error = std::move(message);
    return result;
}

bool IsNegativeNumber(std::string_view word) {
    return word.size() > 1 && word[0] == '-' &&
           (std::isdigit(static_cast<unsigned char>(word[1])) != 0 || word[1] == '.');
}

// The option bit of a command option; 0 for --port, --help and unknown names.
unsigned OptionBit(std::string_view name) {
    if (name == "--json") {
        return kJson;
    }
    if (name == "--presets") {
        return kPresets;
    }
    if (name == "--verify") {
        return kVerify;
    }
    if (name == "--receiver") {
        return kReceiver;
    }
    if (name == "--fast") {
        return kFast;
    }
    return 0;
}

void SetOption(unsigned bit, CtlRequest& request) {
    request.json = request.json || bit == kJson;
    request.presets = request.presets || bit == kPresets;
    request.verify = request.verify || bit == kVerify;
    request.receiver = request.receiver || bit == kReceiver;
    request.fast = request.fast || bit == kFast;
}

// The arguments the command got fit it: their number, and the --receiver forms.
std::optional<std::string> CheckArguments(const CommandRule& rule, const CtlRequest& request) {
    std::size_t count = request.arguments.size();
    std::size_t least = rule.minArguments;
    std::size_t most = rule.maxArguments;
    if (rule.command == CtlCommand::kDiff && request.receiver) {
        least = most = 1;
    } else if (rule.command == CtlCommand::kDiff) {
        least = most = 2;
    } else if (rule.command == CtlCommand::kReport) {
        least = most = request.receiver ? 0 : 1;
    } else if (rule.command == CtlCommand::kSet && count > 0 && request.arguments[0] == "zone2") {
        least = most = 3;
    } else if (rule.command == CtlCommand::kSet) {
        least = most = 2;
    }
    if ((rule.command == CtlCommand::kReport || rule.command == CtlCommand::kDiff) &&
        request.presets && !request.receiver) {
        return std::string(rule.name) +
               ": --presets goes with --receiver (a file holds its presets)";
    }
    if (rule.command == CtlCommand::kRestore && request.json && !request.verify) {
        return std::string("restore: --json goes with --verify");
    }
    if (count < least || count > most) {
        return std::string(rule.name) +
               ": wrong number of arguments; usage: " + std::string(kCtlProgramName) + " " +
               std::string(rule.synopsis);
    }
    return std::nullopt;
}

}  // namespace

CtlCommandLine ParseCtlCommandLine(std::span<const std::string_view> arguments) {
    CtlCommandLine result;
    const CommandRule* rule = nullptr;
    bool helpAsked = false;
    bool optionsEnded = false;
    std::vector<std::string_view> options;  // command options, checked once the command is known
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        const bool looksLikeOption = !optionsEnded && argument.size() > 1 && argument[0] == '-' &&
                                     !IsNegativeNumber(argument);
        if (!looksLikeOption) {
            if (rule == nullptr) {
                rule = FindCommand(argument);
                if (rule == nullptr) {
                    return Error("unknown command " + Quoted(argument));
                }
                result.request.command = rule->command;
            } else {
                result.request.arguments.emplace_back(argument);
            }
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const auto equals =
            argument.starts_with("--") ? argument.find('=') : std::string_view::npos;
        const std::string_view name = argument.substr(0, equals);
        if (name == "--help" || name == "-h") {
            helpAsked = true;
            continue;
        }
        if (name == "--version") {
            result.action = CtlAction::kShowVersion;
            return result;
        }
        if (name == "--port") {
            if (equals != std::string_view::npos) {
                result.request.port = std::string(argument.substr(equals + 1));
            } else if (i + 1 < arguments.size()) {
                result.request.port = std::string(arguments[++i]);
            } else {
                return Error("option '--port' needs a value: COMn, a device path or a URL");
            }
            if (result.request.port.empty()) {
                return Error("option '--port' needs a value: COMn, a device path or a URL");
            }
            continue;
        }
        if (OptionBit(name) == 0) {
            return Error("unknown option " + Quoted(name));
        }
        if (equals != std::string_view::npos) {
            return Error("option " + Quoted(name) + " takes no value");
        }
        options.push_back(name);
    }

    if (helpAsked) {
        result.action = CtlAction::kShowHelp;
        result.helpText = rule == nullptr ? CtlUsage() : CtlCommandUsage(rule->command);
        return result;
    }
    if (rule == nullptr) {
        return Error("no command given");
    }
    for (const std::string_view option : options) {
        const unsigned bit = OptionBit(option);
        if ((rule->options & bit) == 0) {
            return Error(std::string(rule->name) + " does not take " + Quoted(option));
        }
        SetOption(bit, result.request);
    }
    if (auto problem = CheckArguments(*rule, result.request)) {
        return Error(std::move(*problem));
    }
    return result;
}

std::string CtlUsage() {
    std::string text = "Usage: " + std::string(kCtlProgramName) +
                       " [--port PORT] COMMAND [ARGUMENTS] [OPTIONS]\n"
                       "Controls a Tolvek TR-A1 receiver on a serial port from the command line:\n"
                       "its state, single controls, backup and restore of its whole "
                       "configuration,\ncomparisons and the configuration report.\n\nCommands:\n";
    for (const auto& rule : kCommands) {
        std::string left = "  " + std::string(rule.name);
        left.resize(12, ' ');
        text += left + std::string(rule.summary) + "\n";
    }
    text +=
        "\nOptions:\n"
        "  --port PORT   where the receiver is: COM1..COM8 (led where the editor's port\n"
        "                settings and TRA1_COMn say), a device path such as /dev/ttyUSB0,\n"
        "                socket://HOST:PORT, rfc2217://HOST:PORT, or AUTO to search\n"
        "                COM1..COM8; default COM1\n"
        "  --fast        backup, restore: the frames go out back to back, as with the\n"
        "                editor's Configuration > \"Fast Transfer\"\n"
        "  --help        show this text, or with a command the command's help\n"
        "  --version     show the version\n"
        "\nExit status: 0 done (diff: no difference), 1 differences found, 2 usage error,\n"
        "3 port or receiver failure, 4 file error, 130 interrupted (Ctrl-C).\n"
        "Long work shows a progress bar on standard error when it is a terminal.\n"
        "\n`" +
        std::string(kCtlProgramName) + " COMMAND --help' shows the help of one command.\n";
    return text;
}

std::string CtlCommandUsage(CtlCommand command) {
    const CommandRule& rule = RuleOf(command);
    std::string text = "Usage: " + std::string(kCtlProgramName) + " [--port PORT] " +
                       std::string(rule.synopsis) + "\n" + std::string(rule.details);
    if (rule.usesPort || (rule.options & kReceiver) != 0) {
        text +=
            "\n--port PORT: COM1..COM8, a device path, socket://HOST:PORT, "
            "rfc2217://HOST:PORT or AUTO\n(default COM1).\n";
    }
    return text;
}

std::string CtlVersionText() {
    return VersionLine(kCtlProgramName);
}

}  // namespace tra1::programs
