#pragma once

#include <string>

namespace tra1::serial {

// Why a port did not open, in terms a user can act on. The link shows Describe() as the second
// line of its "Invalid Com Port." message and writes it to the log.
struct OpenError {
    enum class Kind {
        kNone,               // the last open succeeded (or none was tried)
        kNotMapped,          // the COM number leads nowhere
        kBadTarget,          // the mapping is neither a device path nor a serial server URL
        kNoSuchDevice,       // no device at the path (adapter unplugged, wrong name)
        kPermissionDenied,   // the user may not open the device
        kBusy,               // another program has the device open exclusively
        kLocked,             // another program holds the device's lock file
        kNotSerial,          // opened, but it is no serial port: the line settings failed
        kHostNotFound,       // the server's name does not resolve
        kHostUnreachable,    // no route to the server
        kConnectionRefused,  // the server's machine answers, but nothing listens on the port
        kTimedOut,           // the server did not answer in time
        kNoTelnet,           // an rfc2217:// server that does not speak Telnet
        kOther,              // anything else the system reports (see `detail`)
    };

    Kind kind = Kind::kNone;
    std::string target;  // the device path or HOST:PORT concerned
    std::string detail;  // the system's own words, the group that may open the device, or the
                         // process that holds the lock, as the kind needs

    bool IsError() const { return kind != Kind::kNone; }
    // One line for the user, ending with a full stop; empty for kNone.
    std::string Describe() const;
};

// The reason for a failed open(2), connect(2) or similar call from its errno.
OpenError OpenErrorFromErrno(int error, std::string target);

}  // namespace tra1::serial
