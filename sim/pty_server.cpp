#include "sim/pty_server.h"

#include "sim/receiver_pacing.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace tra1::sim {
namespace {

constexpr int kIdlePollMs = 100;  // how often the stop flag is looked at when nothing happens

}  // namespace

PtyServer::PtyServer(serial::FarEnd& device) : line_(device, kReceiverPacing) {}

PtyServer::~PtyServer() {
    if (keepOpen_ >= 0) {
        ::close(keepOpen_);
    }
    if (master_ >= 0) {
        ::close(master_);
    }
}

bool PtyServer::Open(std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) {
        error = std::string("posix_openpt: ") + std::strerror(errno);
        return false;
    }
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = std::string("grantpt/unlockpt: ") + std::strerror(errno);
        return false;
    }
    const char* name = ::ptsname(master_);
    if (name == nullptr) {
        error = std::string("ptsname: ") + std::strerror(errno);
        return false;
    }
    devicePath_ = name;
    // Hold the terminal side open: without it the master reports a hang-up whenever the editor
    // is not connected, and the settings below would be lost between connections.
    keepOpen_ = ::open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (keepOpen_ < 0) {
        error = "open " + devicePath_ + ": " + std::strerror(errno);
        return false;
    }
    // Raw from the start: a terminal in its default mode would echo the receiver's own answers
    // back to it and translate line ends.
    termios tio{};
    if (::tcgetattr(keepOpen_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B9600);
        ::cfsetospeed(&tio, B9600);
        ::tcsetattr(keepOpen_, TCSANOW, &tio);
    }
    const int flags = ::fcntl(master_, F_GETFL);
    ::fcntl(master_, F_SETFL, flags | O_NONBLOCK);
    return true;
}

int PtyServer::Run(const volatile std::sig_atomic_t& stop) {
    if (master_ < 0) {
        return 1;
    }
    while (stop == 0) {
        pollfd p{master_, POLLIN, 0};
        const int ready = ::poll(&p, 1, line_.MsUntilNextWrite(PacedLine::NowNs(), kIdlePollMs));
        if (ready < 0 && errno != EINTR) {
            return 1;
        }
        const std::int64_t now = PacedLine::NowNs();
        if (ready > 0 && (p.revents & POLLIN) != 0) {
            line_.Hear(master_, now);
        } else if (ready > 0) {
            // A hang-up or error without data: do not spin on it.
            ::poll(nullptr, 0, kIdlePollMs);
        }
        line_.Speak(master_, now);
    }
    return 0;
}

}  // namespace tra1::sim
