#pragma once

#include <cstdint>

namespace tra1::serial {

// 9600 baud with one start bit, eight data bits and one stop bit: ten bit times per byte, so
// 960 bytes a second and 25/24 ms (about 1.0417 ms) per byte. Time on the line is counted in
// ticks of 1/24 ms so that a byte is exactly 25 ticks and no rounding drifts over long replies.
inline constexpr int kBaudRate = 9600;
inline constexpr int kBitsPerByte = 10;
inline constexpr std::int64_t kLineTicksPerMs = 24;
inline constexpr std::int64_t kLineTicksPerByte = 25;

constexpr std::int64_t MsToLineTicks(std::int64_t ms) {
    return ms * kLineTicksPerMs;
}

// Whole milliseconds needed to transmit `bytes`, rounded up.
constexpr std::int64_t TransmitMs(std::int64_t bytes) {
    return (bytes * kLineTicksPerByte + kLineTicksPerMs - 1) / kLineTicksPerMs;
}

// Nanoseconds per byte, for pacing a real line.
inline constexpr std::int64_t kNanosecondsPerByte =
    1'000'000'000LL * kBitsPerByte / kBaudRate;  // 1,041,666 ns

}  // namespace tra1::serial
