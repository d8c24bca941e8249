#pragma once

#include <cstddef>
#include <string_view>

namespace tra1 {

// The receiver writes every number in its replies as hexadecimal digits, high digit first. A
// digit is read case-insensitively; any other character counts as 0, as does a position past
// the end of the body, so a reading can never leave the body.

// Whether a character is a hexadecimal digit, in either case.
constexpr bool IsReplyDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The characters of `body` from `position` (up to `count` of them) are all hexadecimal digits,
// and there are that many.
constexpr bool AreReplyDigits(std::string_view body, std::size_t position, std::size_t count) {
    if (position > body.size() || body.size() - position < count) {
        return false;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (!IsReplyDigit(body[position + i])) {
            return false;
        }
    }
    return true;
}

// 0..15 for "0".."9", "A".."F" and "a".."f"; 0 for every other character.
constexpr int ReplyDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return 0;
}

// The digit at `position` of `body`; 0 past the end.
constexpr int ReplyDigitAt(std::string_view body, std::size_t position) {
    return position < body.size() ? ReplyDigit(body[position]) : 0;
}

// `count` digits (at most 7) from `position`, high digit first.
constexpr int ReplyNumberAt(std::string_view body, std::size_t position, std::size_t count) {
    int value = 0;
    for (std::size_t i = 0; i < count && i < 7; ++i) {
        value = value * 16 + ReplyDigitAt(body, position + i);
    }
    return value;
}

}  // namespace tra1
