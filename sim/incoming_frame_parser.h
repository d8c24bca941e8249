#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tra1::sim {

// One frame as the receiver hears it from the editor.
struct IncomingFrame {
    enum class Kind { kOperation, kStatusRequest, kExtended };
    Kind kind = Kind::kOperation;
    std::string body;  // the characters between the opening byte and ETX
};

// Cuts the byte stream from the editor into frames: STX opens an operation frame, DC1 the
// status request, DC4 an extended frame; ETX closes. Bytes outside a frame are noise and are
// dropped; an opening byte inside a frame starts over. Frames may arrive in any pieces.
class IncomingFrameParser {
public:
    // The longest body kept; a frame that grows beyond is dropped whole.
    static constexpr std::size_t kMaxBody = 256;

    // Adds bytes and returns every frame they complete, in order.
    std::vector<IncomingFrame> Feed(std::string_view bytes);
    // Bytes dropped as noise or as overlong frames (for tests).
    std::size_t DroppedBytes() const { return dropped_; }

private:
    std::optional<IncomingFrame::Kind> open_;
    std::string body_;
    bool overlong_ = false;
    std::size_t dropped_ = 0;
};

}  // namespace tra1::sim
