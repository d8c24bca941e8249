#include "platform/serial/posix_serial_port.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/serial/com_port_path.h"

namespace tra1::serial {
namespace {

// The link's write time-out: 10 ms per byte, nothing constant.
constexpr int kWriteMsPerByte = 10;

// The link's read interval time-out of 500 ms, in tenths of a second. Reads only ever ask for
// bytes that are already waiting, so it never actually delays anything.
constexpr cc_t kReadIntervalDeciseconds = 5;

// The group that may open a device, for telling the user which group to join.
std::string DeviceGroup(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return {};
    }
    const group* owner = ::getgrgid(st.st_gid);
    return owner != nullptr && owner->gr_name != nullptr ? owner->gr_name : std::string();
}

// The device behind symbolic links such as /dev/serial/by-id/..., which is what lock files
// name.
std::string ResolvedPath(const std::string& path) {
    char resolved[PATH_MAX] = {};
    return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

}  // namespace

PosixSerialPort::~PosixSerialPort() {
    Close();
}

OpenResult PosixSerialPort::Open(int port) {
    Close();
    if (!IsComPortNumber(port)) {
        error_ = OpenError{OpenError::Kind::kNotMapped, {}, {}};
        return OpenResult::kRefused;
    }
    return OpenDevice(ComPortDevicePath(port), port);
}

OpenResult PosixSerialPort::Refuse(OpenError error) {
    error_ = std::move(error);
    return OpenResult::kRefused;
}

OpenResult PosixSerialPort::OpenDevice(const std::string& path, int portNumber) {
    Close();
    hungUp_ = false;
    error_ = {};
    // No controlling terminal: a pseudo-terminal must never become the editor's terminal.
    // Non-blocking, so that neither open nor a write can hang on absent modem or flow-control
    // lines.
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        OpenError error = OpenErrorFromErrno(errno, path);
        if (error.kind == OpenError::Kind::kPermissionDenied) {
            error.detail = DeviceGroup(path);
        }
        return Refuse(std::move(error));
    }
    // One program at a time: the advisory lock keeps out every program that asks for it (root
    // included, whom the exclusive flag does not stop), the exclusive flag every other open.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        ::close(fd);
        return Refuse(OpenError{OpenError::Kind::kBusy, path, {}});
    }
    (void)::ioctl(fd, TIOCEXCL);
    if (OpenError locked = lockFile_.Acquire(lockFolder_, ResolvedPath(path)); locked.IsError()) {
        (void)::ioctl(fd, TIOCNXCL);
        ::close(fd);
        locked.target = path;
        return Refuse(std::move(locked));
    }
    fd_ = fd;
    port_ = portNumber;
    path_ = path;
    havePrevious_ = ::tcgetattr(fd_, &previous_) == 0;
    havePreviousModemLines_ = ::ioctl(fd_, TIOCMGET, &previousModemLines_) == 0;
    if (!havePrevious_ || !ApplyLineSettings()) {
        Close();
        error_ = OpenError{OpenError::Kind::kNotSerial, path, {}};
        return OpenResult::kSettingsFailed;
    }
    return OpenResult::kOpened;
}

bool PosixSerialPort::ApplyLineSettings() {
    termios tio = previous_;
    ::cfmakeraw(&tio);
    if (::cfsetispeed(&tio, B9600) != 0 || ::cfsetospeed(&tio, B9600) != 0) {
        return false;
    }
    // 8 data bits, no parity (checking off), 1 stop bit, receiver on, modem status ignored.
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    // CTS output flow control with RTS handshake.
    tio.c_cflag |= CRTSCTS;
    // No XON/XOFF either way, no parity marking, no NUL stripping, no break handling.
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | ISTRIP | PARMRK | IGNBRK |
                                          BRKINT | IGNPAR);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = kReadIntervalDeciseconds;
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0) {
        return false;
    }
    // DTR stays off: the receiver's port does not use it. A pseudo-terminal has no modem lines
    // and refuses the call, which changes nothing.
    const int dtr = TIOCM_DTR;
    (void)::ioctl(fd_, TIOCMBIC, &dtr);
    // Stale bytes from before the open are not this session's.
    (void)::tcflush(fd_, TCIOFLUSH);
    return true;
}

void PosixSerialPort::RestorePreviousSettings() {
    if (havePrevious_) {
        (void)::tcsetattr(fd_, TCSANOW, &previous_);
    }
    if (havePreviousModemLines_ && (previousModemLines_ & TIOCM_DTR) != 0) {
        const int dtr = TIOCM_DTR;
        (void)::ioctl(fd_, TIOCMBIS, &dtr);
    }
    havePrevious_ = false;
    havePreviousModemLines_ = false;
}

std::size_t PosixSerialPort::BytesWaiting() {
    if (fd_ < 0) {
        return 0;
    }
    int waiting = 0;
    if (::ioctl(fd_, FIONREAD, &waiting) != 0) {
        if (errno == EIO || errno == ENXIO || errno == ENODEV) {
            HangUp();
        }
        return 0;
    }
    if (waiting > 0) {
        return static_cast<std::size_t>(waiting);
    }
    // Nothing waits: has the far end gone? A pseudo-terminal whose other side closed, or a USB
    // adapter that was pulled, shows as a hang-up or an error on the descriptor.
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
        HangUp();
    }
    return 0;
}

std::size_t PosixSerialPort::Read(std::span<char> buffer) {
    if (fd_ < 0 || buffer.empty()) {
        return 0;
    }
    const ssize_t n = ::read(fd_, buffer.data(), buffer.size());
    if (n > 0) {
        return static_cast<std::size_t>(n);
    }
    if (n < 0 && (errno == EIO || errno == ENXIO || errno == ENODEV)) {
        HangUp();
        return 0;
    }
    if (n == 0) {
        // End of file on a terminal whose far end is gone; some drivers also return 0 for
        // "nothing yet", so only a hang-up on the descriptor counts.
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            HangUp();
        }
    }
    return 0;
}

std::size_t PosixSerialPort::Write(std::string_view bytes) {
    writeError_.clear();
    if (fd_ < 0) {
        writeError_ = std::strerror(EBADF);
        return 0;
    }
    std::size_t written = 0;
    int budgetMs = kWriteMsPerByte * static_cast<int>(bytes.size());
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + written, bytes.size() - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            writeError_ = std::strerror(errno);
            if (errno == EIO || errno == ENXIO || errno == ENODEV) {
                HangUp();
            }
            break;
        }
        // The output queue is full (or flow control holds it): wait for room, but only as long
        // as the write time-out allows.
        if (budgetMs <= 0) {
            writeError_ = std::strerror(ETIMEDOUT);
            break;
        }
        pollfd p{fd_, POLLOUT, 0};
        const int waitMs = budgetMs < 10 ? budgetMs : 10;
        budgetMs -= waitMs;
        if (::poll(&p, 1, waitMs) < 0 && errno != EINTR) {
            writeError_ = std::strerror(errno);
            break;
        }
    }
    return written;
}

bool PosixSerialPort::Close() {
    if (fd_ < 0) {
        return false;
    }
    // The settings the port had before, then lift the exclusive flag: the other side of a
    // pseudo-terminal keeps the terminal alive, and the flag would otherwise refuse the next
    // open. Closing the descriptor drops the advisory lock.
    RestorePreviousSettings();
    (void)::ioctl(fd_, TIOCNXCL);
    const int rc = ::close(fd_);
    lockFile_.Release();
    fd_ = -1;
    port_ = 0;
    path_.clear();
    return rc == 0;
}

void PosixSerialPort::HangUp() {
    if (fd_ < 0) {
        return;
    }
    Close();
    hungUp_ = true;
}

bool PosixSerialPort::TakeHangUp() {
    const bool hungUp = hungUp_;
    hungUp_ = false;
    return hungUp;
}

}  // namespace tra1::serial
