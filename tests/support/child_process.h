#pragma once
// Real programs started by tests (tr-a1-sim, ser2net), with their standard output on a pipe.
// Every wait has its own generous time-out and waits on the event itself (a line of output,
// a port that accepts); nothing assumes how fast a program is. The destructor ends the program
// and collects it, so a failing test leaves no process behind.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace tra1::testing {

inline std::int64_t SteadyNowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class ChildProcess {
public:
    // Starts `argv[0]` with the arguments; standard output comes back through ReadLine,
    // standard error goes to the test's own.
    explicit ChildProcess(std::vector<std::string> argv) {
        int pipeFds[2] = {-1, -1};
        if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        std::vector<char*> args;
        for (std::string& a : argv) {
            args.push_back(a.data());
        }
        args.push_back(nullptr);
        started_ = ::posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeFds[1]);
        out_ = pipeFds[0];
        if (!started_) {
            pid_ = -1;
        }
    }
    ~ChildProcess() {
        Kill(SIGKILL);
        if (out_ >= 0) {
            ::close(out_);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return started_; }
    pid_t Pid() const { return pid_; }

    // The next line of standard output, without its line end; empty when none came within
    // `timeoutMs` or the program closed its output.
    std::string ReadLine(int timeoutMs = 30'000) {
        const std::int64_t deadline = SteadyNowMs() + timeoutMs;
        for (;;) {
            const auto end = buffered_.find('\n');
            if (end != std::string::npos) {
                std::string line = buffered_.substr(0, end);
                buffered_.erase(0, end + 1);
                return line;
            }
            const std::int64_t left = deadline - SteadyNowMs();
            if (out_ < 0 || left <= 0) {
                return {};
            }
            pollfd p{out_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left)) <= 0) {
                continue;
            }
            char chunk[256];
            const ssize_t n = ::read(out_, chunk, sizeof chunk);
            if (n <= 0) {
                ::close(out_);
                out_ = -1;
                continue;
            }
            buffered_.append(chunk, static_cast<std::size_t>(n));
        }
    }

    // Sends the signal and collects the program; its exit status (-1 when a signal ended it or
    // it was not running).
    int Kill(int signal = SIGTERM) {
        if (pid_ <= 0) {
            return -1;
        }
        ::kill(pid_, signal);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    bool started_ = false;
    int out_ = -1;
    std::string buffered_;
};

// A TCP port of 127.0.0.1 that nobody listens on right now.
inline int FreeTcpPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return port;
}

// Waits until a socket listens on TCP port `port` (read from /proc/net/tcp and tcp6, so that
// no probing connection reaches the server); false when none did within `timeoutMs`.
inline bool WaitUntilListening(int port, int timeoutMs = 30'000) {
    char portHex[8];
    std::snprintf(portHex, sizeof portHex, ":%04X", port);
    const std::int64_t deadline = SteadyNowMs() + timeoutMs;
    while (SteadyNowMs() < deadline) {
        for (const char* table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
            std::ifstream in(table);
            std::string line;
            std::getline(in, line);  // the heading
            while (std::getline(in, line)) {
                std::istringstream fields(line);
                std::string slot, local, remote, state;
                fields >> slot >> local >> remote >> state;
                if (state == "0A" && local.size() > 5 &&
                    local.compare(local.size() - 5, 5, portHex) == 0) {
                    return true;
                }
            }
        }
        ::poll(nullptr, 0, 20);  // look again; the deadline bounds it
    }
    return false;
}

}  // namespace tra1::testing
