#pragma once

#include <string>
#include <string_view>

namespace tra1 {

// How writing one frame to the port went.
struct FrameWrite {
    enum class Result {
        kWritten,  // every byte of the frame went to the port
        kEmpty,    // nothing to write (a command outside the table builds nothing)
        kNoPort,   // no port open, or another write under way: nothing tried
        kFailed,   // the port did not take the whole frame
    };
    Result result = Result::kWritten;
    // kFailed: why, in the system's words.
    std::string reason;

    bool Written() const { return result == Result::kWritten; }
    bool Failed() const { return result == Result::kFailed; }
};

// What a log line says after a frame that could not be written whole: nothing for any other.
inline std::string NotSentNote(const FrameWrite& write) {
    if (!write.Failed()) {
        return {};
    }
    return "  -- not sent: " + (write.reason.empty() ? std::string("write failed") : write.reason);
}

// One log line for a frame: prefix, frame, the note when it was not sent, line end.
inline std::string FrameLogLine(std::string_view prefix, std::string_view frame,
                                const FrameWrite& write) {
    std::string line(prefix);
    line.append(frame).append(NotSentNote(write)).append("\r\n");
    return line;
}

}  // namespace tra1
