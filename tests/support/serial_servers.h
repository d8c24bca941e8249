#pragma once
// The virtual receiver behind real serial servers, for tests: tr-a1-sim on a pseudo-terminal
// with Debian's ser2net in front of it (raw TCP or Telnet with RFC 2217), or tr-a1-sim serving
// TCP itself. Each object ends its programs when it goes.

#include <memory>
#include <string>
#include <vector>

#include "tests/support/child_process.h"

namespace tra1::testing {

#ifndef TRA1_SIM_PROGRAM
#define TRA1_SIM_PROGRAM ""
#endif
#ifndef TRA1_SER2NET_PROGRAM
#define TRA1_SER2NET_PROGRAM ""
#endif

// tr-a1-sim with its pseudo-terminal, or with its own TCP port (`tcp`).
class SimProcess {
public:
    explicit SimProcess(bool tcp = false, std::vector<std::string> options = {}) {
        std::vector<std::string> argv{TRA1_SIM_PROGRAM};
        if (tcp) {
            argv.insert(argv.end(), {"--tcp", "0"});
        }
        argv.insert(argv.end(), options.begin(), options.end());
        process_ = std::make_unique<ChildProcess>(argv);
        if (process_->Started()) {
            // The first line names the device or the socket:// address.
            address_ = process_->ReadLine();
        }
    }
    // The pseudo-terminal's path, or socket://127.0.0.1:PORT; empty when it did not start.
    const std::string& Address() const { return address_; }
    int Stop() { return process_->Kill(SIGTERM); }

private:
    std::unique_ptr<ChildProcess> process_;
    std::string address_;
};

// ser2net serving one device on a free port of 127.0.0.1.
class Ser2net {
public:
    Ser2net(const std::string& device, bool telnet) : port_(FreeTcpPort()) {
        const std::string accepter = std::string(telnet ? "telnet(rfc2217)," : "") +
                                     "tcp,127.0.0.1," + std::to_string(port_);
        const std::string config =
            "connection: &tra1\n"
            "  accepter: " +
            accepter +
            "\n"
            "  connector: serialdev," +
            device + ",9600n81,local\n";
        // -n: stay in the foreground; -u: no lock files in the system's lock folder.
        process_ = std::make_unique<ChildProcess>(
            std::vector<std::string>{TRA1_SER2NET_PROGRAM, "-n", "-u", "-Y", config});
        ready_ = process_->Started() && port_ != 0 && WaitUntilListening(port_);
        url_ = std::string(telnet ? "rfc2217" : "socket") + "://127.0.0.1:" + std::to_string(port_);
    }
    bool Ready() const { return ready_; }
    const std::string& Url() const { return url_; }
    // Ends ser2net at once, as a crash or a pulled network cable would.
    void Kill() { process_->Kill(SIGKILL); }

private:
    int port_;
    std::unique_ptr<ChildProcess> process_;
    bool ready_ = false;
    std::string url_;
};

inline bool Ser2netInstalled() {
    return std::string(TRA1_SER2NET_PROGRAM).rfind('/', 0) == 0 &&
           ::access(TRA1_SER2NET_PROGRAM, X_OK) == 0;
}

}  // namespace tra1::testing
