#pragma once

#include <array>
#include <cstdint>

namespace tra1 {

// The fixed-width upper-case hexadecimal fields of the receiver's frames. Each encoder always
// yields exactly its width, so a value that does not fit can never lengthen or shift a frame.

// The upper-case digit of the low four bits of v.
constexpr char HexDigit(unsigned v) {
    return "0123456789ABCDEF"[v & 0xFu];
}

// One digit for 0..15; any other value (negative included) gives "0".
constexpr std::array<char, 1> Hex1(int x) {
    return {x >= 0 && x <= 15 ? HexDigit(static_cast<unsigned>(x)) : '0'};
}

// Two digits, high first, for 0..255; any other value (negative included) gives "00".
constexpr std::array<char, 2> Hex2(int x) {
    if (x < 0 || x > 255) {
        return {'0', '0'};
    }
    const auto v = static_cast<unsigned>(x);
    return {HexDigit(v >> 4), HexDigit(v)};
}

// Three digits: the low twelve bits of the magnitude of x, so 0..4095 give 000..FFF and -x
// gives the same as x. The magnitude is taken without overflow for the most negative int.
constexpr std::array<char, 3> Hex3(int x) {
    const std::uint32_t magnitude =
        x < 0 ? 0u - static_cast<std::uint32_t>(x) : static_cast<std::uint32_t>(x);
    return {HexDigit(magnitude >> 8), HexDigit(magnitude >> 4), HexDigit(magnitude)};
}

}  // namespace tra1
