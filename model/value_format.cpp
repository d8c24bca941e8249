#include "model/value_format.h"

#include <algorithm>
#include <cstdio>

namespace tra1 {

std::string FormatInteger(std::int64_t value) {
    return std::to_string(value);
}

std::string FormatReal(double value, int decimals) {
    const int digits = std::clamp(decimals, 0, 9);
    const int length = std::snprintf(nullptr, 0, "%.*f", digits, value);
    if (length <= 0) {
        return "0";
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%.*f", digits, value);
    text.resize(static_cast<std::size_t>(length));
    // A small negative value rounds to zero: show it without a sign.
    if (text.front() == '-' && text.find_first_not_of("0.", 1) == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

std::string LetterFor(int n) {
    if (n < 2 || n > 26) {
        return "A";
    }
    return std::string(1, static_cast<char>('A' + n - 1));
}

}  // namespace tra1
