#pragma once

#include <cstdint>
#include <string>

namespace tra1 {

// Decimal text of a signed integer: "-" before negatives, no fill characters.
std::string FormatInteger(std::int64_t value);

// Fixed-point text rounded to `decimals` digits after the point (0..9; a negative count counts
// as 0, a larger one as 9): "0." before the fraction when the magnitude is below 1, "-" before
// negatives, no point for 0 decimals. A value that rounds to zero never shows a "-".
std::string FormatReal(double value, int decimals);

// The capital letter "B".."Z" for n = 2..26 and "A" for every other n.
std::string LetterFor(int n);

}  // namespace tra1
