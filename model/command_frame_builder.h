#pragma once

#include <array>
#include <string_view>

namespace tra1 {

// Builds every frame the editor sends to the receiver: the seven-byte operation frame, the
// five-byte status request and the extended frame with its length and checksum. There is one
// outgoing buffer; each build overwrites it, so a caller sends a frame before building the next.
class CommandFrameBuilder {
public:
    static constexpr std::size_t kFrameBufferSize = 256;

    // The frame for a command number (0..105, or 255 for the status request) and a value. An
    // invalid number, or a position beyond the row's codes, gives an empty frame.
    std::string_view BuildCommandFrame(int commandNumber, int value);

    // The extended frame for a function number 256..274 and mode 0 (request) or 1 (write).
    std::string_view BuildExtendedFrame(int function, int mode, int p1 = 0, int p2 = 0, int p3 = 0,
                                        int p4 = 0, int p5 = 0, int p6 = 0,
                                        std::string_view text = {});

private:
    std::array<char, kFrameBufferSize> frameBuffer_{};
};

}  // namespace tra1
