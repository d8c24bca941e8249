#include "platform/serial/ini_port_settings_store.h"

#include <fstream>
#include <string_view>

namespace tra1::serial {
namespace {

constexpr std::string_view kSection = "[ports]";
constexpr std::string_view kBlanks = " \t\r";

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string IniPortSettingsStore::ValueOf(std::string_view raw) {
    const std::string_view value = Trimmed(raw);
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
        return std::string(value);
    }
    std::string unquoted;
    for (std::size_t i = 1; i + 1 < value.size(); ++i) {
        if (value[i] == '\\' && i + 2 < value.size()) {
            ++i;
        }
        unquoted += value[i];
    }
    return unquoted;
}

std::optional<std::string> IniPortSettingsStore::Load(int port) const {
    if (!IsComPortNumber(port)) {
        return std::nullopt;
    }
    std::ifstream in(fileName_);
    if (!in) {
        return std::nullopt;
    }
    const std::string key = "COM" + std::to_string(port);
    bool inSection = false;
    std::optional<std::string> found;
    std::string line;
    while (std::getline(in, line)) {
        const std::string_view text = Trimmed(line);
        if (text.starts_with('[')) {
            inSection = SameIgnoringCase(text, kSection);
            continue;
        }
        const auto equals = text.find('=');
        if (!inSection || equals == std::string_view::npos) {
            continue;
        }
        if (Trimmed(text.substr(0, equals)) == key) {
            found = ValueOf(text.substr(equals + 1));  // the last one counts, as in QSettings
        }
    }
    return found;
}

bool IniPortSettingsStore::Save(const ComPortMap& /*map*/) {
    return false;
}

}  // namespace tra1::serial
