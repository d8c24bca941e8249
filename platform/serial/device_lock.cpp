#include "platform/serial/device_lock.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace tra1::serial {
namespace {

constexpr int kCreateAttempts = 3;  // a stale file removed, then created: a race may cost one

// The process id in a lock file (ten characters in the usual format, or a binary int from
// very old programs); 0 when unreadable.
pid_t ReadOwner(const std::string& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        return 0;
    }
    std::array<char, 32> text{};
    const ssize_t n = ::read(fd, text.data(), text.size() - 1);
    ::close(fd);
    if (n <= 0) {
        return 0;
    }
    if (n == static_cast<ssize_t>(sizeof(int))) {
        int binary = 0;
        std::copy_n(text.data(), sizeof(int), reinterpret_cast<char*>(&binary));
        return binary;
    }
    return static_cast<pid_t>(std::strtol(text.data(), nullptr, 10));
}

bool ProcessAlive(pid_t pid) {
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

}  // namespace

std::string DeviceLockFile::LockFileName(const std::string& devicePath) {
    constexpr std::string_view kDev = "/dev/";
    if (devicePath.rfind(kDev, 0) != 0) {
        return {};
    }
    const std::string name = devicePath.substr(kDev.size());
    if (name.empty() || name.find('/') != std::string::npos) {
        return {};
    }
    return "LCK.." + name;
}

OpenError DeviceLockFile::Acquire(const std::string& folder, const std::string& devicePath) {
    Release();
    const std::string name = LockFileName(devicePath);
    if (name.empty()) {
        return {};
    }
    const std::string file = folder + "/" + name;
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        const int fd =
            ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd >= 0) {
            std::array<char, 16> text{};
            const int length =
                std::snprintf(text.data(), text.size(), "%10d\n", static_cast<int>(::getpid()));
            const bool written = ::write(fd, text.data(), static_cast<std::size_t>(length)) ==
                                 static_cast<ssize_t>(length);
            ::close(fd);
            if (!written) {
                ::unlink(file.c_str());
                return {};
            }
            held_ = file;
            return {};
        }
        if (errno != EEXIST) {
            // No right to make lock files here: the exclusive open is the lock.
            return {};
        }
        const pid_t owner = ReadOwner(file);
        if (owner != ::getpid() && ProcessAlive(owner)) {
            OpenError error;
            error.kind = OpenError::Kind::kLocked;
            error.target = devicePath;
            error.detail = std::to_string(owner);
            return error;
        }
        // Stale (its process has gone) or left by this process: take it over.
        ::unlink(file.c_str());
    }
    return {};
}

void DeviceLockFile::Release() {
    if (!held_.empty()) {
        ::unlink(held_.c_str());
        held_.clear();
    }
}

}  // namespace tra1::serial
