// tr-a1ctl: the TR-A1 from the command line. The same link, transfers and files as the editor,
// without windows, on the real clock; each COM number leads where the editor's port settings
// and TRA1_COMn say, or --port names a device or server of its own (see the README).

#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <memory>
#include <string>

#include "platform/files/file_size_limit.h"
#include "platform/serial/ini_port_settings_store.h"
#include "platform/serial/mapped_serial_port.h"
#include "platform/win/event_loop.h"
#include "platform/win/resource_registry.h"
#include "platform/win/steady_clock.h"
#include "programs/ctl/ctl_commands.h"
#include "programs/ctl/progress_bar.h"
#include "programs/ctl_command_line.h"
#include "resources/program_resources.h"

namespace {

volatile std::sig_atomic_t gInterrupted = 0;

void OnInterrupt(int) {
    gInterrupted = 1;
}

// Ctrl-C, and the polite ends of a terminal or a service manager, stop the work cleanly.
void CatchInterrupts() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
    // A reader of our output that goes away (monitor | head) is noticed by the failed write.
    std::signal(SIGPIPE, SIG_IGN);
}

// The editor's settings file, where its Port Settings keep the [ports] section.
std::string EditorSettingsFile() {
    std::string folder;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0') {
        folder = config;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        folder = std::string(home) + "/.config";
    } else {
        return {};
    }
    return folder + "/tr-a1-editor/tr-a1-editor.conf";
}

// "14:03:27.512", the local time of day.
std::string TimeOfDay() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min,
                  local.tm_sec, static_cast<int>(ms));
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tra1::programs;
    std::vector<std::string_view> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    const CtlCommandLine commandLine = ParseCtlCommandLine(arguments);
    switch (commandLine.action) {
        case CtlAction::kShowHelp:
            std::cout << commandLine.helpText;
            return ctl_exit::kDone;
        case CtlAction::kShowVersion:
            std::cout << CtlVersionText();
            return ctl_exit::kDone;
        case CtlAction::kUsageError:
            std::cerr << kCtlProgramName << ": " << commandLine.error << "\n"
                      << "Try '" << kCtlProgramName << " --help' for more information.\n";
            return ctl_exit::kUsage;
        case CtlAction::kRun:
            break;
    }

    CatchInterrupts();
    // A backup beyond the file-size limit fails like one on a full disk.
    tra1::files::TreatFileSizeLimitAsWriteError();
    tra1::res::AddProgramResources(tra1::win::ResourceRegistry::Instance());

    tra1::win::SteadyClock clock;
    tra1::win::EventLoop loop(clock);
    const std::string settingsFile = EditorSettingsFile();
    std::unique_ptr<tra1::serial::IniPortSettingsStore> settings;
    if (!settingsFile.empty()) {
        settings = std::make_unique<tra1::serial::IniPortSettingsStore>(settingsFile);
    }
    ProgressBar bar(std::cerr);
    CtlContext context{
        .loop = loop,
        .out = std::cout,
        .err = std::cerr,
        .makeLine =
            [](const tra1::serial::ComPortMap& map) {
                return std::make_unique<tra1::serial::MappedSerialPort>(map);
            },
        .settings = settings.get(),
        .readEnvironment = true,
        .interrupted = [] { return gInterrupted != 0; },
        .timeStamp = TimeOfDay,
        .progress = ::isatty(STDERR_FILENO) != 0 ? &bar : nullptr,
    };
    return RunCtlCommand(context, commandLine.request);
}
