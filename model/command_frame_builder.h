#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tra1 {

// Builds every frame the editor sends to the receiver: the seven-byte operation frame, the
// five-byte status request and the extended frame with its length and checksum. There is one
// outgoing buffer; each build overwrites it, so a caller sends a frame before building the next.
class CommandFrameBuilder {
public:
    static constexpr std::size_t kFrameBufferSize = 256;

    // The frame for a command number (0..105, or 255 for the status request) and a value. An
    // invalid number, or a position beyond the row's codes, gives an empty frame and leaves the
    // buffer as it was.
    std::string_view BuildCommandFrame(int commandNumber, int value);

    // The extended frame for a function number 256..274 and mode 0 (request) or 1 (write). A
    // function the editor never sends (256..259, 263, anything outside 256..274) or another mode
    // gives an empty frame and leaves the buffer as it was. `text` is read up to its first NUL;
    // an input name longer than 8 characters or a frequency longer than 6 is cut to that width,
    // and a shorter frequency is padded with blanks, so that the frame always matches its length.
    std::string_view BuildExtendedFrame(int function, int mode, int p1 = 0, int p2 = 0, int p3 = 0,
                                        int p4 = 0, int p5 = 0, int p6 = 0,
                                        std::string_view text = {});

    // The NUL-terminated frame last built (empty before the first build).
    const char* FrameBuffer() const { return frameBuffer_.data(); }

private:
    std::array<char, kFrameBufferSize> frameBuffer_{};
};

}  // namespace tra1
