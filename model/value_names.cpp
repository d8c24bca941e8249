#include "model/value_names.h"

#include <algorithm>

#include "model/value_format.h"

namespace tra1::value_names {

std::string TunerFrequencyName(int band, int step) {
    // Counted in whole tenths of a MHz and whole kHz, so that no step drifts in rounding.
    if (band != 0) {
        const int tenths = 1079 - 2 * std::clamp(step, 0, kHighestFmStep);
        return FormatReal(static_cast<double>(tenths) / 10.0, 1) + " MHz";
    }
    return FormatInteger(1710 - 10 * std::clamp(step, 0, kHighestAmStep)) + " kHz";
}

}  // namespace tra1::value_names
