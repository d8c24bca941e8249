#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tra1::serial {

// What a COM port number leads to: a serial device of this machine, or a serial server on the
// network that passes the line's bytes over TCP, either as they are (socket://HOST:PORT, as
// ser2net's raw mode and most device servers do) or inside Telnet with the COM-PORT-OPTION
// (rfc2217://HOST:PORT), which also carries the line settings to the server's serial port.
struct PortTarget {
    enum class Kind {
        kDevice,   // `path` names a device, for example /dev/ttyUSB0
        kRawTcp,   // socket://HOST:PORT
        kRfc2217,  // rfc2217://HOST:PORT
    };
    Kind kind = Kind::kDevice;
    std::string path;  // kDevice
    std::string host;  // the TCP kinds; an IPv6 address without its brackets
    int tcpPort = 0;   // 1..65535

    bool IsNetwork() const { return kind != Kind::kDevice; }
    // HOST:PORT, with brackets around an IPv6 address.
    std::string HostAndPort() const;

    friend bool operator==(const PortTarget&, const PortTarget&) = default;
};

inline constexpr std::string_view kRawTcpScheme = "socket://";
inline constexpr std::string_view kRfc2217Scheme = "rfc2217://";

// Reads a mapping as the user writes it: an absolute device path, or one of the two URL forms
// (the scheme in any case; a trailing slash and an option part after '?' are ignored, so that
// URLs copied from other serial tools work). Surrounding blanks are ignored. nullopt for
// anything else, including an empty text.
std::optional<PortTarget> ParsePortTarget(std::string_view text);

// The text without surrounding blanks (spaces, tabs, line ends).
std::string_view TrimBlanks(std::string_view text);

}  // namespace tra1::serial
