#pragma once

#include <string>

#include "platform/serial/open_error.h"

namespace tra1::serial {

// The lock file that serial programs on Debian agree on (minicom, ser2net, uucp): a file
// LCK..<device name> in /var/lock holding the owner's process id as ten characters and a line
// end. A lock whose process has gone is stale and is taken over. Where the folder cannot be
// written (a user without the right), no lock file is made: the exclusive open of the device
// still keeps other programs out.
class DeviceLockFile {
public:
    static constexpr const char* kDefaultLockFolder = "/var/lock";

    DeviceLockFile() = default;
    ~DeviceLockFile() { Release(); }
    DeviceLockFile(const DeviceLockFile&) = delete;
    DeviceLockFile& operator=(const DeviceLockFile&) = delete;

    // "LCK..ttyUSB0" for /dev/ttyUSB0 (give the path with its links resolved); empty for a
    // device in a sub-folder of /dev (pseudo-terminals), which no lock file names.
    static std::string LockFileName(const std::string& devicePath);

    // Takes the lock for the device. kLocked (with the owner's process id as detail) when a
    // live process holds it; otherwise no error, whether or not a file could be made.
    OpenError Acquire(const std::string& folder, const std::string& devicePath);
    // Removes the lock file if this object made it.
    void Release();
    const std::string& HeldFile() const { return held_; }

private:
    std::string held_;
};

}  // namespace tra1::serial
