// The termios port against real pseudo-terminals: one made here (to control the far end's
// hang-up exactly), and the tr-a1-sim program serving the virtual receiver.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <string>

#include "platform/serial/posix_serial_port.h"

extern char** environ;

namespace tra1::serial {
namespace {

// A bounded number of short waits for a real OS process or device; nothing here asserts on
// how long anything took.
template <typename Done>
bool WaitFor(Done done, int attempts = 500) {
    for (int i = 0; i < attempts; ++i) {
        if (done()) {
            return true;
        }
        ::usleep(10'000);
    }
    return done();
}

std::string ReadAvailable(PosixSerialPort& port) {
    std::string out;
    std::array<char, 256> buffer{};
    while (const std::size_t waiting = port.BytesWaiting()) {
        const std::size_t n =
            port.Read(std::span<char>(buffer.data(), std::min(waiting, buffer.size())));
        if (n == 0) {
            break;
        }
        out.append(buffer.data(), n);
    }
    return out;
}

TEST(PosixSerialPortOnPty, HangUpIsReportedOnceAndClosesThePort) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string slave = ::ptsname(master);

    PosixSerialPort port;
    ASSERT_EQ(port.OpenDevice(slave, 2), OpenResult::kOpened);  // no modem lines needed
    EXPECT_EQ(port.OpenPortNumber(), 2);
    ASSERT_EQ(::write(master, "\x12R3109\x03", 7), 7);
    std::string got;
    ASSERT_TRUE(WaitFor([&] {
        got += ReadAvailable(port);
        return got.size() >= 7;
    }));
    EXPECT_EQ(got, "\x12R3109\x03");
    EXPECT_EQ(port.Write("\x11"
                         "000\x03"),
              5u);

    ::close(master);
    int reports = 0;
    WaitFor([&] {
        port.BytesWaiting();
        std::array<char, 8> b{};
        port.Read(b);
        reports += port.TakeHangUp() ? 1 : 0;
        return !port.IsOpen();
    });
    // Keep polling as the link's 10 ms poll would: no further report, no error loop.
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(port.BytesWaiting(), 0u);
        reports += port.TakeHangUp() ? 1 : 0;
    }
    EXPECT_EQ(reports, 1);
    EXPECT_FALSE(port.IsOpen());
}

#ifdef TRA1_SIM_PROGRAM

// Runs tr-a1-sim for the life of the object.
class SimProcess {
public:
    explicit SimProcess(const std::string& link) : link_(link) {
        const std::string program = TRA1_SIM_PROGRAM;
        std::array<char*, 4> argv{const_cast<char*>(program.c_str()), const_cast<char*>("--link"),
                                  const_cast<char*>(link_.c_str()), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        started_ =
            ::posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~SimProcess() { Stop(); }
    bool Started() const { return started_; }
    int Stop() {
        if (!started_ || pid_ <= 0) {
            return -1;
        }
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    std::string link_;
    pid_t pid_ = -1;
    bool started_ = false;
};

TEST(PosixSerialPortOnPty, StatusRequestToTheVirtualReceiver) {
    const std::string link =
        std::string(::testing::TempDir()) + "tra1-sim-" + std::to_string(::getpid());
    ::unlink(link.c_str());
    SimProcess sim(link);
    ASSERT_TRUE(sim.Started());
    ASSERT_TRUE(WaitFor([&] { return ::access(link.c_str(), F_OK) == 0; }));

    ::setenv("TRA1_COM5", link.c_str(), 1);
    PosixSerialPort port;
    ASSERT_EQ(port.Open(5), OpenResult::kOpened);
    ::unsetenv("TRA1_COM5");
    ASSERT_EQ(port.Write("\x11"
                         "000\x03"),
              5u);

    std::string got;
    ASSERT_TRUE(WaitFor([&] {
        got += ReadAvailable(port);
        return !got.empty() && got.back() == '\x03';
    }));
    ASSERT_GE(got.size(), 6u + 10 + 113 + 1);
    EXPECT_EQ(got.front(), '\x12');
    EXPECT_EQ(got.substr(1, 5), "R3109");
    EXPECT_EQ(got[1 + 15 + 1], '1');  // powered on

    // Closing and reopening works (the exclusive flag is lifted on close).
    EXPECT_TRUE(port.Close());
    ASSERT_EQ(port.OpenDevice(link, 5), OpenResult::kOpened);

    // The program ends cleanly on SIGTERM and removes its link; the port sees the hang-up once.
    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_NE(::access(link.c_str(), F_OK), 0);
    int reports = 0;
    WaitFor([&] {
        port.BytesWaiting();
        reports += port.TakeHangUp() ? 1 : 0;
        return !port.IsOpen();
    });
    port.BytesWaiting();
    reports += port.TakeHangUp() ? 1 : 0;
    EXPECT_EQ(reports, 1);
}

#endif

}  // namespace
}  // namespace tra1::serial
