#include "programs/editor_command_line.h"

#include <algorithm>
#include <array>
#include <ostream>

#include "platform/serial/com_port_map.h"
#include "programs/program_version.h"

namespace tra1::programs {

namespace {

// One command-line option. `apply` gets the option's value (empty for an option that takes
// none) and says what is wrong with it, if anything.
struct OptionRule {
    std::string_view name;       // "--version"
    std::string_view shortName;  // "-h", or empty
    std::string_view valueName;  // the value's name in the help; empty: the option takes none
    std::string_view help;
    std::optional<std::string> (*apply)(std::string_view value, EditorCommandLine& result);
};

constexpr std::array kOptions = {
    OptionRule{"--help", "-h", "", "show this text and exit",
               [](std::string_view, EditorCommandLine& result) -> std::optional<std::string> {
                   result.action = CommandLineAction::kShowHelp;
                   return std::nullopt;
               }},
    OptionRule{"--version", "", "", "show the version and exit",
               [](std::string_view, EditorCommandLine& result) -> std::optional<std::string> {
                   result.action = CommandLineAction::kShowVersion;
                   return std::nullopt;
               }},
    OptionRule{"--port", "", "COMn=TARGET",
               "lead COMn (n = 1..8) to TARGET in this run: a device path,\n"
               "socket://HOST:PORT (raw TCP) or rfc2217://HOST:PORT (Telnet, RFC 2217);\n"
               "empty: nowhere. Repeatable; over the port settings and TRA1_COMn",
               [](std::string_view value, EditorCommandLine& result) -> std::optional<std::string> {
                   auto assignment = serial::ParsePortAssignment(value);
                   if (!assignment) {
                       return "bad port '" + std::string(value) +
                              "': use COMn=DEVICE, COMn=socket://HOST:PORT or "
                              "COMn=rfc2217://HOST:PORT with n = 1..8";
                   }
                   result.options.ports.push_back(std::move(*assignment));
                   return std::nullopt;
               }},
};

const OptionRule* FindOption(std::string_view name) {
    const auto found = std::find_if(kOptions.begin(), kOptions.end(), [name](const auto& rule) {
        return name == rule.name || (!rule.shortName.empty() && name == rule.shortName);
    });
    return found != kOptions.end() ? &*found : nullptr;
}

std::string Quoted(std::string_view text) {
    std::string quoted("'");
    quoted += text;
    quoted += '\'';
    return quoted;
}

EditorCommandLine Error(std::string message) {
    EditorCommandLine result;
    result.action = CommandLineAction::kUsageError;
    result.error = std::move(message);
    return result;
}

// The file argument: at most one, and never empty.
std::optional<std::string> TakeFile(std::string_view argument, EditorOptions& options) {
    if (argument.empty()) {
        return "the configuration file name is empty";
    }
    if (options.configurationFile) {
        return "only one configuration file can be opened, got " +
               Quoted(*options.configurationFile) + " and " + Quoted(argument);
    }
    options.configurationFile = std::string(argument);
    return std::nullopt;
}

// The left column of an option's help line: "  -h, --help" or "      --port=COMn=DEVICE".
std::string HelpColumn(const OptionRule& rule) {
    std::string column =
        rule.shortName.empty() ? "      " : "  " + std::string(rule.shortName) + ", ";
    column += rule.name;
    if (!rule.valueName.empty()) {
        column += '=';
        column += rule.valueName;
    }
    return column;
}

}  // namespace

EditorCommandLine ParseEditorCommandLine(std::span<const std::string_view> arguments) {
    EditorCommandLine result;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        const bool looksLikeOption = argument.size() > 1 && argument.front() == '-';
        if (optionsEnded || !looksLikeOption) {
            if (auto problem = TakeFile(argument, result.options)) {
                return Error(std::move(*problem));
            }
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        // "--name=value" carries its value; "--name value" takes the next argument.
        const auto equals =
            argument.starts_with("--") ? argument.find('=') : std::string_view::npos;
        const std::string_view name = argument.substr(0, equals);
        const OptionRule* rule = FindOption(name);
        if (rule == nullptr) {
            return Error("unknown option " + Quoted(name));
        }
        std::string_view value;
        if (rule->valueName.empty()) {
            if (equals != std::string_view::npos) {
                return Error("option " + Quoted(rule->name) + " takes no value");
            }
        } else if (equals != std::string_view::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return Error("option " + Quoted(rule->name) +
                         " needs a value: " + std::string(rule->valueName));
        }
        if (auto problem = rule->apply(value, result)) {
            return Error(std::move(*problem));
        }
        if (result.action != CommandLineAction::kRun) {
            return result;  // --help or --version: nothing after it matters
        }
    }
    return result;
}

std::vector<std::string_view> ArgumentsOf(int argc, const char* const* argv) {
    std::vector<std::string_view> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    return arguments;
}

std::string EditorUsage() {
    std::string text = "Usage: ";
    text += kEditorProgramName;
    text +=
        " [OPTION]... [FILE.tcf]\n"
        "Edits the settings of a Tolvek TR-A1 audio/video receiver connected to a serial port,\n"
        "keeps them in step with the receiver and saves them as .tcf configuration files.\n"
        "FILE.tcf, when given, is opened at start-up as File > Open does.\n"
        "\n"
        "Options:\n";
    std::size_t width = 0;
    for (const auto& rule : kOptions) {
        width = std::max(width, HelpColumn(rule).size());
    }
    for (const auto& rule : kOptions) {
        std::string column = HelpColumn(rule);
        column.resize(width + 2, ' ');
        text += column;
        // A help of several lines goes on under its first.
        for (const char c : rule.help) {
            text += c;
            if (c == '\n') {
                text += std::string(width + 2, ' ');
            }
        }
        text += '\n';
    }
    text +=
        "\n"
        "Environment:\n"
        "  TRA1_COMn=TARGET  lead COMn (n = 1..8) to TARGET in this run, over the port\n"
        "                    settings (Connection > Port Settings...); without either,\n"
        "                    COM1 to COM8 are /dev/ttyS0 to /dev/ttyS7\n";
    return text;
}

std::string EditorVersionText() {
    return VersionLine(kEditorProgramName);
}

std::optional<int> FinishWithoutRunning(const EditorCommandLine& commandLine, std::ostream& out,
                                        std::ostream& err) {
    switch (commandLine.action) {
        case CommandLineAction::kRun:
            return std::nullopt;
        case CommandLineAction::kShowHelp:
            out << EditorUsage();
            return 0;
        case CommandLineAction::kShowVersion:
            out << EditorVersionText();
            return 0;
        case CommandLineAction::kUsageError:
            err << kEditorProgramName << ": " << commandLine.error << " (see " << kEditorProgramName
                << " --help)\n";
            return kUsageExitStatus;
    }
    return kUsageExitStatus;
}

}  // namespace tra1::programs
