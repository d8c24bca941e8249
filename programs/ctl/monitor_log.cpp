#include "programs/ctl/monitor_log.h"

#include <array>
#include <cstdio>
#include <ostream>

namespace tra1::programs {
namespace {

// The names of the control bytes the frames carry, by value 0x00..0x1F.
constexpr std::array<std::string_view, 32> kControlNames{
    "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "HT",  "LF",
    "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
    "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US",
};

}  // namespace

std::string MonitorLog::Visible(std::string_view line) {
    std::string visible;
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < kControlNames.size()) {
            visible += "<" + std::string(kControlNames[byte]) + ">";
        } else if (byte >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "<%02X>", byte);
            visible += hex;
        } else {
            visible += c;
        }
    }
    return visible;
}

void MonitorLog::Append(std::string_view text) {
    pending_ += text;
    for (;;) {
        const auto end = pending_.find("\r\n");
        if (end == std::string::npos) {
            return;
        }
        out_ << timeStamp_() << "  " << Visible(std::string_view(pending_).substr(0, end)) << '\n'
             << std::flush;
        pending_.erase(0, end + 2);
    }
}

}  // namespace tra1::programs
