#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tra1::serial {

// A run of bytes that the far end puts on the line, after `gapBeforeMs` of silence following
// whatever it sent before (a receiver that pauses in the middle of a reply uses a gap).
struct LineSegment {
    std::string bytes;
    int gapBeforeMs = 0;
};

// The device at the other end of an in-memory line (the virtual receiver in tests). It gets the
// bytes the editor writes, in whatever pieces they were written, and answers with the segments
// to send back; the line delivers them at 9600 baud.
class FarEnd {
public:
    virtual ~FarEnd() = default;
    virtual std::vector<LineSegment> Receive(std::string_view bytes) = 0;
};

}  // namespace tra1::serial
