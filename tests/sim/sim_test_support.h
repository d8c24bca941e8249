#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/command_frame_builder.h"
#include "sim/virtual_receiver.h"

namespace tra1::sim::testing {

inline constexpr char kStx = 0x02;
inline constexpr char kEtx = 0x03;
inline constexpr char kDc1 = 0x11;
inline constexpr char kDc2 = 0x12;
inline constexpr char kDc4 = 0x14;

// Everything the receiver puts on the line for `bytes`, segments joined.
inline std::string Exchange(VirtualReceiver& receiver, std::string_view bytes) {
    std::string out;
    for (const auto& segment : receiver.Receive(bytes)) {
        out += segment.bytes;
    }
    return out;
}

struct ReplyFrame {
    char opener = 0;
    std::string body;
};

// Cuts the receiver's output into frames the way the editor does: an opening byte starts a
// frame, ETX ends it, bytes outside frames are dropped.
inline std::vector<ReplyFrame> Frames(std::string_view line) {
    std::vector<ReplyFrame> frames;
    ReplyFrame current;
    for (const char c : line) {
        if (c == kStx || c == kDc2 || c == kDc4) {
            current = ReplyFrame{c, {}};
        } else if (c == kEtx) {
            if (current.opener != 0) {
                frames.push_back(current);
            }
            current = ReplyFrame{};
        } else if (current.opener != 0) {
            current.body.push_back(c);
        }
    }
    return frames;
}

inline int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return 0;
}

inline int HexField(std::string_view s, std::size_t at, std::size_t width) {
    int v = 0;
    for (std::size_t i = 0; i < width && at + i < s.size(); ++i) {
        v = v * 16 + HexDigitValue(s[at + i]);
    }
    return v;
}

inline std::string Command(int number, int value) {
    CommandFrameBuilder builder;
    return std::string(builder.BuildCommandFrame(number, value));
}

inline std::string Extended(int function, int mode, int p1 = 0, int p2 = 0, int p3 = 0, int p4 = 0,
                            int p5 = 0, int p6 = 0, std::string_view text = {}) {
    CommandFrameBuilder builder;
    return std::string(builder.BuildExtendedFrame(function, mode, p1, p2, p3, p4, p5, p6, text));
}

}  // namespace tra1::sim::testing
