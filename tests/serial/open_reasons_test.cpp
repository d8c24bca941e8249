// Why a port would not open, as the user is told: a device without permission, a path that
// does not exist, a device another program holds, a refused or silent TCP server, a number
// mapped to nothing. Real devices, files and sockets; no time is measured.

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "platform/serial/com_port_map.h"
#include "platform/serial/device_lock.h"
#include "platform/serial/mapped_serial_port.h"
#include "platform/serial/posix_serial_port.h"

namespace tra1::serial {
namespace {

namespace fs = std::filesystem;
using Kind = OpenError::Kind;

// A pseudo-terminal whose terminal side stands in for a serial device.
class Pty {
public:
    Pty() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
            path_ = ::ptsname(master_);
        }
    }
    ~Pty() {
        if (master_ >= 0) {
            ::close(master_);
        }
    }
    const std::string& Path() const { return path_; }

private:
    int master_ = -1;
    std::string path_;
};

fs::path ScratchFolder(const std::string& name) {
    const fs::path folder =
        fs::path(::testing::TempDir()) / (name + "-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

class OpenReasons : public ::testing::Test {
protected:
    OpenReasons() : lockFolder_(ScratchFolder("tra1-locks")), port_(map_) {
        port_.SetLockFolder(lockFolder_.string());
    }
    ~OpenReasons() override { fs::remove_all(lockFolder_); }

    OpenResult OpenMapped(int number, const std::string& target) {
        map_.SetCommandLineOverride(number, target);
        return port_.Open(number);
    }

    fs::path lockFolder_;
    ComPortMap map_;
    MappedSerialPort port_;
};

TEST_F(OpenReasons, APathThatDoesNotExist) {
    EXPECT_EQ(OpenMapped(1, "/dev/tra1-no-such-adapter"), OpenResult::kRefused);
    EXPECT_EQ(port_.LastOpenError().kind, Kind::kNoSuchDevice);
    EXPECT_EQ(port_.LastOpenError().Describe(),
              "/dev/tra1-no-such-adapter: no such device. Is the adapter plugged in?");
}

TEST_F(OpenReasons, ADeviceNodeWithoutPermissionNamesItsGroupAndHowToJoinIt) {
    Pty pty;
    ASSERT_FALSE(pty.Path().empty());
    ASSERT_EQ(::chmod(pty.Path().c_str(), 0600), 0);
    struct stat st {};
    ASSERT_EQ(::stat(pty.Path().c_str(), &st), 0);
    // Root may open anything, so the open is tried as an ordinary user in a child process,
    // which reports the reason back through a pipe.
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipeFds[0]);
        constexpr uid_t kNobody = 65534;
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
            ::_exit(3);
        }
        ComPortMap map;
        map.SetCommandLineOverride(4, pty.Path());
        MappedSerialPort port(map);
        port.SetLockFolder("/nonexistent");
        const OpenResult result = port.Open(4);
        const std::string text = (result == OpenResult::kRefused ? "refused " : "other ") +
                                 std::to_string(static_cast<int>(port.LastOpenError().kind)) + " " +
                                 port.LastOpenError().Describe();
        (void)!::write(pipeFds[1], text.data(), text.size());
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    std::string report;
    std::array<char, 512> buffer{};
    for (ssize_t n; (n = ::read(pipeFds[0], buffer.data(), buffer.size())) > 0;) {
        report.append(buffer.data(), static_cast<std::size_t>(n));
    }
    ::close(pipeFds[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    const std::string group =
        ::getgrgid(st.st_gid) != nullptr ? ::getgrgid(st.st_gid)->gr_name : std::string("dialout");
    EXPECT_EQ(report, "refused " + std::to_string(static_cast<int>(Kind::kPermissionDenied)) + " " +
                          pty.Path() + ": permission denied. Members of the group '" + group +
                          "' may use it: run 'sudo adduser $USER " + group +
                          "', then log out and in again.");
}

TEST_F(OpenReasons, ADeviceInUseByAnotherProgramOrLockedByIt) {
    Pty pty;
    ASSERT_FALSE(pty.Path().empty());
    PosixSerialPort first;
    first.SetLockFolder(lockFolder_.string());
    ASSERT_EQ(first.OpenDevice(pty.Path(), 1), OpenResult::kOpened);
    EXPECT_EQ(OpenMapped(2, pty.Path()), OpenResult::kRefused);
    EXPECT_EQ(port_.LastOpenError().kind, Kind::kBusy);
    EXPECT_EQ(port_.LastOpenError().Describe(),
              pty.Path() + ": busy, another program is using it.");
    // Once the first lets go, it opens.
    EXPECT_TRUE(first.Close());
    EXPECT_EQ(port_.Open(2), OpenResult::kOpened);
    EXPECT_FALSE(port_.LastOpenError().IsError());
    port_.Close();

    // The lock files of the serial programs: a live owner keeps the device, a dead one not.
    DeviceLockFile lock;
    const std::string device = "/dev/ttyTRA1TEST";
    EXPECT_EQ(DeviceLockFile::LockFileName(device), "LCK..ttyTRA1TEST");
    EXPECT_EQ(DeviceLockFile::LockFileName("/dev/pts/3"), "");
    const fs::path file = lockFolder_ / "LCK..ttyTRA1TEST";
    std::ofstream(file) << "      " << ::getppid() << "\n";
    const OpenError held = lock.Acquire(lockFolder_.string(), device);
    EXPECT_EQ(held.kind, Kind::kLocked);
    EXPECT_EQ(held.Describe(), device + ": locked by another program (process " +
                                   std::to_string(::getppid()) + ").");

    const pid_t gone = ::fork();
    if (gone == 0) {
        ::_exit(0);
    }
    ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
    std::ofstream(file, std::ios::trunc) << "      " << gone << "\n";
    EXPECT_FALSE(lock.Acquire(lockFolder_.string(), device).IsError());
    std::string owner;
    std::getline(std::ifstream(file), owner);
    EXPECT_EQ(std::stoi(owner), ::getpid());
    EXPECT_EQ(owner.size(), 10u);
    lock.Release();
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(OpenReasons, NotASerialPortNotMappedAndNotAnAddress) {
    EXPECT_EQ(OpenMapped(5, "/dev/null"), OpenResult::kSettingsFailed);
    EXPECT_EQ(port_.LastOpenError().Describe(),
              "/dev/null: not a serial port (the line settings could not be applied).");
    EXPECT_EQ(OpenMapped(6, ""), OpenResult::kNotMapped);
    EXPECT_EQ(port_.LastOpenError().Describe(),
              "Not mapped to any device or server (Connection > Port Settings...).");
    map_.SetCommandLineOverride(7, "socket://nowhere");
    EXPECT_EQ(port_.Open(7), OpenResult::kRefused);
    EXPECT_EQ(port_.LastOpenError().kind, Kind::kBadTarget);
    EXPECT_FALSE(port_.IsOpen());
}

// A listening socket of the test on 127.0.0.1.
class Listener {
public:
    explicit Listener(bool listen) {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            (!listen || ::listen(fd_, 4) == 0) &&
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            port_ = ntohs(address.sin_port);
        }
    }
    ~Listener() { ::close(fd_); }
    int Port() const { return port_; }
    int Fd() const { return fd_; }

private:
    int fd_ = -1;
    int port_ = 0;
};

TEST_F(OpenReasons, ARefusedTcpPortAndATelnetServerThatNeverAnswers) {
    // Bound but not listening: the port is taken, so nothing else answers on it meanwhile.
    const Listener closed(false);
    ASSERT_NE(closed.Port(), 0);
    const std::string where = "127.0.0.1:" + std::to_string(closed.Port());
    EXPECT_EQ(OpenMapped(3, "socket://" + where), OpenResult::kRefused);
    EXPECT_EQ(port_.LastOpenError().kind, Kind::kConnectionRefused);
    EXPECT_EQ(port_.LastOpenError().Describe(),
              where + ": connection refused. Is the serial server running on that port?");
    EXPECT_EQ(OpenMapped(3, "rfc2217://" + where), OpenResult::kRefused);
    EXPECT_EQ(port_.LastOpenError().kind, Kind::kConnectionRefused);

    // A raw server given as rfc2217:// never answers the Telnet opening.
    const Listener raw(true);
    const std::string rawWhere = "127.0.0.1:" + std::to_string(raw.Port());
    EXPECT_EQ(OpenMapped(3, "rfc2217://" + rawWhere), OpenResult::kRefused);
    EXPECT_EQ(port_.LastOpenError().Describe(),
              rawWhere + ": the server does not answer in Telnet; for a raw server use socket://.");
    EXPECT_FALSE(port_.IsOpen());
}

}  // namespace
}  // namespace tra1::serial
