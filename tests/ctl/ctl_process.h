#pragma once
// tr-a1ctl started as a process, as a script starts it: standard output and standard error
// read through pipes (or standard error through a pseudo-terminal, where the program draws its
// progress bar), the exit status collected. Every wait is for an event (output, the end of the
// program) with a generous time-out of its own; the destructor kills and collects a program
// still running, so a failing test leaves nothing behind.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/support/child_process.h"

extern char** environ;

namespace tra1::testing {

class CtlProcess {
public:
    // `errorOnTerminal`: standard error is a pseudo-terminal instead of a pipe.
    explicit CtlProcess(std::vector<std::string> argv, bool errorOnTerminal = false) {
        int outPipe[2] = {-1, -1};
        int errPipe[2] = {-1, -1};
        if (::pipe2(outPipe, O_CLOEXEC) != 0) {
            return;
        }
        std::string terminalName;
        if (errorOnTerminal) {
            errFd_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
            if (errFd_ < 0 || ::grantpt(errFd_) != 0 || ::unlockpt(errFd_) != 0) {
                return;
            }
            terminalName = ::ptsname(errFd_);
        } else if (::pipe2(errPipe, O_CLOEXEC) == 0) {
            errFd_ = errPipe[0];
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
        if (errorOnTerminal) {
            posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, terminalName.c_str(),
                                             O_RDWR | O_NOCTTY, 0);
        } else {
            posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
        }
        std::vector<char*> args;
        for (std::string& a : argv) {
            args.push_back(a.data());
        }
        args.push_back(nullptr);
        started_ = ::posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
        ::close(outPipe[1]);
        if (!errorOnTerminal && errPipe[1] >= 0) {
            ::close(errPipe[1]);
        }
        outFd_ = outPipe[0];
        if (!started_) {
            pid_ = -1;
        }
    }
    ~CtlProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        for (const int fd : {outFd_, errFd_}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }
    CtlProcess(const CtlProcess&) = delete;
    CtlProcess& operator=(const CtlProcess&) = delete;

    bool Started() const { return started_; }
    const std::string& Out() const { return out_; }
    const std::string& Err() const { return err_; }

    // Reads until `text` shows on standard output (or standard error with `onError`); false when
    // it did not within `timeoutMs` or the program closed its output first.
    bool WaitForText(std::string_view text, bool onError, int timeoutMs) {
        const std::int64_t deadline = SteadyNowMs() + timeoutMs;
        while ((onError ? err_ : out_).find(text) == std::string::npos) {
            if (!ReadSome(deadline)) {
                return false;
            }
        }
        return true;
    }

    void Signal(int signal) {
        if (pid_ > 0) {
            ::kill(pid_, signal);
        }
    }

    // Reads everything until the program ends and gives its exit status; -1 when it did not
    // end within `timeoutMs` (it is then killed) or a signal ended it.
    int Finish(int timeoutMs) {
        const std::int64_t deadline = SteadyNowMs() + timeoutMs;
        while (ReadSome(deadline)) {
        }
        if (pid_ <= 0) {
            return -1;
        }
        // Output closed: the program is ending; collect it, killing it only past the deadline.
        int status = 0;
        while (::waitpid(pid_, &status, WNOHANG) == 0) {
            if (SteadyNowMs() > deadline) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, &status, 0);
                pid_ = -1;
                return -1;
            }
            ::poll(nullptr, 0, 10);  // the program is past its output: wait for its end
        }
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    // Reads what is there from either output; false when both are closed or the deadline
    // passed.
    bool ReadSome(std::int64_t deadline) {
        pollfd fds[2] = {{outFd_, POLLIN, 0}, {errFd_, POLLIN, 0}};
        if (outFd_ < 0 && errFd_ < 0) {
            return false;
        }
        const std::int64_t left = deadline - SteadyNowMs();
        if (left <= 0) {
            return false;
        }
        if (::poll(fds, 2, static_cast<int>(left)) <= 0) {
            return SteadyNowMs() < deadline;
        }
        Take(fds[0], outFd_, out_);
        Take(fds[1], errFd_, err_);
        return true;
    }
    static void Take(const pollfd& p, int& fd, std::string& into) {
        if (fd < 0 || (p.revents & (POLLIN | POLLHUP | POLLERR)) == 0) {
            return;
        }
        char chunk[4096];
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n <= 0) {
            ::close(fd);  // the end of a pipe, or EIO once the terminal's last user is gone
            fd = -1;
            return;
        }
        into.append(chunk, static_cast<std::size_t>(n));
    }

    pid_t pid_ = -1;
    bool started_ = false;
    int outFd_ = -1;
    int errFd_ = -1;
    std::string out_;
    std::string err_;
};

// tr-a1-sim on a pseudo-terminal with `options`; Device() is its path.
class SimOnTerminal {
public:
    explicit SimOnTerminal(std::vector<std::string> options = {})
        : process_(Argv(std::move(options))) {
        device_ = process_.ReadLine();
    }
    const std::string& Device() const { return device_; }

private:
    static std::vector<std::string> Argv(std::vector<std::string> options) {
        options.insert(options.begin(), TRA1_SIM_PROGRAM);
        return options;
    }
    ChildProcess process_;
    std::string device_;
};

}  // namespace tra1::testing
