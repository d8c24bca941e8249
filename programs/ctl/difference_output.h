#pragma once
// The differences of diff and restore --verify on standard output: one line each, "Speaker
// Level / FRONT L: 0.0 dB -> -2.5 dB", or one JSON array.

#include <iosfwd>
#include <vector>

namespace tra1 {
struct SettingDifference;
}

namespace tra1::programs {

void PrintDifferences(std::ostream& out, const std::vector<SettingDifference>& differences,
                      bool json);

}  // namespace tra1::programs
