#include "platform/serial/open_error.h"

#include <cerrno>
#include <cstring>

namespace tra1::serial {

std::string OpenError::Describe() const {
    using K = Kind;
    switch (kind) {
        case K::kNone:
            return {};
        case K::kNotMapped:
            return "Not mapped to any device or server (Connection > Port Settings...).";
        case K::kBadTarget:
            return "\"" + target +
                   "\" is neither a device path nor socket://HOST:PORT or rfc2217://HOST:PORT.";
        case K::kNoSuchDevice:
            return target + ": no such device. Is the adapter plugged in?";
        case K::kPermissionDenied: {
            const std::string group = detail.empty() ? "dialout" : detail;
            return target + ": permission denied. Members of the group '" + group +
                   "' may use it: run 'sudo adduser $USER " + group +
                   "', then log out and in again.";
        }
        case K::kBusy:
            return target + ": busy, another program is using it.";
        case K::kLocked:
            return target + ": locked by another program" +
                   (detail.empty() ? std::string() : " (process " + detail + ")") + ".";
        case K::kNotSerial:
            return target + ": not a serial port (the line settings could not be applied).";
        case K::kHostNotFound:
            return target + ": host not found" + (detail.empty() ? "" : " (" + detail + ")") + ".";
        case K::kHostUnreachable:
            return target + ": host unreachable.";
        case K::kConnectionRefused:
            return target + ": connection refused. Is the serial server running on that port?";
        case K::kTimedOut:
            return target + ": no answer from the serial server in time.";
        case K::kNoTelnet:
            return target +
                   ": the server does not answer in Telnet; for a raw server use socket://.";
        case K::kOther:
            return target + ": " + (detail.empty() ? "cannot be opened" : detail) + ".";
    }
    return {};
}

OpenError OpenErrorFromErrno(int error, std::string target) {
    OpenError result;
    result.target = std::move(target);
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case ENOTDIR:
            result.kind = OpenError::Kind::kNoSuchDevice;
            break;
        case EACCES:
        case EPERM:
            result.kind = OpenError::Kind::kPermissionDenied;
            break;
        case EBUSY:
        case EWOULDBLOCK:
            result.kind = OpenError::Kind::kBusy;
            break;
        case ECONNREFUSED:
            result.kind = OpenError::Kind::kConnectionRefused;
            break;
        case EHOSTUNREACH:
        case ENETUNREACH:
        case ENETDOWN:
        case EHOSTDOWN:
            result.kind = OpenError::Kind::kHostUnreachable;
            break;
        case ETIMEDOUT:
            result.kind = OpenError::Kind::kTimedOut;
            break;
        default:
            result.kind = OpenError::Kind::kOther;
            result.detail = std::strerror(error);
            break;
    }
    return result;
}

}  // namespace tra1::serial
