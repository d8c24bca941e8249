#include "platform/serial/port_target.h"

#include <algorithm>
#include <cctype>

namespace tra1::serial {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

std::optional<int> ParseTcpPort(std::string_view digits) {
    if (digits.empty() || digits.size() > 5) {
        return std::nullopt;
    }
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 65535) {
        return std::nullopt;
    }
    return value;
}

bool IsHostCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '.' || c == '_';
}

// HOST:PORT or [IPV6]:PORT.
std::optional<PortTarget> ParseHostPort(std::string_view rest, PortTarget::Kind kind) {
    // Options after '?' (some tools write socket://host:port?logging=debug) and a trailing
    // slash are not ours to interpret.
    rest = rest.substr(0, rest.find('?'));
    if (!rest.empty() && rest.back() == '/') {
        rest.remove_suffix(1);
    }
    PortTarget target;
    target.kind = kind;
    std::string_view portText;
    if (!rest.empty() && rest.front() == '[') {
        const auto close = rest.find(']');
        if (close == std::string_view::npos || close + 1 >= rest.size() || rest[close + 1] != ':') {
            return std::nullopt;
        }
        const std::string_view address = rest.substr(1, close - 1);
        if (address.empty() ||
            address.find_first_not_of("0123456789abcdefABCDEF:.") != std::string_view::npos) {
            return std::nullopt;
        }
        target.host = std::string(address);
        portText = rest.substr(close + 2);
    } else {
        const auto colon = rest.rfind(':');
        if (colon == std::string_view::npos || colon == 0) {
            return std::nullopt;
        }
        const std::string_view host = rest.substr(0, colon);
        if (!std::all_of(host.begin(), host.end(), IsHostCharacter)) {
            return std::nullopt;
        }
        target.host = std::string(host);
        portText = rest.substr(colon + 1);
    }
    const auto port = ParseTcpPort(portText);
    if (!port) {
        return std::nullopt;
    }
    target.tcpPort = *port;
    return target;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::string PortTarget::HostAndPort() const {
    const bool ipv6 = host.find(':') != std::string::npos;
    return (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(tcpPort);
}

std::optional<PortTarget> ParsePortTarget(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty()) {
        return std::nullopt;
    }
    if (StartsWithNoCase(text, kRawTcpScheme)) {
        return ParseHostPort(text.substr(kRawTcpScheme.size()), PortTarget::Kind::kRawTcp);
    }
    if (StartsWithNoCase(text, kRfc2217Scheme)) {
        return ParseHostPort(text.substr(kRfc2217Scheme.size()), PortTarget::Kind::kRfc2217);
    }
    if (text.front() != '/' || text.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    PortTarget target;
    target.kind = PortTarget::Kind::kDevice;
    target.path = std::string(text);
    return target;
}

}  // namespace tra1::serial
