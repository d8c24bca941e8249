// How close the transfers come to what the line allows: the whole editor, headless on the real
// clock, against tr-a1-sim on a real pseudo-terminal. For a "Current Setting" Download and
// Upload and a "Preset Setting" Download, stepwise and pipelined ("Fast Transfer"), it counts
// the bytes each way and prints the wall time over the line-rate bound (the larger direction at
// 960 bytes a second, plus the pauses the receiver needs between some frames).
//
//   tr-a1-transfer-bench [--sim PATH] [--runs N] [--only current-download|current-upload|
//                         preset-download] [--mode stepwise|pipelined]
//
// It is a measurement, not a test: its figures depend on the machine and its load.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_window_ids.h"
#include "app/receiver_editor_dlg.h"
#include "link/send_window.h"
#include "model/model_profile.h"
#include "model/receiver_image.h"
#include "platform/serial/com_port_map.h"
#include "platform/serial/mapped_serial_port.h"
#include "platform/serial/serial_port.h"
#include "platform/win/event_loop.h"
#include "platform/win/resource_registry.h"
#include "platform/win/scripted_prompter.h"
#include "platform/win/static.h"
#include "platform/win/steady_clock.h"
#include "platform/win/user_input.h"
#include "resources/icon_ids.h"
#include "resources/program_resources.h"

extern char** environ;

namespace {

namespace id = tra1::main_window;

constexpr double kLineBytesPerSecond = 960.0;
constexpr std::int64_t kConnectLimitMs = 20'000;
constexpr std::int64_t kTransferLimitMs = 30 * 60 * 1000;
constexpr int kSimPort = 1;

// Counts the bytes that pass the editor's serial line each way.
class CountingSerialPort final : public tra1::serial::SerialPort {
public:
    explicit CountingSerialPort(std::unique_ptr<tra1::serial::SerialPort> port)
        : port_(std::move(port)) {}

    tra1::serial::OpenResult Open(int port) override { return port_->Open(port); }
    bool IsOpen() const override { return port_->IsOpen(); }
    int OpenPortNumber() const override { return port_->OpenPortNumber(); }
    std::size_t BytesWaiting() override { return port_->BytesWaiting(); }
    std::size_t Read(std::span<char> buffer) override {
        const std::size_t n = port_->Read(buffer);
        bytesIn_ += n;
        return n;
    }
    std::size_t Write(std::string_view bytes) override {
        const std::size_t n = port_->Write(bytes);
        bytesOut_ += n;
        return n;
    }
    bool Close() override { return port_->Close(); }
    bool TakeHangUp() override { return port_->TakeHangUp(); }
    int ReadableDescriptor() const override { return port_->ReadableDescriptor(); }
    std::optional<std::int64_t> NextArrivalMs() const override { return port_->NextArrivalMs(); }
    tra1::serial::OpenError LastOpenError() const override { return port_->LastOpenError(); }

    std::size_t BytesIn() const { return bytesIn_; }
    std::size_t BytesOut() const { return bytesOut_; }

private:
    std::unique_ptr<tra1::serial::SerialPort> port_;
    std::size_t bytesIn_ = 0;
    std::size_t bytesOut_ = 0;
};

// tr-a1-sim on a pseudo-terminal, ended when this goes.
class SimProcess {
public:
    explicit SimProcess(const std::string& program) {
        int fds[2] = {-1, -1};
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        std::string path = program;
        char* argv[] = {path.data(), nullptr};
        if (::posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv, environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        out_ = fds[0];
    }
    ~SimProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            int status = 0;
            ::waitpid(pid_, &status, 0);
        }
        if (out_ >= 0) {
            ::close(out_);
        }
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The first line of its output (the device path); empty when none came in time.
    std::string FirstLine(int limitMs) {
        std::string line;
        while (pid_ > 0 && out_ >= 0) {
            pollfd p{out_, POLLIN, 0};
            if (::poll(&p, 1, limitMs) <= 0) {
                return {};
            }
            char c = 0;
            if (::read(out_, &c, 1) != 1) {
                return {};
            }
            if (c == '\n') {
                return line;
            }
            line += c;
        }
        return {};
    }

private:
    pid_t pid_ = -1;
    int out_ = -1;
};

struct Scenario {
    std::string_view name;
    int button;
    int settingRadio;
};

constexpr Scenario kScenarios[] = {
    {"current-download", id::kDownloadButton, id::kCurrentSettingRadio},
    {"current-upload", id::kUploadButton, id::kCurrentSettingRadio},
    {"preset-download", id::kDownloadButton, id::kPresetSettingRadio},
};

struct Measurement {
    bool ok = false;
    double seconds = 0;
    std::size_t bytesOut = 0;
    std::size_t bytesIn = 0;
    double pauseSeconds = 0;
};

double SteadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// One editor, connected to a fresh virtual receiver, runs one transfer.
Measurement RunOnce(const std::string& simProgram, const Scenario& scenario, bool pipelined) {
    Measurement m;
    SimProcess sim(simProgram);
    const std::string device = sim.FirstLine(10'000);
    if (device.empty()) {
        std::fprintf(stderr, "tr-a1-transfer-bench: %s gave no device path\n", simProgram.c_str());
        return m;
    }
    tra1::serial::ComPortMap ports;
    ports.SetCommandLineOverride(kSimPort, device);

    tra1::win::SteadyClock clock;
    tra1::win::EventLoop loop(clock);
    tra1::win::ScriptedPrompter prompter;
    loop.SetPrompter(&prompter);
    tra1::ReceiverImage image;
    tra1::ModelProfile profile;
    auto counting = std::make_unique<CountingSerialPort>(
        std::make_unique<tra1::serial::MappedSerialPort>(ports));
    CountingSerialPort& line = *counting;
    tra1::CReceiverEditorDlg window(loop, image, profile, std::move(counting));
    window.Transfer().SetPipelined(pipelined);
    if (!window.Create()) {
        return m;
    }
    window.Show();
    loop.DrainPosted();

    tra1::win::user::PickComboItem(window, id::kPortCombo, kSimPort);
    tra1::win::user::Click(window, id::kConnectButton);
    tra1::LinkState& state = window.Link().State();
    const auto connected = [&] {
        const auto* icon = window.Get<tra1::win::Static>(id::kConnectionIcon);
        return icon != nullptr && icon->GetIcon() == tra1::res::kIconConnectedAsync &&
               state.echoGuard == 0;
    };
    if (!loop.RunUntil(connected, kConnectLimitMs)) {
        std::fprintf(stderr, "tr-a1-transfer-bench: the virtual receiver did not answer\n");
        window.DestroyWindow();
        return m;
    }
    // Let the connection's own traffic end before counting.
    loop.RunUntil([] { return false; }, 300);

    const tra1::SendWindow& sends = window.Link().Sender().Window();
    const std::size_t outBefore = line.BytesOut();
    const std::size_t inBefore = line.BytesIn();
    const std::int64_t heldBefore = sends.HeldMsTotal();
    tra1::win::user::Click(window, scenario.settingRadio);
    const double start = SteadySeconds();
    tra1::win::user::Click(window, scenario.button);
    m.ok =
        loop.RunUntil([&] { return state.uploadInProgress == 0 && state.downloadInProgress == 0; },
                      kTransferLimitMs);
    m.seconds = SteadySeconds() - start;
    m.bytesOut = line.BytesOut() - outBefore;
    m.bytesIn = line.BytesIn() - inBefore;
    m.pauseSeconds = static_cast<double>(sends.HeldMsTotal() - heldBefore) / 1000.0;
    if (!prompter.Boxes().empty()) {
        m.ok = false;
        for (const std::string& text : prompter.BoxTexts()) {
            std::fprintf(stderr, "tr-a1-transfer-bench: message box: %s\n", text.c_str());
        }
    }
    window.DestroyWindow();
    loop.DrainPosted();
    return m;
}

}  // namespace

int main(int argc, char** argv) {
    std::string simProgram;
#ifdef TRA1_SIM_PROGRAM
    simProgram = TRA1_SIM_PROGRAM;
#endif
    int runs = 1;
    std::string_view only;
    std::string_view onlyMode;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--sim" && i + 1 < argc) {
            simProgram = argv[++i];
        } else if (arg == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--only" && i + 1 < argc) {
            only = argv[++i];
        } else if (arg == "--mode" && i + 1 < argc) {
            onlyMode = argv[++i];
        } else {
            std::fprintf(stderr,
                         "usage: tr-a1-transfer-bench [--sim PATH] [--runs N] [--only NAME] "
                         "[--mode stepwise|pipelined]\n");
            return 2;
        }
    }
    if (simProgram.empty()) {
        std::fprintf(stderr, "tr-a1-transfer-bench: name tr-a1-sim with --sim\n");
        return 2;
    }
    ::signal(SIGPIPE, SIG_IGN);
    tra1::res::AddProgramResources(tra1::win::ResourceRegistry::Instance());

    std::printf("%-18s %-9s %4s %9s %9s %9s %9s %9s %7s\n", "transfer", "mode", "run", "wall s",
                "out B", "in B", "pauses s", "bound s", "ratio");
    bool allOk = true;
    for (const Scenario& scenario : kScenarios) {
        if (!only.empty() && only != scenario.name) {
            continue;
        }
        for (const bool pipelined : {false, true}) {
            const std::string_view mode = pipelined ? "pipelined" : "stepwise";
            if (!onlyMode.empty() && onlyMode != mode) {
                continue;
            }
            for (int run = 1; run <= runs; ++run) {
                const Measurement m = RunOnce(simProgram, scenario, pipelined);
                const double bound =
                    static_cast<double>(std::max(m.bytesOut, m.bytesIn)) / kLineBytesPerSecond +
                    m.pauseSeconds;
                std::printf("%-18s %-9s %4d %9.2f %9zu %9zu %9.2f %9.2f %7.3f%s\n",
                            std::string(scenario.name).c_str(), std::string(mode).c_str(), run,
                            m.seconds, m.bytesOut, m.bytesIn, m.pauseSeconds, bound,
                            bound > 0 ? m.seconds / bound : 0.0, m.ok ? "" : "  FAILED");
                std::fflush(stdout);
                allOk = allOk && m.ok;
            }
        }
    }
    return allOk ? 0 : 1;
}
