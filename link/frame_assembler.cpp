#include "link/frame_assembler.h"

#include <algorithm>
#include <string>

#include "link/frame_sink.h"
#include "model/protocol.h"

namespace tra1 {

void FrameAssembler::Feed(std::string_view batch) {
    batchLength_ = std::min(batch.size(), kBatchSize);
    std::copy_n(batch.begin(), batchLength_, batchCopy_.begin());
    // Work on a private copy: a reset or a nested batch taken while the sink runs (a modal
    // dialog runs the message loop) must not change the bytes still to be read here.
    const std::array<char, kBatchSize> bytes = batchCopy_;
    const std::size_t count = batchLength_;
    const std::uint64_t resetsAtStart = resets_;
    for (std::size_t i = 0; i < count && resets_ == resetsAtStart; ++i) {
        switch (bytes[i]) {
            case control_byte::kStx:
                Open(FrameKind::kReport);
                break;
            case control_byte::kDc2:
                Open(FrameKind::kConfiguration);
                break;
            case control_byte::kDc4:
                Open(FrameKind::kExtended);
                break;
            case control_byte::kEtx:
                Close();
                break;
            case '\0':
                Abandon();
                break;
            default:
                Append(bytes[i]);
                break;
        }
    }
}

void FrameAssembler::Reset() {
    batchCopy_.fill('\0');
    batchLength_ = 0;
    buffer_.fill('\0');
    length_ = 0;
    kind_ = FrameKind::kNone;
    ++resets_;
}

void FrameAssembler::Open(FrameKind kind) {
    kind_ = kind;
    length_ = 0;
    buffer_[0] = '\0';
}

void FrameAssembler::Close() {
    const FrameKind kind = kind_;
    // The body is copied out first: the sink may reset the assembler or feed it a nested batch.
    const std::string body(buffer_.data(), length_);
    length_ = 0;
    buffer_[0] = '\0';
    kind_ = FrameKind::kNone;
    switch (kind) {
        case FrameKind::kConfiguration:
            sink_.OnConfigurationFrame(body);
            break;
        case FrameKind::kReport:
            sink_.OnReportFrame(body);
            break;
        case FrameKind::kExtended:
            sink_.OnExtendedReply(body);
            break;
        case FrameKind::kNone:
            break;
    }
}

void FrameAssembler::Abandon() {
    kind_ = FrameKind::kNone;
    length_ = 0;
    buffer_[0] = '\0';
}

void FrameAssembler::Append(char c) {
    if (length_ >= kMaxFrameLength) {
        // Too long for any frame the receiver sends: drop it; what follows is noise until the
        // next opening byte.
        kind_ = FrameKind::kNone;
        length_ = 0;
    }
    buffer_[length_] = c;
    ++length_;
    buffer_[length_] = '\0';
}

}  // namespace tra1
