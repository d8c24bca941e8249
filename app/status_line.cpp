#include "app/status_line.h"

#include "model/value_format.h"

namespace tra1 {

namespace {
constexpr std::string_view kSeparator = " \u00B7 ";
}

std::string StatusText(const StatusFacts& facts) {
    std::string text;
    auto add = [&text](std::string_view part) {
        if (part.empty()) {
            return;
        }
        if (!text.empty()) {
            text += kSeparator;
        }
        text += part;
    };
    const std::string port = "COM" + FormatInteger(facts.openPort);
    bool receiver = false;
    switch (facts.connection) {
        case ConnectionState::kClosed:
            // A port chosen by number is open before the receiver's first answer.
            add(facts.openPort == 0 ? std::string("Not connected") : port);
            break;
        case ConnectionState::kSearching:
        case ConnectionState::kIdentifying:
            add(facts.openPort == 0 ? std::string("Searching") : "Searching " + port);
            break;
        case ConnectionState::kUnsupported:
            add(port);
            add("Receiver not supported");
            break;
        case ConnectionState::kNoReply:
            add(port);
            add("No answer");
            break;
        case ConnectionState::kConnected:
        case ConnectionState::kRealtime:
            add(port);
            add(facts.model);
            receiver = true;
            break;
    }
    add(facts.realtime ? "Realtime mode" : "Asynchronous mode");
    if (receiver && facts.powerReported) {
        add(facts.standby ? "Receiver in standby" : "Receiver on");
    }
    add(facts.lastResult);
    return text;
}

std::string TransferResultText(bool download, bool finished, int frames, std::int64_t elapsedMs,
                               int valuesNotRead) {
    std::string text = download ? "Download " : "Upload ";
    const std::string count = FormatInteger(frames) + (frames == 1 ? " frame" : " frames");
    if (finished) {
        text += "finished: " + count + " in " +
                FormatReal(static_cast<double>(elapsedMs) / 1000.0, 1) + " s";
        if (valuesNotRead > 0) {
            text += "; " + FormatInteger(valuesNotRead) +
                    (valuesNotRead == 1 ? " request refused by the receiver, its value"
                                        : " requests refused by the receiver, their values") +
                    " kept as before (see the log)";
        }
    } else {
        text += "stopped after " + count;
    }
    return text;
}

}  // namespace tra1
