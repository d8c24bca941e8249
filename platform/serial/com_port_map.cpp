#include "platform/serial/com_port_map.h"

#include <cctype>
#include <cstdlib>

#include "platform/serial/port_target.h"

namespace tra1::serial {

std::string ComPortMap::DefaultTarget(int port) {
    return IsComPortNumber(port) ? "/dev/ttyS" + std::to_string(port - 1) : std::string();
}

std::string ComPortMap::EnvironmentVariable(int port) {
    return IsComPortNumber(port) ? "TRA1_COM" + std::to_string(port) : std::string();
}

std::string ComPortMap::Target(int port) const {
    if (!IsComPortNumber(port)) {
        return {};
    }
    if (const auto over = OverrideOf(port)) {
        return over->target;
    }
    if (const auto& stored = stored_.at(Index(port))) {
        return *stored;
    }
    return DefaultTarget(port);
}

std::optional<std::string> ComPortMap::Stored(int port) const {
    return IsComPortNumber(port) ? stored_.at(Index(port)) : std::nullopt;
}

void ComPortMap::SetStored(int port, std::optional<std::string> target) {
    if (IsComPortNumber(port)) {
        if (target) {
            *target = std::string(TrimBlanks(*target));
        }
        stored_.at(Index(port)) = std::move(target);
    }
}

std::optional<ComPortMap::Override> ComPortMap::OverrideOf(int port) const {
    if (!IsComPortNumber(port)) {
        return std::nullopt;
    }
    if (const auto& given = commandLine_.at(Index(port))) {
        return Override{*given, "--port"};
    }
    if (const auto& given = environment_.at(Index(port))) {
        return Override{*given, EnvironmentVariable(port)};
    }
    return std::nullopt;
}

void ComPortMap::ReadEnvironment() {
    for (int port = kFirstComPort; port <= kLastComPort; ++port) {
        const char* value = std::getenv(EnvironmentVariable(port).c_str());
        auto& slot = environment_.at(Index(port));
        if (value != nullptr && !TrimBlanks(value).empty()) {
            slot = std::string(TrimBlanks(value));
        } else {
            slot.reset();
        }
    }
}

void ComPortMap::SetCommandLineOverride(int port, std::string target) {
    if (IsComPortNumber(port)) {
        commandLine_.at(Index(port)) = std::string(TrimBlanks(target));
    }
}

std::optional<std::pair<int, std::string>> ParsePortAssignment(std::string_view text) {
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view name = TrimBlanks(text.substr(0, equals));
    if (name.size() != 4 || std::toupper(static_cast<unsigned char>(name[0])) != 'C' ||
        std::toupper(static_cast<unsigned char>(name[1])) != 'O' ||
        std::toupper(static_cast<unsigned char>(name[2])) != 'M') {
        return std::nullopt;
    }
    const int port = name[3] - '0';
    if (!IsComPortNumber(port)) {
        return std::nullopt;
    }
    const std::string_view target = TrimBlanks(text.substr(equals + 1));
    if (!target.empty() && !ParsePortTarget(target)) {
        return std::nullopt;
    }
    return std::make_pair(port, std::string(target));
}

}  // namespace tra1::serial
