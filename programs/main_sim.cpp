// tr-a1-sim: a virtual TR-A1 receiver on a pseudo-terminal, for trying the editor without the
// hardware. It prints the terminal's device path on the first line of its output; point a COM
// port at it with TRA1_COMn=PATH (or use --link for a fixed path). With --tcp it serves the
// receiver as a raw serial server on 127.0.0.1 instead and prints the socket:// address.

#include <unistd.h>

#include <sys/stat.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "programs/program_version.h"
#include "sim/pty_server.h"
#include "sim/tcp_server.h"
#include "sim/virtual_receiver.h"

namespace {

volatile std::sig_atomic_t gStop = 0;

void OnSignal(int) {
    gStop = 1;
}

constexpr std::string_view kUsage =
    "Usage: tr-a1-sim [options]\n"
    "Serves a virtual TR-A1 receiver on a pseudo-terminal at 9600 baud and prints its device\n"
    "path. Stop it with Ctrl+C.\n"
    "\n"
    "Options:\n"
    "  --link PATH        also make PATH a symbolic link to the device (removed on exit)\n"
    "  --tcp PORT         serve on TCP port PORT of 127.0.0.1 instead, as a raw serial server\n"
    "                     (0: any free port); prints socket://127.0.0.1:PORT\n"
    "  --model N          report model code N: 0 TR-E1, 1 TR-C1, 2 TR-D1, 3 TR-C2, 4 TR-A2,\n"
    "                     5 TR-C3, 6 TR-B3, 7 TR-B2, 8 TR-A1 (default); any other: unknown\n"
    "  --model-code CODE  report these five characters as the model code (e.g. R9999)\n"
    "Faults:\n"
    "  --off              start in standby (the configuration frame reports power 0)\n"
    "  --silent           hear everything, answer nothing\n"
    "  --noise            put line noise before every answer\n"
    "  --split N          send every frame in N pieces with pauses between them\n"
    "  --drop N           drop the answers to the first N frames\n"
    "  --silent-after N   answer the first N frames heard, then nothing (a receiver\n"
    "                     switched off half way through a transfer)\n"
    "  --status D         refuse every extended frame with status digit D (1..9)\n"
    "  --help             show this text\n"
    "  --version          show the version\n";

bool ParseInt(const char* text, int& out) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || v < -1000000 || v > 1000000) {
        return false;
    }
    out = static_cast<int>(v);
    return true;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "tr-a1-sim: %s\n%s", message.c_str(), std::string(kUsage).c_str());
    return 2;
}

// Removes the link only while it still points at our device, so a link that someone else has
// meanwhile re-pointed is left alone.
void RemoveLink(const std::string& link, const std::string& device) {
    if (link.empty()) {
        return;
    }
    char target[4096] = {};
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    if (n > 0 && device == std::string(target, static_cast<std::size_t>(n))) {
        ::unlink(link.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    tra1::sim::VirtualReceiver receiver;
    std::string link;
    int tcpPort = -1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        int n = 0;
        if (arg == "--help" || arg == "-h") {
            std::fputs(std::string(kUsage).c_str(), stdout);
            return 0;
        } else if (arg == "--version") {
            std::fputs(tra1::programs::VersionLine("tr-a1-sim").c_str(), stdout);
            return 0;
        } else if (arg == "--link" && hasValue) {
            link = argv[++i];
        } else if (arg == "--tcp" && hasValue && ParseInt(argv[i + 1], n) && n >= 0 && n <= 65535) {
            ++i;
            tcpPort = n;
        } else if (arg == "--model" && hasValue && ParseInt(argv[i + 1], n)) {
            ++i;
            receiver.SetModel(n);
        } else if (arg == "--model-code" && hasValue) {
            receiver.SetReportedModelCode(argv[++i]);
        } else if (arg == "--off") {
            receiver.SetPower(false);
        } else if (arg == "--silent") {
            receiver.Faults().silent = true;
        } else if (arg == "--noise") {
            receiver.Faults().lineNoise = true;
        } else if (arg == "--split" && hasValue && ParseInt(argv[i + 1], n) && n >= 1) {
            ++i;
            receiver.Faults().splitPieces = n;
        } else if (arg == "--drop" && hasValue && ParseInt(argv[i + 1], n) && n >= 0) {
            ++i;
            receiver.Faults().dropNextAnswers = n;
        } else if (arg == "--silent-after" && hasValue && ParseInt(argv[i + 1], n) && n >= 0) {
            ++i;
            receiver.Faults().silentAfterFrames = n;
        } else if (arg == "--status" && hasValue && std::strlen(argv[i + 1]) == 1 &&
                   argv[i + 1][0] >= '1' && argv[i + 1][0] <= '9') {
            receiver.Faults().extendedStatus = argv[++i][0];
        } else {
            return Fail("bad option or value: " + std::string(arg));
        }
    }

    if (tcpPort >= 0 && !link.empty()) {
        return Fail("--link and --tcp do not go together");
    }

    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no restart: a signal must wake the poll
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    // A client that goes away mid-answer is noticed by the failed write, not by a signal.
    std::signal(SIGPIPE, SIG_IGN);

    if (tcpPort >= 0) {
        tra1::sim::TcpServer server(receiver);
        std::string error;
        if (!server.Listen(tcpPort, error)) {
            std::fprintf(stderr, "tr-a1-sim: cannot listen: %s\n", error.c_str());
            return 1;
        }
        std::printf("socket://127.0.0.1:%d\n", server.Port());
        std::fflush(stdout);
        std::fprintf(stderr,
                     "tr-a1-sim: virtual receiver (model code %s) on socket://127.0.0.1:%d\n",
                     receiver.ReportedModelCode().c_str(), server.Port());
        return server.Run(gStop);
    }

    tra1::sim::PtyServer server(receiver);
    std::string error;
    if (!server.Open(error)) {
        std::fprintf(stderr, "tr-a1-sim: cannot create a pseudo-terminal: %s\n", error.c_str());
        return 1;
    }

    if (!link.empty()) {
        struct stat st {};
        if (::lstat(link.c_str(), &st) == 0) {
            if (!S_ISLNK(st.st_mode)) {
                std::fprintf(stderr, "tr-a1-sim: %s exists and is not a symbolic link\n",
                             link.c_str());
                return 1;
            }
            ::unlink(link.c_str());  // a stale link from an earlier run
        }
        if (::symlink(server.DevicePath().c_str(), link.c_str()) != 0) {
            std::fprintf(stderr, "tr-a1-sim: cannot link %s: %s\n", link.c_str(),
                         std::strerror(errno));
            return 1;
        }
    }

    std::printf("%s\n", server.DevicePath().c_str());
    std::fflush(stdout);
    std::fprintf(stderr, "tr-a1-sim: virtual receiver (model code %s) on %s%s%s\n",
                 receiver.ReportedModelCode().c_str(), server.DevicePath().c_str(),
                 link.empty() ? "" : ", linked from ", link.c_str());

    const int rc = server.Run(gStop);
    RemoveLink(link, server.DevicePath());
    return rc;
}
