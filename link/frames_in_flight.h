#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tra1 {

// The extended frames (requests and writes) sent and not yet answered, oldest first, so that a
// refusal can be told to be a write's. A reply can be lost (on the line, or dropped with the rest
// of its batch when an echo resets the receiver), so order alone does not pair replies with
// frames: a refusal goes to the oldest write of its function, an acceptance to the oldest
// request. A frame whose reply was lost is forgotten after kForgetAfterMs, and the oldest gives
// way when more than kCapacity wait, so the list stays small whatever the line does.
class FramesInFlight {
public:
    static constexpr std::size_t kCapacity = 64;
    static constexpr std::int64_t kForgetAfterMs = 2000;

    struct Write {
        int function = 0;
        bool write = false;  // a write (mode 1), not a request
        std::array<int, 6> parameters{};
        std::string text;
        std::int64_t sentAtMs = 0;
    };

    void Add(Write write);
    // The oldest frame of `function` still waiting at `nowMs`, a write first when `write` is
    // true and a request first otherwise, taken off the list; nullopt when none waits.
    std::optional<Write> Take(int function, bool write, std::int64_t nowMs);
    void Clear() { count_ = 0; }
    std::size_t Count() const { return count_; }

private:
    void Forget(std::int64_t nowMs);
    void RemoveAt(std::size_t index);

    std::array<Write, kCapacity> writes_{};
    std::size_t count_ = 0;
};

}  // namespace tra1
