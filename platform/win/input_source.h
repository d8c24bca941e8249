#pragma once

#include <cstdint>
#include <optional>

namespace tra1::win {

// Input that the event loop waits for besides its messages and timers: the bytes of a serial
// line. On the real clock a source names a descriptor that the front end watches for reading (a
// socket notifier in Qt's loop, poll() elsewhere); on the virtual clock it says instead when its
// next input will be there, and the loop delivers it then.
class InputSource {
public:
    virtual ~InputSource() = default;
    // The descriptor to watch for reading; -1 when there is none (now).
    virtual int ReadableDescriptor() const { return -1; }
    // When input will next be ready, in the loop clock's milliseconds; nullopt when none is on
    // its way (or the source has a descriptor instead).
    virtual std::optional<std::int64_t> InputDueAtMs() const { return std::nullopt; }
};

}  // namespace tra1::win
