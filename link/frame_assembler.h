#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tra1 {

class FrameSink;

// What the assembler is collecting.
enum class FrameKind : int {
    kNone = 0,           // no frame open: bytes are noise until the next opening byte
    kConfiguration = 1,  // opened by DC2
    kReport = 2,         // opened by STX
    kExtended = 3,       // opened by DC4
};

// Assembles the receiver's frames from the batches the serial link hands over. A frame may be
// split over any number of batches: the open frame and its characters survive between calls.
// Each frame is handed to the sink when its ETX arrives. Bytes outside a frame are collected
// and thrown away by the next opening byte. The longest frame the receiver sends fits in one
// batch, so a frame that grows past kMaxFrameLength characters can only be line noise or a lost
// ETX: it is dropped whole and its ETX dispatches nothing. The receiver never sends a NUL: one
// is a byte the line damaged, and the frame it falls in is dropped the same way; the frames
// before and after it in the batch are not touched.
class FrameAssembler {
public:
    static constexpr std::size_t kBatchSize = 256;
    static constexpr std::size_t kMaxFrameLength = 256;

    explicit FrameAssembler(FrameSink& sink) : sink_(sink) {}

    // Takes one received batch (every byte the serial link read, NULs included): copies at most
    // kBatchSize bytes of it, then runs every byte of the copy through the assembler. The sink may
    // reset the assembler while it handles a frame (an echo resets the receiver); the rest of the
    // batch is then dropped.
    void Feed(std::string_view batch);

    // Back to "no frame open" with an empty assembly buffer and an empty batch copy.
    void Reset();

    FrameKind Kind() const { return kind_; }
    // The characters collected so far (of the open frame, or noise while none is open).
    std::string_view Pending() const { return {buffer_.data(), length_}; }
    // The last batch taken (at most kBatchSize bytes).
    std::string_view BatchCopy() const { return {batchCopy_.data(), batchLength_}; }

private:
    void Open(FrameKind kind);
    void Close();
    // Drops the open frame (a damaged byte in it): noise until the next opening byte.
    void Abandon();
    void Append(char c);

    FrameSink& sink_;
    std::array<char, kBatchSize> batchCopy_{};
    std::size_t batchLength_ = 0;
    std::array<char, kMaxFrameLength + 1> buffer_{};  // NUL-terminated
    std::size_t length_ = 0;
    FrameKind kind_ = FrameKind::kNone;
    // Counts resets, so that Feed notices one made by the sink during a dispatch.
    std::uint64_t resets_ = 0;
};

}  // namespace tra1
