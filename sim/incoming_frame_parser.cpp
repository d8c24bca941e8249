#include "sim/incoming_frame_parser.h"

#include "model/protocol.h"

namespace tra1::sim {

using control_byte::kDc1;
using control_byte::kDc4;
using control_byte::kEtx;
using control_byte::kStx;

std::vector<IncomingFrame> IncomingFrameParser::Feed(std::string_view bytes) {
    std::vector<IncomingFrame> frames;
    for (const char c : bytes) {
        std::optional<IncomingFrame::Kind> opens;
        if (c == kStx) {
            opens = IncomingFrame::Kind::kOperation;
        } else if (c == kDc1) {
            opens = IncomingFrame::Kind::kStatusRequest;
        } else if (c == kDc4) {
            opens = IncomingFrame::Kind::kExtended;
        }
        if (opens) {
            dropped_ += body_.size();
            open_ = opens;
            body_.clear();
            overlong_ = false;
            continue;
        }
        if (!open_) {
            ++dropped_;
            continue;
        }
        if (c == kEtx) {
            if (overlong_) {
                dropped_ += body_.size() + 1;
            } else {
                frames.push_back(IncomingFrame{*open_, body_});
            }
            open_.reset();
            body_.clear();
            overlong_ = false;
            continue;
        }
        if (body_.size() >= kMaxBody) {
            overlong_ = true;
            ++dropped_;
            continue;
        }
        body_.push_back(c);
    }
    return frames;
}

}  // namespace tra1::sim
